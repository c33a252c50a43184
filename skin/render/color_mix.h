#pragma once

// Colour mixing and colour-space changes of whole bitmaps.

#include "skin/render/colors.h"
#include "skin/render/skin_bitmap.h"

#include <optional>

namespace skin::render {

// About half of each: per channel (a * 127 + b * 129) >> 8; byte 3 of the result is 0.
Color MixHalf(Color a, Color b);
// t of a and 1 - t of b: per channel round(t * a + (1 - t) * b), ties to even; byte 3 from a.
// Disabled text uses t = 0.4: 40 % of the font colour, 60 % of the background.
Color MixRatio(Color a, Color b, double t);

// Each pixel's red, green and blue become (red + green + blue) div 3; with a key, pixels whose
// whole word is the key (in pixel order) are left unchanged.
void Grayscale(SkinBitmap& bitmap, std::optional<Color> key = std::nullopt);

// Hue rotation by degrees of every pixel that is neither the key nor grey; byte 3 kept.
void ShiftHue(SkinBitmap& bitmap, int degrees);
// Saturation change of every pixel that is neither the key nor grey: each channel becomes
// round(channel - (mean - channel) * amount / 100), clamped; positive amounts move the
// channels away from their mean.
void ChangeSaturation(SkinBitmap& bitmap, int amount);

// The same two changes of a single colour value (text colours), byte 3 kept.
Color ShiftHue(Color color, int degrees);
Color ChangeSaturation(Color color, int amount);

} // namespace skin::render
