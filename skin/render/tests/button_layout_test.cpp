#include "skin/render/button_layout.h"

#include <gtest/gtest.h>

namespace skin::render {
namespace {

SpeedButtonContent LoadTemplateButton() {
    // 129 x 24 with a 16 x 16 glyph and a caption 80 x 13, spacing 4, margin -1.
    SpeedButtonContent c;
    c.Width = 129;
    c.Height = 24;
    c.GlyphWidth = 16;
    c.GlyphHeight = 16;
    c.TextWidth = 80;
    c.TextHeight = 13;
    c.HasCaption = true;
    return c;
}

TEST(ButtonLayoutTest, GlyphLeftInAllThreeAlignments) {
    struct Row {
        TAlignment alignment;
        int margin;
        Point glyph;
        Rect caption;
    };
    // F = (129 - 16 - 4 - 80) div 2 = 14; the caption is widened 1 left and 2 right.
    const Row rows[] = {
        {TAlignment::taCenter, -1, {14, 4}, {14 + 20 - 1, 5, 129 - 14 + 2, 19}},
        {TAlignment::taCenter, 7, {14, 4}, {33, 5, 117, 19}}, // margin has no effect
        {TAlignment::taLeftJustify, -1, {0, 4}, {-1 + 20 - 1, 5, 129 - 28 + 0 + 2, 19}},
        {TAlignment::taLeftJustify, 2, {5, 4}, {2 + 20 - 1, 5, 129 - 28 + 5 + 2, 19}},
        {TAlignment::taRightJustify, -1, {28, 4}, {28 + 20 - 1, 5, 129 + 2, 19}},
        {TAlignment::taRightJustify, 2, {23, 4}, {23 + 20 - 1, 5, 129 - 5 + 2, 19}},
    };
    for (const Row& row : rows) {
        SpeedButtonContent c = LoadTemplateButton();
        c.Alignment = row.alignment;
        c.Margin = row.margin;
        const ButtonPlacement p = PlaceSpeedButtonContent(c);
        EXPECT_EQ(p.Glyph, row.glyph) << static_cast<int>(row.alignment) << " " << row.margin;
        EXPECT_EQ(p.Caption, row.caption) << static_cast<int>(row.alignment) << " " << row.margin;
    }
}

TEST(ButtonLayoutTest, PressedReflectedOffsetAndNoCaption) {
    SpeedButtonContent c = LoadTemplateButton();
    const ButtonPlacement normal = PlaceSpeedButtonContent(c);
    c.Pressed = true;
    const ButtonPlacement pressed = PlaceSpeedButtonContent(c);
    EXPECT_EQ(pressed.Glyph, (Point{normal.Glyph.X + 1, normal.Glyph.Y + 1}));
    EXPECT_EQ(pressed.Caption, Offset(normal.Caption, 1, 1));

    c.Pressed = false;
    c.Reflected = true;
    c.TextOffset = 3;
    const ButtonPlacement reflected = PlaceSpeedButtonContent(c);
    EXPECT_EQ(reflected.Glyph.Y, normal.Glyph.Y - 16 / 6);
    EXPECT_EQ(reflected.Caption, Offset(normal.Caption, 3, 0));

    // Without a caption the spacing drops out of the centring but still separates the caption.
    c = LoadTemplateButton();
    c.HasCaption = false;
    c.TextWidth = 0;
    const ButtonPlacement glyph_only = PlaceSpeedButtonContent(c);
    EXPECT_EQ(glyph_only.Glyph.X, (129 - 16) / 2);
}

TEST(ButtonLayoutTest, NarrowButtonsGetNegativeOffsetsRoundedTowardZero) {
    SpeedButtonContent c = LoadTemplateButton();
    c.Width = 40; // F = (40 - 100) div 2 = -30
    ButtonPlacement p = PlaceSpeedButtonContent(c);
    EXPECT_EQ(p.Glyph.X, -30);
    EXPECT_EQ(p.Caption.Left, -30 + 20 - 1);
    EXPECT_EQ(p.Caption.Right, 40 + 30 + 2);
    c.Width = 39; // (39 - 100) div 2 = -30 toward zero, not -31
    p = PlaceSpeedButtonContent(c);
    EXPECT_EQ(p.Glyph.X, -30);
    c.Height = 9; // (9 - 16) div 2 = -3, (9 - 13) div 2 = -2
    p = PlaceSpeedButtonContent(c);
    EXPECT_EQ(p.Glyph.Y, -3);
    EXPECT_EQ(p.Caption.Top, -2);
    EXPECT_EQ(p.Caption.Bottom, 11);
}

TEST(ButtonLayoutTest, PushButtonCaptionAndOtherLayouts) {
    // "Create Folders" 137 x 34.
    EXPECT_EQ(PushButtonCaptionRect(137, 34, 70, 13, false), (Rect{32, 10, 104, 24}));
    EXPECT_EQ(PushButtonCaptionRect(137, 34, 70, 13, true), (Rect{33, 11, 105, 25}));
    EXPECT_EQ(PushButtonCaptionRect(20, 10, 41, 13, false), (Rect{-11, -1, 32, 11}));

    SpeedButtonContent c = LoadTemplateButton();
    c.Layout = TButtonLayout::blGlyphTop;
    c.Height = 60;
    ButtonPlacement p = PlaceSpeedButtonContent(c);
    EXPECT_EQ(p.Glyph, (Point{(129 - 16) / 2 + 1, (60 - 16 - 4 - 13) / 2}));
    EXPECT_GE(p.Caption.Top, p.Glyph.Y + 16);
    c.Layout = TButtonLayout::blGlyphBottom;
    p = PlaceSpeedButtonContent(c);
    EXPECT_EQ(p.Glyph.Y, 60 - 16 - (60 - 16 - 4 - 13) / 2);
    EXPECT_LE(p.Caption.Bottom, p.Glyph.Y);
    c.Layout = TButtonLayout::blGlyphRight;
    c.Height = 24;
    p = PlaceSpeedButtonContent(c);
    EXPECT_EQ(p.Glyph.X, (129 + 4 + 80 - 16) / 2);

    EXPECT_EQ(DividerColumn(10, 24), (Rect{4, 0, 6, 24}));
}

} // namespace
} // namespace skin::render
