#pragma once

// A font description and the platform font made from it, shared by controls with equal fonts.

#include "ui/color.h"

#include <memory>
#include <string>
#include <windows.h>

namespace ui {

struct Font {
    std::u16string name = u"MS Sans Serif";
    int height = 10; // pixels, cell height without internal leading
    Color color = SystemColor(COLOR_WINDOWTEXT);
    bool bold = false;
    bool underline = false;

    bool operator==(const Font&) const = default;
    // The platform font for this description; lives as long as the process.
    HFONT Handle() const;
};

// Resolves system colours (top byte $FF) to the platform's current RGB value.
COLORREF ColorToRgb(Color color);

} // namespace ui
