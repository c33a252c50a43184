#pragma once

// Copies that treat the key colour as transparent.

#include "skin/render/cache_info.h"
#include "skin/render/geometry.h"
#include "skin/render/skin_bitmap.h"

namespace skin::render {

// The whole source copied to (x, y), clipped to the destination; source pixels whose whole
// word differs from the key (in pixel order) are copied with alpha 255, the others skipped.
void CopyKeyed(SkinBitmap& dst, const SkinBitmap& src, int x, int y, Color key);

// Source rectangle s (Right and Bottom inclusive) copied to (x, y), with key pixels replaced by
// what lies behind:
//  - use_cache and a Ready cache: into the cache bitmap itself, non-key pixels are copied with
//    alpha 255 and key pixels skipped; elsewhere key pixels take the background pixel at
//    (x + ci.X, y + ci.Y) when it exists, and every written pixel gets alpha 255;
//  - a Ready cache not used: non-key pixels copied as they are, key pixels skipped;
//  - no Ready cache: key pixels become FillColor (alpha 255), the others are copied as they are.
void CopyKeyedRect(SkinBitmap& dst, const SkinBitmap& src, int x, bool use_cache,
                   const TCacheInfo& ci, Color key, const Rect& s, int y);

// The source's rectangle `source` (half-open) copied to `at`, clipped to both bitmaps, keyed by
// the colour of the rectangle's bottom-left pixel: pixels of another colour are copied with
// alpha 255, those of the key colour skipped. Only the three colour bytes are compared, as the
// alpha byte of a keyed image carries no meaning.
void CopyKeyedByColor(SkinBitmap& dst, const SkinBitmap& src, const Rect& source, Point at);

// Source rectangle s (Right and Bottom inclusive) copied to (x, y), skipping key pixels.
void CopyKeyedRectPlain(SkinBitmap& dst, const SkinBitmap& src, int x, int y, Color key,
                        const Rect& s);

} // namespace skin::render
