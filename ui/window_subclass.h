#pragma once

// Takes over the messages of a window the program did not create itself (a child of a
// platform dialog, the name editor of a tree view, any window the skin engine dresses): the
// handler sees each message first and passes what it does not handle on to the window's
// previous procedure. It is a comctl32 subclass (SetWindowSubclass), so several stack on one
// window, each passing on to the one below, and any of them can come off in any order.
//
// Detaching, or destroying this object, puts things back; the window's destruction detaches it
// too. Both are safe from inside the handler, even on WM_NCDESTROY: while the handler runs the
// subclass is only marked, and it comes off when the call returns.
//
// WM_SKINCOMMAND passes the skin command gate (ui/skin_command_gate.h) first: a refused
// command goes on to the window as its own message.

#include "ui/message.h"

#include <functional>
#include <windows.h>

namespace ui {

class WindowSubclass {
public:
    // Returns true when it handled the message (its result in message.result).
    using Handler = std::function<bool(Message& message)>;

    WindowSubclass() = default;
    ~WindowSubclass() { Detach(); }
    WindowSubclass(const WindowSubclass&) = delete;
    WindowSubclass& operator=(const WindowSubclass&) = delete;

    bool Attach(HWND window, Handler handler);
    void Detach();
    HWND Window() const;
    bool Attached() const { return state_ != nullptr; }

    // Hands a message to the procedures below this one; only valid inside the handler.
    LRESULT CallPrevious(const Message& message) const;

private:
    struct State;
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR data);

    State* state_ = nullptr;
};

} // namespace ui
