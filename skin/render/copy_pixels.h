#pragma once

// A plain copy of a rectangle, every pixel as it is.

#include "skin/render/skin_bitmap.h"

namespace skin::render {

// Source rectangle s copied with its top-left at (x, y); clipped to both bitmaps, a negative
// origin on either side cutting the same amount from the other.
void CopyPixels(SkinBitmap& dst, int x, int y, const SkinBitmap& src, const Rect& s);

} // namespace skin::render
