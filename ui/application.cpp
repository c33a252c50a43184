#include "ui/application.h"

#include "core/error.h"
#include "core/text.h"
#include "ui/form.h"
#include "ui/skin_command_gate.h"
#include "ui/text_rules.h"
#include "ui/wide.h"

#include <algorithm>

namespace ui {

Application::Application() {
    hooks_ = ProcedureChain::Create([this](Message& message) {
        message.result = DefWindowProcW(window_, message.msg, message.wParam, message.lParam);
    });
}

Application& Application::Instance() {
    static Application application;
    return application;
}

void Application::Initialize() {
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    title_ = ApplicationTitle(FromWide(std::wstring_view(path, length)));

    WNDCLASSEXW window_class{sizeof(window_class)};
    window_class.lpfnWndProc = WindowProc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"Arbordir.Application";
    RegisterClassExW(&window_class);
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, window_class.lpszClassName, Wide(title_), WS_POPUP,
                              0, 0, 0, 0, nullptr, nullptr, window_class.hInstance, nullptr);
}

void Application::SetTitle(std::u16string title) {
    title_ = std::move(title);
    if (window_)
        SetWindowTextW(window_, Wide(title_));
}

LRESULT CALLBACK Application::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    Application& application = Instance();
    if (window != application.window_) // the messages of its creation
        return DefWindowProcW(window, msg, wParam, lParam);
    Message message{msg, wParam, lParam, 0};
    if (msg == WM_SKINCOMMAND &&
        !SkinCommandAllowed(message, CurrentMessageSource(window, message)))
        return 0;
    try {
        application.hooks_->Dispatch(message);
    } catch (...) {
        application.HandleException(std::current_exception());
        return 0;
    }
    return message.result;
}

ProcedureLayer Application::HookMainWindow(MessageHook hook) {
    return hooks_->Add(
        [hook = std::move(hook)](Message& message, const ProcedureChain::Next& next) {
            if (!hook(message))
                next(message);
        });
}

void Application::AddForm(Form& form) {
    forms_.push_back(&form);
    if (!main_form_)
        main_form_ = &form;
}

void Application::RemoveForm(Form& form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), &form), forms_.end());
    if (main_form_ == &form) {
        // The next form created leads a new life of the program (tests build one after another).
        main_form_ = nullptr;
        terminating_ = false;
    }
}

void Application::FormDestroying(Form& form) {
    if (&form != main_form_)
        return;
    terminating_ = true;
    if (running_)
        PostQuitMessage(0);
}

int Application::Run(Form& main_form) {
    if (!main_form_)
        main_form_ = &main_form;
    running_ = true;
    main_form.Show();
    MSG msg{};
    while (!terminated_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        DispatchOne(msg);
    }
    running_ = false;
    terminated_ = true;
    return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}

void Application::DispatchOne(MSG& msg) {
    if (IsKeyMessage(msg))
        return;
    TranslateMessage(&msg);
    if (msg.message == WM_SKINCOMMAND) {
        PostedMessageScope posted(msg);
        DispatchMessageW(&msg);
        return;
    }
    DispatchMessageW(&msg);
}

void Application::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        DispatchOne(msg);
    }
}

void Application::Terminate() {
    PostQuitMessage(0);
}

bool Application::IsKeyMessage(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return false;
    WinControl* control = WinControl::FindControl(msg.hwnd);
    if (!control)
        return false;
    return control->Perform(CN_KEYDOWN, msg.wParam, msg.lParam) != 0;
}

void Application::HandleException(std::exception_ptr error) {
    std::u16string message;
    try {
        std::rethrow_exception(error);
    } catch (const core::Error& e) {
        message = e.Message();
    } catch (const std::exception& e) {
        message = core::FromUtf8(e.what());
    } catch (...) {
        message = u"Unknown error";
    }
    ShowError(message);
}

void Application::ShowError(const std::u16string& message) {
    // An error raised while the box is up (a paint handler failing again) must not stack boxes.
    if (showing_error_)
        return;
    showing_error_ = true;
    const std::u16string text = WithFullStop(message);
    if (OnShowError) {
        OnShowError(text);
    } else {
        HWND owner = main_form_ && main_form_->HandleAllocated() ? main_form_->Handle() : window_;
        ModalStarted();
        MessageBoxW(owner, Wide(text), Wide(title_), MB_OK | MB_ICONERROR);
        ModalFinished();
    }
    showing_error_ = false;
}

void Application::ModalStarted() {
    if (modal_level_++ == 0 && OnModalBegin)
        OnModalBegin();
}

void Application::ModalFinished() {
    if (--modal_level_ == 0 && OnModalEnd)
        OnModalEnd();
}

std::vector<HWND> Application::DisableTaskWindows(HWND except) {
    struct Context {
        HWND except;
        std::vector<HWND> disabled;
    } context{except, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* context = reinterpret_cast<Context*>(data);
            if (window != context->except && IsWindowVisible(window) && IsWindowEnabled(window)) {
                EnableWindow(window, FALSE);
                context->disabled.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&context));
    return context.disabled;
}

void Application::SetBusyCursor(bool busy) {
    busy_ = busy;
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

} // namespace ui
