#include "skin/windows/scroll_wnd.h"

#include "core/error.h"
#include "skin/render/win32/dib_bitmap.h"
#include "skin/windows/frame_platform.h"
#include "ui/trace.h"
#include "ui/win_control.h"

#include <algorithm>
#include <commctrl.h>
#include <windowsx.h>

namespace skin::windows {

using scroll::BarKind;
using scroll::BarPart;

namespace {

// One bar is operated at a time in the process, and one is hot.
scroll::ScrollTracker g_tracker;
HWND g_tracked = nullptr;
HWND g_hot = nullptr;

constexpr DWORD kBarBits = WS_HSCROLL | WS_VSCROLL;

bool Needed(const SCROLLINFO& si) {
    return si.nMin < si.nMax - std::max<int>(int(si.nPage) - 1, 0);
}

int Index(BarKind kind) {
    return kind == BarKind::Horizontal ? 0 : 1;
}

POINT ToWindow(HWND window, POINT screen) {
    RECT r;
    GetWindowRect(window, &r);
    return {screen.x - r.left, screen.y - r.top};
}

bool Inside(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

} // namespace

struct TrackerHostOf : scroll::TrackerHost {
    TacScrollWnd& w;
    explicit TrackerHostOf(TacScrollWnd& wnd) : w(wnd) {}
    void SendScroll(BarKind bar, int code, int pos) override { w.SendScroll(bar, code, pos); }
    void StartTimer(unsigned id, unsigned ms) override { SetTimer(w.window_, id, ms, nullptr); }
    void StopTimer(unsigned id) override { KillTimer(w.window_, id); }
    void Capture(bool on) override {
        if (on) {
            g_tracked = w.window_;
            SetCapture(w.window_);
        } else {
            g_tracked = nullptr;
            if (GetCapture() == w.window_)
                ReleaseCapture();
        }
    }
    void RepaintBars() override { w.PaintBars(); }
};

TacScrollWnd::TacScrollWnd(HWND window, const data::LoadedSkin& skin, std::u16string name)
    : TacMainWnd(window, skin, std::move(name)), window_(window) {
    parts_[0] = scroll::BarSkinOf(skin, BarKind::Horizontal);
    parts_[1] = scroll::BarSkinOf(skin, BarKind::Vertical);
    left_scrollbar_ = (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    NoteStyleBits(GetWindowLongW(window, GWL_STYLE));
    ReadRecords();
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TacScrollWnd::~TacScrollWnd() {
    Detach();
}

TacScrollWnd* TacScrollWnd::Of(HWND window) {
    return dynamic_cast<TacScrollWnd*>(TacMainWnd::Of(window));
}

void TacScrollWnd::BeforeDetach() {
    if (g_tracked == window_) {
        TrackerHostOf host(*this);
        g_tracker.Cancel(host);
    }
    if (g_hot == window_) {
        TrackerHostOf host(*this);
        g_tracker.ClearHover(host);
        g_hot = nullptr;
    }
}

void TacScrollWnd::AfterDetach() {
    for (int bar : {SB_HORZ, SB_VERT}) {
        SCROLLINFO si{sizeof si, SIF_ALL};
        GetScrollInfo(window_, bar, &si);
        ShowScrollBar(window_, bar, Needed(si));
    }
    SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TacScrollWnd::DropBar(BarKind kind) {
    Bar& b = bars_[Index(kind)];
    b.Present = false;
    b.Enabled = false;
}

scroll::ThumbPlace TacScrollWnd::ThumbOf(BarKind kind) const {
    const Bar& b = bars_[Index(kind)];
    return scroll::ThumbOf(b.Metrics, b.Record);
}

void TacScrollWnd::AfterMessage() {
    KeepStyleBitsCleared();
}

bool TacScrollWnd::Handle(ui::Message& m) {
    switch (m.msg) {
    case WM_NCCALCSIZE:
        CalcSize(m);
        return true;
    case WM_NCHITTEST: {
        const LRESULT hit = HitTest({GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)});
        if (hit < 0)
            return false;
        m.result = hit;
        return true;
    }
    case WM_NCPAINT:
        m.result = CallPrevious(m);
        PaintBars();
        return true;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (m.wParam == HTHSCROLL || m.wParam == HTVSCROLL) {
            const BarKind kind = m.wParam == HTHSCROLL ? BarKind::Horizontal : BarKind::Vertical;
            return PressBar(kind, {GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)});
        }
        return false;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
        return m.wParam == HTHSCROLL || m.wParam == HTVSCROLL;
    case WM_NCMOUSEMOVE:
        if (m.wParam == HTHSCROLL || m.wParam == HTVSCROLL) {
            TrackerHostOf host(*this);
            if (g_hot && g_hot != window_)
                if (TacScrollWnd* other = Of(g_hot)) {
                    TrackerHostOf other_host(*other);
                    g_tracker.ClearHover(other_host);
                    other->PaintBars();
                }
            g_hot = window_;
            g_tracker.HoverOver(host,
                                m.wParam == HTHSCROLL ? BarKind::Horizontal : BarKind::Vertical);
        }
        return false;
    case WM_MOUSEMOVE:
        if (g_tracked == window_ && g_tracker.ThumbTracking()) {
            const DWORD pos = GetMessagePos();
            const BarKind kind = g_tracker.TrackedBar();
            TrackerHostOf host(*this);
            g_tracker.Drag(host, ViewOf(kind),
                           AlongBar(kind, {GET_X_LPARAM(pos), GET_Y_LPARAM(pos)}));
            return true;
        }
        return false;
    case WM_LBUTTONUP:
        if (g_tracked == window_ && g_tracker.Tracking()) {
            TrackerHostOf host(*this);
            g_tracker.Release(host);
            return true;
        }
        return false;
    case WM_TIMER:
        if (m.wParam == scroll::kHoverTimer || m.wParam == scroll::kFirstRepeatTimer ||
            m.wParam == scroll::kRepeatTimer) {
            TimerTick(m.wParam);
            return true;
        }
        return false;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
    case WM_DESTROY:
        if (g_tracked == window_ && g_tracker.Tracking()) {
            TrackerHostOf host(*this);
            g_tracker.Cancel(host);
        }
        if (m.msg == WM_DESTROY && g_hot == window_) {
            TrackerHostOf host(*this);
            g_tracker.ClearHover(host);
            g_hot = nullptr;
        }
        return false;
    case WM_STYLECHANGED:
        if (prevent_style_change_)
            return true;
        if (m.wParam == WPARAM(GWL_EXSTYLE))
            left_scrollbar_ = (reinterpret_cast<const STYLESTRUCT*>(m.lParam)->styleNew &
                               WS_EX_LEFTSCROLLBAR) != 0;
        return false;
    case WM_SETREDRAW:
        // While the window draws nothing, neither do its bars: they are painted once when
        // drawing is back, however often the ranges changed in between.
        if (m.wParam) {
            SetUpdating(false);
            m.result = CallPrevious(m);
            ReadRecords();
            PaintBars();
        } else {
            m.result = CallPrevious(m);
            SetUpdating(true);
        }
        return true;
    case WM_UPDATEUISTATE:
        return true;
    case WM_SYSCOMMAND:
        return m.wParam == 0xF077; // the keyboard scroll command of the system menu
    case ui::WM_SKINCOMMAND:
        return SkinCommand(m) || TacMainWnd::Handle(m);
    case WM_PRINT: {
        // The platform's printing may leave the origin and clipping on the client area.
        HDC dc = reinterpret_cast<HDC>(m.wParam);
        const int saved = SaveDC(dc);
        m.result = CallPrevious(m);
        RestoreDC(dc, saved);
        if (m.result != 2 && (m.lParam & PRF_NONCLIENT))
            PaintBarsInto(dc);
        return true;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_SIZE:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_PAINT:
        m.result = CallPrevious(m);
        if (!sending_ && (ReadRecords() || m.msg == WM_SIZE))
            PaintBars();
        return true;
    default:
        return TacMainWnd::Handle(m);
    }
}

bool TacScrollWnd::SkinCommand(ui::Message& m) {
    switch (HIWORD(m.wParam)) {
    case engine::SkinCmdSetNewSkin:
    case engine::SkinCmdRefresh:
        parts_[0] = scroll::BarSkinOf(skin_, BarKind::Horizontal);
        parts_[1] = scroll::BarSkinOf(skin_, BarKind::Vertical);
        SetUpdating(false);
        ReadRecords();
        UpdateMetrics();
        if (HIWORD(m.wParam) == engine::SkinCmdRefresh)
            RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
        m.result = 1;
        return true;
    default:
        return false;
    }
}

void TacScrollWnd::CalcSize(ui::Message& m) {
    RECT* proposed = reinterpret_cast<RECT*>(m.lParam); // rgrc[0] either way
    const RECT window = *proposed;
    const DWORD style = GetWindowLongW(window_, GWL_STYLE);
    NoteStyleBits(style);
    if (style & kBarBits) {
        prevent_style_change_ = true;
        SetWindowLongW(window_, GWL_STYLE, LONG(style & ~kBarBits));
        m.result = CallPrevious(m);
        prevent_style_change_ = false;
    } else {
        m.result = CallPrevious(m);
    }
    RECT& client = *proposed;
    edges_ = {client.left - window.left, client.top - window.top, window.right - client.right,
              window.bottom - client.bottom};
    ReadRecords();
    const int h_thick = GetSystemMetrics(SM_CYHSCROLL);
    const int v_thick = GetSystemMetrics(SM_CXVSCROLL);
    Bar& h = bars_[0];
    Bar& v = bars_[1];
    laid_out_[0] = h.Enabled;
    laid_out_[1] = v.Enabled;
    h.Visible = h.Enabled && client.bottom - client.top >= h_thick;
    if (h.Visible)
        client.bottom -= h_thick;
    v.Visible = v.Enabled && client.right - client.left >= v_thick;
    if (v.Visible) {
        if (left_scrollbar_)
            client.left += v_thick;
        else
            client.right -= v_thick;
    }
    UpdateMetrics();
}

void TacScrollWnd::UpdateMetrics() {
    RECT wr;
    GetWindowRect(window_, &wr);
    const int w = wr.right - wr.left, hgt = wr.bottom - wr.top;
    const int h_thick = GetSystemMetrics(SM_CYHSCROLL);
    const int v_thick = GetSystemMetrics(SM_CXVSCROLL);
    Bar& h = bars_[0];
    Bar& v = bars_[1];
    const int bottom = hgt - edges_.bottom;
    const int right = w - edges_.right;
    h.Rect = {edges_.left, bottom - h_thick, right, bottom};
    if (v.Visible) {
        if (left_scrollbar_)
            h.Rect.left += v_thick;
        else
            h.Rect.right -= v_thick;
    }
    v.Rect = {left_scrollbar_ ? edges_.left : right - v_thick, edges_.top,
              left_scrollbar_ ? edges_.left + v_thick : right, bottom - (h.Visible ? h_thick : 0)};
    const int platform_arrow = GetSystemMetrics(SM_CXHSCROLL);
    h.Metrics = {int(h.Rect.right - h.Rect.left),
                 scroll::SkinArrowLength(skin_, BarKind::Horizontal, platform_arrow), 10};
    v.Metrics = {int(v.Rect.bottom - v.Rect.top),
                 scroll::SkinArrowLength(skin_, BarKind::Vertical, platform_arrow), 10};
}

bool TacScrollWnd::ReadRecords() {
    bool changed = false;
    for (int i = 0; i < 2; ++i) {
        SCROLLINFO si{sizeof si, SIF_ALL};
        if (!GetScrollInfo(window_, i == 0 ? SB_HORZ : SB_VERT, &si))
            si = SCROLLINFO{sizeof si, 0, 0, 0, 0, 0, 0};
        const scroll::ScrollRecord r{si.nMin, si.nMax, int(si.nPage), si.nPos, si.nTrackPos};
        Bar& b = bars_[i];
        if (!Needed(si))
            b.Present = false;
        const bool enabled = b.Present;
        changed = changed || r.Min != b.Record.Min || r.Max != b.Record.Max ||
                  r.Page != b.Record.Page || r.Pos != b.Record.Pos || enabled != b.Enabled;
        b.Record = r;
        b.Enabled = enabled;
    }
    return changed;
}

void TacScrollWnd::KeepStyleBitsCleared() {
    // The frame change below sends messages of its own, which end here again: one is enough.
    if (prevent_style_change_ || reframing_ || !IsWindow(window_))
        return;
    const DWORD style = GetWindowLongW(window_, GWL_STYLE);
    NoteStyleBits(style);
    ReadRecords();
    // A bar came or went since the frame was computed. (A bar too short for its window stays
    // hidden: that is no reason to compute the frame again.)
    const bool layout_stale = bars_[0].Enabled != laid_out_[0] || bars_[1].Enabled != laid_out_[1];
    if (!(style & kBarBits) && !layout_stale)
        return;
    if (style & kBarBits) {
        prevent_style_change_ = true;
        SetWindowLongW(window_, GWL_STYLE, LONG(style & ~kBarBits));
        prevent_style_change_ = false;
    }
    if (ui::TraceOn())
        ui::TraceLine(name_, "scroll-frame", static_cast<long long>(style & kBarBits),
                      layout_stale ? 1 : 0);
    reframing_ = true;
    SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    reframing_ = false;
}

void TacScrollWnd::NoteStyleBits(DWORD style) {
    if (style & WS_HSCROLL)
        bars_[0].Present = true;
    if (style & WS_VSCROLL)
        bars_[1].Present = true;
}

LRESULT TacScrollWnd::HitTest(POINT screen) {
    const POINT p = ToWindow(window_, screen);
    const Bar& h = bars_[0];
    const Bar& v = bars_[1];
    if (h.Visible && Inside(h.Rect, p))
        return h.Enabled ? HTHSCROLL : HTNOWHERE;
    if (v.Visible && Inside(v.Rect, p))
        return v.Enabled ? HTVSCROLL : HTNOWHERE;
    if (h.Visible && v.Visible) {
        const RECT corner{v.Rect.left, h.Rect.top, v.Rect.right, h.Rect.bottom};
        if (Inside(corner, p))
            return CornerHasGrip() ? HTBOTTOMRIGHT : HTNOWHERE;
    }
    return -1;
}

bool TacScrollWnd::CornerHasGrip() const {
    HWND top = GetAncestor(window_, GA_ROOT);
    RECT client, wr;
    GetClientRect(top, &client);
    MapWindowPoints(top, nullptr, reinterpret_cast<POINT*>(&client), 2);
    GetWindowRect(window_, &wr);
    return scroll::GripInCorner(wr.left + bars_[1].Rect.right, wr.top + bars_[0].Rect.bottom,
                                client.right, client.bottom);
}

int TacScrollWnd::AlongBar(BarKind kind, POINT screen) const {
    const POINT p = ToWindow(window_, screen);
    const Bar& b = bars_[Index(kind)];
    return kind == BarKind::Horizontal ? p.x - b.Rect.left : p.y - b.Rect.top;
}

scroll::BarView TacScrollWnd::ViewOf(BarKind kind) const {
    const Bar& b = bars_[Index(kind)];
    scroll::BarView view;
    view.Kind = kind;
    view.Metrics = b.Metrics;
    view.Record = b.Record;
    view.Thumb = scroll::ThumbOf(b.Metrics, b.Record);
    view.Enabled = b.Enabled;
    return view;
}

bool TacScrollWnd::PressBar(BarKind kind, POINT screen) {
    ReadRecords();
    TrackerHostOf host(*this);
    return g_tracker.Press(host, ViewOf(kind), AlongBar(kind, screen));
}

std::optional<BarPart> TacScrollWnd::PartUnderCursor() const {
    POINT cursor;
    GetCursorPos(&cursor);
    POINT p = ToWindow(window_, cursor);
    p.x = std::max<LONG>(p.x, 0);
    p.y = std::max<LONG>(p.y, 0);
    for (BarKind kind : {BarKind::Horizontal, BarKind::Vertical}) {
        const Bar& b = bars_[Index(kind)];
        if (!b.Visible || !Inside(b.Rect, p))
            continue;
        const int along = kind == BarKind::Horizontal ? p.x - b.Rect.left : p.y - b.Rect.top;
        return scroll::HitPart(b.Metrics, scroll::ThumbOf(b.Metrics, b.Record), along);
    }
    return std::nullopt;
}

void TacScrollWnd::TimerTick(UINT_PTR id) {
    TrackerHostOf host(*this);
    if (id == scroll::kHoverTimer) {
        if (g_hot != window_) {
            KillTimer(window_, id);
            return;
        }
        g_tracker.HoverTick(host, PartUnderCursor());
        if (!g_tracker.HotBar())
            g_hot = nullptr;
        return;
    }
    if (g_tracked != window_) {
        KillTimer(window_, id);
        return;
    }
    ReadRecords();
    const std::optional<BarPart> under = PartUnderCursor();
    ui::TraceLine(name_, "scroll-tick", static_cast<long long>(id), under ? *under : -1);
    g_tracker.RepeatTick(host, unsigned(id), under.value_or(scroll::bpNone));
}

void TacScrollWnd::SendScroll(BarKind kind, int code, int pos) {
    const UINT msg = kind == BarKind::Horizontal ? WM_HSCROLL : WM_VSCROLL;
    sending_ = true;
    const LRESULT before =
        SendMessageW(window_, ui::WM_SKINCOMMAND, MAKEWPARAM(0, engine::SkinCmdBeforeScroll),
                     MAKELPARAM(code, msg));
    if (before != 1 && code == scroll::kThumbTrack) {
        SCROLLINFO si{sizeof si, SIF_POS};
        si.nPos = pos;
        SetScrollInfo(window_, kind == BarKind::Horizontal ? SB_HORZ : SB_VERT, &si, FALSE);
    }
    if (ui::TraceOn())
        ui::TraceLine(name_, "scroll", code, pos);
    SendMessageW(window_, msg, MAKEWPARAM(code, scroll::SentPosition(pos)), 0);
    SendMessageW(window_, ui::WM_SKINCOMMAND, MAKEWPARAM(0, engine::SkinCmdAfterScroll),
                 MAKELPARAM(code, msg));
    sending_ = false;
    ReadRecords();
    PaintBars();
}

COLORREF TacScrollWnd::BackgroundColor() const {
    const LRESULT tree = SendMessageW(window_, TVM_GETBKCOLOR, 0, 0);
    return tree == -1 || tree == 0 ? GetSysColor(COLOR_WINDOW) : COLORREF(tree);
}

void TacScrollWnd::PaintBars() {
    if (Destroyed() || Updating() || !IsWindowVisible(window_))
        return;
    if (!bars_[0].Visible && !bars_[1].Visible)
        return;
    HDC dc = GetWindowDC(window_);
    if (!dc)
        return;
    PaintBarsInto(dc);
    ReleaseDC(window_, dc);
}

void TacScrollWnd::PaintBarsInto(HDC dc) {
    if (Destroyed() || (!bars_[0].Visible && !bars_[1].Visible))
        return;
    UpdateMetrics();
    if (ui::TraceOn())
        ui::TraceLine(name_, "scroll-paint", bars_[0].Visible ? 1 : 0, bars_[1].Visible ? 1 : 0);
    const render::TCacheInfo behind{nullptr, 0, 0, BackgroundColor() & 0xFFFFFF, false};
    const int square = GetSystemMetrics(SM_CXHSCROLL);
    for (BarKind kind : {BarKind::Horizontal, BarKind::Vertical}) {
        const Bar& b = bars_[Index(kind)];
        if (!b.Visible)
            continue;
        const int w = b.Rect.right - b.Rect.left, h = b.Rect.bottom - b.Rect.top;
        if (w <= 0 || h <= 0)
            continue;
        render::SkinBitmap bmp = render::win32::NewDibBitmap(w, h);
        scroll::BarLook look;
        look.Kind = kind;
        look.Metrics = b.Metrics;
        look.Thumb = scroll::ThumbOf(b.Metrics, b.Record);
        look.Enabled = b.Enabled;
        look.GlyphSquare = square;
        look.Behind = behind;
        const bool ours = g_tracked == window_ || g_hot == window_;
        if (ours) {
            look.States = {g_tracker.PartState(kind, scroll::bpLineUp),
                           g_tracker.PartState(kind, scroll::bpLineDown),
                           g_tracker.PartState(kind, scroll::bpPageUp),
                           g_tracker.PartState(kind, scroll::bpPageDown),
                           g_tracker.PartState(kind, scroll::bpThumb)};
            if (g_tracked == window_ && g_tracker.ThumbTracking() && g_tracker.TrackedBar() == kind)
                look.DraggedThumbStart = g_tracker.DraggedThumbStart();
        }
        scroll::PaintBar(bmp, skin_, parts_[Index(kind)], look);
        BlitRect(dc, b.Rect.left, b.Rect.top, bmp, bmp.Bounds());
    }
    if (bars_[0].Visible && bars_[1].Visible) {
        const RECT corner{bars_[1].Rect.left, bars_[0].Rect.top, bars_[1].Rect.right,
                          bars_[0].Rect.bottom};
        const int w = corner.right - corner.left, h = corner.bottom - corner.top;
        if (w > 0 && h > 0) {
            render::SkinBitmap bmp = render::win32::NewDibBitmap(w, h);
            scroll::PaintCorner(bmp, skin_, behind, CornerHasGrip());
            BlitRect(dc, corner.left, corner.top, bmp, bmp.Bounds());
        }
    }
}

namespace {

ui::WinControl& ScrollingControlOf(ui::Component* owner) {
    auto* control = dynamic_cast<ui::WinControl*>(owner);
    if (!control)
        throw core::Error(u"Scroll bars can only dress a windowed control");
    return *control;
}

} // namespace

TsScrollSkin::TsScrollSkin(ui::Component* owner, const data::LoadedSkin& skin)
    : ui::Component(owner), control_(ScrollingControlOf(owner)), skin_(skin) {
    layer_ = AttachWhenShown(control_, [this] { Attach(); });
    Attach();
}

TsScrollSkin::~TsScrollSkin() {
    layer_ = {};
    handler_.reset();
}

void TsScrollSkin::Attach() {
    if (!control_.HandleAllocated())
        return;
    RenewHandler(control_.Handle(), handler_, [this] {
        return std::make_unique<TacScrollWnd>(control_.Handle(), skin_,
                                              std::u16string(control_.Name()));
    });
}

} // namespace skin::windows
