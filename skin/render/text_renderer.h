#pragma once

// Text is the one thing the painters cannot draw themselves: the window system renders it with
// the control's font. The painters ask through this interface; the Win32 layer answers with
// GDI, and tests answer with a fixed-width fake.

#include "skin/render/geometry.h"
#include "skin/render/gray_bitmap.h"

#include <string>

namespace skin::render {

class TextRenderer {
public:
    virtual ~TextRenderer() = default;
    // Width in pixels of the text in the current font.
    virtual int TextWidth(const std::u16string& text) = 0;
    // Draws the text into r of the mask in ink 0 (anti-aliased edges may use grey levels),
    // leaving everything else as it was; format is the platform's text format flags.
    virtual void DrawInk(GrayBitmap& mask, const std::u16string& text, const Rect& r,
                         unsigned format) = 0;
};

} // namespace skin::render
