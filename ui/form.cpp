#include "ui/form.h"

#include "ui/application.h"
#include "ui/controls/button.h"

#include <algorithm>

namespace ui {

Form::Form(Component* owner) : WinControl(owner) {
    visible_ = false;
    color_ = SystemColor(COLOR_BTNFACE);
    Application::Instance().AddForm(*this);
}

Form::~Form() {
    BeginDestroy();
    if (handle_ && OnDestroy)
        OnDestroy(*this);
    // What the form owns goes while the form is whole, its window included.
    DestroyComponents();
    // Destroy while this is still a Form, so that WM_DESTROY reaches the form's handling.
    if (handle_)
        DestroyWindow(handle_);
    Application::Instance().RemoveForm(*this);
}

void Form::ForgetControl(const Control& control) {
    if (active_control_ == &control)
        active_control_ = nullptr;
    if (default_button_ == &control)
        default_button_ = nullptr;
    if (cancel_button_ == &control)
        cancel_button_ = nullptr;
}

WindowState Form::GetWindowState() const {
    if (handle_ && IsIconic(handle_))
        return WindowState::wsMinimized;
    if (handle_ && IsZoomed(handle_))
        return WindowState::wsMaximized;
    return WindowState::wsNormal;
}

void Form::SetWindowState(WindowState state) {
    if (!handle_ || state == GetWindowState())
        return;
    switch (state) {
    case WindowState::wsNormal:
        ShowWindow(handle_, SW_RESTORE);
        break;
    case WindowState::wsMinimized:
        ShowWindow(handle_, SW_MINIMIZE);
        break;
    case WindowState::wsMaximized:
        ShowWindow(handle_, SW_MAXIMIZE);
        break;
    }
}

void Form::SetIcon(HICON icon) {
    icon_ = icon;
    if (handle_) {
        SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}

void Form::FinishCreation() {
    FinishLoading();
    if (OnCreate)
        OnCreate(*this);
}

void Form::CreateParams(ui::CreateParams& params) {
    WinControl::CreateParams(params);
    params.style &= ~(WS_CHILD | WS_VISIBLE);
    params.style |= WS_CLIPCHILDREN;
    switch (border_style_) {
    case BorderStyle::bsNone:
        params.style |= WS_POPUP;
        break;
    case BorderStyle::bsSingle:
        params.style |= WS_CAPTION | WS_BORDER;
        break;
    case BorderStyle::bsSizeable:
        params.style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case BorderStyle::bsDialog:
        params.style |= WS_CAPTION | DS_MODALFRAME;
        params.ex_style |= WS_EX_DLGMODALFRAME;
        break;
    }
    if (border_style_ != BorderStyle::bsNone && (border_icons_ & biSystemMenu)) {
        params.style |= WS_SYSMENU;
        if (border_style_ != BorderStyle::bsDialog) {
            if (border_icons_ & biMinimize)
                params.style |= WS_MINIMIZEBOX;
            if (border_icons_ & biMaximize)
                params.style |= WS_MAXIMIZEBOX;
        }
    }
}

HWND Form::OwnerWindow() {
    // Other forms stay above the main form and leave the taskbar to it.
    Form* main = Application::Instance().MainForm();
    return main && main != this && main->HandleAllocated() ? main->Handle() : nullptr;
}

void Form::HandleCreated() {
    ClientSizeToBounds();
    if (position_ == FormPosition::poScreenCenter)
        CenterOnScreen();
    SetWindowPos(handle_, nullptr, bounds_.left, bounds_.top, bounds_.width, bounds_.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (icon_)
        SetIcon(icon_);
}

void Form::SetClientSize(int width, int height) {
    client_width_ = width;
    client_height_ = height;
    ClientSizeToBounds();
}

std::pair<int, int> Form::ClientSize() const {
    if (!handle_ && client_width_ > 0 && client_height_ > 0)
        return {client_width_, client_height_};
    return WinControl::ClientSize();
}

void Form::ClientSizeToBounds() {
    if (client_width_ <= 0 || client_height_ <= 0)
        return;
    ui::CreateParams params;
    params.style = WS_OVERLAPPED;
    CreateParams(params);
    RECT area{0, 0, client_width_, client_height_};
    AdjustWindowRectEx(&area, params.style, FALSE, params.ex_style);
    bounds_.width = area.right - area.left;
    bounds_.height = area.bottom - area.top;
    if (handle_) {
        // The frame the platform really draws may differ from the estimate; correct once.
        RECT client;
        GetClientRect(handle_, &client);
        RECT window;
        GetWindowRect(handle_, &window);
        if (client.right > 0 || client.bottom > 0) {
            bounds_.width = (window.right - window.left) - client.right + client_width_;
            bounds_.height = (window.bottom - window.top) - client.bottom + client_height_;
        }
    }
}

void Form::CenterOnScreen() {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    bounds_.left = work.left + (work.right - work.left - bounds_.width) / 2;
    bounds_.top = work.top + (work.bottom - work.top - bounds_.height) / 2;
}

void Form::Show() {
    HWND window = Handle();
    visible_ = true;
    ShowWindow(window, SW_SHOW);
    // The real frame is known now: fix the client size and the centring.
    RECT client;
    GetClientRect(window, &client);
    if (client_width_ > 0 && (client.right != client_width_ || client.bottom != client_height_)) {
        ClientSizeToBounds();
        if (position_ == FormPosition::poScreenCenter)
            CenterOnScreen();
        SetWindowPos(window, nullptr, bounds_.left, bounds_.top, bounds_.width, bounds_.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetForegroundWindow(window);
    if (active_control_)
        active_control_->SetFocus();
    else
        SelectNext(true);
}

void Form::Close() {
    if (modal_) {
        if (modal_result_ == mrNone)
            modal_result_ = mrCancel;
        return;
    }
    Application& application = Application::Instance();
    if (application.MainForm() == this)
        application.BeginTerminating();
    if (!handle_)
        return;
    ShowWindow(handle_, SW_HIDE);
    visible_ = false;
    DestroyWindow(handle_);
}

int Form::ShowModal() {
    Application& application = Application::Instance();
    modal_ = true;
    modal_result_ = mrNone;
    std::vector<HWND> disabled = application.DisableTaskWindows(Handle());
    application.ModalStarted();
    Show();
    MSG msg;
    while (modal_result_ == mrNone && handle_) {
        if (!GetMessageW(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        application.DispatchOne(msg);
    }
    modal_ = false;
    for (HWND window : disabled)
        EnableWindow(window, TRUE);
    if (handle_)
        ShowWindow(handle_, SW_HIDE);
    visible_ = false;
    application.ModalFinished();
    return modal_result_ == mrNone ? mrCancel : modal_result_;
}

void Form::SetActiveControl(WinControl* control) {
    active_control_ = control;
    if (control && handle_ && IsWindowVisible(handle_))
        control->SetFocus();
}

void Form::CollectTabStops(WinControl& parent, std::vector<WinControl*>& list) {
    std::vector<WinControl*> children;
    for (Control* child : parent.Controls())
        if (auto* windowed = dynamic_cast<WinControl*>(child))
            children.push_back(windowed);
    std::stable_sort(children.begin(), children.end(),
                     [](WinControl* a, WinControl* b) { return a->TabOrder() < b->TabOrder(); });
    for (WinControl* child : children) {
        if (child->TabStop() && child->CanFocus())
            list.push_back(child);
        CollectTabStops(*child, list);
    }
}

void Form::SelectNext(bool forward) {
    std::vector<WinControl*> stops;
    CollectTabStops(*this, stops);
    if (stops.empty())
        return;
    auto current = std::find(stops.begin(), stops.end(), active_control_);
    std::size_t index = 0;
    if (current != stops.end()) {
        const std::size_t at = static_cast<std::size_t>(current - stops.begin());
        index = forward ? (at + 1) % stops.size() : (at + stops.size() - 1) % stops.size();
    } else if (!forward) {
        index = stops.size() - 1;
    }
    SetActiveControl(stops[index]);
}

void Form::CMDialogKey(Message& message) {
    message.result = 0;
    switch (message.wParam) {
    case VK_TAB:
        if (!(CurrentShiftState() & (ssCtrl | ssAlt))) {
            SelectNext(!(CurrentShiftState() & ssShift));
            message.result = 1;
        }
        break;
    case VK_RETURN:
        if (default_button_ && default_button_->CanFocus()) {
            default_button_->Press();
            message.result = 1;
        }
        break;
    case VK_ESCAPE:
        if (cancel_button_ && cancel_button_->CanFocus()) {
            cancel_button_->Press();
            message.result = 1;
        }
        break;
    }
}

void Form::WndProc(Message& message) {
    switch (message.msg) {
    case CM_DIALOGKEY:
        CMDialogKey(message);
        return;
    case WM_CLOSE:
        Close();
        return;
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(message.lParam);
        WinControl::WndProc(message);
        if (min_width_ > 0)
            limits->ptMinTrackSize.x = min_width_;
        if (min_height_ > 0)
            limits->ptMinTrackSize.y = min_height_;
        return;
    }
    case WM_DESTROY:
        Application::Instance().FormDestroying(*this);
        break;
    case WM_ACTIVATE:
        if (LOWORD(message.wParam) != WA_INACTIVE && active_control_ &&
            active_control_->HandleAllocated()) {
            WinControl::WndProc(message);
            active_control_->SetFocus();
            return;
        }
        break;
    }
    WinControl::WndProc(message);
}

} // namespace ui
