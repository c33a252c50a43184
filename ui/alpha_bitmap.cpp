#include "ui/alpha_bitmap.h"

#include <cstring>

namespace ui {

namespace {

// AlphaBlend wants premultiplied colours: c' = c * a / 255, rounded.
std::uint32_t Premultiply(std::uint32_t pixel, bool grey) {
    const std::uint32_t a = pixel >> 24;
    std::uint32_t r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    if (grey) // the usual luma weights, in 1/256ths
        r = g = b = (r * 77 + g * 151 + b * 28) >> 8;
    auto scale = [a](std::uint32_t c) { return (c * a + 127) / 255; };
    return (a << 24) | (scale(r) << 16) | (scale(g) << 8) | scale(b);
}

} // namespace

AlphaBitmap::AlphaBitmap(int width, int height, const std::vector<std::uint32_t>& pixels) {
    if (width <= 0 || height <= 0 ||
        pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return;
    bitmap_ = MakeSection(width, height, pixels, false);
    grey_bitmap_ = MakeSection(width, height, pixels, true);
    if (bitmap_ && grey_bitmap_) {
        width_ = width;
        height_ = height;
    }
}

AlphaBitmap::~AlphaBitmap() {
    if (bitmap_)
        DeleteObject(bitmap_);
    if (grey_bitmap_)
        DeleteObject(grey_bitmap_);
}

HBITMAP AlphaBitmap::MakeSection(int width, int height, const std::vector<std::uint32_t>& pixels,
                                 bool grey) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section)
        return nullptr;
    auto* out = static_cast<std::uint32_t*>(bits);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        out[i] = Premultiply(pixels[i], grey);
    GdiFlush();
    return section;
}

void AlphaBitmap::Draw(HDC dc, int x, int y, int source_x, int width, BYTE opacity,
                       bool grey) const {
    if (Empty() || opacity == 0 || source_x < 0 || width <= 0 || source_x + width > width_)
        return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, grey ? grey_bitmap_ : bitmap_);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, opacity, AC_SRC_ALPHA};
    AlphaBlend(dc, x, y, width, height_, source, source_x, 0, width, height_, blend);
    SelectObject(source, old);
    DeleteDC(source);
}

} // namespace ui
