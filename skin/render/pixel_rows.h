#pragma once

// The inner loops of the painters, one row at a time. They are the program's hot path (every
// frame of every control runs through them), so they are the only place with SSE2 intrinsics;
// each has a plain loop beside it that computes the same bytes, used where SSE2 is missing and
// as the reference the tests compare against.

#include "skin/render/skin_bitmap.h"

namespace skin::render::rows {

// dst[i] = value.
void Fill(Pixel* dst, int count, Pixel value);

// Weighted blend of every byte, alpha included; alpha is the weight of the destination:
//   d = (d * alpha + s * (255 - alpha) + 127) >> 8
// The largest sum, 255 * 255 + 127, fits in 16 bits, which is what makes the vector form cheap.
void WeightedBlend(Pixel* dst, const Pixel* src, int count, int alpha);

// Straight-alpha composite of src over dst, sa being the source pixel's alpha:
//   colour bytes: d = (d * 256 + (s - d) * sa) >> 8  =  (d * (256 - sa) + s * sa) >> 8
//   alpha byte:   da = da + sa * (255 - da) div 255
// A source pixel with alpha 0 leaves the destination exactly as it was.
void AlphaComposite(Pixel* dst, const Pixel* src, int count);

// Colour bytes blended through a per-channel transparency mask m (0 = source, 255 = keep):
//   d = ((d - s) * m + s * 256) >> 8  =  (d * m + s * (256 - m)) >> 8
// The alpha byte of dst is left unchanged.
void MaskBlend(Pixel* dst, const Pixel* src, const Pixel* mask, int count);

// The plain loops, always compiled, for the tests.
namespace scalar {
void Fill(Pixel* dst, int count, Pixel value);
void WeightedBlend(Pixel* dst, const Pixel* src, int count, int alpha);
void AlphaComposite(Pixel* dst, const Pixel* src, int count);
void MaskBlend(Pixel* dst, const Pixel* src, const Pixel* mask, int count);
} // namespace scalar

// Whether the vector forms are compiled in.
bool HasVectorRows();

} // namespace skin::render::rows
