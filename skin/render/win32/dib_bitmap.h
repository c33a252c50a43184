#pragma once

// Skin bitmaps whose pixels live in a DIB section, so that the window system can blit and
// draw into them and the painters write into them directly, with no copy per frame.

#include "skin/render/skin_bitmap.h"

namespace skin::render::win32 {

// A top-down 32-bit DIB section of that size; Handle() is its HBITMAP, deleted with the
// bitmap. Throws core::Error when the size is refused or the window system cannot make it.
SkinBitmap NewDibBitmap(int width, int height);

} // namespace skin::render::win32
