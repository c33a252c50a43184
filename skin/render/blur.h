#pragma once

// Gaussian blur of a grey mask (the glow behind text).

#include "skin/render/gray_bitmap.h"

namespace skin::render {

// Blurs every row, then every column, in place, with a kernel of single-precision weights
// exp(-(i / radius)^2 / 2), cut where less than 1 / 510 of the weight would be lost. Each
// output is the weighted sum truncated to an integer and clamped to 0 .. 255; samples beyond
// the edges repeat the edge. A radius that is not above 0 leaves the mask unchanged.
void GaussianBlurGray(GrayBitmap& mask, double radius);

} // namespace skin::render
