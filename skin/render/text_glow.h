#pragma once

// Glowing text and text cut to a width.

#include "skin/render/colors.h"
#include "skin/render/gray_bitmap.h"
#include "skin/render/skin_bitmap.h"
#include "skin/render/text_renderer.h"

#include <string>

namespace skin::render {

// Bits of the outline directions of DrawTextGlow.
enum GlowOutline : unsigned {
    goLeft = 1,
    goUp = 2,
    goRight = 4,
    goDown = 8,
    goAll = 15,
};

// Blurred ink of the text, laid out in r, blended into the bitmap in the glow colour:
//   channel = c + m * (channel - c) div 255, alpha = alpha + (255 - m) * (255 - alpha) div 255
// for every mask sample m other than 255. The mask covers r inflated by radius + 4 and is kept
// in mask_cache: it is drawn and blurred again only when its size changes.
void DrawTextGlow(SkinBitmap& bitmap, TextRenderer& text_renderer, const std::u16string& text,
                  const Rect& r, GrayBitmap& mask_cache, Color color, int radius, unsigned outline,
                  unsigned format);

// The text shortened until text + "..." fits in width (nothing appended to an empty rest);
// the text itself when it fits; empty for a width of 0 or less.
std::u16string FitTextEllipsis(TextRenderer& text_renderer, const std::u16string& text, int width);

} // namespace skin::render
