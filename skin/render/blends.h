#pragma once

// Mixing one bitmap into another: weighted blends and the per-pixel alpha composite.

#include "skin/render/cache_info.h"
#include "skin/render/skin_bitmap.h"

namespace skin::render {

// The whole of two bitmaps of equal size (otherwise nothing), alpha being the weight of the
// destination: d = (d * alpha + s * (255 - alpha) + 127) >> 8 on all four bytes.
void BlendWhole(SkinBitmap& dst, const SkinBitmap& src, std::uint8_t alpha);

// The same blend of source rectangle s onto the destination at point p, clipped: a negative
// destination coordinate cuts the source's left or top part away, a negative source origin
// moves the point instead. Bitmaps smaller than 2 x 2 are not blended.
void BlendPart(SkinBitmap& dst, const SkinBitmap& src, std::uint8_t alpha, Point p, const Rect& s);

// Source rectangle s (Right and Bottom inclusive) drawn at (x, y), keeping the fraction keep of
// the destination: channel = round(s - (s - d) * keep). Source pixels equal to the key (whole
// word, the key in pixel order) are skipped; alpha is unchanged.
void BlendRectFrom(SkinBitmap& dst, int x, int y, Color key, double keep, const Rect& s,
                   const SkinBitmap& src);

// A source with per-pixel alpha composited onto the destination; d and s are intersected in
// size with each other and with both bitmaps:
//   colour: d = ((s - d) * sa + d * 256) >> 8; alpha: da + sa * (255 - da) div 255 (sa > 0)
// With a Ready cache, source pixels that are exactly the key are holes: with fill_holes they
// take the background pixel (alpha 255) where it exists, otherwise they are left alone.
void CopyAlphaComposite(const Rect& d, const Rect& s, SkinBitmap& dst, bool fill_holes,
                        const TCacheInfo& ci, const SkinBitmap& src);

} // namespace skin::render
