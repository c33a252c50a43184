#pragma once

// The base of the window handlers: an object that sits on a window the engine dresses from
// outside (a platform control, a framework control without a skinned counterpart, a child of a
// platform dialog) in front of its own message processing. It marks the window with the
// "ACSBSC" property, answers the skin commands every handler answers, and comes off again in
// any order with other subclasses, since it sits on the window as a comctl32 subclass.

#include "skin/data/loaded_skin.h"
#include "skin/engine/skin_command_protocol.h"
#include "skin/render/colors.h"
#include "ui/procedure_chain.h"
#include "ui/window_subclass.h"

#include <functional>
#include <memory>
#include <string>
#include <windows.h>

namespace ui {
class WinControl;
}

namespace skin::windows {

// A platform colour as a skin colour value: both keep red in the low byte (the painters turn
// it into pixel order themselves).
inline render::Color ToSkinColor(COLORREF c) {
    return static_cast<render::Color>(c & 0xFFFFFF);
}

// A layer on the control that calls attach whenever the control's window is shown or made
// anew, so that an addition owned by the control puts its handler on the current window.
ui::ProcedureLayer AttachWhenShown(ui::WinControl& control, std::function<void()> attach);

// Keeps a handler of an owning component on the control's current window: a handler that was
// taken off, or sits on a window the control no longer has, makes way for a new one from make.
template <typename Handler, typename Make>
void RenewHandler(HWND window, std::unique_ptr<Handler>& handler, Make make) {
    if (!window)
        return;
    if (handler && (handler->Destroyed() || handler->CtrlHandle() != window))
        handler.reset();
    if (!handler)
        handler = make();
}

// The window property that marks a handled window. The handler itself is found in the
// engine's own registry (TacMainWnd::Of), never through the property's value.
inline constexpr wchar_t kHandledProperty[] = L"ACSBSC";

class TacMainWnd {
public:
    // name names the window in the diagnostic trace. The handler is on the window when the
    // constructor returns.
    TacMainWnd(HWND window, const data::LoadedSkin& skin, std::u16string name);
    virtual ~TacMainWnd();
    TacMainWnd(const TacMainWnd&) = delete;
    TacMainWnd& operator=(const TacMainWnd&) = delete;

    // The handler of a window, or none.
    static TacMainWnd* Of(HWND window);

    HWND CtrlHandle() const { return window_; }
    // The skin the handler paints with.
    const data::LoadedSkin& Skin() const { return skin_; }
    bool Destroyed() const { return destroyed_; }
    // While updating, nothing is painted (the skin commands SetUpdating and IsUpdating).
    bool Updating() const { return updating_; }
    // Takes the handler off: the window's procedure, property and look are its own again.
    void Detach();

    // Whether handlers switch the platform's visual style off on their windows (the engine's
    // option; on by default), and whether this one did.
    static bool& SwitchOffVisualStyles();
    bool VisualStyleOff() const { return visual_style_off_; }

protected:
    // Messages the handler takes first; true when consumed.
    virtual bool Handle(ui::Message& message);
    // After the outermost message the handler saw, while it is still attached.
    virtual void AfterMessage() {}
    // Around taking the handler off: before the subclass comes off, and after, while the
    // window may still exist. A derived handler whose hooks matter calls Detach() in its own
    // destructor.
    virtual void BeforeDetach() {}
    virtual void AfterDetach() {}
    LRESULT CallPrevious(ui::Message& message) const { return subclass_.CallPrevious(message); }
    void SetUpdating(bool updating) { updating_ = updating; }
    // Windows that keep the platform's visual style under a skin (dialog frames, menus).
    virtual bool KeepsVisualStyle() const { return false; }
    // Switches the window's visual style off when the option says so; derived handlers whose
    // KeepsVisualStyle() matters call it from their constructors.
    void SwitchVisualStyleOff();

    const data::LoadedSkin& skin_;
    std::u16string name_;

private:
    bool Dispatch(ui::Message& message);

    HWND window_;
    ui::WindowSubclass subclass_;
    bool destroyed_ = false;
    bool updating_ = false;
    bool visual_style_off_ = false;
    int depth_ = 0;
};

} // namespace skin::windows
