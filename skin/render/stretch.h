#pragma once

// The plain (unsmoothed) stretch of a rectangle: every destination pixel takes the nearest
// source pixel, without averaging, as the window system's colour-on-colour stretch does.

#include "skin/render/skin_bitmap.h"

namespace skin::render {

// Source rectangle s stretched to destination rectangle d; pixels of d outside the destination
// are not written, and a source rectangle reaching outside the source draws nothing.
//
// Every build uses the same rule, so that a skin paints the same pixels everywhere: the window
// system's own stretch picks a neighbouring pixel in places (it rounds differently when
// shrinking, and differently across and down), which any nearest-pixel rule may do.
void StretchNearest(SkinBitmap& dst, const Rect& d, const SkinBitmap& src, const Rect& s);

// The source index that destination index i of a line of the given length reads: the source
// pixel under the destination pixel's centre, (2 i + 1) * source_length div (2 * length).
int NearestSource(int i, int source_length, int length);

} // namespace skin::render
