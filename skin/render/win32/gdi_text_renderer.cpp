#include "skin/render/win32/gdi_text_renderer.h"

#include "skin/render/win32/dib_bitmap.h"

#include <algorithm>
#include <windows.h>

namespace skin::render::win32 {

GdiTextRenderer::GdiTextRenderer(void* font)
    : dc_(CreateCompatibleDC(nullptr)), font_(font ? font : GetStockObject(DEFAULT_GUI_FONT)),
      old_font_(SelectObject(static_cast<HDC>(dc_), static_cast<HFONT>(font_))) {}

GdiTextRenderer::~GdiTextRenderer() {
    SelectObject(static_cast<HDC>(dc_), static_cast<HGDIOBJ>(old_font_));
    DeleteDC(static_cast<HDC>(dc_));
}

int GdiTextRenderer::TextWidth(const std::u16string& text) {
    SIZE size{};
    GetTextExtentPoint32W(static_cast<HDC>(dc_), reinterpret_cast<const wchar_t*>(text.c_str()),
                          static_cast<int>(text.size()), &size);
    return size.cx;
}

void GdiTextRenderer::DrawInk(GrayBitmap& mask, const std::u16string& text, const Rect& r,
                              unsigned format) {
    if (mask.IsEmpty())
        return;
    SkinBitmap canvas = NewDibBitmap(mask.Width(), mask.Height());
    HDC dc = static_cast<HDC>(dc_);
    HGDIOBJ old = SelectObject(dc, static_cast<HBITMAP>(canvas.Handle()));
    RECT all{0, 0, mask.Width(), mask.Height()};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT place{r.Left, r.Top, r.Right, r.Bottom};
    DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(text.size()),
              &place, format);
    GdiFlush();
    SelectObject(dc, old);
    for (int y = 0; y < mask.Height(); ++y) {
        const Pixel* in = canvas.Row(y);
        std::uint8_t* out = mask.Row(y);
        for (int x = 0; x < mask.Width(); ++x)
            out[x] = std::min(out[x], static_cast<std::uint8_t>((in[x] >> 8) & 0xFF));
    }
}

} // namespace skin::render::win32
