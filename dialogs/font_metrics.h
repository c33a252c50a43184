#pragma once

// Measurements of text in a font, for forms that lay themselves out at run time.

#include "dialogs/dialog_layout.h"
#include "ui/font.h"

#include <string>

namespace dialogs {

// The font's dialog units: the extent of the 52 letters A-Z and a-z.
DialogUnits UnitsOf(const ui::Font& font);

struct TextSize {
    int width = 0;
    int height = 0;
};

// The text broken into lines at word boundaries within `max_width` pixels, tabs expanded.
TextSize WrappedTextSize(const ui::Font& font, const std::u16string& text, int max_width);
// One line of text.
TextSize LineSize(const ui::Font& font, const std::u16string& text);
// A one-line edit's height for the font: a text line and the sunken border around it.
int EditHeight(const ui::Font& font);

} // namespace dialogs
