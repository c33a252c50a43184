#include "bitmap_test_util.h"
#include "skin/render/blends.h"
#include "skin/render/fast32.h"

#include <cmath>
#include <gtest/gtest.h>

namespace skin::render {
namespace {

using testing::Byte;
using testing::Filled;
using testing::FirstDifference;
using testing::Hex;

Pixel Weighted(Pixel d, Pixel s, int alpha) {
    Pixel out = 0;
    for (int i = 0; i < 4; ++i)
        out |= static_cast<Pixel>(
                   std::floor((Byte(d, i) * alpha + Byte(s, i) * (255.0 - alpha) + 127) / 256))
               << (8 * i);
    return out;
}

// BlendPart by its meaning: every destination pixel whose source pixel, at the same offset
// from the point as from the rectangle's origin, lies inside the rectangle and the source.
SkinBitmap ReferenceBlendPart(const SkinBitmap& dst, const SkinBitmap& src, int alpha, Point p,
                              const Rect& s) {
    SkinBitmap out = dst.Clone();
    if (src.Width() < 2 || src.Height() < 2 || dst.Width() < 2 || dst.Height() < 2)
        return out;
    const Rect usable = Intersect(s, src.Bounds());
    for (int y = 0; y < dst.Height(); ++y)
        for (int x = 0; x < dst.Width(); ++x) {
            const int sx = x - p.X + s.Left, sy = y - p.Y + s.Top;
            if (sx >= usable.Left && sx < usable.Right && sy >= usable.Top && sy < usable.Bottom)
                out.At(x, y) = Weighted(dst.At(x, y), src.At(sx, sy), alpha);
        }
    return out;
}

TEST(BlendTest, ButtonFaceOverGradientKeepsHalfOfTheBackground) {
    // A 50 % transparent button blends its fill in with alpha 127:
    // (background x 127 + fill x 128 + 127) >> 8.
    SkinBitmap background = Filled(4, 3, 0xFF204060);
    background.At(1, 1) = 0xFFFFFFFF;
    const SkinBitmap fill = Filled(4, 3, 0xFFDCDCDC);
    BlendPart(background, fill, 127, {0, 0}, {0, 0, 4, 3});
    // Colour bytes exact; both pixels are opaque, so the blend is too.
    EXPECT_EQ(background.At(0, 0), 0xFF7E8E9Eu) << Hex(background.At(0, 0));
    // 255 x 127 + 220 x 128 + 127 = 60672 -> 237.
    EXPECT_EQ(background.At(1, 1), 0xFFEDEDEDu) << Hex(background.At(1, 1));
}

TEST(BlendTest, HotButtonKeepsNinetyPercentOfItsFill) {
    // Hot transparency 10 %: alpha 10 x 255 div 100 = 25 is the background's weight.
    SkinBitmap background = Filled(2, 2, 0xFF000000);
    const SkinBitmap fill = Filled(2, 2, 0xFFC8C8C8);
    BlendPart(background, fill, 25, {0, 0}, {0, 0, 2, 2});
    // 0 x 25 + 200 x 230 + 127 = 46127 -> 180; alpha 255, not the weights' 254.
    EXPECT_EQ(background.At(1, 1), 0xFFB4B4B4u) << Hex(background.At(1, 1));
}

TEST(BlendTest, BlendWholeNeedsEqualSizesAndTwoByTwo) {
    SkinBitmap d = Filled(3, 3, 0xFF000000);
    const SkinBitmap bigger = Filled(4, 3, 0xFFFFFFFF);
    BlendWhole(d, bigger, 0);
    EXPECT_EQ(d.At(0, 0), 0xFF000000u);
    SkinBitmap line = Filled(3, 1, 0);
    const SkinBitmap line_src = Filled(3, 1, 0xFFFFFFFF);
    BlendWhole(line, line_src, 0);
    EXPECT_EQ(line.At(1, 0), 0u);
    const SkinBitmap same = Filled(3, 3, 0xFFFFFFFF);
    BlendWhole(d, same, 0);
    EXPECT_EQ(d.At(2, 2), 0xFFFEFEFEu);
}

TEST(BlendTest, BlendPartWithNegativePointShiftsTheSource) {
    SkinBitmap src(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            src.At(x, y) = 0xFF000000u | static_cast<Pixel>(y * 16 + x);
    SkinBitmap dst = Filled(4, 4, 0);
    BlendPart(dst, src, 0, {-1, -2}, {0, 0, 4, 4});
    // Destination (0, 0) shows source (1, 2); the two rows and one column beyond stay.
    EXPECT_EQ(dst.At(0, 0), Weighted(0, src.At(1, 2), 0));
    EXPECT_EQ(dst.At(2, 1), Weighted(0, src.At(3, 3), 0));
    EXPECT_EQ(dst.At(3, 0), 0u);
    EXPECT_EQ(dst.At(0, 2), 0u);
}

TEST(BlendTest, BlendPartAgreesWithThePerPixelMeaningOverRandomClips) {
    std::mt19937 rng(7);
    for (int round = 0; round < 1500; ++round) {
        const SkinBitmap src = testing::Random(1 + rng() % 9, 1 + rng() % 9, rng);
        const SkinBitmap dst = testing::Random(1 + rng() % 9, 1 + rng() % 9, rng);
        const auto coord = [&] { return static_cast<int>(rng() % 15) - 5; };
        const Point p{coord(), coord()};
        Rect s{coord(), coord(), 0, 0};
        s.Right = s.Left + static_cast<int>(rng() % 12) - 1;
        s.Bottom = s.Top + static_cast<int>(rng() % 12) - 1;
        const int alpha = static_cast<int>(rng() % 256);
        SkinBitmap got = dst.Clone();
        BlendPart(got, src, static_cast<std::uint8_t>(alpha), p, s);
        const SkinBitmap want = ReferenceBlendPart(dst, src, alpha, p, s);
        ASSERT_EQ(FirstDifference(got, want), "")
            << "round " << round << " point " << p.X << "," << p.Y << " rect " << s.Left << ","
            << s.Top << "," << s.Right << "," << s.Bottom;
    }
}

TEST(BlendTest, BlendingABitmapIntoItselfVisitsRowsBottomUp) {
    // Rows go bottom-up, so a rectangle moved down by one row reads unblended rows.
    SkinBitmap b(2, 3);
    for (int y = 0; y < 3; ++y)
        b.At(0, y) = b.At(1, y) = static_cast<Pixel>(y * 100);
    BlendPart(b, b, 0, {0, 1}, {0, 0, 2, 2});
    EXPECT_EQ(b.At(0, 2), static_cast<Pixel>((100 * 255 + 127) >> 8));
    EXPECT_EQ(b.At(0, 1), 0u);
}

TEST(BlendTest, BlendRectFromKeepsTheFractionAndSkipsKeyPixels) {
    SkinBitmap src = testing::FromRows(2, 2, {0xFFC80000, kKeyPixel, 0xFF00FF00, 0xFFFF00FF});
    SkinBitmap dst = Filled(3, 3, 0x80000064);
    // Right and Bottom are inclusive: the whole 2 x 2 source.
    BlendRectFrom(dst, 1, 1, kKeyColor, 0.4, {0, 0, 1, 1}, src);
    // round(200 - (200 - 0) x 0.4) = 120; blue round(0 - (0 - 100) x 0.4) = 40; alpha kept.
    EXPECT_EQ(dst.At(1, 1), 0x80780028u) << Hex(dst.At(1, 1));
    EXPECT_EQ(dst.At(2, 1), 0x80000064u);
    // A painted magenta pixel (alpha 255) is not the key.
    EXPECT_EQ(dst.At(2, 2), 0x809900C1u) << Hex(dst.At(2, 2));
    EXPECT_EQ(dst.At(0, 0), 0x80000064u);
}

TEST(CompositeTest, OpaqueAndClearPixels) {
    SkinBitmap dst = Filled(3, 1, 0x00000000);
    const SkinBitmap src = testing::FromRows(3, 1, {0xFFFFFFFF, 0x00FFFFFF, 0x80FF0000});
    CopyAlphaComposite({0, 0, 3, 1}, {0, 0, 3, 1}, dst, false, EmptyCacheInfo, src);
    // (255 x 255 + 0) >> 8 = 254: an opaque source loses a unit over black.
    EXPECT_EQ(dst.At(0, 0), 0xFFFEFEFEu) << Hex(dst.At(0, 0));
    EXPECT_EQ(dst.At(1, 0), 0u);
    // Half alpha: red 255 x 128 >> 8 = 127; alpha 0 + 128 x 255 div 255 = 128.
    EXPECT_EQ(dst.At(2, 0), 0x807F0000u) << Hex(dst.At(2, 0));
}

TEST(CompositeTest, HolesTakeTheBackgroundOnlyWhenFillingAndInside) {
    SkinBitmap background = Filled(4, 4, 0x00123456);
    const SkinBitmap src = Filled(3, 3, kKeyPixel);
    TCacheInfo ci{&background, 2, 2, kKeyColor, true};
    SkinBitmap dst = Filled(3, 3, 0xFF000000);
    CopyAlphaComposite({0, 0, 3, 3}, {0, 0, 3, 3}, dst, true, ci, src);
    EXPECT_EQ(dst.At(0, 0), 0xFF123456u);
    EXPECT_EQ(dst.At(1, 1), 0xFF123456u);
    // (2 + 2, ...) lies beyond the 4 x 4 background: left alone.
    EXPECT_EQ(dst.At(2, 2), 0xFF000000u);
    SkinBitmap untouched = Filled(3, 3, 0xFF000000);
    CopyAlphaComposite({0, 0, 3, 3}, {0, 0, 3, 3}, untouched, false, ci, src);
    EXPECT_EQ(untouched.At(0, 0), 0xFF000000u);
}

TEST(CompositeTest, RectanglesAreIntersectedAndNegativeOriginsShift) {
    std::mt19937 rng(3);
    const SkinBitmap src = testing::Random(5, 5, rng);
    SkinBitmap dst = Filled(4, 4, 0xFF000000);
    CopyAlphaComposite({-1, 0, 3, 2}, {0, 1, 5, 5}, dst, false, EmptyCacheInfo, src);
    // Destination column 0 shows source column 1; only two rows (the destination's height).
    SkinBitmap one = Filled(1, 1, 0xFF000000);
    const SkinBitmap pixel = testing::FromRows(1, 1, {src.At(1, 1)});
    CopyAlphaComposite({0, 0, 1, 1}, {0, 0, 1, 1}, one, false, EmptyCacheInfo, pixel);
    EXPECT_EQ(dst.At(0, 0), one.At(0, 0));
    EXPECT_EQ(dst.At(0, 2), 0xFF000000u);
    EXPECT_EQ(dst.At(3, 0), 0xFF000000u);
}

TEST(Fast32Test, AttachRefusesSingleRowsAndFillsForceAlpha) {
    SkinBitmap line(5, 1);
    TacFast32 fast;
    EXPECT_FALSE(fast.Attach(line));
    EXPECT_EQ(fast.FWidth, 0);
    SkinBitmap b = Filled(3, 2, 0);
    ASSERT_TRUE(fast.Attach(b));
    EXPECT_EQ(fast.FDelta, 12);
    fast.FillRect({1, -4, 9, 1}, 0x00112233);
    EXPECT_EQ(b.At(1, 0), 0xFF332211u);
    EXPECT_EQ(b.At(0, 0), 0u);
    EXPECT_EQ(b.At(1, 1), 0u);
    fast.WritePixel(0, 1, 0x80112233);
    EXPECT_EQ(b.At(0, 1), 0x80332211u);
    EXPECT_EQ(fast.ReadPixel(0, 1), 0x80112233u);
}

} // namespace
} // namespace skin::render
