#include "ui/controls/edit.h"

namespace ui {

Edit::Edit(Component* owner) : WinControl(owner) {
    SetTabStop(true);
    color_ = SystemColor(COLOR_WINDOW);
}

void Edit::CreateParams(ui::CreateParams& params) {
    WinControl::CreateParams(params);
    params.class_name = L"EDIT";
    params.style |= ES_AUTOHSCROLL | WS_CLIPCHILDREN;
    if (border_)
        params.ex_style |= WS_EX_CLIENTEDGE;
}

void Edit::HandleCreated() {
    if (max_length_ > 0)
        SendMessageW(handle_, EM_LIMITTEXT, static_cast<WPARAM>(max_length_), 0);
    if (right_margin_ > 0)
        SendMessageW(handle_, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, right_margin_));
}

void Edit::SetMaxLength(int length) {
    max_length_ = length;
    if (handle_)
        SendMessageW(handle_, EM_LIMITTEXT, static_cast<WPARAM>(length), 0);
}

void Edit::SetRightMargin(int pixels) {
    right_margin_ = pixels;
    if (handle_)
        SendMessageW(handle_, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, pixels));
}

void Edit::SelectAll() {
    if (handle_)
        SendMessageW(handle_, EM_SETSEL, 0, -1);
}

void Edit::WndProc(Message& message) {
    switch (message.msg) {
    case CN_COMMAND:
        if (HIWORD(message.wParam) == EN_CHANGE && OnChange)
            OnChange(*this);
        return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC: {
        if (background_color_ != color_) {
            if (background_)
                DeleteObject(background_);
            background_ = CreateSolidBrush(ColorToRgb(color_));
            background_color_ = color_;
        }
        HDC dc = reinterpret_cast<HDC>(message.wParam);
        SetTextColor(dc, ColorToRgb(font_.color));
        SetBkColor(dc, ColorToRgb(color_));
        message.result = reinterpret_cast<LRESULT>(background_);
        return;
    }
    case WM_NCDESTROY:
        WinControl::WndProc(message);
        if (background_)
            DeleteObject(background_);
        background_ = nullptr;
        background_color_ = ColorNone;
        return;
    }
    WinControl::WndProc(message);
}

} // namespace ui
