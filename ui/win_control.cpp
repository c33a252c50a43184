#include "ui/win_control.h"

#include "ui/application.h"
#include "ui/form.h"
#include "ui/win32_error.h"

#include <algorithm>
#include <set>
#include <windowsx.h>

namespace ui {

namespace {

constexpr wchar_t kControlProperty[] = L"ArbordirControl";
constexpr wchar_t kOwnClassPrefix[] = L"Arbordir.";

// Set while CreateWindowEx runs for an own-class window, so that the trampoline can bind the
// first messages (WM_GETMINMAXINFO comes before WM_NCCREATE) to their control.
WinControl* g_creating = nullptr;

} // namespace

LRESULT CALLBACK TrampolineProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    WinControl* control = WinControl::FromHandle(window);
    if (!control && g_creating) {
        control = g_creating;
        g_creating = nullptr;
        control->Bind(window);
    }
    if (!control)
        return DefWindowProcW(window, msg, wParam, lParam);
    return control->Dispatch(msg, wParam, lParam);
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
    BeginDestroy();
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
    return window ? static_cast<WinControl*>(GetPropW(window, kControlProperty)) : nullptr;
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
        g_creating = this;
    }
    const int x = parent_ ? bounds_.left : CW_USEDEFAULT;
    HWND window = CreateWindowExW(params.ex_style, class_name.c_str(),
                                  reinterpret_cast<const wchar_t*>(window_text_.c_str()),
                                  params.style, x, bounds_.top, bounds_.width, bounds_.height,
                                  parent_window, nullptr, GetModuleHandleW(nullptr), nullptr);
    g_creating = nullptr;
    if (!window)
        throw LastError(u"Cannot create window");
    if (!own_class_) {
        Bind(window);
        platform_proc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TrampolineProc)));
    }
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
    HandleCreated();
    for (Control* child : controls_)
        if (auto* windowed = dynamic_cast<WinControl*>(child))
            windowed->Handle();
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
}

void WinControl::Unbind() {
    if (!handle_)
        return;
    RemovePropW(handle_, kControlProperty);
    if (platform_proc_)
        SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(platform_proc_));
    handle_ = nullptr;
    tracking_mouse_ = false;
}

LRESULT WinControl::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    Message message{msg, wParam, lParam, 0};
    try {
        WindowProc()(message);
    } catch (...) {
        // No exception may cross the platform's frames; the application shows it and goes on.
        Application::Instance().HandleException(std::current_exception());
    }
    if (msg == WM_NCDESTROY)
        Unbind();
    return message.result;
}

void WinControl::DefaultHandler(Message& message) {
    if (!handle_) {
        message.result = 0;
        return;
    }
    message.result =
        platform_proc_
            ? CallWindowProcW(platform_proc_, handle_, message.msg, message.wParam, message.lParam)
            : DefWindowProcW(handle_, message.msg, message.wParam, message.lParam);
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
    case WM_ERASEBKGND:
        if (own_class_) {
            message.result = 1; // WM_PAINT paints everything, off screen
            return;
        }
        break;
    case WM_PAINT:
        if (own_class_) {
            HandlePaint();
            return;
        }
        break;
    case WM_SIZE:
        if (message.wParam != SIZE_MINIMIZED)
            AnchorChildren(LOWORD(message.lParam), HIWORD(message.lParam));
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

void WinControl::HandlePaint() {
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
        PaintWindow(buffer, area);
        PaintControls(buffer, area);
        SetWindowOrgEx(buffer, 0, 0, nullptr);
        BitBlt(dc, area.left, area.top, width, height, buffer, 0, 0, SRCCOPY);
        SelectObject(buffer, old_bitmap);
        DeleteObject(bitmap);
        DeleteDC(buffer);
    }
    EndPaint(handle_, &paint);
}

void WinControl::PaintWindow(HDC dc, const RECT& area) {
    HBRUSH brush = CreateSolidBrush(ColorToRgb(color_));
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

void WinControl::PaintControls(HDC dc, const RECT& area) {
    for (Control* child : controls_) {
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
        graphic->Paint(dc);
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
