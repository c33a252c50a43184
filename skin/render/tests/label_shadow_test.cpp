#include "bitmap_test_util.h"
#include "core/error.h"
#include "skin/render/label_shadow.h"

#include <gtest/gtest.h>

namespace skin::render {
namespace {

using testing::Filled;
using testing::Hex;

// Inks one pixel at the rectangle's corner and remembers where it was asked to draw.
class DotText : public TextRenderer {
public:
    int TextWidth(const std::u16string&) override { return 1; }
    void DrawInk(GrayBitmap& mask, const std::u16string&, const Rect& r, unsigned) override {
        asked = r;
        if (r.Left >= 0 && r.Top >= 0 && r.Left < mask.Width() && r.Top < mask.Height())
            mask.At(r.Left, r.Top) = 0;
    }
    Rect asked{-1, -1, -1, -1};
};

TEST(LabelShadowTest, ShadowSpaceAndCaptionRectangle) {
    // The main window's label: distance 1, one pass.
    ShadowSpace space = ShadowSpaceFor(1, 1);
    EXPECT_EQ(space.TopLeft, 0);
    EXPECT_EQ(space.RightBottom, 2);
    EXPECT_EQ(CaptionInside({0, 0, 60, 16}, space), (Rect{0, 0, 58, 14}));
    // Distance 0, three passes: the caption 3 in from every side.
    space = ShadowSpaceFor(0, 3);
    EXPECT_EQ(space.TopLeft, -3);
    EXPECT_EQ(space.RightBottom, 3);
    EXPECT_EQ(CaptionInside({0, 0, 60, 16}, space), (Rect{3, 3, 57, 13}));
    // Smaller than the shadow space: empty, never inverted.
    EXPECT_TRUE(CaptionInside({0, 0, 4, 4}, space).IsEmpty());
    EXPECT_EQ(CaptionInside({0, 0, 4, 4}, space).Width(), 0);
}

TEST(LabelShadowTest, OneInkPixelOnePassGivesTheInPlaceGrid) {
    GrayBitmap ink(7, 7);
    ink.At(3, 3) = 0;
    ShadowGrid grid;
    grid.Reset(7, 7);
    grid.Soften(ink);
    EXPECT_EQ(grid.At(3, 2), 63); // above
    EXPECT_EQ(grid.At(2, 3), 63); // left
    EXPECT_EQ(grid.At(3, 3), 31); // the ink itself
    EXPECT_EQ(grid.At(4, 3), 11); // right
    EXPECT_EQ(grid.At(3, 4), 11); // below
    EXPECT_EQ(grid.At(4, 4), 5);  // below right
    EXPECT_EQ(grid.At(4, 2), 15);
    EXPECT_EQ(grid.At(5, 2), 3);
    EXPECT_EQ(grid.At(2, 4), 15);
    EXPECT_EQ(grid.At(2, 5), 3);
    EXPECT_EQ(grid.At(2, 2), 0); // above left
    EXPECT_EQ(grid.At(3, 1), 0);
    // Ink at the very edge reads the zero border and nothing outside.
    GrayBitmap corner(2, 2);
    corner.At(1, 1) = 0;
    grid.Reset(2, 2);
    grid.Soften(corner);
    grid.Soften(corner);
    EXPECT_GT(grid.At(1, 1), 0);
}

TEST(LabelShadowTest, BufferGrowsOnlyAndSizesAreChecked) {
    ShadowGrid grid;
    grid.Reset(10, 10);
    EXPECT_EQ(grid.Capacity(), 12u * 12u * 2u);
    grid.Reset(3, 3);
    EXPECT_EQ(grid.Capacity(), 12u * 12u * 2u);
    EXPECT_EQ(grid.At(2, 2), 0);
    EXPECT_THROW(grid.Reset(-1, 4), core::Error);
    EXPECT_THROW(grid.Reset(0x7FFFFFFF, 0x7FFFFFFF), core::Error);
    EXPECT_THROW(grid.Reset(70000, 70000), core::Error);
}

TEST(LabelShadowTest, MixingTransparentAndOpaque) {
    GrayBitmap ink(3, 1);
    ink.At(1, 0) = 0;
    ShadowGrid grid;
    grid.Reset(3, 1);
    grid.Soften(ink); // cells 0, 63 + ..., see below
    const int a = grid.At(1, 0);
    SkinBitmap canvas = Filled(3, 1, 0xFFFFFFFF);
    MixShadow(canvas, grid, 0x808080);
    const int expected = (255 * (255 - a) + 128 * a) >> 8;
    EXPECT_EQ(canvas.At(1, 0) & 0xFF, static_cast<Pixel>(expected)) << Hex(canvas.At(1, 0));
    EXPECT_EQ(canvas.At(1, 0) >> 24, 0xFFu);

    SkinBitmap opaque = Filled(3, 1, 0xFF000000);
    MixShadowOpaque(opaque, grid, 0x0000FF, 0xFF0000);
    const int red = (255 * a) >> 8;
    const int blue = ((255 - a) * 255) >> 8;
    EXPECT_EQ(opaque.At(1, 0) & 0x00FFFFFF, static_cast<Pixel>((red << 16) | blue))
        << Hex(opaque.At(1, 0));
}

TEST(LabelShadowTest, PaintingPlacesTheShadowAndSkipsItWhenOff) {
    DotText text;
    ShadowGrid grid;
    SkinBitmap canvas = Filled(20, 12, 0xFFFFFFFF);
    LabelShadow shadow;
    shadow.ShadowColor = 0x808080;
    shadow.Blur = 1;
    shadow.Distance = 1;
    const Rect caption = PaintLabelShadow(canvas, grid, text, u"Q", 0, shadow);
    EXPECT_EQ(caption, (Rect{0, 0, 18, 10}));
    EXPECT_EQ(text.asked, (Rect{1, 1, 19, 11})); // the mask one pixel right and down
    EXPECT_NE(canvas.At(1, 1), 0xFFFFFFFFu);
    // Above left of the ink is as clear as far away (the mix's shift takes 1 from 255).
    EXPECT_EQ(canvas.At(0, 0), canvas.At(10, 10));
    EXPECT_EQ(canvas.At(10, 10), 0xFFFEFEFEu);
    EXPECT_LT(canvas.At(1, 1) & 0xFF, canvas.At(2, 1) & 0xFF);

    for (const LabelShadow off : {LabelShadow{kNoColor, 1, 1}, LabelShadow{0x808080, 0, 1}}) {
        SkinBitmap clean = Filled(20, 12, 0xFFFFFFFF);
        text.asked = {-1, -1, -1, -1};
        PaintLabelShadow(clean, grid, text, u"Q", 0, off);
        EXPECT_EQ(text.asked.Left, -1);
        EXPECT_EQ(clean.At(1, 1), 0xFFFFFFFFu);
    }
    // A label smaller than its shadow space paints no text but does not fail.
    SkinBitmap tiny = Filled(2, 2, 0xFFFFFFFF);
    shadow.Distance = 0;
    shadow.Blur = 3;
    EXPECT_TRUE(PaintLabelShadow(tiny, grid, text, u"Q", 0, shadow).IsEmpty());
    SkinBitmap none;
    PaintLabelShadow(none, grid, text, u"Q", 0, shadow);
}

} // namespace
} // namespace skin::render
