#include "bitmap_test_util.h"
#include "skin/data/gradient.h"
#include "skin/render/gradient.h"
#include "skin/render/triangle_gradient.h"

#include <gtest/gtest.h>

namespace skin::render {
namespace {

using testing::Filled;
using testing::Hex;

Pixel Grey(int v) {
    return 0xFF000000u | static_cast<Pixel>(v) * 0x010101u;
}

// The internal skin's BUTTON face: white to D0 over 52 %, D0 to C0 over 3 %, C0 to DC over
// 42 %, solid DC for the rest.
const char16_t* kButton = u"16777215;13684944;52;0;0;13684944;12632256;3;0;0;"
                          u"12632256;14474460;42;0;0;14474460;14474460;0;0;0";

TEST(GradientTest, ButtonFaceSegmentsShareTheirBoundaryRows) {
    SkinBitmap face = Filled(3, 34, 0);
    PaintGradient(face, {0, 0, 3, 34}, data::ParseGradient(kButton));
    EXPECT_EQ(face.At(0, 0), Grey(0xFF));
    // 255 + 8 x (208 - 255) / 17 = 232.88
    EXPECT_EQ(face.At(1, 8), Grey(233));
    EXPECT_EQ(face.At(2, 17), Grey(0xD0)) << "the later segment overwrites the shared row";
    EXPECT_EQ(face.At(0, 18), Grey(0xC0));
    EXPECT_EQ(face.At(0, 25), Grey(0xCE));
    EXPECT_EQ(face.At(0, 32), Grey(0xDC));
    EXPECT_EQ(face.At(0, 33), Grey(0xDC));
}

TEST(GradientTest, EmptySegmentsAreSkippedAndTheLastReachesTheEdge) {
    // 3 % of 20 rows is no row: the segment is skipped; the last one (percent 10) still ends on
    // the bottom row, and a percent above 100 was read as 100.
    SkinBitmap b = Filled(1, 20, 0);
    PaintGradient(b, {0, 0, 1, 20},
                  data::ParseGradient(u"0;0;50;0;0;255;255;3;0;0;16777215;0;10;0;0"));
    EXPECT_EQ(b.At(0, 9), Grey(0));
    EXPECT_EQ(b.At(0, 10), Grey(255)) << "row 10 starts the white-to-black segment";
    EXPECT_EQ(b.At(0, 19), Grey(0));
    SkinBitmap big = Filled(1, 10, 0);
    PaintGradient(big, {0, 0, 1, 10}, data::ParseGradient(u"0;16777215;250;0;0"));
    EXPECT_EQ(big.At(0, 9), Grey(255));
}

TEST(GradientTest, HorizontalRowsAreIdenticalAndClipped) {
    SkinBitmap b = Filled(12, 6, 0x11);
    PaintGradient(b, {-2, 1, 10, 9}, data::ParseGradient(u"255;16711680;100;1;0"));
    // Clipped to columns 0 .. 9: red at column 0, blue at column 9.
    EXPECT_EQ(b.At(0, 1), 0xFFFF0000u);
    EXPECT_EQ(b.At(9, 1), 0xFF0000FFu);
    for (int y = 2; y < 6; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(b.At(x, y), b.At(x, 1));
    EXPECT_EQ(b.At(10, 3), 0x11u);
    EXPECT_EQ(b.At(0, 0), 0x11u);
}

TEST(GradientTest, UnknownDirectionOrNoSegmentPaintsNothing) {
    SkinBitmap b = Filled(4, 4, 0x22);
    EXPECT_FALSE(PaintGradient(b, {0, 0, 4, 4}, data::ParseGradient(u"255;255;100;3;0")));
    EXPECT_FALSE(PaintGradient(b, {0, 0, 4, 4}, data::ParseGradient(u"N/A")));
    // One column of a horizontal gradient, one row of a vertical one: no run to colour.
    EXPECT_FALSE(PaintGradient(b, {1, 0, 2, 4}, data::ParseGradient(u"255;65280;100;1;0")));
    EXPECT_FALSE(PaintGradient(b, {0, 2, 4, 3}, data::ParseGradient(u"255;65280;100;0;0")));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(b.At(x, y), 0x22u) << x << "," << y;
}

TEST(GradientTest, TrianglesCoverTheRectangleWithTheirCornerColours) {
    // A white top-left corner, black elsewhere: every pixel is painted.
    SkinBitmap b = Filled(41, 21, 0);
    PaintGradient(b, {0, 0, 41, 21}, data::ParseGradient(u"16777215;0;0;2;0;0;0;0;0;0"));
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 41; ++x)
            ASSERT_EQ(b.At(x, y) >> 24, 255u) << x << "," << y;
    // Point 1 (the centre) took segment 1's colour; the others repeat it when missing.
    EXPECT_LT(b.At(20, 10) & 0xFF, 8u);
    EXPECT_GT(b.At(0, 0) & 0xFF, 240u);
    EXPECT_LT(b.At(40, 20) & 0xFF, 8u);
}

TEST(GradientTest, TriangleInterpolationIsLinear) {
    SkinBitmap b = Filled(100, 100, 0);
    const GradientVertex v[] = {
        {0, 0, 0, 0, 0, 0xFF00}, {100, 0, 0xFF00, 0, 0, 0xFF00}, {0, 100, 0, 0xFF00, 0, 0xFF00}};
    const GradientTriangle t[] = {{0, 1, 2}};
    FillGradientTrianglesPortable(b, v, t);
    // Red grows with x, green with y, taken at the pixel's coordinates and truncated:
    // 50 / 100 x $FF00 >> 8 = $7F, 10 / 100 x $FF00 >> 8 = $19.
    EXPECT_EQ(b.At(50, 10), 0xFF7F1900u) << Hex(b.At(50, 10));
    EXPECT_EQ(b.At(99, 99), 0u) << "outside the triangle";
}

TEST(GradientTextureTest, VerticalMixUsesTheTextureWeight) {
    // Img 15 + Grad 85: weight 15 x 255 div 100 = 38 of 256.
    const SkinBitmap texture = Filled(2, 2, 0xFF000000);
    SkinBitmap b = Filled(3, 3, 0);
    PaintGradientTexture(b, {0, 0, 3, 3}, data::ParseGradient(u"16777215;16777215;100;0;0"), 38, {},
                         texture);
    // (38 x (0 - 255) + 255 x 256) >> 8 = 217.
    EXPECT_EQ(b.At(2, 2), Grey(217));
}

TEST(GradientTextureTest, HorizontalBandIsCopiedDownInBlocks) {
    // A 17-row texture in a 40-row rectangle: rows 17 .. 33 and 34 .. 39 repeat rows 0 .. 16.
    SkinBitmap texture(3, 17);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 3; ++x)
            texture.At(x, y) = 0xFF000000u | static_cast<Pixel>(y * 10 + x);
    SkinBitmap b = Filled(5, 40, 0);
    PaintGradientTexture(b, {0, 0, 5, 40}, data::ParseGradient(u"0;16777215;100;1;0"), 128, {},
                         texture);
    for (int y = 17; y < 40; ++y)
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(b.At(x, y), b.At(x, (y - 17) % 17)) << y;
    EXPECT_NE(b.At(0, 1), b.At(0, 0));
    // A one-row texture repeats the single mixed row.
    SkinBitmap line = Filled(4, 6, 0);
    PaintGradientTexture(line, {0, 0, 4, 6}, data::ParseGradient(u"0;255;100;1;0"), 100, {},
                         Filled(2, 1, 0xFFFFFFFF));
    for (int y = 1; y < 6; ++y)
        EXPECT_EQ(line.At(3, y), line.At(3, 0));
}

} // namespace
} // namespace skin::render
