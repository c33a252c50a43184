#pragma once

// Moving skin bitmaps between the painters and GDI: showing a face on a device context, taking
// what a device context shows, and the pixels of an icon with its alpha.

#include "skin/render/skin_bitmap.h"

#include <string>
#include <windows.h>

namespace skin::controls {

// The bitmap copied to (x, y) of the device context.
void ShowBitmap(HDC dc, int x, int y, const render::SkinBitmap& bitmap);

// What the device context shows at r, as a bitmap of r's size (alpha 255).
render::SkinBitmap TakeFromDC(HDC dc, const RECT& r);

// The colour image of an icon as 32-bit pixels with straight alpha; an icon without alpha gets
// alpha from its mask. Empty for no icon.
render::SkinBitmap IconPixels(HICON icon);

// The size of a text in a font, as GDI measures it.
SIZE MeasureText(HFONT font, const std::u16string& text);

} // namespace skin::controls
