#pragma once

// Text in a colour on a 32-bit image, alpha included: the window system draws the ink into a
// grey mask, and the ink is blended in here, so text never leaves holes in the alpha of an image
// that a layered window shows.

#include "skin/render/colors.h"
#include "skin/render/skin_bitmap.h"
#include "skin/render/text_renderer.h"

#include <string>

namespace skin::render {

// The text laid out in r with the platform's format flags, in colour:
//   channel = c + m (channel - c) div 255, alpha = alpha + (255 - m)(255 - alpha) div 255
// for every ink sample m (0 full ink, 255 none).
void DrawTextInk(SkinBitmap& bitmap, TextRenderer& text_renderer, const std::u16string& text,
                 const Rect& r, Color color, unsigned format);

} // namespace skin::render
