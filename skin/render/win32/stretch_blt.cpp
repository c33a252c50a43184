// The colour-on-colour stretch of the window system for bitmaps that live in DIB sections.

#include "skin/render/stretch.h"

#include <windows.h>

namespace skin::render {

void StretchNearest(SkinBitmap& dst, const Rect& d, const SkinBitmap& src, const Rect& s) {
    if (!dst.Handle() || !src.Handle()) {
        StretchNearestPortable(dst, d, src, s);
        return;
    }
    if (d.IsEmpty() || s.IsEmpty() || Intersect(s, src.Bounds()) != s)
        return;
    HDC screen = GetDC(nullptr);
    HDC to = CreateCompatibleDC(screen);
    HDC from = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old_to = SelectObject(to, static_cast<HBITMAP>(dst.Handle()));
    HGDIOBJ old_from = SelectObject(from, static_cast<HBITMAP>(src.Handle()));
    SetStretchBltMode(to, COLORONCOLOR);
    StretchBlt(to, d.Left, d.Top, d.Width(), d.Height(), from, s.Left, s.Top, s.Width(), s.Height(),
               SRCCOPY);
    GdiFlush();
    SelectObject(from, old_from);
    SelectObject(to, old_to);
    DeleteDC(from);
    DeleteDC(to);
}

} // namespace skin::render
