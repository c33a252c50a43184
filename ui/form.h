#pragma once

// A top-level window holding controls: modal showing with a modal result, dialog keys, key
// preview, the creation handler and the active control.

#include "ui/win_control.h"

#include <functional>

namespace ui {

enum class BorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum BorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
enum class FormPosition { poDesigned, poScreenCenter, poOwnerFormCenter };

enum class WindowState { wsNormal, wsMinimized, wsMaximized };

enum ModalResult : int { mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrYes = IDYES, mrNo = IDNO };

class Button;

// Forms register with the application in the order they are created (Application::Forms);
// the first one becomes the main form.
class Form : public WinControl {
public:
    explicit Form(Component* owner);
    ~Form() override;

    std::u16string_view ClassName() const override { return u"TForm"; }

    void SetClientSize(int width, int height);
    std::pair<int, int> ClientSize() const override;
    // The smallest window size the user can drag the frame to; 0 leaves a side free.
    void SetMinSize(int width, int height) { min_width_ = width, min_height_ = height; }
    BorderStyle GetBorderStyle() const { return border_style_; }
    void SetBorderStyle(BorderStyle style) { border_style_ = style; }
    unsigned BorderIcons() const { return border_icons_; }
    void SetBorderIcons(unsigned icons) { border_icons_ = icons; }
    // Normal, minimised or maximised: the window's, or normal while it has none.
    WindowState GetWindowState() const;
    void SetWindowState(WindowState state);
    // The form's own icon (none: the class icon, the program's first icon, shows), set with
    // WM_SETICON as the big and the small icon. The form does not own it.
    HICON Icon() const { return icon_; }
    void SetIcon(HICON icon);
    void SetPosition(FormPosition position) { position_ = position; }
    bool KeyPreview() const { return key_preview_; }
    void SetKeyPreview(bool preview) { key_preview_ = preview; }

    void Show();
    // Closes the form: a modal form ends its loop; any other form hides first, so that whoever
    // animates its going still has the window, and is then destroyed. The main form's close
    // puts the application in its terminating state.
    void Close();
    // Shows the form and runs a message loop until its modal result is set or it closes; the
    // other windows of the application are disabled meanwhile.
    int ShowModal();
    int GetModalResult() const { return modal_result_; }
    void SetModalResult(int result) { modal_result_ = result; }

    WinControl* ActiveControl() const { return active_control_; }
    void SetActiveControl(WinControl* control);
    // Moves the focus to the next (or previous) control that takes it, in tab order.
    void SelectNext(bool forward);
    void ActiveControlChanged(WinControl& control) { active_control_ = &control; }
    // A control of the form is going: the form keeps no pointer to it.
    void ForgetControl(const Control& control);

    // Buttons that Enter and Escape press through the standard dialog-key handling.
    void SetDefaultButton(Button* button) { default_button_ = button; }
    void SetCancelButton(Button* button) { cancel_button_ = button; }

    std::function<void(Form&)> OnCreate;
    std::function<void(Form&)> OnDestroy;

    void WndProc(Message& message) override;
    using WinControl::KeyDown;

protected:
    void CreateParams(ui::CreateParams& params) override;
    HWND OwnerWindow() override;
    void HandleCreated() override;
    // Builds the form: call at the end of a derived constructor, once every control exists.
    // Ends the loading state of all components (Loaded) and runs the creation handler.
    void FinishCreation();
    // Tab, Enter and Escape when the focused control does not want them. Answer 1 in the
    // message result when the key was used up.
    virtual void CMDialogKey(Message& message);
    void ClientSizeToBounds();

private:
    void CenterOnScreen();
    void CollectTabStops(WinControl& parent, std::vector<WinControl*>& list);

    int client_width_ = 0;
    int min_width_ = 0;
    int min_height_ = 0;
    int client_height_ = 0;
    BorderStyle border_style_ = BorderStyle::bsSizeable;
    unsigned border_icons_ = biSystemMenu | biMinimize | biMaximize;
    FormPosition position_ = FormPosition::poDesigned;
    bool key_preview_ = false;
    bool modal_ = false;
    int modal_result_ = mrNone;
    HICON icon_ = nullptr;
    WinControl* active_control_ = nullptr;
    Button* default_button_ = nullptr;
    Button* cancel_button_ = nullptr;
};

} // namespace ui
