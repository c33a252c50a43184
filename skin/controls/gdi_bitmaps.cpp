#include "skin/controls/gdi_bitmaps.h"

#include "skin/render/win32/dib_bitmap.h"
#include "ui/wide.h"

#include <vector>

namespace skin::controls {

using render::Pixel;
using render::SkinBitmap;

void ShowBitmap(HDC dc, int x, int y, const SkinBitmap& bitmap) {
    if (bitmap.IsEmpty())
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = bitmap.Width();
    info.bmiHeader.biHeight = -bitmap.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<Pixel> rows;
    const Pixel* bits = bitmap.Row(0);
    if (bitmap.Stride() != bitmap.Width()) {
        rows.resize(static_cast<std::size_t>(bitmap.Width()) * bitmap.Height());
        for (int row = 0; row < bitmap.Height(); ++row)
            std::copy(bitmap.Row(row), bitmap.Row(row) + bitmap.Width(),
                      rows.begin() + static_cast<std::ptrdiff_t>(row) * bitmap.Width());
        bits = rows.data();
    }
    SetDIBitsToDevice(dc, x, y, bitmap.Width(), bitmap.Height(), 0, 0, 0, bitmap.Height(), bits,
                      &info, DIB_RGB_COLORS);
}

SkinBitmap TakeFromDC(HDC dc, const RECT& r) {
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (width <= 0 || height <= 0)
        return {};
    SkinBitmap dib = render::win32::NewDibBitmap(width, height);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, static_cast<HBITMAP>(dib.Handle()));
    BitBlt(memory, 0, 0, width, height, dc, r.left, r.top, SRCCOPY);
    GdiFlush();
    SelectObject(memory, old);
    DeleteDC(memory);
    SkinBitmap result = dib.Clone();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            result.At(x, y) |= 0xFF000000u;
    return result;
}

SkinBitmap IconPixels(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info))
        return {};
    BITMAP colour{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(colour), &colour);
    const int width = colour.bmWidth;
    const int height = info.hbmColor ? colour.bmHeight : colour.bmHeight / 2;
    SkinBitmap result;
    if (width > 0 && height > 0 && info.hbmColor) {
        result = SkinBitmap(width, height);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        HDC dc = GetDC(nullptr);
        GetDIBits(dc, info.hbmColor, 0, height, result.Row(0), &bi, DIB_RGB_COLORS);
        bool any_alpha = false;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                any_alpha = any_alpha || (result.At(x, y) >> 24) != 0;
        if (!any_alpha) {
            std::vector<Pixel> mask(static_cast<std::size_t>(width) * height);
            GetDIBits(dc, info.hbmMask, 0, height, mask.data(), &bi, DIB_RGB_COLORS);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    if ((mask[static_cast<std::size_t>(y) * width + x] & 0xFFFFFF) == 0)
                        result.At(x, y) |= 0xFF000000u;
        }
        ReleaseDC(nullptr, dc);
    }
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return result;
}

SIZE MeasureText(HFONT font, const std::u16string& text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    const std::u16string measured = text.empty() ? std::u16string(u" ") : text;
    GetTextExtentPoint32W(dc, ui::Wide(measured), static_cast<int>(measured.size()), &size);
    if (text.empty())
        size.cx = 0;
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size;
}

} // namespace skin::controls
