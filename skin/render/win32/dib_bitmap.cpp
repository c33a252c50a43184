#include "skin/render/win32/dib_bitmap.h"

#include "core/error.h"
#include "core/text.h"

#include <windows.h>

namespace skin::render::win32 {

SkinBitmap NewDibBitmap(int width, int height) {
    if (!IsAllocatableSize(width, height) || width == 0 || height == 0)
        throw core::Error(
            core::Format(u"Bitmap size %d x %d is not supported", {}, {width, height}));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down: row 0 first in memory
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP handle = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!handle || !bits)
        throw core::Error(
            core::Format(u"Cannot create a bitmap of %d x %d pixels", {}, {width, height}));
    return SkinBitmap::Adopt(static_cast<Pixel*>(bits), width, height, width, handle,
                             [handle] { DeleteObject(handle); });
}

} // namespace skin::render::win32
