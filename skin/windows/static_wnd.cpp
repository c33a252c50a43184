#include "skin/windows/static_wnd.h"

#include "skin/windows/frame_platform.h"

namespace skin::windows {

namespace {

// Runs draw with a memory device context selected into the bitmap.
template <class Draw>
void DrawInto(render::SkinBitmap& bitmap, Draw draw) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, static_cast<HBITMAP>(bitmap.Handle()));
    draw(dc);
    GdiFlush();
    SelectObject(dc, old);
    DeleteDC(dc);
}

// The text layout a static's style asks for.
UINT TextFormatOf(LONG style) {
    UINT format = DT_EXPANDTABS | DT_WORDBREAK;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        format |= DT_CENTER;
        break;
    case SS_RIGHT:
        format |= DT_RIGHT;
        break;
    case SS_LEFTNOWORDWRAP:
        format &= ~static_cast<UINT>(DT_WORDBREAK);
        break;
    default:
        break;
    }
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if (style & SS_CENTERIMAGE)
        format = (format & ~static_cast<UINT>(DT_WORDBREAK)) | DT_SINGLELINE | DT_VCENTER;
    return format;
}

} // namespace

TacStaticWnd::TacStaticWnd(HWND window, const data::LoadedSkin& skin, std::u16string name,
                           Content content, COLORREF text_color, Backdrop behind)
    : TacPaintedWnd(window, skin, std::move(name), std::move(behind)), content_(content),
      text_color_(text_color) {}

bool TacStaticWnd::Handle(ui::Message& m) {
    switch (m.msg) {
    case WM_SETTEXT:
    case WM_ENABLE:
    case STM_SETICON:
    case STM_SETIMAGE:
        m.result = CallPrevious(m);
        InvalidateRect(CtrlHandle(), nullptr, TRUE);
        return true;
    default:
        return TacPaintedWnd::Handle(m);
    }
}

void TacStaticWnd::PaintTo(HDC dc) {
    render::SkinBitmap bitmap = BackdropBitmap(CtrlHandle(), BackdropOf());
    if (bitmap.IsEmpty())
        return;
    const RECT client{0, 0, bitmap.Width(), bitmap.Height()};
    const LONG style = GetWindowLongW(CtrlHandle(), GWL_STYLE);
    DrawInto(bitmap, [&](HDC memory) {
        if (content_ == Content::Text)
            DrawText(memory, client, style);
        else
            DrawImage(memory, client, style);
    });
    BlitRect(dc, 0, 0, bitmap, bitmap.Bounds());
}

void TacStaticWnd::DrawText(HDC dc, RECT client, LONG style) const {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(CtrlHandle(), WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(CtrlHandle()) ? text_color_ : GetSysColor(COLOR_GRAYTEXT));
    const std::u16string text = WindowText(CtrlHandle());
    ::DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(text.size()),
                &client, TextFormatOf(style));
    SelectObject(dc, old);
}

void TacStaticWnd::DrawImage(HDC dc, RECT client, LONG style) const {
    const bool bitmap = (style & SS_TYPEMASK) == SS_BITMAP;
    HANDLE image = reinterpret_cast<HANDLE>(
        SendMessageW(CtrlHandle(), STM_GETIMAGE, bitmap ? IMAGE_BITMAP : IMAGE_ICON, 0));
    if (!image)
        return;
    if (!bitmap) {
        DrawIconEx(dc, 0, 0, static_cast<HICON>(image), 0, 0, 0, nullptr, DI_NORMAL);
        return;
    }
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, image);
    BitBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

} // namespace skin::windows
