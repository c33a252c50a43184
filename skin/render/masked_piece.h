#pragma once

// Pieces of a skin image whose transparency is given by a mask band below the colour images:
// a mask byte of 0 shows the colour image, 255 the destination.

#include "skin/render/cache_info.h"
#include "skin/render/mask_source.h"

namespace skin::render {

// Source rectangle s of the colour band copied 1:1 to destination rectangle d, each of red,
// green and blue blended with the mask pixel Height(mask.R) div 2 rows lower:
//   d = ((d - s) * m + s * 256) >> 8
// Key pixels of the colour band, depending on fill_corners and the cache:
//  - fill and Ready: key pixels take the background pixel (alpha 255), and every written pixel
//    gets alpha 255; no background pixel there leaves the key pixel as it was;
//  - no fill, Ready: no key test, every pixel is blended;
//  - fill, not Ready: key pixels become FillColor (alpha 255);
//  - no fill, not Ready: key pixels are left unchanged.
void CopyMaskedPiece(const Rect& d, const Rect& s, SkinBitmap& dst, const MaskSource& mask,
                     bool fill_corners, const TCacheInfo& ci, const SkinBitmap& src);

// Source piece s stretched to destination rectangle d together with its mask mask_offset rows
// lower, then blended as above (no key test). Shrinking along one axis only, or the centre,
// is smoothed (Mitchell for colour, Hermite for the mask); everything else is stretched to the
// nearest pixel. A one-pixel centre is a plain fill or a single blend. With mask_offset 0 the
// piece is stretched as it is.
void StretchMaskedPiece(SkinBitmap& dst, const Rect& d, const Rect& s, int mask_offset,
                        bool is_centre, const SkinBitmap& src);

} // namespace skin::render
