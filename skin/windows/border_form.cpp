#include "skin/windows/border_form.h"

#include "core/error.h"
#include "skin/frame/frame_region.h"
#include "skin/render/layered_pixels.h"
#include "skin/render/win32/dib_bitmap.h"
#include "skin/windows/skin_provider.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/trace.h"

#include <algorithm>
#include <windowsx.h>

namespace skin::windows {

using frame::Point;
using frame::Rect;

namespace {

constexpr wchar_t kClassName[] = L"ArbordirBorderFrame";
constexpr LRESULT kFrameHit = frame::htBorderFrame;
// Posted to itself when the platform activated the border window: the form takes it over.
constexpr UINT kHandActivationOn = WM_APP + 0x98;

void RegisterBorderClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc{sizeof(wc)};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    if (!registered)
        throw core::Error(u"The window class of the form's border could not be registered");
}

LPCWSTR CursorFor(int code) {
    switch (code) {
    case frame::htLeft:
    case frame::htRight:
        return IDC_SIZEWE;
    case frame::htTop:
    case frame::htBottom:
        return IDC_SIZENS;
    case frame::htTopLeft:
    case frame::htBottomRight:
        return IDC_SIZENWSE;
    case frame::htTopRight:
    case frame::htBottomLeft:
        return IDC_SIZENESW;
    default:
        return IDC_ARROW;
    }
}

} // namespace

TacBorderForm::TacBorderForm(TsSkinProvider& provider) : sp_(provider) {}

TacBorderForm::~TacBorderForm() {
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        if (GetCapture() == window_)
            ReleaseCapture();
        DestroyWindow(window_);
    }
}

void TacBorderForm::CreateNewForm() {
    RegisterBorderClass();
    HWND form = sp_.Window();
    window_ =
        CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, L"",
                        WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_)
        throw core::Error(u"The form's border window could not be created");
    parent_handle_ = reinterpret_cast<HWND>(GetWindowLongPtrW(window_, GWLP_HWNDPARENT));
    SetWindowLongPtrW(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(form));
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BorderProc));
}

void TacBorderForm::SendImage(const frame::FrameGeometry& g, const render::SkinBitmap& image,
                              const frame::Rect& hole, int opacity) {
    if (premultiplied_.Width() != image.Width() || premultiplied_.Height() != image.Height())
        premultiplied_ = render::win32::NewDibBitmap(image.Width(), image.Height());
    // The client hole gets alpha 0: invisible, and its clicks reach the form below.
    render::PremultiplyForLayered(premultiplied_, image, hole);
    GdiFlush();
    RECT w{};
    GetWindowRect(sp_.Window(), &w);
    const Point o = g.BorderFormOffset();
    POINT position{w.left - o.X, w.top - o.Y};
    SIZE size{image.Width(), image.Height()};
    if (g.Form().Maximized)
        size.cy -= g.ShadowSize().Bottom + g.Skin().BorderWidth;
    POINT origin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(std::clamp(opacity, 0, 255)),
                        AC_SRC_ALPHA};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, static_cast<HBITMAP>(premultiplied_.Handle()));
    UpdateLayeredWindow(window_, screen, &position, &size, memory, &origin, 0, &blend, ULW_ALPHA);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    sent_width_ = image.Width();
    sent_height_ = image.Height();
    ui::TraceEvent(sp_, "border-image", sent_width_, opacity);
}

void TacBorderForm::MoveBehindForm(const frame::FrameGeometry& g) {
    RECT w{};
    GetWindowRect(sp_.Window(), &w);
    const Point o = g.BorderFormOffset();
    SetWindowPos(window_, nullptr, w.left - o.X, w.top - o.Y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void TacBorderForm::ShowSnapshot(const render::SkinBitmap& picture, int opacity) {
    if (!window_ || picture.IsEmpty())
        return;
    snapshot_shown_ = true;
    const frame::FrameGeometry g = sp_.Geometry();
    MakeRgn(g);
    SendImage(g, picture, {}, opacity);
    // The next frame image goes out whole, whatever changed meanwhile.
    sent_generation_ = -1;
}

void TacBorderForm::EndSnapshot() {
    if (!snapshot_shown_)
        return;
    snapshot_shown_ = false;
    if (!window_)
        return;
    MakeRgn(sp_.Geometry());
    UpdateExBordersPos(true);
}

HRGN TacBorderForm::FullRegion(const frame::FrameGeometry& g) const {
    const frame::BorderRegion r =
        frame::BorderWindowRegion(g, g.Form().ClientWidth, g.Form().ClientHeight, snapshot_shown_);
    HRGN region = CreateRectRgn(r.Outer.Left, r.Outer.Top, r.Outer.Right, r.Outer.Bottom);
    if (!r.Hole.IsEmpty()) {
        HRGN hole = CreateRectRgn(r.Hole.Left, r.Hole.Top, r.Hole.Right, r.Hole.Bottom);
        CombineRgn(region, region, hole, RGN_XOR);
        DeleteObject(hole);
    }
    return region;
}

void TacBorderForm::MakeRgn(const frame::FrameGeometry& g) {
    SetWindowRgn(window_, FullRegion(g), FALSE);
    reset_rgn_ = false;
}

void TacBorderForm::UpdateExBordersPos(bool redraw) {
    HWND form = sp_.Window();
    if (ex_border_showing_ || !form || ui::Application::Instance().Terminating())
        return;
    RECT w{};
    if (!GetWindowRect(form, &w))
        return;
    if (!IsWindowVisible(form) || IsIconic(form)) {
        if (window_)
            ShowWindow(window_, SW_HIDE);
        return;
    }
    // A form that shows itself with an animation gets its frame at the end of it.
    if (sp_.show_animating_)
        return;
    ex_border_showing_ = true;
    if (!window_)
        CreateNewForm();
    if (snapshot_shown_) {
        // The picture of a translucent move only goes along with the form.
        MoveBehindForm(sp_.Geometry());
        ex_border_showing_ = false;
        return;
    }
    sp_.PrepareCache();
    sp_.UpdateRegion();
    const frame::FrameGeometry g = sp_.Geometry();
    const render::SkinBitmap& cache = sp_.CacheBitmap();
    const bool changed = sp_.rendered_generation_ != sent_generation_ ||
                         cache.Width() != sent_width_ || cache.Height() != sent_height_;
    if (changed || redraw) {
        if (cache.Width() != sent_width_ || cache.Height() != sent_height_)
            MakeRgn(g);
        SendImage(g, cache, g.ClientRect(), 255);
        sent_generation_ = sp_.rendered_generation_;
    } else {
        MoveBehindForm(g);
    }
    if (!IsWindowVisible(window_))
        ShowWindow(window_, SW_SHOWNOACTIVATE);
    ex_border_showing_ = false;
}

frame::Point TacBorderForm::LocalPoint(LPARAM screen_point) const {
    POINT p{GET_X_LPARAM(screen_point), GET_Y_LPARAM(screen_point)};
    RECT w{};
    GetWindowRect(window_, &w);
    return {p.x - w.left, p.y - w.top};
}

void TacBorderForm::PunchHole(POINT screen) {
    RECT w{};
    GetWindowRect(window_, &w);
    const Point at{screen.x - w.left, screen.y - w.top};
    // Cut twice, the same pixel would close again.
    if (reset_rgn_ && at.X == hole_.X && at.Y == hole_.Y)
        return;
    // One hole at a time: the whole region again, then the pixel.
    HRGN region = FullRegion(sp_.Geometry());
    HRGN pixel = CreateRectRgn(at.X, at.Y, at.X + 1, at.Y + 1);
    CombineRgn(region, region, pixel, RGN_XOR);
    DeleteObject(pixel);
    SetWindowRgn(window_, region, FALSE);
    reset_rgn_ = true;
    hole_ = at;
    ui::TraceEvent(sp_, "shadow-hole", at.X, at.Y);
}

void TacBorderForm::RestoreRegion() {
    if (reset_rgn_)
        MakeRgn(sp_.Geometry());
}

LRESULT CALLBACK TacBorderForm::BorderProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TacBorderForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, msg, wParam, lParam);
    try {
        return self->Handle(msg, wParam, lParam);
    } catch (...) {
        ui::Application::Instance().HandleException(std::current_exception());
        return 0;
    }
}

LRESULT TacBorderForm::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND form = sp_.Window();
    switch (msg) {
    case WM_NCHITTEST: {
        // A disabled form (a modal dialog above it) takes no clicks on its frame either.
        if (!IsWindowEnabled(form))
            return HTTRANSPARENT;
        const Point p = LocalPoint(lParam);
        if (frame::PointAboveShadow(p, sp_.Geometry())) {
            ui::TraceEvent(sp_, "border-hit", p.X, frame::htTransparent);
            sp_.ResetButtons();
            // Wine drops the mouse messages of a window that answers transparent when no
            // window of its own thread lies beneath, so no mouse message would ever cut the
            // hole: it is cut here, under the cursor itself, and the next click at that point
            // reaches the window below.
            POINT cursor{};
            if (GetCursorPos(&cursor) && cursor.x == GET_X_LPARAM(lParam) &&
                cursor.y == GET_Y_LPARAM(lParam))
                PunchHole(cursor);
            return HTTRANSPARENT;
        }
        RestoreRegion();
        return kFrameHit;
    }
    case WM_SETCURSOR: {
        POINT p{};
        GetCursorPos(&p);
        const int code = sp_.HitTestAt(sp_.CachePoint(p));
        if (code == frame::htTransparent)
            break;
        SetCursor(LoadCursorW(nullptr, CursorFor(code)));
        return TRUE;
    }
    case WM_MOUSEACTIVATE:
        if (IsWindowEnabled(form))
            SetForegroundWindow(form);
        return MA_NOACTIVATE;
    case WM_ACTIVATE:
        // Wine may pick the border window when the window above it goes (a closing dialog
        // leaves its owner disabled for a moment): the activation belongs to the form.
        if (LOWORD(wParam) != WA_INACTIVE)
            PostMessageW(window_, kHandActivationOn, 0, 0);
        return 0;
    case kHandActivationOn:
        if (GetActiveWindow() == window_ && IsWindowEnabled(form) && IsWindowVisible(form))
            SetActiveWindow(form);
        return 0;
    case WM_NCMOUSEMOVE: {
        POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const Point p = sp_.CachePoint(screen);
        const int code = sp_.HitTestAt(p);
        if (code == frame::htTransparent) {
            PunchHole(screen);
            return 0;
        }
        RestoreRegion();
        if (!tracking_) {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE | TME_NONCLIENT, window_, 0};
            tracking_ = TrackMouseEvent(&track) != FALSE;
        }
        sp_.SetHotHT(code);
        return 0;
    }
    case WM_NCMOUSELEAVE:
        tracking_ = false;
        if (!TsSkinProvider::ButtonPressedFlag())
            sp_.ResetButtons();
        return 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK: {
        POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const int code = sp_.HitTestAt(sp_.CachePoint(screen));
        if (code == frame::htTransparent) {
            PunchHole(screen);
            return 0;
        }
        RestoreRegion();
        ui::TraceEvent(sp_, "border-hit", msg, code);
        const WPARAM forwarded =
            msg == WM_NCRBUTTONDOWN ? static_cast<WPARAM>(code) : static_cast<WPARAM>(-1);
        if (msg == WM_NCLBUTTONDOWN && !frame::IsTitleButtonCode(code)) {
            // The form moves and sizes itself from its own procedure.
            SendMessageW(form, WM_NCLBUTTONDOWN, static_cast<WPARAM>(code), lParam);
            return 0;
        }
        SendMessageW(form, msg, forwarded, lParam);
        return 0;
    }
    case WM_MOUSEMOVE:
        return 0;
    case WM_LBUTTONUP: {
        POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(window_, &screen);
        SendMessageW(form, WM_NCLBUTTONUP, static_cast<WPARAM>(-1), MAKELPARAM(screen.x, screen.y));
        return 0;
    }
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
        SendMessageW(form, msg, wParam, lParam);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, msg, wParam, lParam);
}

} // namespace skin::windows
