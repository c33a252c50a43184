#pragma once

// The application object: its title, a hidden application window whose messages others can
// hook, the message loop with dialog-key routing, the top-level error handler and the
// notifications around modal windows.

#include "ui/message.h"

#include <exception>
#include <functional>
#include <list>
#include <string>
#include <vector>
#include <windows.h>

namespace ui {

class Form;

class Application {
public:
    // A hook sees every message of the application window first; returning true consumes it.
    using MessageHook = std::function<bool(Message&)>;
    using HookId = std::list<MessageHook>::iterator;

    static Application& Instance();

    // Creates the application window and derives the title from the executable's name.
    void Initialize();

    const std::u16string& Title() const { return title_; }
    void SetTitle(std::u16string title);
    HWND Handle() const { return window_; }

    Form* MainForm() const { return main_form_; }
    // Shows the main form and runs the message loop until it closes; returns the exit code.
    int Run(Form& main_form);
    // Processes the messages waiting in the queue, then returns.
    void ProcessMessages();
    void DispatchOne(MSG& msg);
    void Terminate();
    bool Terminated() const { return terminated_; }

    HookId HookMainWindow(MessageHook hook);
    void UnhookMainWindow(HookId id);

    // The top-level error handler: shows the error's message in an error box and carries on.
    void HandleException(std::exception_ptr error);
    std::function<void(const std::u16string& message)> OnShowError;
    void ShowError(const std::u16string& message);

    // Raised when a modal window starts and when it ends (the first start, the last end).
    std::function<void()> OnModalBegin;
    std::function<void()> OnModalEnd;
    void ModalStarted();
    void ModalFinished();
    int ModalLevel() const { return modal_level_; }
    std::vector<HWND> DisableTaskWindows(HWND except);

    // Sets the cursor of every window of the application (IDC_WAIT for busy, none to restore).
    void SetBusyCursor(bool busy);
    bool BusyCursor() const { return busy_; }

private:
    Application() = default;
    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    // Dialog keys go to the focused control first (CN_KEYDOWN); true when it used them up.
    bool IsKeyMessage(MSG& msg);

    HWND window_ = nullptr;
    std::u16string title_;
    Form* main_form_ = nullptr;
    std::list<MessageHook> hooks_;
    int modal_level_ = 0;
    bool terminated_ = false;
    bool busy_ = false;
    bool showing_error_ = false;
};

} // namespace ui
