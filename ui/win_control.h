#pragma once

// A control with a window of its own: either of a window class of ours (forms, panels), whose
// procedure is the framework's trampoline, or of a platform class (BUTTON, EDIT,
// SysTreeView32), whose procedure the framework replaces and passes on.
//
// How a message reaches a handler: the platform calls the trampoline, which finds the control
// bound to the window and calls its WindowProc(); that is WndProc() unless somebody put a
// procedure in front; WndProc() calls the handler named after the message, and everything
// unhandled ends in DefaultHandler(): the platform class's own procedure or DefWindowProc.
// Notifications sent to a parent about a child (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR...) are
// reflected to the child as CN_ messages, so each control handles its own.

#include "ui/control.h"

#include <string>
#include <utility>
#include <vector>
#include <windows.h>

namespace ui {

enum ShiftState : unsigned { ssNone = 0, ssShift = 1, ssAlt = 2, ssCtrl = 4 };
ShiftState CurrentShiftState();

struct CreateParams {
    std::wstring class_name; // a platform class, or empty for the framework's own class
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD ex_style = 0;
    UINT class_style = CS_DBLCLKS;
};

class WinControl : public Control {
public:
    explicit WinControl(Component* owner);
    ~WinControl() override;

    // The window, created (with its parents) when first asked for.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    // The control bound to a window, or none.
    static WinControl* FromHandle(HWND window);
    // The control bound to the window or to its nearest ancestor that has one.
    static WinControl* FindControl(HWND window);

    const std::vector<Control*>& Controls() const { return controls_; }
    void InsertControl(Control& control);
    void RemoveControl(Control& control);

    void SetFocus();
    bool Focused() const;
    bool CanFocus() const;
    int TabOrder() const { return tab_order_; }
    void SetTabOrder(int order) { tab_order_ = order; }
    bool TabStop() const { return tab_stop_; }
    void SetTabStop(bool stop) { tab_stop_ = stop; }

    void Invalidate() override;
    void Update();
    // The size of the client area: the window's when it exists, else estimated from the bounds.
    virtual std::pair<int, int> ClientSize() const;

    std::function<void(Control& sender, WORD& key, ShiftState shift)> OnKeyDown;

    void WndProc(Message& message) override;
    void DefaultHandler(Message& message) override;

protected:
    virtual void CreateParams(ui::CreateParams& params);
    virtual void CreateWnd();
    // The owner of a top-level window; children have their parent instead.
    virtual HWND OwnerWindow() { return nullptr; }
    // Called once the window exists, before its children are created.
    virtual void HandleCreated() {}
    void RecreateWnd();

    // Own-class windows paint in two steps: the background, then the window-less children.
    virtual void PaintWindow(HDC dc, const RECT& area);
    void PaintControls(HDC dc, const RECT& area);

    // Key handling: CN_KEYDOWN decides whether a dialog key goes to the form; WM_KEYDOWN runs
    // the form's key preview and the OnKeyDown event. Returns true when the key was consumed.
    virtual void KeyDown(WORD& key, ShiftState shift);
    bool DoKeyDown(WORD& key);

    void BoundsChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void FontChanged() override;
    void TextChanged() override;
    const std::u16string& GetText() const override;
    void StoreText(std::u16string text) override;

    // The window handle, for controls that must not create it on demand.
    HWND handle_ = nullptr;

private:
    friend LRESULT CALLBACK TrampolineProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    void Bind(HWND window);
    void Unbind();
    static void RegisterOwnClass(const ui::CreateParams& params);

    bool HandleSetCursor(Message& message);
    void HandleMouseMove(Message& message);
    void HandleMouseLeave();
    bool ForwardMouseToGraphicChild(Message& message);
    GraphicControl* GraphicChildAt(int x, int y) const;
    bool ReflectToChild(Message& message);
    void HandleCNKeyDown(Message& message);
    void HandlePaint();
    void AnchorChildren(int width, int height);

    std::vector<Control*> controls_;
    WNDPROC platform_proc_ = nullptr; // the platform class's procedure, for platform classes
    bool own_class_ = false;
    bool tracking_mouse_ = false;
    GraphicControl* mouse_child_ = nullptr;
    GraphicControl* captured_child_ = nullptr;
    int tab_order_ = 0;
    bool tab_stop_ = false;
    mutable std::u16string window_text_;
};

} // namespace ui
