#pragma once

// Takes over the messages of a window the program did not create itself (a child of a
// platform dialog, the name editor of a tree view): the handler sees each message first and
// passes what it does not handle on to the window's previous procedure. Detaching, or
// destroying this object, puts things back; the window's destruction detaches it too.
// Several subclasses may stack on one window; each passes on to the one below.

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
    HWND Window() const { return window_; }
    bool Attached() const { return window_ != nullptr; }

    // Hands a message to the procedures below this one; only valid inside the handler.
    LRESULT CallPrevious(const Message& message) const;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR data);

    HWND window_ = nullptr;
    Handler handler_;
};

} // namespace ui
