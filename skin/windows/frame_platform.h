#pragma once

// What the frame needs from the window system: its frame metrics (read once), the caption font,
// icons as pixels with alpha, and copies of cache-bitmap rectangles to a device context.

#include "skin/frame/frame_geometry.h"
#include "skin/render/skin_bitmap.h"

#include <windows.h>

namespace skin::windows {

// F and C of a window with these styles; the platform's values are read once per process.
int FrameWidthOf(DWORD style);
int CaptionHeightOf(DWORD ex_style, bool minimized);

// The platform's caption font (non-client metrics), made once per process.
HFONT CaptionFont();

// The icon as straight-alpha pixels of the given size: drawn over black and over white, the
// difference gives each pixel's coverage, so icons with or without an alpha channel come out
// right and nothing of them is left at alpha 0. Empty for no icon.
render::SkinBitmap IconPixels(HICON icon, int width, int height);

// Copies r of a DIB-backed bitmap to dc at (x, y).
void BlitRect(HDC dc, int x, int y, const render::SkinBitmap& bmp, const frame::Rect& r);

// The form's icon: its own small icon, the class icon, the program's first icon, the default.
HICON FormIcon(HWND window);

} // namespace skin::windows
