#include "ui/win_control.h"

#include "core/error.h"
#include "core/text.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/skin_command_gate.h"
#include "ui/trace.h"
#include "ui/win32_error.h"

#include <algorithm>
#include <commctrl.h>
#include <set>
#include <unordered_map>
#include <utility>
#include <windowsx.h>

namespace ui {

namespace {

constexpr wchar_t kControlProperty[] = L"ArbordirControl";

// The controls by their windows, looked up for every message. The window property says the same
// to whoever looks from outside, but reading it is a call into the Wine server each time.
std::unordered_map<HWND, WinControl*>& BoundControls() {
    static std::unordered_map<HWND, WinControl*> controls;
    return controls;
}
constexpr wchar_t kOwnClassPrefix[] = L"Arbordir.";
// Tells the framework's subclass apart from others stacked on a platform window.
constexpr UINT_PTR kFrameworkSubclass = 0xA7B0;

// An own-class window being created. The window's first messages (WM_GETMINMAXINFO comes before
// WM_NCCREATE) arrive before CreateWindowEx returns its handle; a creation hook may create
// windows of its own meanwhile, so the creations nest.
struct Creation {
    WinControl* control;
    HWND window;
};
std::vector<Creation> g_creations; // the innermost last

bool IsPaintMessage(UINT msg) {
    return msg == WM_PAINT || msg == WM_NCPAINT || msg == WM_ERASEBKGND || msg == WM_PRINT ||
           msg == WM_PRINTCLIENT;
}

// A painting error is never shown in a box (it would come back with every paint); the trace
// and the debugger output tell it.
void ReportPaintError(const Control& control, std::exception_ptr error) {
    std::string text = "unknown error";
    try {
        std::rethrow_exception(error);
    } catch (const core::Error& e) {
        text = core::ToUtf8(e.Message());
    } catch (const std::exception& e) {
        text = e.what();
    } catch (...) {
    }
    OutputDebugStringA(("Arbordir: painting failed: " + text + "\n").c_str());
    TraceEvent(control, "paint-error", 0, 0);
}

} // namespace

// Binds the windows of the framework's own class to their controls.
struct WindowBinding {
    // WM_NCCREATE names the control that asked for the window; an earlier message went to the
    // innermost creation still waiting for its window, which may have been the wrong one.
    static WinControl* OnCreate(HWND window, const CREATESTRUCTW& create) {
        auto* creator = static_cast<WinControl*>(create.lpCreateParams);
        auto creation = std::find_if(g_creations.begin(), g_creations.end(),
                                     [&](const Creation& c) { return c.control == creator; });
        if (creation == g_creations.end())
            return WinControl::FromHandle(window);
        if (WinControl* bound = WinControl::FromHandle(window); bound && bound != creator) {
            // An early message took the window for another creation: give it back.
            for (Creation& c : g_creations)
                if (c.control == bound && c.window == window)
                    c.window = nullptr;
            if (bound->handle_ == window)
                bound->handle_ = nullptr;
            RemovePropW(window, kControlProperty);
            BoundControls().erase(window);
        }
        creation->window = window;
        if (creator->handle_ != window)
            creator->Bind(window);
        return creator;
    }

    static WinControl* BeforeCreate(HWND window) {
        for (auto c = g_creations.rbegin(); c != g_creations.rend(); ++c)
            if (!c->window) {
                c->window = window;
                c->control->Bind(window);
                return c->control;
            }
        return nullptr;
    }
};

LRESULT CALLBACK TrampolineProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    WinControl* control =
        msg == WM_NCCREATE
            ? WindowBinding::OnCreate(window, *reinterpret_cast<const CREATESTRUCTW*>(lParam))
            : WinControl::FromHandle(window);
    if (!control)
        control = WindowBinding::BeforeCreate(window);
    if (!control)
        return DefWindowProcW(window, msg, wParam, lParam);
    Message message{msg, wParam, lParam, 0};
    return control->Dispatch(message);
}

LRESULT CALLBACK WinControl::PlatformProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR data) {
    auto* control = reinterpret_cast<WinControl*>(data);
    if (control->handle_ != window)
        return DefSubclassProc(window, msg, wParam, lParam);
    Message message{msg, wParam, lParam, 0};
    const Message* outer = control->platform_message_;
    control->platform_message_ = &message;
    const LRESULT result = control->Dispatch(message);
    // After WM_NCDESTROY the control is unbound, maybe gone with its window.
    if (msg != WM_NCDESTROY)
        control->platform_message_ = outer;
    return result;
}

ShiftState CurrentShiftState() {
    unsigned state = ssNone;
    if (GetKeyState(VK_SHIFT) < 0)
        state |= ssShift;
    if (GetKeyState(VK_MENU) < 0)
        state |= ssAlt;
    if (GetKeyState(VK_CONTROL) < 0)
        state |= ssCtrl;
    return static_cast<ShiftState>(state);
}

WinControl::WinControl(Component* owner) : Control(owner) {}

WinControl::~WinControl() {
    DestroyComponents();
    // Children go first, while this window still exists for them to leave.
    for (Control* child : std::vector<Control*>(controls_))
        child->SetParent(nullptr);
    if (handle_)
        DestroyWindow(handle_);
}

HWND WinControl::Handle() {
    if (!handle_)
        CreateWnd();
    return handle_;
}

WinControl* WinControl::FromHandle(HWND window) {
    if (!window)
        return nullptr;
    const auto& controls = BoundControls();
    const auto bound = controls.find(window);
    return bound == controls.end() ? nullptr : bound->second;
}

WinControl* WinControl::FindControl(HWND window) {
    for (HWND w = window; w; w = GetParent(w))
        if (WinControl* control = FromHandle(w))
            return control;
    return nullptr;
}

void WinControl::InsertControl(Control& control) {
    controls_.push_back(&control);
    if (auto* windowed = dynamic_cast<WinControl*>(&control); windowed && handle_)
        windowed->Handle();
    control.Invalidate();
    Perform(CM_CONTROLINSERTED, 0, reinterpret_cast<LPARAM>(&control));
}

void WinControl::RemoveControl(Control& control) {
    control.Invalidate();
    if (&control == mouse_child_)
        mouse_child_ = nullptr;
    if (&control == captured_child_)
        captured_child_ = nullptr;
    controls_.erase(std::remove(controls_.begin(), controls_.end(), &control), controls_.end());
    if (auto* windowed = dynamic_cast<WinControl*>(&control); windowed && windowed->handle_) {
        DestroyWindow(windowed->handle_);
    }
    Perform(CM_CONTROLREMOVED, 0, reinterpret_cast<LPARAM>(&control));
}

void WinControl::CreateParams(ui::CreateParams& params) {
    if (visible_)
        params.style |= WS_VISIBLE;
    if (!enabled_)
        params.style |= WS_DISABLED;
    if (tab_stop_)
        params.style |= WS_TABSTOP;
}

void WinControl::RegisterOwnClass(const ui::CreateParams& params) {
    static std::set<std::wstring> registered;
    std::wstring name = kOwnClassPrefix + std::to_wstring(params.class_style);
    if (!registered.insert(name).second)
        return;
    WNDCLASSEXW window_class{sizeof(window_class)};
    window_class.style = params.class_style;
    window_class.lpfnWndProc = TrampolineProc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    window_class.lpszClassName = name.c_str();
    RegisterClassExW(&window_class);
}

void WinControl::CreateWnd() {
    HWND parent_window = parent_ ? parent_->Handle() : OwnerWindow();
    // Creating the parent creates its children, this one among them.
    if (handle_)
        return;
    ui::CreateParams params;
    if (!parent_)
        params.style = WS_OVERLAPPED | WS_CLIPCHILDREN;
    CreateParams(params);

    own_class_ = params.class_name.empty();
    std::wstring class_name = params.class_name;
    if (own_class_) {
        RegisterOwnClass(params);
        class_name = kOwnClassPrefix + std::to_wstring(params.class_style);
    }
    const int x = parent_ ? bounds_.left : CW_USEDEFAULT;
    g_creations.push_back({this, nullptr});
    HWND window = CreateWindowExW(params.ex_style, class_name.c_str(),
                                  reinterpret_cast<const wchar_t*>(window_text_.c_str()),
                                  params.style, x, bounds_.top, bounds_.width, bounds_.height,
                                  parent_window, nullptr, GetModuleHandleW(nullptr), this);
    g_creations.erase(std::find_if(g_creations.begin(), g_creations.end(),
                                   [this](const Creation& c) { return c.control == this; }));
    if (!window)
        throw LastError(u"Cannot create window");
    if (!own_class_)
        SubclassPlatformWindow(window);
    else if (handle_ != window)
        Bind(window);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
    HandleCreated();
    for (Control* child : controls_)
        if (auto* windowed = dynamic_cast<WinControl*>(child))
            windowed->Handle();
    UpdateShowing();
    if (HWND previous = std::exchange(previous_handle_, nullptr))
        Perform(CM_RECREATEWND, reinterpret_cast<WPARAM>(previous));
}

void WinControl::SubclassPlatformWindow(HWND window) {
    Bind(window);
    class_proc_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (!SetWindowSubclass(window, PlatformProc, kFrameworkSubclass,
                           reinterpret_cast<DWORD_PTR>(this))) {
        Unbind();
        DestroyWindow(window);
        throw LastError(u"Cannot create window");
    }
}

void WinControl::RecreateWnd() {
    if (!handle_)
        return;
    window_text_ = Text();
    DestroyWindow(handle_);
    CreateWnd();
}

void WinControl::Bind(HWND window) {
    handle_ = window;
    SetPropW(window, kControlProperty, this);
    BoundControls()[window] = this;
}

void WinControl::Unbind() {
    if (!handle_)
        return;
    RemovePropW(handle_, kControlProperty);
    if (const auto bound = BoundControls().find(handle_);
        bound != BoundControls().end() && bound->second == this)
        BoundControls().erase(bound);
    // Only the framework's own layer comes off; subclasses stacked since stay where they are.
    if (!own_class_)
        RemoveWindowSubclass(handle_, PlatformProc, kFrameworkSubclass);
    previous_handle_ = handle_;
    handle_ = nullptr;
    platform_message_ = nullptr;
    showing_ = false;
    tracking_mouse_ = false;
    tracking_non_client_ = false;
}

LRESULT WinControl::Dispatch(Message& message) {
    if (message.msg == WM_SKINCOMMAND &&
        !SkinCommandAllowed(message, CurrentMessageSource(handle_, message)))
        return 0;
    try {
        Perform(message);
    } catch (...) {
        // No exception may cross the platform's frames; the application shows it and goes on.
        // Painting goes on plainly instead: a box would come back with every paint.
        if (IsPaintMessage(message.msg)) {
            ReportPaintError(*this, std::current_exception());
            PaintAfterError(message);
        } else {
            Application::Instance().HandleException(std::current_exception());
        }
    }
    if (message.msg == WM_NCDESTROY)
        Unbind();
    return message.result;
}

void WinControl::PaintAfterError(Message& message) {
    try {
        if (own_class_ && message.msg == WM_PAINT)
            HandlePaint(message);
        else if (own_class_ && message.msg == WM_ERASEBKGND)
            message.result = 1;
        else
            DefaultHandler(message);
    } catch (...) {
        ReportPaintError(*this, std::current_exception());
        ValidateRect(handle_, nullptr);
    }
}

void WinControl::DefaultHandler(Message& message) {
    if (!handle_) {
        message.result = 0;
        return;
    }
    if (own_class_)
        message.result = DefWindowProcW(handle_, message.msg, message.wParam, message.lParam);
    else if (&message == platform_message_)
        // Inside the framework's subclass: on to whatever lies below it.
        message.result = DefSubclassProc(handle_, message.msg, message.wParam, message.lParam);
    else
        // Performed directly: nothing below the framework's subclass but the class itself.
        message.result =
            CallWindowProcW(class_proc_, handle_, message.msg, message.wParam, message.lParam);
}

LRESULT WinControl::CallClassProcedure(UINT msg, WPARAM wParam, LPARAM lParam) const {
    if (!handle_)
        return 0;
    if (own_class_ || !class_proc_)
        return DefWindowProcW(handle_, msg, wParam, lParam);
    return CallWindowProcW(class_proc_, handle_, msg, wParam, lParam);
}

void WinControl::WndProc(Message& message) {
    switch (message.msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_DRAWITEM:
        if (ReflectToChild(message))
            return;
        break;
    case CN_KEYDOWN:
        HandleCNKeyDown(message);
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        WORD key = static_cast<WORD>(message.wParam);
        if (DoKeyDown(key))
            return;
        message.wParam = key;
        break;
    }
    case WM_MOUSEMOVE:
        HandleMouseMove(message);
        if (ForwardMouseToGraphicChild(message))
            return;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        if (ForwardMouseToGraphicChild(message))
            return;
        break;
    case WM_MOUSELEAVE:
        HandleMouseLeave();
        break;
    case WM_NCMOUSEMOVE:
        HandleNonClientMouseMove();
        break;
    case WM_NCMOUSELEAVE:
        HandleNonClientMouseLeave();
        break;
    case WM_ERASEBKGND:
        if (own_class_) {
            // The background request of the paint path (the same device context twice) is for
            // the layers in front to answer; the framework paints its own background after.
            // The platform's erase is left to WM_PAINT, which paints everything off screen.
            message.result = message.wParam == static_cast<WPARAM>(message.lParam) ? 0 : 1;
            return;
        }
        break;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        if (own_class_) {
            HandlePaint(message);
            return;
        }
        break;
    case WM_SIZE:
        if (message.wParam != SIZE_MINIMIZED)
            AnchorChildren(LOWORD(message.lParam), HIWORD(message.lParam));
        break;
    case WM_WINDOWPOSCHANGED:
        if (reinterpret_cast<const WINDOWPOS*>(message.lParam)->flags &
            (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) {
            Control::WndProc(message);
            UpdateShowing();
            return;
        }
        break;
    case WM_SETCURSOR:
        if (HandleSetCursor(message))
            return;
        break;
    case WM_SETFOCUS:
        if (Form* form = ParentForm(); form && form != this)
            form->ActiveControlChanged(*this);
        break;
    }
    Control::WndProc(message);
}

bool WinControl::ReflectToChild(Message& message) {
    HWND child_window = nullptr;
    if (message.msg == WM_NOTIFY)
        child_window = reinterpret_cast<NMHDR*>(message.lParam)->hwndFrom;
    else if (message.msg == WM_DRAWITEM)
        child_window = reinterpret_cast<DRAWITEMSTRUCT*>(message.lParam)->hwndItem;
    else
        child_window = reinterpret_cast<HWND>(message.lParam);
    WinControl* child = FromHandle(child_window);
    if (!child || child == this)
        return false;
    message.result = child->Perform(CN_BASE + message.msg, message.wParam, message.lParam);
    // A colour request that the child leaves unanswered gets the platform's default.
    return !(message.result == 0 && message.msg >= WM_CTLCOLORMSGBOX &&
             message.msg <= WM_CTLCOLORSTATIC);
}

void WinControl::HandleCNKeyDown(Message& message) {
    message.result = 1;
    UINT wanted = 0;
    switch (message.wParam) {
    case VK_TAB:
        wanted = DLGC_WANTTAB;
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        wanted = DLGC_WANTARROWS;
        break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL:
        wanted = DLGC_WANTALLKEYS;
        break;
    }
    if (wanted && !Perform(CM_WANTSPECIALKEY, message.wParam) &&
        !(static_cast<UINT>(Perform(WM_GETDLGCODE)) & wanted)) {
        if (Form* form = ParentForm();
            form && form->Perform(CM_DIALOGKEY, message.wParam, message.lParam))
            return;
    }
    message.result = 0;
}

bool WinControl::DoKeyDown(WORD& key) {
    const ShiftState shift = CurrentShiftState();
    if (Form* form = ParentForm(); form && form != this && form->KeyPreview()) {
        form->KeyDown(key, shift);
        if (key == 0)
            return true;
    }
    KeyDown(key, shift);
    return key == 0;
}

void WinControl::KeyDown(WORD& key, ShiftState shift) {
    if (OnKeyDown)
        OnKeyDown(*this, key, shift);
}

bool WinControl::HandleSetCursor(Message& message) {
    if (reinterpret_cast<HWND>(message.wParam) != handle_ || LOWORD(message.lParam) != HTCLIENT)
        return false;
    if (Application::Instance().BusyCursor()) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        message.result = TRUE;
        return true;
    }
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(handle_, &point);
    if (GraphicControl* child = GraphicChildAt(point.x, point.y)) {
        message.result = child->Perform(WM_SETCURSOR, message.wParam, message.lParam);
        return message.result != 0;
    }
    return false;
}

void WinControl::HandleMouseMove(Message& message) {
    if (!tracking_mouse_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, handle_, 0};
        tracking_mouse_ = TrackMouseEvent(&track) != FALSE;
        Perform(CM_MOUSEENTER);
    }
    GraphicControl* under =
        GraphicChildAt(GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam));
    if (under != mouse_child_) {
        if (mouse_child_)
            mouse_child_->Perform(CM_MOUSELEAVE);
        mouse_child_ = under;
        if (mouse_child_)
            mouse_child_->Perform(CM_MOUSEENTER);
    }
}

void WinControl::HandleMouseLeave() {
    tracking_mouse_ = false;
    if (mouse_child_) {
        GraphicControl* left = mouse_child_;
        mouse_child_ = nullptr;
        left->Perform(CM_MOUSELEAVE);
    }
    Perform(CM_MOUSELEAVE);
}

void WinControl::HandleNonClientMouseMove() {
    if (tracking_non_client_)
        return;
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE | TME_NONCLIENT, handle_, 0};
    TrackMouseEvent(&track);
    tracking_non_client_ = true;
    Perform(CM_NCMOUSEENTER);
}

void WinControl::HandleNonClientMouseLeave() {
    if (!tracking_non_client_)
        return;
    tracking_non_client_ = false;
    Perform(CM_NCMOUSELEAVE);
}

GraphicControl* WinControl::GraphicChildAt(int x, int y) const {
    // The last created child lies on top.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if (auto* graphic = dynamic_cast<GraphicControl*>(*it);
            graphic && graphic->Visible() && graphic->GetBounds().Contains(x, y))
            return graphic;
    return nullptr;
}

bool WinControl::ForwardMouseToGraphicChild(Message& message) {
    const int x = GET_X_LPARAM(message.lParam);
    const int y = GET_Y_LPARAM(message.lParam);
    GraphicControl* target = captured_child_ ? captured_child_ : GraphicChildAt(x, y);
    if (!target || !target->Enabled())
        return false;
    if (message.msg == WM_LBUTTONDOWN || message.msg == WM_LBUTTONDBLCLK) {
        captured_child_ = target;
        SetCapture(handle_);
    } else if (message.msg == WM_LBUTTONUP) {
        captured_child_ = nullptr;
        ReleaseCapture();
    }
    const Bounds& b = target->GetBounds();
    message.result =
        target->Perform(message.msg, message.wParam, MAKELPARAM(x - b.left, y - b.top));
    return true;
}

void WinControl::HandlePaint(Message& message) {
    message.result = 0;
    if (message.msg == WM_PRINTCLIENT || message.wParam) {
        // A device context of the caller's: the client area, or what its clip lets through.
        HDC dc = reinterpret_cast<HDC>(message.wParam);
        RECT client{0, 0, 0, 0};
        GetClientRect(handle_, &client);
        RECT area = client;
        RECT clip;
        if (message.msg == WM_PAINT && GetClipBox(dc, &clip) != ERROR)
            IntersectRect(&area, &client, &clip);
        PaintTo(dc, area);
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(handle_, &paint);
    const RECT& area = paint.rcPaint;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width > 0 && height > 0) {
        // Off screen, so that children painted over the background never flicker.
        HDC buffer = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
        HGDIOBJ old_bitmap = SelectObject(buffer, bitmap);
        SetWindowOrgEx(buffer, area.left, area.top, nullptr);
        PaintTo(buffer, area);
        SetWindowOrgEx(buffer, 0, 0, nullptr);
        BitBlt(dc, area.left, area.top, width, height, buffer, 0, 0, SRCCOPY);
        SelectObject(buffer, old_bitmap);
        DeleteObject(bitmap);
        DeleteDC(buffer);
    }
    EndPaint(handle_, &paint);
}

void WinControl::PaintTo(HDC dc, const RECT& area) {
    if (!PaintBackground(dc, area)) {
        // Plain painting: the control's colour.
        HBRUSH brush = CreateSolidBrush(ColorToRgb(color_));
        FillRect(dc, &area, brush);
        DeleteObject(brush);
    }
    PaintControls(dc, area);
}

bool WinControl::PaintBackground(HDC dc, const RECT& area) {
    const int saved = SaveDC(dc);
    bool painted = false;
    try {
        // A layer in front (a skin provider copying its cached image) answers non-zero.
        const WPARAM request = reinterpret_cast<WPARAM>(dc);
        if (Perform(WM_ERASEBKGND, request, static_cast<LPARAM>(request)) == 0)
            PaintWindow(dc, area);
        painted = true;
    } catch (...) {
        ReportPaintError(*this, std::current_exception());
    }
    RestoreDC(dc, saved);
    return painted;
}

void WinControl::PaintWindow(HDC dc, const RECT& area) {
    HBRUSH brush = CreateSolidBrush(ColorToRgb(color_));
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

void WinControl::PaintControls(HDC dc, const RECT& area) {
    for (Control* child : std::vector<Control*>(controls_)) {
        auto* graphic = dynamic_cast<GraphicControl*>(child);
        if (!graphic || !graphic->Visible())
            continue;
        const Bounds& b = graphic->GetBounds();
        RECT bounds{b.left, b.top, b.Right(), b.Bottom()};
        RECT visible;
        if (!IntersectRect(&visible, &bounds, &area))
            continue;
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, visible.left, visible.top, visible.right, visible.bottom);
        POINT origin;
        GetWindowOrgEx(dc, &origin);
        SetWindowOrgEx(dc, origin.x - b.left, origin.y - b.top, nullptr);
        try {
            graphic->Paint(dc);
        } catch (...) {
            ReportPaintError(*graphic, std::current_exception());
        }
        RestoreDC(dc, saved);
    }
}

void WinControl::SetFocus() {
    if (CanFocus())
        ::SetFocus(Handle());
}

bool WinControl::Focused() const {
    return handle_ && GetFocus() == handle_;
}

bool WinControl::CanFocus() const {
    for (const Control* control = this; control; control = control->Parent())
        if (!control->Visible() || !control->Enabled())
            return false;
    return true;
}

void WinControl::Invalidate() {
    if (handle_)
        InvalidateRect(handle_, nullptr, TRUE);
}

std::pair<int, int> WinControl::ClientSize() const {
    if (handle_) {
        RECT client;
        GetClientRect(handle_, &client);
        return {client.right, client.bottom};
    }
    return {bounds_.width, bounds_.height};
}

void WinControl::UpdateShowing() {
    const bool showing = handle_ && IsWindowVisible(handle_);
    if (showing != showing_) {
        showing_ = showing;
        Perform(CM_SHOWINGCHANGED, showing);
    }
    for (Control* child : std::vector<Control*>(controls_))
        if (auto* windowed = dynamic_cast<WinControl*>(child))
            windowed->UpdateShowing();
}

void WinControl::AnchorChildren(int width, int height) {
    for (Control* child : std::vector<Control*>(controls_))
        if (child->Anchors() & (akRight | akBottom))
            child->ApplyAnchors(width, height);
}

void WinControl::Update() {
    if (handle_)
        UpdateWindow(handle_);
}

void WinControl::BoundsChanged() {
    if (handle_ && parent_)
        SetWindowPos(handle_, nullptr, bounds_.left, bounds_.top, bounds_.width, bounds_.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void WinControl::VisibleChanged() {
    if (handle_ && parent_)
        ShowWindow(handle_, visible_ ? SW_SHOW : SW_HIDE);
}

void WinControl::EnabledChanged() {
    if (handle_)
        EnableWindow(handle_, enabled_);
}

void WinControl::FontChanged() {
    if (handle_)
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
}

void WinControl::TextChanged() {}

const std::u16string& WinControl::GetText() const {
    if (handle_) {
        const int length = GetWindowTextLengthW(handle_);
        std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
        const int copied = GetWindowTextW(handle_, buffer.data(), length + 1);
        window_text_.assign(buffer.begin(), buffer.begin() + copied);
    }
    return window_text_;
}

void WinControl::StoreText(std::u16string text) {
    window_text_ = std::move(text);
    if (handle_)
        SetWindowTextW(handle_, reinterpret_cast<const wchar_t*>(window_text_.c_str()));
}

} // namespace ui
