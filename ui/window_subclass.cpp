#include "ui/window_subclass.h"

#include "ui/application.h"

#include <commctrl.h>

namespace ui {

bool WindowSubclass::Attach(HWND window, Handler handler) {
    Detach();
    handler_ = std::move(handler);
    // The object's address tells its layer apart from others stacked on the same window.
    if (!window || !SetWindowSubclass(window, Procedure, reinterpret_cast<UINT_PTR>(this),
                                      reinterpret_cast<DWORD_PTR>(this)))
        return false;
    window_ = window;
    return true;
}

void WindowSubclass::Detach() {
    if (window_)
        RemoveWindowSubclass(window_, Procedure, reinterpret_cast<UINT_PTR>(this));
    window_ = nullptr;
}

LRESULT WindowSubclass::CallPrevious(const Message& message) const {
    return DefSubclassProc(window_, message.msg, message.wParam, message.lParam);
}

LRESULT CALLBACK WindowSubclass::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<WindowSubclass*>(data);
    Message message{msg, wParam, lParam, 0};
    bool handled = false;
    try {
        handled = self->handler_ && self->handler_(message);
    } catch (...) {
        Application::Instance().HandleException(std::current_exception());
    }
    if (msg == WM_NCDESTROY) {
        const LRESULT result = DefSubclassProc(window, msg, wParam, lParam);
        self->Detach();
        return result;
    }
    return handled ? message.result : DefSubclassProc(window, msg, wParam, lParam);
}

} // namespace ui
