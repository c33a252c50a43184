#include "skin/windows/painted_wnd.h"

#include "skin/render/win32/dib_bitmap.h"

namespace skin::windows {

std::u16string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const int read = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), length + 1);
    text.resize(static_cast<std::size_t>(read > 0 ? read : 0));
    return text;
}

render::SkinBitmap BackdropBitmap(HWND window, const Backdrop& behind) {
    RECT client{};
    GetClientRect(window, &client);
    if (client.right <= 0 || client.bottom <= 0)
        return {};
    render::SkinBitmap bitmap = render::win32::NewDibBitmap(client.right, client.bottom);
    const render::TCacheInfo info = behind ? behind(window) : render::EmptyCacheInfo;
    const render::Color fill = info.FillColor == render::kKeyColor
                                   ? static_cast<render::Color>(GetSysColor(COLOR_BTNFACE))
                                   : info.FillColor;
    const render::Pixel plain = render::ColorToPixel(fill & 0xFFFFFF) | 0xFF000000u;
    const bool from_bitmap = info.Ready && info.Bmp;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            const int sx = info.X + x, sy = info.Y + y;
            bitmap.At(x, y) = from_bitmap && info.Bmp->Contains(sx, sy)
                                  ? info.Bmp->At(sx, sy) | 0xFF000000u
                                  : plain;
        }
    }
    return bitmap;
}

TacPaintedWnd::TacPaintedWnd(HWND window, const data::LoadedSkin& skin, std::u16string name,
                             Backdrop behind)
    : TacMainWnd(window, skin, std::move(name)), behind_(std::move(behind)) {
    InvalidateRect(window, nullptr, TRUE);
}

void TacPaintedWnd::Repaint() {
    if (Destroyed() || Updating() || !IsWindowVisible(CtrlHandle()))
        return;
    HDC dc = GetDC(CtrlHandle());
    if (!dc)
        return;
    PaintTo(dc);
    ReleaseDC(CtrlHandle(), dc);
}

bool TacPaintedWnd::Handle(ui::Message& m) {
    switch (m.msg) {
    case WM_ERASEBKGND:
        m.result = 1;
        return true;
    case WM_PAINT:
        if (Updating())
            return false;
        if (m.wParam) {
            PaintTo(reinterpret_cast<HDC>(m.wParam));
        } else {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(CtrlHandle(), &ps);
            PaintTo(dc);
            EndPaint(CtrlHandle(), &ps);
        }
        m.result = 0;
        return true;
    case WM_PRINTCLIENT:
        PaintTo(reinterpret_cast<HDC>(m.wParam));
        m.result = 0;
        return true;
    case ui::WM_SKINCOMMAND:
        if (leaves_on_new_skin_ && ui::SkinCommandOf(m) == engine::SkinCmdSetNewSkin) {
            Detach();
            InvalidateRect(CtrlHandle(), nullptr, TRUE);
            return false;
        }
        return TacMainWnd::Handle(m);
    default:
        return TacMainWnd::Handle(m);
    }
}

} // namespace skin::windows
