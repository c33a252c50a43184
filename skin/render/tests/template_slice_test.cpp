#include "bitmap_test_util.h"
#include "skin/render/template_slice.h"

#include <gtest/gtest.h>

namespace skin::render {
namespace {

using testing::Filled;

constexpr Pixel kUntouched = 0x12345678;

// Every pixel names its own place: x in bits 12..23, y in bits 0..11, alpha varying too, so a
// blend would show.
Pixel Code(int x, int y) {
    return (static_cast<Pixel>(x * 7 % 256) << 24) | (static_cast<Pixel>(x) << 12) |
           static_cast<Pixel>(y);
}
SkinBitmap CodedTemplate(int w, int h) {
    SkinBitmap t(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            t.At(x, y) = Code(x, y);
    return t;
}
int SourceX(Pixel p) {
    return static_cast<int>((p >> 12) & 0xFFF);
}
int SourceY(Pixel p) {
    return static_cast<int>(p & 0xFFF);
}

// The internal skin's template and corners around a form of client 400 x 300.
TemplateSlice InternalSlice(int height) {
    TemplateSlice s;
    s.KL = 88;
    s.KR = 88;
    s.KT = std::min(77, (height - 27) / 2 + 27);
    s.KB = std::min(58, (height - 27) / 2);
    s.ML = 54;
    s.MT = 77;
    s.MR = 54;
    s.MB = 54;
    s.Stretch = true;
    return s;
}

TEST(TemplateSliceTest, InternalSkinCornersAndEdges) {
    const SkinBitmap tpl = CodedTemplate(212, 148);
    const int W = 508, H = 431;
    SkinBitmap dst = Filled(W, H, kUntouched);
    PaintTemplateSlice(dst, tpl, InternalSlice(H));
    // Corners are plain copies of all four channels.
    EXPECT_EQ(dst.At(0, 0), Code(0, 0));
    EXPECT_EQ(dst.At(87, 76), Code(87, 76));
    EXPECT_EQ(dst.At(W - 1, 0), Code(211, 0));
    EXPECT_EQ(dst.At(W - 88, 10), Code(124, 10));
    EXPECT_EQ(dst.At(0, H - 1), Code(0, 147));
    EXPECT_EQ(dst.At(87, H - 54), Code(87, 94));
    // KB 58 is above the margin 54: the extra rows of the corner come only dl = 54 wide.
    EXPECT_EQ(dst.At(53, H - 58), Code(53, 90));
    EXPECT_EQ(dst.At(W - 54, H - 58), Code(158, 90));
    // Left edge: the strip (0, 77)-(54, 90) stretched from y 77 to H - 58.
    EXPECT_EQ(SourceX(dst.At(10, 200)), 10);
    EXPECT_GE(SourceY(dst.At(10, 200)), 77);
    EXPECT_LT(SourceY(dst.At(10, 200)), 90);
    // Top edge: the strip (88, 0)-(124, 77).
    EXPECT_EQ(SourceY(dst.At(250, 40)), 40);
    EXPECT_GE(SourceX(dst.At(250, 40)), 88);
    EXPECT_LT(SourceX(dst.At(250, 40)), 124);
    // Bottom edge, 54 high, from the template's last 54 rows.
    EXPECT_EQ(SourceY(dst.At(250, H - 54)), 94);
    // The client hole is never written; every other pixel is.
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const bool hole = x >= 54 && x < W - 54 && y >= 77 && y < H - 54;
            EXPECT_EQ(dst.At(x, y) == kUntouched, hole) << x << "," << y;
            if (::testing::Test::HasFailure())
                return;
        }
}

TEST(TemplateSliceTest, TiledEdgesRepeatTheStripAndCutTheLastTile) {
    const SkinBitmap tpl = CodedTemplate(9, 9);
    TemplateSlice s{3, 3, 3, 3, 3, 3, 3, 3, false};
    SkinBitmap dst = Filled(20, 10, kUntouched);
    PaintTemplateSlice(dst, tpl, s);
    // Top edge: columns 3..5 of the template repeat from x 3 to 17.
    for (int x = 3; x < 17; ++x)
        EXPECT_EQ(SourceX(dst.At(x, 1)), 3 + (x - 3) % 3) << x;
    // Left edge: rows 3..5 from y 3 to 7, the second tile cut.
    for (int y = 3; y < 7; ++y)
        EXPECT_EQ(SourceY(dst.At(1, y)), 3 + (y - 3) % 3) << y;
    EXPECT_EQ(dst.At(10, 5), kUntouched);
}

TEST(TemplateSliceTest, SmallTemplatesAndBitmapsAreClipped) {
    // A template smaller than its corners, and a bitmap smaller than the template: nothing is
    // read or written outside (the sanitizers watch), and the centre stays.
    const SkinBitmap tpl = CodedTemplate(5, 4);
    SkinBitmap dst = Filled(30, 30, kUntouched);
    PaintTemplateSlice(dst, tpl, {8, 8, 8, 8, 10, 10, 10, 10, true});
    EXPECT_EQ(dst.At(0, 0), Code(0, 0));
    EXPECT_EQ(dst.At(15, 15), kUntouched);
    SkinBitmap tiny = Filled(3, 3, kUntouched);
    PaintTemplateSlice(tiny, CodedTemplate(212, 148), InternalSlice(3));
    SkinBitmap empty;
    PaintTemplateSlice(empty, tpl, {});
    PaintTemplateSlice(dst, SkinBitmap(), {1, 1, 1, 1, 1, 1, 1, 1, true});
}

} // namespace
} // namespace skin::render
