#pragma once

// Dressing the windows the program does not dress itself, caught by the window-creation watch
// (skin/engine/creation_hook.h):
//
// - Forms of the program without a skin provider of their own (the message and input forms
//   built at run time) get one when they are activated. A message form ("TMessageForm") needs
//   the standard-dialogs rule, any other form the standard-forms rule; a form whose Tag holds
//   all bits of -98, and the classes "TApplication" and "TfcPopup", are never dressed.
// - Platform dialogs ("#32770": message boxes, the open dialog) get a TacDialogWnd when they are
//   created: without an owner, or owned by a window of this thread (all of the program's
//   dialogs are owned by its forms), while at most one other dressed dialog is visible or the
//   dialog holds a toolbar.
//
// A TacDialogWnd wears the skin's "DIALOG" frame through a TsSkinProvider on the foreign window,
// moves a message box to the position its caller asked for, and gives the dialog's children
// their handlers (skin/frame/dialog_rules.h) once they exist: after WM_INITDIALOG, on showing
// and on activation, so that children created late are dressed too. It frees itself on the
// dialog's own WM_NCDESTROY.

#include "skin/engine/creation_hook.h"
#include "skin/windows/dialog_children.h"
#include "skin/windows/frame_skin_source.h"
#include "skin/windows/main_wnd.h"
#include "skin/windows/skin_provider.h"
#include "ui/window_subclass.h"

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>
#include <windows.h>

namespace skin::windows {

class TacDialogSkinner;

// What the skin manager tells the skinner, asked afresh at every event.
struct DialogSkinSettings {
    const FrameSkinSource* Source = nullptr; // null: no skin, nothing is dressed
    bool StdForms = true;
    bool StdDialogs = true;
    int DialogShowTime = 0; // ms; 0: dialogs appear and vanish without animation
    int DialogHideTime = 0;
};

class TacDialogWnd {
public:
    TacDialogWnd(HWND dialog, TacDialogSkinner& skinner);
    ~TacDialogWnd();
    TacDialogWnd(const TacDialogWnd&) = delete;
    TacDialogWnd& operator=(const TacDialogWnd&) = delete;

    HWND Window() const { return window_; }
    // The frame, once the dialog's children exist (null before).
    TsSkinProvider* Frame() const { return frame_.get(); }
    bool Dressed() const { return frame_ != nullptr; }
    // The children that carry a handler now.
    std::vector<HWND> HandledChildren() const;

    // Puts on the frame and dresses the children that exist.
    void Dress();
    // Gives a handler to every child that has none yet (idempotent).
    void MapChildren();

private:
    bool Handle(ui::Message& m);
    bool CtlColor(ui::Message& m);
    render::TCacheInfo Behind(HWND child) const;
    HBRUSH BrushOf(COLORREF colour);

    HWND window_;
    TacDialogSkinner& skinner_;
    ui::WindowSubclass subclass_;
    std::unique_ptr<TsSkinProvider> frame_;
    struct Child {
        std::unique_ptr<TacMainWnd> Handler;
        frame::ChildMapping Mapping;
    };
    std::map<HWND, Child> children_;
    std::set<HWND> left_alone_; // children whose class has no handler
    std::map<COLORREF, HBRUSH> brushes_;
    int settling_rounds_ = 0; // looks at the children again while the dialog settles
};

class TacDialogSkinner {
public:
    explicit TacDialogSkinner(std::function<DialogSkinSettings()> settings);
    ~TacDialogSkinner();
    TacDialogSkinner(const TacDialogSkinner&) = delete;
    TacDialogSkinner& operator=(const TacDialogSkinner&) = delete;

    // The position the message box being shown asked for ({-1, -1}: the platform's choice).
    std::function<POINT()> RequestedPosition;

    TacDialogWnd* DialogOf(HWND window) const;
    std::size_t DialogCount() const { return dialogs_.size(); }
    DialogSkinSettings Settings() const { return settings_(); }
    // Lets go of every dialog: the platform draws them again.
    void FreeAll();
    // Before the skin the handlers paint with goes: lets go of every dialog and returns their
    // windows, which Redress dresses again with the new skin.
    std::vector<HWND> Release();
    void Redress(const std::vector<HWND>& windows);

private:
    friend class TacDialogWnd;
    void Created(HWND window);
    void Activated(HWND window);
    // The checks before either rule.
    bool MayDress(HWND window, const DialogSkinSettings& settings) const;
    void TryForm(HWND window, const DialogSkinSettings& settings);
    void TryDialog(HWND window, const DialogSkinSettings& settings);
    void Forget(TacDialogWnd* dialog);

    std::function<DialogSkinSettings()> settings_;
    std::vector<std::unique_ptr<TacDialogWnd>> dialogs_;
    engine::CreationRuleHandle dialog_rule_;
    engine::CreationRuleHandle window_rule_;
};

// Rule A's test of a form's Tag: all bits of -98 set.
inline bool TagExcludesForm(std::intptr_t tag) {
    return (tag & -98) == -98;
}

} // namespace skin::windows
