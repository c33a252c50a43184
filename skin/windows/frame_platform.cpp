#include "skin/windows/frame_platform.h"

#include "skin/render/win32/dib_bitmap.h"

#include <algorithm>

namespace skin::windows {
namespace {

struct PlatformFrame {
    int cx_frame = GetSystemMetrics(SM_CXFRAME);
    int cx_dlg_frame = GetSystemMetrics(SM_CXDLGFRAME);
    int cy_caption = GetSystemMetrics(SM_CYCAPTION);
    int cy_small_caption = GetSystemMetrics(SM_CYSMCAPTION);
};

const PlatformFrame& Platform() {
    static const PlatformFrame frame;
    return frame;
}

} // namespace

int FrameWidthOf(DWORD style) {
    return frame::SystemFrameWidth((style & WS_THICKFRAME) != 0, (style & WS_BORDER) != 0,
                                   Platform().cx_frame, Platform().cx_dlg_frame);
}

int CaptionHeightOf(DWORD ex_style, bool minimized) {
    if ((ex_style & WS_EX_TOOLWINDOW) && !minimized)
        return Platform().cy_small_caption;
    return Platform().cy_caption;
}

HFONT CaptionFont() {
    static const HFONT font = [] {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
            metrics.lfCaptionFont.lfHeight = 0;
        return CreateFontIndirectW(&metrics.lfCaptionFont);
    }();
    return font;
}

render::SkinBitmap IconPixels(HICON icon, int width, int height) {
    if (!icon || width <= 0 || height <= 0)
        return {};
    render::SkinBitmap on_black = render::win32::NewDibBitmap(width, height);
    render::SkinBitmap on_white = render::win32::NewDibBitmap(width, height);
    HDC dc = CreateCompatibleDC(nullptr);
    for (render::SkinBitmap* b : {&on_black, &on_white}) {
        const render::Pixel fill = b == &on_black ? 0xFF000000u : 0xFFFFFFFFu;
        for (int y = 0; y < height; ++y)
            std::fill(b->Row(y), b->Row(y) + width, fill);
        HGDIOBJ old = SelectObject(dc, static_cast<HBITMAP>(b->Handle()));
        DrawIconEx(dc, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
        SelectObject(dc, old);
    }
    GdiFlush();
    DeleteDC(dc);
    render::SkinBitmap out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const render::Pixel b = on_black.At(x, y), w = on_white.At(x, y);
            int alpha = 255;
            for (int shift = 0; shift < 24; shift += 8)
                alpha = std::min(alpha, 255 - (static_cast<int>((w >> shift) & 0xFF) -
                                               static_cast<int>((b >> shift) & 0xFF)));
            alpha = std::clamp(alpha, 0, 255);
            render::Pixel p = static_cast<render::Pixel>(alpha) << 24;
            if (alpha > 0)
                for (int shift = 0; shift < 24; shift += 8) {
                    const int c = static_cast<int>((b >> shift) & 0xFF) * 255 / alpha;
                    p |= static_cast<render::Pixel>(std::min(c, 255)) << shift;
                }
            out.At(x, y) = p;
        }
    return out;
}

void BlitRect(HDC dc, int x, int y, const render::SkinBitmap& bmp, const frame::Rect& r) {
    if (!bmp.Handle() || r.IsEmpty())
        return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, static_cast<HBITMAP>(bmp.Handle()));
    BitBlt(dc, x, y, r.Width(), r.Height(), memory, r.Left, r.Top, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

HICON FormIcon(HWND window) {
    if (HICON icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0)))
        return icon;
    if (HICON icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0)))
        return icon;
    if (HICON icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM)))
        return icon;
    if (HICON icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON)))
        return icon;
    if (HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)))
        return icon;
    return LoadIconW(nullptr, IDI_APPLICATION);
}

} // namespace skin::windows
