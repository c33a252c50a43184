#pragma once

// Where a button puts its glyph and its caption. Divisions by 2 round toward zero, so a button
// narrower than its content gets negative offsets: the group stays centred and the painters
// clip it to the face.

#include "skin/render/geometry.h"

namespace skin::render {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

struct SpeedButtonContent {
    int Width = 0; // the face less the arrow part of a drop-down button
    int Height = 0;
    int GlyphWidth = 0; // one image of the strip
    int GlyphHeight = 0;
    int TextWidth = 0; // the caption as measured
    int TextHeight = 0;
    bool HasCaption = false; // shown and not empty
    int Spacing = 4;
    int Margin = -1;
    TButtonLayout Layout = TButtonLayout::blGlyphLeft;
    TAlignment Alignment = TAlignment::taCenter;
    int TextOffset = 0;
    bool Pressed = false;
    bool Reflected = false;
};

struct ButtonPlacement {
    Point Glyph;
    Rect Caption;
};

ButtonPlacement PlaceSpeedButtonContent(const SpeedButtonContent& c);

// A push button without an image: the caption centred, one pixel wider on each side, shifted by
// (1, 1) when pressed.
Rect PushButtonCaptionRect(int width, int height, int text_width, int text_height, bool pressed);

// The speed button's arrow part of the drop-down style is the rightmost 16 pixels.
inline constexpr int kDropDownArrowWidth = 16;

// The divider's 2-pixel column at the horizontal centre, full height.
Rect DividerColumn(int width, int height);

} // namespace skin::render
