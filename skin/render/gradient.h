#pragma once

// Multi-segment gradients of skin sections, alone or mixed with a tiled texture.

#include "skin/data/general_data.h"
#include "skin/render/skin_bitmap.h"

namespace skin::render {

// Directions, by the first segment's Mode1.
enum GradientMode : int {
    gmVertical = 0,   // top to bottom
    gmHorizontal = 1, // left to right
    gmTriangles = 2,  // five points: corners and centre
};

// The gradient painted into r (clipped to the bitmap), alpha 255. Vertical and horizontal
// gradients run their segments one after another, each over its percentage of the length (the
// last one to the far edge), with single-precision running channels; the triangle mode
// interpolates the first colours of five segments from the corners and the centre of r.
// offset moves where a vertical gradient starts (0 in all uses). Returns false, leaving the
// bitmap untouched, when the gradient paints nothing there (see GradientPaints).
bool PaintGradient(SkinBitmap& bitmap, const Rect& r, const data::TsGradArray& pies,
                   int offset = 0);

// Whether the gradient gives r's pixels colours: not without segments, with a direction other
// than the three, nor when a vertical gradient runs over one row or a horizontal one over one
// column (its only segment has no length to run over). r is taken clipped to the bitmap.
bool GradientPaints(const SkinBitmap& bitmap, const Rect& r, const data::TsGradArray& pies,
                    int offset = 0);

// A vertical or horizontal gradient mixed in one pass with a texture tiled from the bitmap's
// origin: channel = (t * (texture - gradient) + gradient * 256) >> 8, alpha 255. An empty
// texture rectangle means the whole texture bitmap. Returns false, leaving the bitmap untouched,
// when the gradient paints nothing there.
bool PaintGradientTexture(SkinBitmap& bitmap, const Rect& r, const data::TsGradArray& pies,
                          int texture_weight, const Rect& texture_rect, const SkinBitmap& texture);

} // namespace skin::render
