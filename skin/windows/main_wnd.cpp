#include "skin/windows/main_wnd.h"

#include "ui/win_control.h"

#include <map>

namespace skin::windows {

namespace {

std::map<HWND, TacMainWnd*>& Registry() {
    static std::map<HWND, TacMainWnd*> registry;
    return registry;
}

// The platform's theme switch, looked up at run time: without visual styles there is nothing to
// switch.
using SetWindowThemeProc = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
SetWindowThemeProc SetWindowThemeFunction() {
    static const SetWindowThemeProc proc = [] {
        HMODULE uxtheme = LoadLibraryW(L"uxtheme.dll");
        return uxtheme ? reinterpret_cast<SetWindowThemeProc>(
                             reinterpret_cast<void*>(GetProcAddress(uxtheme, "SetWindowTheme")))
                       : nullptr;
    }();
    return proc;
}

} // namespace

ui::ProcedureLayer AttachWhenShown(ui::WinControl& control, std::function<void()> attach) {
    return control.AddProcedureLayer(
        [attach = std::move(attach)](ui::Message& m, const ui::ProcedureChain::Next& next) {
            next(m);
            if (m.msg == ui::CM_SHOWINGCHANGED || m.msg == ui::CM_RECREATEWND)
                attach();
        });
}

bool& TacMainWnd::SwitchOffVisualStyles() {
    static bool on = true;
    return on;
}

void TacMainWnd::SwitchVisualStyleOff() {
    if (visual_style_off_ || destroyed_ || !SwitchOffVisualStyles() || KeepsVisualStyle())
        return;
    if (SetWindowThemeProc set_theme = SetWindowThemeFunction())
        // A class list no theme has: the window draws without a visual style. (Wine refuses
        // the empty list.)
        visual_style_off_ = SUCCEEDED(set_theme(window_, L" ", L" "));
}

TacMainWnd::TacMainWnd(HWND window, const data::LoadedSkin& skin, std::u16string name)
    : skin_(skin), name_(std::move(name)), window_(window) {
    Registry()[window] = this;
    SetPropW(window, kHandledProperty, reinterpret_cast<HANDLE>(1));
    subclass_.Attach(window, [this](ui::Message& m) { return Dispatch(m); });
    SwitchVisualStyleOff();
}

TacMainWnd::~TacMainWnd() {
    Detach();
}

TacMainWnd* TacMainWnd::Of(HWND window) {
    const auto found = Registry().find(window);
    return found == Registry().end() ? nullptr : found->second;
}

void TacMainWnd::Detach() {
    if (destroyed_)
        return;
    destroyed_ = true;
    BeforeDetach();
    subclass_.Detach();
    const auto found = Registry().find(window_);
    if (found != Registry().end() && found->second == this)
        Registry().erase(found);
    if (!IsWindow(window_))
        return;
    RemovePropW(window_, kHandledProperty);
    if (visual_style_off_) {
        if (SetWindowThemeProc set_theme = SetWindowThemeFunction())
            set_theme(window_, nullptr, nullptr);
        visual_style_off_ = false;
    }
    AfterDetach();
}

bool TacMainWnd::Dispatch(ui::Message& m) {
    ++depth_;
    bool consumed = false;
    try {
        consumed = Handle(m);
    } catch (...) {
        --depth_;
        throw;
    }
    --depth_;
    if (consumed && !destroyed_ && m.msg == ui::WM_SKINCOMMAND &&
        (HIWORD(m.wParam) == engine::SkinCmdSetNewSkin ||
         HIWORD(m.wParam) == engine::SkinCmdRefresh)) {
        // The window's own control hears of the new skin too (an edit lays its text out).
        const LRESULT own = m.result;
        CallPrevious(m);
        m.result = own;
    }
    if (depth_ == 0 && !destroyed_ && m.msg != WM_NCDESTROY && m.msg != WM_DESTROY)
        AfterMessage();
    return consumed;
}

bool TacMainWnd::Handle(ui::Message& m) {
    switch (m.msg) {
    case WM_NCDESTROY:
        // The window's own handling first; the handler goes after it.
        m.result = CallPrevious(m);
        Detach();
        return true;
    case ui::WM_SKINCOMMAND:
        switch (HIWORD(m.wParam)) {
        case engine::SkinCmdCtrlHandled:
            m.result = 1;
            return true;
        case engine::SkinCmdRemoveSkin:
            // The owner frees the handler; the window is its own again at once, and its
            // control hears the command.
            Detach();
            return false;
        case engine::SkinCmdSetUpdating:
            updating_ = m.lParam != 0;
            m.result = 1;
            return true;
        case engine::SkinCmdIsUpdating:
            m.result = updating_ ? 1 : 0;
            return true;
        default:
            return false;
        }
    default:
        return false;
    }
}

} // namespace skin::windows
