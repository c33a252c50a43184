#include "skin/windows/btn_wnd.h"

#include "skin/render/button_face.h"
#include "skin/render/win32/dib_bitmap.h"
#include "skin/render/win32/gdi_text_renderer.h"
#include "skin/windows/frame_platform.h"
#include "ui/trace.h"
#include "ui/win_control.h"

#include <algorithm>

namespace skin::windows {

namespace {

HFONT CreateMessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return nullptr;
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

// Messages after which the platform's button has drawn itself at once, outside WM_PAINT.
bool DrawsAtOnce(UINT msg) {
    switch (msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_SETCHECK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
    case WM_UPDATEUISTATE:
        return true;
    default:
        return false;
    }
}

} // namespace

TacBtnWnd::TacBtnWnd(HWND window, const data::LoadedSkin& skin, std::u16string section,
                     std::u16string name, HFONT font, Backdrop behind)
    : TacPaintedWnd(window, skin, std::move(name), std::move(behind)),
      section_(skin.GetSkinIndex(section.empty() ? u"BUTTON" : section)), font_(font) {
    if (!font_)
        font_ = message_font_ = CreateMessageFont();
}

TacBtnWnd::~TacBtnWnd() {
    Detach();
    if (message_font_)
        DeleteObject(message_font_);
}

void TacBtnWnd::AfterDetach() {
    InvalidateRect(CtrlHandle(), nullptr, TRUE);
}

int TacBtnWnd::CurrentState() const {
    HWND w = CtrlHandle();
    if (SendMessageW(w, BM_GETSTATE, 0, 0) & BST_PUSHED)
        return 2;
    if (!IsWindowEnabled(w))
        return 0;
    const LONG style = GetWindowLongW(w, GWL_STYLE);
    const bool default_button = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    return GetFocus() == w || mouse_over_ || default_button ? 1 : 0;
}

render::TCacheInfo TacBtnWnd::Behind() const {
    if (BackdropOf())
        return BackdropOf()(CtrlHandle());
    COLORREF parent_color = GetSysColor(COLOR_BTNFACE);
    if (ui::WinControl* parent = ui::WinControl::FromHandle(GetParent(CtrlHandle())))
        parent_color = ui::ColorToRgb(parent->GetColor());
    return {nullptr, 0, 0, ToSkinColor(parent_color), false};
}

void TacBtnWnd::Compose() {
    RECT client;
    GetClientRect(CtrlHandle(), &client);
    const int w = client.right, h = client.bottom;
    if (w <= 0 || h <= 0) {
        face_ = render::SkinBitmap();
        return;
    }
    if (face_.Width() != w || face_.Height() != h)
        face_ = render::win32::NewDibBitmap(w, h);
    const int state = render::LimitedState(skin_, section_, CurrentState());
    render::ButtonFace face;
    face.Skin = &skin_;
    face.Section = section_;
    face.State = state;
    face.Enabled = IsWindowEnabled(CtrlHandle()) != FALSE;
    face.Behind = Behind();
    face.ParentColor = face.Behind.FillColor;
    face.Caption = WindowText(CtrlHandle());
    const LONG style = GetWindowLongW(CtrlHandle(), GWL_STYLE);
    const LONG ex_style = GetWindowLongW(CtrlHandle(), GWL_EXSTYLE);
    // As the platform's skinned buttons have always done: a multi-line button is drawn on one
    // line, any other wraps its words.
    UINT format = DT_CENTER | DT_EXPANDTABS | DT_NOCLIP;
    format |= (style & BS_MULTILINE) ? DT_SINGLELINE : DT_WORDBREAK;
    if (ex_style & WS_EX_RTLREADING)
        format |= DT_RTLREADING;
    face.TextFormat = format;
    // The caption's rectangle: measured within the button, centred, one pixel down and right
    // while pushed.
    RECT text{0, 0, std::max(w - 8, 1), 0};
    HDC dc = GetDC(CtrlHandle());
    HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    const std::wstring caption(face.Caption.begin(), face.Caption.end());
    DrawTextW(dc, caption.c_str(), int(caption.size()), &text, format | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(CtrlHandle(), dc);
    const int tw = text.right - text.left, th = text.bottom - text.top;
    const int shift = state >= 2 ? 1 : 0;
    face.CaptionRect = {(w - tw) / 2 + shift, (h - th) / 2 + shift, (w - tw) / 2 + tw + shift,
                        (h - th) / 2 + th + shift};
    const LRESULT ui_state = SendMessageW(CtrlHandle(), BM_GETSTATE, 0, 0);
    face.ShowFocus = (ui_state & BST_FOCUS) != 0 || GetFocus() == CtrlHandle();
    face.FocusMargin = 1;
    face.Disabled.Blended = true;
    face.Disabled.Grayed = false;
    render::win32::GdiTextRenderer renderer(font_);
    render::ComposeButtonFace(face_, face, renderer);
    if (ui::TraceOn())
        ui::TraceLine(name_, "button-face", state, face.Enabled ? 1 : 0);
}

void TacBtnWnd::PaintTo(HDC dc) {
    Compose();
    if (!face_.IsEmpty())
        BlitRect(dc, 0, 0, face_, face_.Bounds());
}

bool TacBtnWnd::Handle(ui::Message& m) {
    if (!skin_.IsValidSkinIndex(section_))
        // Nothing to paint: the platform's button, which still answers the skin commands.
        return m.msg == ui::WM_SKINCOMMAND ? TacPaintedWnd::Handle(m) : TacMainWnd::Handle(m);
    switch (m.msg) {
    case WM_MOUSEMOVE: {
        m.result = CallPrevious(m);
        // Asked again on every move: a request made while the window was still appearing
        // under the cursor may have been dropped.
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, CtrlHandle(), 0};
        TrackMouseEvent(&track);
        if (!mouse_over_) {
            mouse_over_ = true;
            Repaint();
        }
        return true;
    }
    case WM_MOUSELEAVE:
        mouse_over_ = false;
        m.result = CallPrevious(m);
        Repaint();
        return true;
    case WM_SETFONT:
        // The caption follows the font its window is given later (a dialog sets its own).
        m.result = CallPrevious(m);
        font_ = reinterpret_cast<HFONT>(m.wParam);
        if (!font_)
            font_ = message_font_ ? message_font_ : (message_font_ = CreateMessageFont());
        Repaint();
        return true;
    default:
        if (DrawsAtOnce(m.msg)) {
            m.result = CallPrevious(m);
            Repaint();
            return true;
        }
        return TacPaintedWnd::Handle(m);
    }
}

TacButtonWnd::TacButtonWnd(ui::WinControl& button, const data::LoadedSkin& skin,
                           std::u16string section)
    : TacBtnWnd(button.Handle(), skin, std::move(section), std::u16string(button.Name()),
                reinterpret_cast<HFONT>(SendMessageW(button.Handle(), WM_GETFONT, 0, 0))) {}

} // namespace skin::windows
