#include "bitmap_test_util.h"
#include "skin/render/button_glyph.h"
#include "skin/render/glyph_composite.h"
#include "skin/render/keyed_copy.h"

#include <gtest/gtest.h>

namespace skin::render {
namespace {

using testing::Filled;
using testing::Hex;

TEST(GlyphCompositeTest, WeightClampsTransparencyAndKeepsTheFacesAlpha) {
    EXPECT_EQ(GlyphWeight(200, 30), 140);
    EXPECT_EQ(GlyphWeight(255, 0), 255);
    EXPECT_EQ(GlyphWeight(255, -40), 255); // not 357
    EXPECT_EQ(GlyphWeight(255, 100), 0);
    EXPECT_EQ(GlyphWeight(255, 250), 0); // not negative

    const SkinBitmap glyph = Filled(2, 1, 0xFFFFFFFF);
    for (int t : {-1000, -1, 0, 40, 100, 101, 1000}) {
        SkinBitmap face = Filled(2, 1, 0x40102030);
        CompositeGlyph(face, glyph, glyph.Bounds(), {0, 0}, t);
        const int x = GlyphWeight(255, t);
        const auto channel = [&](int d) {
            return static_cast<Pixel>(((255 - d) * x + d * 256) >> 8);
        };
        const Pixel expected =
            0x40000000u | channel(0x10) << 16 | channel(0x20) << 8 | channel(0x30);
        EXPECT_EQ(face.At(1, 0), expected) << t << " " << Hex(face.At(1, 0));
    }

    // A tint colours the glyph's grey; the translucent face stays as translucent as it was.
    SkinBitmap face = Filled(1, 1, 0x00000000);
    CompositeGlyph(face, Filled(1, 1, 0xFF0000FF), {0, 0, 1, 1}, {0, 0}, 0, Color{0x00FF00});
    EXPECT_EQ(face.At(0, 0), 0x00005400u) << Hex(face.At(0, 0)); // grey 85, weight 255
}

// Where each face pixel's glyph pixel comes from, worked out pixel by pixel.
SkinBitmap Reference(SkinBitmap face, const SkinBitmap& glyph, const Rect& source, Point at,
                     int t) {
    for (int y = 0; y < face.Height(); ++y)
        for (int x = 0; x < face.Width(); ++x) {
            const int gx = source.Left + x - at.X, gy = source.Top + y - at.Y;
            if (gx < std::max(0, source.Left) || gy < std::max(0, source.Top) ||
                gx >= std::min(glyph.Width(), source.Right) ||
                gy >= std::min(glyph.Height(), source.Bottom))
                continue;
            const Pixel s = glyph.At(gx, gy);
            face.At(x, y) =
                WeightedOver(face.At(x, y), s, GlyphWeight(static_cast<int>(s >> 24), t));
        }
    return face;
}

TEST(GlyphCompositeTest, RectanglesPartlyOutsideTheGlyphOrTheFaceAreClipped) {
    std::mt19937 random(7);
    auto between = [&](int low, int high) {
        return low + static_cast<int>(random() % (high - low + 1));
    };
    for (int round = 0; round < 3000; ++round) {
        const SkinBitmap glyph = testing::Random(between(1, 9), between(1, 9), random);
        const SkinBitmap before = testing::Random(between(1, 9), between(1, 9), random);
        const Rect source{between(-4, 6), between(-4, 6), between(-2, 14), between(-2, 14)};
        const Point at{between(-12, 12), between(-12, 12)};
        const int t = between(-20, 120);
        SkinBitmap face = before.Clone();
        CompositeGlyph(face, glyph, source, at, t);
        const SkinBitmap expected = Reference(before.Clone(), glyph, source, at, t);
        for (int y = 0; y < face.Height(); ++y)
            for (int x = 0; x < face.Width(); ++x)
                ASSERT_EQ(face.At(x, y), expected.At(x, y))
                    << "round " << round << " at " << x << "," << y;
    }
}

TEST(GlyphCompositeTest, NegativeStripIndexesShowNothing) {
    // Strip images left of the strip, as an image index from a damaged skin gives them.
    SkinBitmap face = Filled(4, 12, 0xFF000000);
    const SkinBitmap strip = Filled(8, 4, 0xFFFFFFFF);
    CompositeAlphaGlyph(face, strip, -1, 4, {0, 0}, 0, std::nullopt);
    ReflectAlphaGlyph(face, strip, -1, 4, {0, 0}, 0);
    ReflectAlphaGlyph(face, strip, -2, 3, {0, 0}, 0);
    for (int y = 0; y < face.Height(); ++y)
        for (int x = 0; x < face.Width(); ++x)
            ASSERT_EQ(face.At(x, y), 0xFF000000u) << x << "," << y;
}

TEST(KeyedByColorTest, KeyFromTheBottomLeftComparedOnColourBytesOnly) {
    // Key blue at the rectangle's bottom-left (1, 2), not the bitmap's; its alpha bytes vary.
    SkinBitmap src = testing::FromRows(3, 3,
                                       {0x00FF00FF, 0x00FF0000, 0x7F00FF00, //
                                        0x00000000, 0x120000FF, 0x00FF00FF, //
                                        0xFF00FF00, 0x000000FF, 0xFF0000FF});
    SkinBitmap dst = Filled(3, 3, 0x80777777);
    CopyKeyedByColor(dst, src, {1, 0, 3, 3}, {1, 0});
    EXPECT_EQ(dst.At(0, 0), 0x80777777u); // left of the rectangle
    EXPECT_EQ(dst.At(1, 0), 0xFFFF0000u); // copied opaque
    EXPECT_EQ(dst.At(2, 0), 0xFF00FF00u);
    EXPECT_EQ(dst.At(1, 1), 0x80777777u); // key colour, alpha $12
    EXPECT_EQ(dst.At(2, 1), 0xFFFF00FFu); // magenta is no key here
    EXPECT_EQ(dst.At(1, 2), 0x80777777u);
    EXPECT_EQ(dst.At(2, 2), 0x80777777u); // key colour, alpha $FF

    // Clipped on every side: the key stays the bottom-left of the source's rectangle.
    SkinBitmap small = Filled(2, 2, 0x11111111);
    CopyKeyedByColor(small, src, {-5, -5, 9, 9}, {-6, -5}); // bottom-left is (0, 2): green
    EXPECT_EQ(small.At(0, 0), 0xFFFF0000u) << Hex(small.At(0, 0));
    EXPECT_EQ(small.At(1, 0), 0x11111111u);
    EXPECT_EQ(small.At(0, 1), 0xFF0000FFu);
    EXPECT_EQ(small.At(1, 1), 0xFFFF00FFu);
    const SkinBitmap copied = small.Clone();
    CopyKeyedByColor(small, src, {3, 0, 5, 2}, {0, 0}); // nothing of the source
    CopyKeyedByColor(small, src, src.Bounds(), {2, 0}); // nothing of the destination
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(small.At(i % 2, i / 2), copied.At(i % 2, i / 2));

    // A keyed glyph whose alpha bytes are not alpha: every key pixel stays out.
    SkinBitmap strip = testing::FromRows(2, 2, {0x33FF00FF, 0x00FF0000, 0x00FF00FF, 0x99FF00FF});
    SkinBitmap face = Filled(2, 2, 0xFF808080);
    DrawKeyedGlyph(face, strip, 0, 2, {0, 0}, {});
    EXPECT_EQ(face.At(0, 0), 0xFF808080u);
    EXPECT_EQ(face.At(1, 0), 0xFFFF0000u);
    EXPECT_EQ(face.At(1, 1), 0xFF808080u);
}

} // namespace
} // namespace skin::render
