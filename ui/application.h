#pragma once

// The application object: its title, a hidden application window whose messages others can
// hook, the forms in the order they were created and the main form among them, the message
// loop with dialog-key routing, the terminating state, the timer service, the top-level error
// handler and the notifications around modal windows.

#include "ui/message.h"
#include "ui/procedure_chain.h"
#include "ui/timer_service.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace ui {

class Form;

class Application {
public:
    // A hook sees the messages of the application window before those hooked earlier; true
    // consumes the message (its result in message.result).
    using MessageHook = std::function<bool(Message&)>;

    static Application& Instance();

    // Creates the application window and derives the title from the executable's name.
    void Initialize();

    const std::u16string& Title() const { return title_; }
    void SetTitle(std::u16string title);
    HWND Handle() const { return window_; }

    // Every form that exists, in the order of creation. A form being destroyed is still listed
    // (Destroying() tells) until its destructor ends.
    const std::vector<Form*>& Forms() const { return forms_; }
    // The first form created; when it is gone, the next form created takes its place.
    Form* MainForm() const { return main_form_; }
    // Shows the main form and runs the message loop until it closes; returns the exit code.
    int Run(Form& main_form);
    // Processes the messages waiting in the queue, then returns.
    void ProcessMessages();
    void DispatchOne(MSG& msg);
    void Terminate();
    // The message loop has ended.
    bool Terminated() const { return terminated_; }
    // The main form has begun to close (hidden, destroyed or being freed): windows are going
    // away for good, so nothing is animated or rebuilt any more.
    bool Terminating() const { return terminating_; }
    void BeginTerminating() { terminating_ = true; }

    // Removing the hook (destroying the handle) is safe at any time, also from inside a hook.
    [[nodiscard]] ProcedureLayer HookMainWindow(MessageHook hook);

    TimerService& Timers() { return timers_; }

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
    friend class Form;
    Application();
    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    // Dialog keys go to the focused control first (CN_KEYDOWN); true when it used them up.
    bool IsKeyMessage(MSG& msg);
    void AddForm(Form& form);
    void RemoveForm(Form& form);
    void FormDestroying(Form& form);

    HWND window_ = nullptr;
    std::u16string title_;
    std::vector<Form*> forms_;
    Form* main_form_ = nullptr;
    std::shared_ptr<ProcedureChain> hooks_;
    TimerService timers_;
    int modal_level_ = 0;
    bool running_ = false;
    bool terminated_ = false;
    bool terminating_ = false;
    bool busy_ = false;
    bool showing_error_ = false;
};

} // namespace ui
