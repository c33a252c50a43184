#include "ui/window_subclass.h"

#include "ui/application.h"
#include "ui/skin_command_gate.h"

#include <commctrl.h>
#include <utility>

namespace ui {

// The subclass as the platform knows it. It lives until it is detached and no call of its
// procedure runs, whichever comes last, so that a handler may free its WindowSubclass.
struct WindowSubclass::State {
    HWND window;
    Handler handler;
    WindowSubclass* owner; // none once the owner let go
    int calls = 0;
    bool detached = false;

    UINT_PTR Id() const { return reinterpret_cast<UINT_PTR>(this); }
    // Comes off the window, now or when the running calls return.
    void Release() {
        owner = nullptr;
        detached = true;
        if (calls == 0)
            Remove();
    }
    void Remove() {
        RemoveWindowSubclass(window, Procedure, Id());
        delete this;
    }
};

bool WindowSubclass::Attach(HWND window, Handler handler) {
    Detach();
    if (!window)
        return false;
    auto* state = new State{window, std::move(handler), this};
    // The state's address tells its layer apart from others stacked on the same window.
    if (!SetWindowSubclass(window, Procedure, state->Id(), reinterpret_cast<DWORD_PTR>(state))) {
        delete state;
        return false;
    }
    state_ = state;
    return true;
}

void WindowSubclass::Detach() {
    if (State* state = std::exchange(state_, nullptr))
        state->Release();
}

HWND WindowSubclass::Window() const {
    return state_ ? state_->window : nullptr;
}

LRESULT WindowSubclass::CallPrevious(const Message& message) const {
    return state_ ? DefSubclassProc(state_->window, message.msg, message.wParam, message.lParam)
                  : 0;
}

LRESULT CALLBACK WindowSubclass::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR data) {
    auto* state = reinterpret_cast<State*>(data);
    ++state->calls;
    Message message{msg, wParam, lParam, 0};
    const bool refused = msg == WM_SKINCOMMAND &&
                         !SkinCommandAllowed(message, CurrentMessageSource(window, message));
    bool handled = false;
    if (!state->detached && !refused) {
        try {
            handled = state->handler && state->handler(message);
        } catch (...) {
            Application::Instance().HandleException(std::current_exception());
        }
    }
    // WM_NCDESTROY always goes on: the procedures below free what they keep for the window.
    const LRESULT result = handled && msg != WM_NCDESTROY
                               ? message.result
                               : DefSubclassProc(window, msg, wParam, lParam);
    if (msg == WM_NCDESTROY && !state->detached) {
        // The window's end detaches what is left on it.
        if (state->owner)
            state->owner->state_ = nullptr;
        state->owner = nullptr;
        state->detached = true;
    }
    if (--state->calls == 0 && state->detached)
        state->Remove();
    return result;
}

} // namespace ui
