#include "bitmap_test_util.h"
#include "skin/render/layered_pixels.h"

#include <gtest/gtest.h>

namespace skin::render {
namespace {

using testing::Filled;
using testing::FromRows;

TEST(LayeredPixelsTest, PremultiplyRoundsAndKeepsOpaqueAndBlack) {
    const SkinBitmap src =
        FromRows(6, 1, {0xFFABCDEF, 0x80000000, 0x80FFFFFF, 0x01FFFFFF, 0x00FFFFFF, 0x7F804020});
    SkinBitmap dst(6, 1);
    PremultiplyForLayered(dst, src);
    EXPECT_EQ(dst.At(0, 0), 0xFFABCDEFu) << "opaque pixels unchanged";
    EXPECT_EQ(dst.At(1, 0), 0x80000000u) << "black shadow unchanged";
    EXPECT_EQ(dst.At(2, 0), 0x80808080u) << "255 x 128 / 255 = 128, never above the alpha";
    EXPECT_EQ(dst.At(3, 0), 0x01010101u);
    EXPECT_EQ(dst.At(4, 0), 0u);
    // 0x80 x 127 / 255 = 63.75 -> 64; 0x40 -> 31.87 -> 32; 0x20 -> 15.9 -> 16
    EXPECT_EQ(dst.At(5, 0), 0x7F402010u);
}

TEST(LayeredPixelsTest, PremultipliedChannelsNeverExceedAlpha) {
    std::mt19937 rng(7);
    const SkinBitmap src = testing::Random(64, 64, rng);
    SkinBitmap dst(64, 64);
    PremultiplyForLayered(dst, src, {10, 10, 20, 30});
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const Pixel p = dst.At(x, y);
            const Pixel a = p >> 24;
            ASSERT_LE((p >> 16) & 0xFF, a);
            ASSERT_LE((p >> 8) & 0xFF, a);
            ASSERT_LE(p & 0xFF, a);
            const bool hole = x >= 10 && x < 20 && y >= 10 && y < 30;
            if (hole)
                ASSERT_EQ(p, 0u);
            else
                ASSERT_EQ(a, src.At(x, y) >> 24);
        }
}

TEST(LayeredPixelsTest, PremultiplyRoundsLikeTheDivisionForEveryChannelAndAlpha) {
    SkinBitmap src(256, 256), dst(256, 256);
    for (int a = 0; a < 256; ++a)
        for (int c = 0; c < 256; ++c)
            src.At(c, a) = static_cast<Pixel>(a) << 24 | static_cast<Pixel>(c) * 0x010101u;
    PremultiplyForLayered(dst, src);
    for (int a = 1; a < 256; ++a)
        for (int c = 0; c < 256; ++c)
            ASSERT_EQ(dst.At(c, a) & 0xFF, static_cast<Pixel>((c * a + 127) / 255))
                << c << " " << a;
}

TEST(LayeredPixelsTest, TransparentWhiteBecomesZero) {
    SkinBitmap b = FromRows(3, 1, {0x00FFFFFF, 0x01FFFFFF, 0x00FFFFFE});
    ClearTransparentWhite(b);
    EXPECT_EQ(b.At(0, 0), 0u);
    EXPECT_EQ(b.At(1, 0), 0x01FFFFFFu);
    EXPECT_EQ(b.At(2, 0), 0x00FFFFFEu);
}

TEST(LayeredPixelsTest, DrawnPixelsBecomeOpaqueAndTheRestKeepsItsAlpha) {
    SkinBitmap dst = Filled(4, 4, 0x80102030);
    const SkinBitmap before = Filled(2, 2, 0x80102030);
    // GDI drew two pixels, leaving alpha 0 on one and the old alpha on the other, and cleared
    // the alpha of an unchanged one.
    dst.At(1, 1) = 0x00FF0000;
    dst.At(2, 1) = 0x8000FF00;
    dst.At(1, 2) = 0x00102030;
    RepairDrawnAlpha(dst, {1, 1, 3, 3}, before);
    EXPECT_EQ(dst.At(1, 1), 0xFFFF0000u);
    EXPECT_EQ(dst.At(2, 1), 0xFF00FF00u);
    EXPECT_EQ(dst.At(1, 2), 0x80102030u);
    EXPECT_EQ(dst.At(0, 0), 0x80102030u) << "outside the rectangle";
    RepairDrawnAlpha(dst, {3, 3, 9, 9}, before); // reaching outside: clipped
}

TEST(LayeredPixelsTest, TitleAlphaRepair) {
    SkinBitmap b = FromRows(4, 1, {0x80FF0000, 0x80808080, 0xFF00FF00, 0x00102030});
    RepairTitleAlpha(b);
    // Pure red at 128: M = 255, alpha + 2 x 127 x 1 = 382 -> 255; red 255 - 15 = 240.
    EXPECT_EQ(b.At(0, 0), 0xFFF00000u);
    EXPECT_EQ(b.At(1, 0), 0x80808080u) << "grey is left alone";
    EXPECT_EQ(b.At(2, 0), 0xFF00FF00u) << "opaque is left alone";
    // M = 32: alpha 0 + 510 x sqrt(32 / 255) = 180.66 -> 181; channels lose a sixteenth.
    EXPECT_EQ(b.At(3, 0), 0xB50F1E2Du);
}

} // namespace
} // namespace skin::render
