#pragma once

// The combo edit's arithmetic: shortcut values, the layout of its button glyph and the
// rectangle its text may use. Portable.

#include <cstdint>

namespace dialogs {

// A key with its modifiers as one number: the virtual key code in the low byte, the modifiers
// as flags above it.
using ShortCut = std::uint16_t;
inline constexpr ShortCut scShift = 0x2000;
inline constexpr ShortCut scCtrl = 0x4000;
inline constexpr ShortCut scAlt = 0x8000;
inline constexpr ShortCut kAltDown = scAlt | 0x28; // Alt + the down arrow: 32808

ShortCut MakeShortCut(std::uint16_t key, bool shift, bool ctrl, bool alt);

// A glyph list seen as a strip: a list whose items are a whole number of squares wide holds
// that many state images per item; any other item is one image.
struct GlyphLayout {
    int image_count = 1;
    int glyph_width = 0;
};
GlyphLayout LayoutOfGlyphs(int item_width, int item_height);

// Which item of a custom glyph list a button state shows (0 normal, 1 hot, 2 pressed): the
// state's own index when it is one of the list's items, else the normal one.
int CustomGlyphIndex(int state, int normal, int hot, int pressed, int item_count);

struct TextRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const TextRect&) const = default;
};
// The part of the edit's client area the text may use: the full height, from the left edge
// (indented by 2 pixels for a flat single-line border) to the button.
TextRect ComboTextRect(int client_width, int client_height, bool flat_border, int button_width);

} // namespace dialogs
