#pragma once

// The plain (unsmoothed) stretch of a rectangle: every destination pixel takes the nearest
// source pixel, without averaging, as the window system's colour-on-colour stretch does.

#include "skin/render/skin_bitmap.h"

namespace skin::render {

// Source rectangle s stretched to destination rectangle d; pixels of d outside the destination
// are not written, and a source rectangle reaching outside the source draws nothing. The Win32
// build lets the window system do it when both bitmaps have platform storage.
void StretchNearest(SkinBitmap& dst, const Rect& d, const SkinBitmap& src, const Rect& s);

// The portable rule, the same in every build: destination column i of a width-w rectangle
// reads source column (2 * i + 1) * sw div (2 * w), the source pixel under its centre.
void StretchNearestPortable(SkinBitmap& dst, const Rect& d, const SkinBitmap& src, const Rect& s);

} // namespace skin::render
