#pragma once

// A control with a window of its own: either of a window class of ours (forms, panels), whose
// procedure is the framework's trampoline, or of a platform class (BUTTON, EDIT,
// SysTreeView32), which the framework subclasses with SetWindowSubclass and passes on.
//
// How a message reaches a handler: the platform calls the trampoline (or the framework's
// subclass procedure), which finds the control bound to the window and runs the message
// through its procedure chain: the layers put in front, then WndProc(), which calls the handler
// named after the message; everything unhandled ends in DefaultHandler(): the procedures below
// the framework's subclass, or DefWindowProc. Notifications sent to a parent about a child
// (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR...) are reflected to the child as CN_ messages, so each
// control handles its own.

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

    std::u16string_view ClassName() const override { return u"TWinControl"; }

    // The window, created (with its parents) when first asked for.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    // The control bound to a window, or none.
    static WinControl* FromHandle(HWND window);
    // The control bound to the window or to its nearest ancestor that has one.
    static WinControl* FindControl(HWND window);
    // Destroys the window and creates it anew with the current parameters; the control and
    // everything attached to it is told with CM_RECREATEWND.
    void RecreateWnd();
    // Sends a message straight to the window's class procedure, past the framework's subclass,
    // any other subclass and every procedure layer. For bulk traffic that only the platform
    // control needs to see (thousands of tree items): going through comctl32's subclass chain
    // costs tens of microseconds a message under Wine. Own-class windows get DefWindowProc;
    // without a window the answer is 0.
    LRESULT CallClassProcedure(UINT msg, WPARAM wParam, LPARAM lParam) const;

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
    // The window is on screen: it and all its ancestors are visible.
    bool Showing() const { return showing_; }
    // The mouse is over the window's non-client area.
    bool MouseInNonClient() const { return tracking_non_client_; }

    void Invalidate() override;
    void Update();
    // The size of the client area: the window's when it exists, else estimated from the bounds.
    virtual std::pair<int, int> ClientSize() const;

    // Paints the client area (background, then the window-less children) into `dc`, whose
    // origin is the client area's top left corner; only `area` needs to be right. The painting
    // behind WM_PAINT, WM_PAINT with a device context and WM_PRINTCLIENT of own-class windows.
    void PaintTo(HDC dc, const RECT& area);
    // Paints the window-less children that meet `area` into `dc` (origin at the client area's
    // corner), each with the origin moved to its corner and clipped to its bounds.
    void PaintControls(HDC dc, const RECT& area);

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

    // The control's own background: a fill with its colour. Own-class windows paint it when no
    // procedure layer answered the background request (WM_ERASEBKGND whose WParam and LParam
    // hold the same device context) first.
    virtual void PaintWindow(HDC dc, const RECT& area);

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
    friend struct WindowBinding;
    static LRESULT CALLBACK PlatformProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
    LRESULT Dispatch(Message& message);
    void PaintAfterError(Message& message);
    void Bind(HWND window);
    void Unbind();
    void SubclassPlatformWindow(HWND window);
    static void RegisterOwnClass(const ui::CreateParams& params);

    bool HandleSetCursor(Message& message);
    void HandleMouseMove(Message& message);
    void HandleMouseLeave();
    void HandleNonClientMouseMove();
    void HandleNonClientMouseLeave();
    bool ForwardMouseToGraphicChild(Message& message);
    GraphicControl* GraphicChildAt(int x, int y) const;
    bool ReflectToChild(Message& message);
    void HandleCNKeyDown(Message& message);
    void HandlePaint(Message& message);
    bool PaintBackground(HDC dc, const RECT& area);
    void AnchorChildren(int width, int height);
    void UpdateShowing();

    std::vector<Control*> controls_;
    WNDPROC class_proc_ = nullptr;              // below the framework's subclass, platform classes
    const Message* platform_message_ = nullptr; // the message the subclass procedure is running
    HWND previous_handle_ = nullptr;            // the last window, once it is gone
    bool own_class_ = false;
    bool showing_ = false;
    bool tracking_mouse_ = false;
    bool tracking_non_client_ = false;
    GraphicControl* mouse_child_ = nullptr;
    GraphicControl* captured_child_ = nullptr;
    int tab_order_ = 0;
    bool tab_stop_ = false;
    mutable std::u16string window_text_;
};

} // namespace ui
