#include "bitmap_test_util.h"
#include "skin/render/blends.h"
#include "skin/render/fills.h"

#include <cmath>
#include <gtest/gtest.h>

namespace skin::render {
namespace {

using testing::Filled;
using testing::Hex;

TEST(FillTest, FillRectOpaqueClipsAndForcesAlpha) {
    SkinBitmap b = Filled(4, 3, 0);
    FillRectOpaque(b, {-2, 1, 2, 9}, 0x00E8E8E8);
    EXPECT_EQ(b.At(0, 1), 0xFFE8E8E8u);
    EXPECT_EQ(b.At(1, 2), 0xFFE8E8E8u);
    EXPECT_EQ(b.At(2, 1), 0u);
    EXPECT_EQ(b.At(0, 0), 0u);
    // A one-row bitmap is filled as well, and colour order becomes pixel order.
    SkinBitmap line = Filled(3, 1, 0);
    FillRectOpaque(line, {1, 0, 5, 1}, 0x000000FF);
    EXPECT_EQ(line.At(2, 0), 0xFFFF0000u);
    EXPECT_EQ(line.At(0, 0), 0u);
}

TEST(FillTest, TintRectIncludesRightAndBottomAndRoundsToEven) {
    SkinBitmap b = Filled(4, 4, 0x40000000 | 0x010203);
    // Keep 50 %: red 1 toward 0 is 0.5, which rounds to even 0; blue 3 -> 1.5 -> 2.
    TintRect(b, {1, 1, 2, 2}, 50, 0);
    EXPECT_EQ(b.At(2, 2), 0x40000102u) << Hex(b.At(2, 2));
    EXPECT_EQ(b.At(1, 1), 0x40000102u);
    EXPECT_EQ(b.At(3, 3), 0x40010203u);
    EXPECT_EQ(b.At(0, 0), 0x40010203u);
    SkinBitmap same = Filled(2, 2, 0xFF123456);
    TintRect(same, {0, 0, 5, 5}, 100, 0xFFFFFF);
    EXPECT_EQ(same.At(1, 1), 0xFF123456u);
    TintRect(same, {-3, -3, 0, 0}, 0, 0x0000FF);
    EXPECT_EQ(same.At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(same.At(1, 0), 0xFF123456u);
}

TEST(FillTest, SetAlphaRectSkipsKeyPixelsOnRequest) {
    SkinBitmap b = testing::FromRows(2, 1, {kKeyPixel, 0xFFFF00FF});
    SetAlphaRect(b, {0, 0, 2, 1}, 0x80, true);
    EXPECT_EQ(b.At(0, 0), kKeyPixel);
    EXPECT_EQ(b.At(1, 0), 0x80FF00FFu);
    SetAlphaRect(b, {0, 0, 2, 1}, 0x10, false);
    EXPECT_EQ(b.At(0, 0), 0x10FF00FFu);
}

TEST(FillTest, TintBitmapMovesNonKeyPixelsTowardTheColour) {
    SkinBitmap b = testing::FromRows(3, 1, {0xFF646464, kKeyPixel, 0xFFFF00FF});
    TintBitmap(b, 0x000000, 0.25);
    EXPECT_EQ(b.At(0, 0), 0xFF191919u) << Hex(b.At(0, 0));
    EXPECT_EQ(b.At(1, 0), kKeyPixel);
    // round(0.25 x 255) = 64: a painted magenta is tinted.
    EXPECT_EQ(b.At(2, 0), 0xFF400040u) << Hex(b.At(2, 0));
}

TEST(FillTest, MultiplyByMaskShadesPerChannel) {
    SkinBitmap b = testing::FromRows(2, 1, {0x80FFFFFF, 0x80102030});
    const SkinBitmap mask = testing::FromRows(2, 1, {0x00FF8000, 0x00FFFFFF});
    MultiplyByMask(b, mask, 0x000000);
    // m = 0 paints the colour, m = 128 half, m = 255 keeps within one unit.
    EXPECT_EQ(b.At(0, 0), 0x80FE7F00u) << Hex(b.At(0, 0));
    EXPECT_EQ(b.At(1, 0), 0x800F1F2Fu) << Hex(b.At(1, 0));
    SkinBitmap other = Filled(3, 1, 0);
    MultiplyByMask(other, mask, 0xFFFFFF);
    EXPECT_EQ(other.At(0, 0), 0u);
}

TEST(FillTest, TintRectMatchesTheRealFormulaOverRandomPixels) {
    std::mt19937 rng(99);
    for (int round = 0; round < 200; ++round) {
        SkinBitmap b = testing::Random(3, 3, rng);
        const SkinBitmap before = b.Clone();
        const int p = static_cast<int>(rng() % 101);
        const Color c = rng() & 0xFFFFFF;
        TintRect(b, {0, 0, 2, 2}, p, c);
        const double f = p / 100.0;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) {
                const Pixel old = before.At(x, y);
                const Pixel cp = ColorToPixel(c);
                Pixel want = old & 0xFF000000u;
                for (int i = 0; i < 3; ++i)
                    want |= static_cast<Pixel>(std::nearbyint(f * testing::Byte(old, i) +
                                                              (1 - f) * testing::Byte(cp, i)))
                            << (8 * i);
                ASSERT_EQ(b.At(x, y), want) << "p " << p;
            }
    }
}

} // namespace
} // namespace skin::render

namespace skin::render {
namespace {

// MultiplyByMask and BlendRectFrom by their formulas in real arithmetic, over random pixels.
TEST(FillTest, MaskShadingAndFractionBlendMatchTheirFormulas) {
    std::mt19937 rng(31);
    for (int round = 0; round < 100; ++round) {
        SkinBitmap b = testing::Random(4, 3, rng);
        const SkinBitmap mask = testing::Random(4, 3, rng);
        const SkinBitmap before = b.Clone();
        const Color c = rng() & 0xFFFFFF;
        MultiplyByMask(b, mask, c);
        SkinBitmap blended = before.Clone();
        const double keep = (rng() % 101) / 100.0;
        BlendRectFrom(blended, 0, 0, kKeyColor, keep, {0, 0, 3, 2}, mask);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                for (int i = 0; i < 3; ++i) {
                    const double v = testing::Byte(before.At(x, y), i);
                    const double m = testing::Byte(mask.At(x, y), i);
                    const double cc = testing::Byte(ColorToPixel(c), i);
                    ASSERT_EQ(testing::Byte(b.At(x, y), i),
                              static_cast<int>(std::floor((cc * 256 + (v - cc) * m) / 256)));
                    ASSERT_EQ(testing::Byte(blended.At(x, y), i),
                              static_cast<int>(std::nearbyint(m - (m - v) * keep)));
                }
    }
}

} // namespace
} // namespace skin::render
