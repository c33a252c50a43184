#pragma once

// Glyphs with per-pixel alpha laid over a face: the one composite of buttons, check boxes,
// title icons and image lists. The face's alpha bytes are never changed, so a glyph drawn onto
// an opaque face leaves it opaque and one drawn onto a layered face keeps its shape.

#include "skin/render/colors.h"
#include "skin/render/geometry.h"
#include "skin/render/skin_bitmap.h"

#include <optional>

namespace skin::render {

// Weight of a glyph pixel of alpha a drawn t percent transparent: (100 - t) * a div 100, with t
// taken as 0 below 0 and as 100 above 100.
int GlyphWeight(int alpha, int transparency);

// Source pixel s weighted x (0..255) over face pixel d: ((s - d) * x + d * 256) >> 8 for each
// colour byte; d's alpha kept.
Pixel WeightedOver(Pixel face, Pixel source, int weight);

// The glyph's colour replaced by its grey times the tint: g * tint / 255, rounded,
// g = (red + green + blue) div 3; alpha kept.
Pixel TintGlyphPixel(Pixel source, Color tint);

// The glyph's rectangle `source` laid at `at` over the face, clipped to both bitmaps: each pixel
// tinted when a tint is given, then weighted GlyphWeight(its alpha, transparency) over the face.
void CompositeGlyph(SkinBitmap& face, const SkinBitmap& glyph, const Rect& source, Point at,
                    int transparency, std::optional<Color> tint = std::nullopt);

} // namespace skin::render
