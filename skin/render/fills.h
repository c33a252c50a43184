#pragma once

// Filling and tinting rectangles of a bitmap in place.

#include "skin/render/colors.h"
#include "skin/render/skin_bitmap.h"

namespace skin::render {

// R (clipped) filled with the colour, alpha 255.
void FillRectOpaque(SkinBitmap& bitmap, const Rect& r, Color color);

// Red, green and blue moved toward the colour, keeping keep_percent of the pixel:
//   channel = round(f * channel + (1 - f) * colour channel), f = keep_percent / 100, ties to even.
// Right and Bottom of r are inclusive here. Alpha is unchanged.
void TintRect(SkinBitmap& bitmap, const Rect& r, int keep_percent, Color color);

// Alpha byte of R set to alpha; with skip_key, key pixels keep alpha 0.
void SetAlphaRect(SkinBitmap& bitmap, const Rect& r, std::uint8_t alpha, bool skip_key);

// Every non-key pixel moved toward the colour:
//   channel = round(keep * (channel - colour channel) + colour channel)
void TintBitmap(SkinBitmap& bitmap, Color color, double keep);

// Shaded by a mask bitmap of the same size, channel by channel (m = the mask's byte):
//   channel = (colour channel * 256 + (channel - colour channel) * m) >> 8
// m = 255 keeps the pixel within one unit, m = 0 paints the colour. Sizes that differ do nothing.
void MultiplyByMask(SkinBitmap& bitmap, const SkinBitmap& mask, Color color);

} // namespace skin::render
