#pragma once

// Transparent corners of a control's border: refilling them when only the background behind
// the control changed, and cutting window regions around them.

#include "skin/render/cache_info.h"
#include "skin/render/mask_source.h"

#include <vector>

namespace skin::render {

// Every pixel of the cached image's four corners whose source pixel in the border's state
// image is the key takes the background's red, green and blue (the background bitmap's pixel
// at the cache offsets when Ready, else FillColor); alpha is kept. Nothing happens unless the
// mask has keyed corners (CornerType above 0). A mask with its own image and no state count is
// taken as three states with a mask band over the whole image.
void RefreshCornerPixels(SkinBitmap& cache, const MaskSource& border, int state,
                         const TCacheInfo& background);

// Run-length rectangles, one pixel high, of the key pixels in the top corners of the first
// state image (with bottom, the bottom corners), appended in scan order: row by row, the left
// corner's runs then the right corner's, which are moved to the right edge of a control of the
// given width. Rows are numbered from y_offset.
void CornerHoleRects(std::vector<Rect>& rects, int width, const MaskSource& mask, bool bottom,
                     int y_offset);

// The shape of a control whose window is clipped to its border: the border of the state drawn
// at width x height, less every see-through pixel (one that shows what lies behind) that the
// outside reaches through other see-through pixels, as one-pixel-high rectangles of the pixels
// kept, in scan order. The unpainted centre and closed holes inside the border stay in the shape.
// Without a border image the shape is the whole rectangle; nothing for an empty size.
std::vector<Rect> BorderShapeRuns(const MaskSource& border, int state, int width, int height);

} // namespace skin::render
