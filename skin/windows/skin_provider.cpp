#include "skin/windows/skin_provider.h"

#include "core/error.h"
#include "skin/engine/skin_command_protocol.h"
#include "skin/frame/dialog_rules.h"
#include "skin/frame/frame_region.h"
#include "skin/frame/screen_snap.h"
#include "skin/render/win32/dib_bitmap.h"
#include "skin/render/win32/gdi_text_renderer.h"
#include "skin/windows/border_form.h"
#include "skin/windows/child_commands.h"
#include "skin/windows/form_animation.h"
#include "skin/windows/frame_platform.h"
#include "skin/windows/system_menu.h"
#include "skin/windows/title_button_fade.h"
#include "ui/application.h"
#include "ui/controls/size_grip.h"
#include "ui/form.h"
#include "ui/trace.h"
#include "ui/window_subclass.h"

#include <windowsx.h>

namespace skin::windows {

using frame::FrameAction;
using frame::FrameCommand;
using frame::Point;
using frame::Rect;

namespace {

constexpr UINT kShowSystemMenu = 0x313;

ui::Form& FormOf(ui::Component* owner) {
    auto* form = dynamic_cast<ui::Form*>(owner);
    if (!form)
        throw core::Error(u"TsSkinProvider component may be used with forms only!");
    return *form;
}

frame::BorderStyle StyleOf(ui::BorderStyle style, DWORD ex_style) {
    if (ex_style & WS_EX_TOOLWINDOW)
        return style == ui::BorderStyle::bsSizeable ? frame::BorderStyle::bsSizeToolWin
                                                    : frame::BorderStyle::bsToolWindow;
    switch (style) {
    case ui::BorderStyle::bsNone:
        return frame::BorderStyle::bsNone;
    case ui::BorderStyle::bsSingle:
        return frame::BorderStyle::bsSingle;
    case ui::BorderStyle::bsDialog:
        return frame::BorderStyle::bsDialog;
    case ui::BorderStyle::bsSizeable:
        break;
    }
    return frame::BorderStyle::bsSizeable;
}

bool PlatformMenuHasClose(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    return menu && GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

} // namespace

bool& TsSkinProvider::ButtonPressedFlag() {
    static bool pressed = false;
    return pressed;
}

TsSkinProvider::TsSkinProvider(ui::Component* owner)
    : ui::Component(owner), form_(&FormOf(owner)),
      layer_(form_->AddProcedureLayer(
          [this](ui::Message& m, const ui::ProcedureChain::Next& next) { WndProc(m, next); })) {}

TsSkinProvider::TsSkinProvider(ui::Component* owner, HWND window)
    : ui::Component(owner), foreign_(window), subclass_(std::make_unique<ui::WindowSubclass>()) {
    foreign_chain_ = ui::ProcedureChain::Create(
        [this](ui::Message& m) { m.result = subclass_->CallPrevious(m); });
    layer_ = foreign_chain_->Add(
        [this](ui::Message& m, const ui::ProcedureChain::Next& next) { WndProc(m, next); });
    subclass_->Attach(window, [this](ui::Message& m) {
        // Keeps the chain alive while a message runs, even if the provider goes meanwhile.
        const std::shared_ptr<ui::ProcedureChain> chain = foreign_chain_;
        chain->Dispatch(m);
        return true;
    });
}

TsSkinProvider::~TsSkinProvider() {
    fades_.clear();
    border_form_.reset();
    layer_ = {};
    if (HWND window = Window()) {
        if (have_sys_menu_)
            SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) | WS_SYSMENU);
        SetWindowRgn(window, nullptr, TRUE);
    }
    if (subclass_)
        subclass_->Detach();
}

HWND TsSkinProvider::Window() const {
    if (form_)
        return form_->HandleAllocated() ? form_->Handle() : nullptr;
    return subclass_ && subclass_->Attached() ? foreign_ : nullptr;
}

void TsSkinProvider::KillAnimations() {
    fades_.clear();
}

void TsSkinProvider::SetSkinSource(const FrameSkinSource* source) {
    KillAnimations();
    source_ = source;
    section_index_ = {};
    painter_.reset();
    prepared_ = false;
    bg_changed_ = rgn_changed_ = true;
    if (!Skinned()) {
        border_form_.reset();
        if (ui::SizeGrip* grip = form_ ? ui::SizeGrip::Of(*form_) : nullptr)
            grip->SetSuppressed(false);
        if (HWND window = Window()) {
            SetWindowRgn(window, nullptr, TRUE);
            if (have_sys_menu_)
                SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) | WS_SYSMENU);
            have_sys_menu_ = false;
            SetWindowPos(window, nullptr, 0, 0, 0, 0,
                         SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER |
                             SWP_NOACTIVATE);
        }
        return;
    }
    if (Window()) {
        PrepareForm();
        RepaintFrame();
        InvalidateRect(Window(), nullptr, TRUE);
    }
}

void TsSkinProvider::SetAllowExtBorders(bool allow) {
    if (allow == allow_ext_borders_)
        return;
    allow_ext_borders_ = allow;
    if (!Window() || !Skinned())
        return;
    bg_changed_ = rgn_changed_ = true;
    CreateOrFreeBorderForm();
    RepaintFrame();
    RedrawWindow(Window(), nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool TsSkinProvider::Skinned() const {
    return FormSkinIndex() >= 0 && !(form_ && form_->Destroying());
}

int TsSkinProvider::FormSkinIndex() const {
    // Asked on every message: the section is looked up again only when the skin or the section
    // name changed.
    const data::LoadedSkin* skin = source_ ? source_->Skin : nullptr;
    if (!skin)
        return -1;
    if (section_index_.Skin != skin || section_index_.Section != SkinSection)
        section_index_ = {skin, SkinSection, skin->GetSkinIndex(SkinSection)};
    return section_index_.Index;
}

frame::FormFrameState TsSkinProvider::FormState() const {
    frame::FormFrameState f;
    HWND window = Window();
    if (!window)
        return f;
    const DWORD style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    const DWORD ex_style = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
    if (form_) {
        f.Style = StyleOf(form_->GetBorderStyle(), ex_style);
        const unsigned icons = form_->BorderIcons();
        f.Icons = {(icons & ui::biSystemMenu) != 0, (icons & ui::biMinimize) != 0,
                   (icons & ui::biMaximize) != 0, false};
    } else {
        // The system-menu bit is ours to remove; what the window asked for is remembered.
        const DWORD asked = style | (have_sys_menu_ ? WS_SYSMENU : 0);
        f.Style = frame::DialogBorderStyle(asked, ex_style);
        f.Icons = frame::DialogBorderIcons(asked, ex_style);
    }
    f.HasCaptionStyle = (style & WS_CAPTION) == WS_CAPTION;
    f.HasBorderBit = (style & WS_BORDER) != 0;
    f.IsChild = (style & WS_CHILD) != 0;
    f.Minimized = IsIconic(window) != FALSE;
    f.Maximized = IsZoomed(window) != FALSE;
    f.IsMainForm = form_ && ui::Application::Instance().MainForm() == form_;
    RECT w{}, c{};
    GetWindowRect(window, &w);
    GetClientRect(window, &c);
    f.Width = w.right - w.left;
    f.Height = w.bottom - w.top;
    f.ClientWidth = c.right;
    f.ClientHeight = c.bottom;
    return f;
}

frame::FrameGeometry TsSkinProvider::Geometry() const {
    // A form that wears the extended frame once shown is laid out for it already while it is
    // hidden or appearing, so that the image composed before it shows is the one it shows.
    HWND window = Window();
    const bool extended =
        border_form_ != nullptr || (window && !IsIconic(window) && ExtendedCondition());
    return GeometryFor(extended);
}

frame::FrameGeometry TsSkinProvider::GeometryFor(bool extended) const {
    HWND window = Window();
    const DWORD style = window ? static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)) : 0;
    const DWORD ex_style = window ? static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)) : 0;
    const frame::FormFrameState state = FormState();
    frame::SkinFrameSettings settings;
    if (source_ && source_->Skin)
        settings = frame::FrameSettingsOf(source_->Skin->SkinData);
    const int f = FrameWidthOf(style | (have_sys_menu_ ? WS_SYSMENU : 0));
    const int c = CaptionHeightOf(ex_style, state.Minimized);
    return frame::FrameGeometry(settings, state, extended, f, c,
                                extended && source_ ? source_->ShadowSize : frame::Margins{});
}

frame::WindowRules TsSkinProvider::Rules() const {
    HWND window = Window();
    // A window class that forbids closing greys the close button.
    const bool may_close = window && PlatformMenuHasClose(window) &&
                           !(GetClassLongPtrW(window, GCL_STYLE) & CS_NOCLOSE);
    return frame::RulesFor(FormState(), have_sys_menu_, may_close,
                           form_ && ui::Application::Instance().MainForm() == form_);
}

int TsSkinProvider::OffsetX() const {
    return Geometry().OffsetX();
}

int TsSkinProvider::OffsetY() const {
    return Geometry().OffsetY();
}

bool TsSkinProvider::ExtendedCondition() const {
    if (!Skinned() || !source_->ExtendedBorders || !DrawNonClientArea || !allow_ext_borders_)
        return false;
    HWND window = Window();
    if (!window)
        return false;
    const DWORD style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    return GeometryFor(false).HasFrame() && !(style & WS_CHILD);
}

void TsSkinProvider::ReadSkinParts() {
    const frame::FormFrameState state = FormState();
    parts_ = frame::ResolveFrameSkin(*source_->Skin, SkinSection, TitleSkin, state.Style);
    painter_ = std::make_unique<frame::FramePainter>(*source_->Skin, parts_);
}

void TsSkinProvider::PrepareForm() {
    if (!Skinned() || !Window())
        return;
    HWND window = Window();
    if (!system_menu_)
        system_menu_ = std::make_unique<TsSystemMenu>(*this);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    if (style & WS_SYSMENU) {
        have_sys_menu_ = true;
        SetWindowLongW(window, GWL_STYLE, style & ~WS_SYSMENU);
    }
    ReadSkinParts();
    // The skin's grip replaces the platform's.
    if (ui::SizeGrip* grip = form_ ? ui::SizeGrip::Of(*form_) : nullptr)
        grip->SetSuppressed(Grip == GripMode::gmRightBottom && parts_.Grip >= 0);
    bg_changed_ = rgn_changed_ = true;
    prepared_ = true;
    CreateOrFreeBorderForm();
}

void TsSkinProvider::CreateOrFreeBorderForm() {
    const bool wanted = ExtendedCondition() && IsWindowVisible(Window()) && !IsIconic(Window());
    if (wanted && !border_form_) {
        border_form_ = std::make_unique<TacBorderForm>(*this);
    } else if (!wanted && border_form_) {
        KillAnimations();
        border_form_.reset();
    } else {
        return;
    }
    rgn_changed_ = true;
    // The image is composed again only when it was laid out for the other frame.
    if (cache_extended_ != Geometry().Extended())
        bg_changed_ = true;
}

void TsSkinProvider::UpdateLayout() {
    const frame::FrameGeometry g = Geometry();
    layout_ = frame::LayOutTitleButtons(g, Rules(), frame::ButtonMasksOf(*source_->Skin, parts_));
}

bool TsSkinProvider::PrepareCache() {
    if (!Skinned() || !Window())
        return false;
    if (!prepared_)
        PrepareForm();
    if (!bg_changed_ && !cache_.IsEmpty())
        return false;
    const frame::FrameGeometry g = Geometry();
    UpdateLayout();
    const int width = g.CaptionWidth(), height = g.CacheHeight();
    if (width <= 0 || height <= 0)
        return false;
    if (cache_.Width() != width || cache_.Height() != height)
        cache_ = render::win32::NewDibBitmap(width, height);
    const frame::FormFrameState state = g.Form();
    if (icon_.IsEmpty())
        icon_ = IconPixels(FormIcon(Window()), g.IconSize(), g.IconSize());
    render::win32::GdiTextRenderer text(CaptionFont());
    frame::FrameContent content;
    content.Active = form_active_;
    const int length = GetWindowTextLengthW(Window());
    content.Caption.resize(static_cast<std::size_t>(length) + 1);
    GetWindowTextW(Window(), reinterpret_cast<wchar_t*>(content.Caption.data()), length + 1);
    content.Caption.resize(static_cast<std::size_t>(length));
    content.Alignment = CaptionAlignment;
    content.ShowIcon = ShowAppIcon;
    content.Icon = &icon_;
    content.Grip = Grip == GripMode::gmRightBottom && state.Style == frame::BorderStyle::bsSizeable;
    content.ShadowTemplate =
        form_active_ ? &source_->Templates.Active : &source_->Templates.Inactive;
    content.Text = &text;
    content.ButtonState = [this](int code) { return border_form_ ? 0 : tracker_.StateOf(code); };
    painter_->PaintAll(cache_, temp_bmp_, g, Rules(), layout_, content);
    GdiFlush();
    bg_changed_ = false;
    cache_extended_ = g.Extended();
    rgn_changed_ = true;
    ++rendered_generation_;
    ui::TraceEvent(*this, "paint-all", rendered_generation_, form_active_ ? 1 : 0);
    return true;
}

void TsSkinProvider::PaintNonClient(HDC dc) {
    const frame::FrameGeometry g = Geometry();
    if (g.Extended())
        return;
    const int width = g.CaptionWidth(), height = g.CacheHeight();
    const int bw = g.BorderWidth(true), bh = g.BorderHeight(true);
    const int y = g.CaptionHeight(true) > 0 ? g.HeaderHeight() : bh;
    BlitRect(dc, 0, 0, cache_, {0, 0, width, y});
    BlitRect(dc, 0, y, cache_, {0, y, bw, height});
    BlitRect(dc, bw, height - bh, cache_, {bw, height - bh, width, height});
    BlitRect(dc, width - bw, y, cache_, {width - bw, y, width, height});
}

void TsSkinProvider::UpdateRegion() {
    HWND window = Window();
    if (!window || !rgn_changed_ || !DrawNonClientArea || window_emptied_)
        return;
    rgn_changed_ = false;
    const frame::FrameGeometry g = Geometry();
    const Rect r = frame::FormRegionRect(g);
    HRGN region = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
    if (!g.Extended() && !g.Form().Maximized) {
        const auto holes =
            frame::CornerHoles(g.CaptionWidth(), g.Form().Height,
                               render::MaskFromSkin(source_->Skin, parts_.FormBorder),
                               render::MaskFromSkin(source_->Skin, parts_.TitleBorder));
        for (const Rect& hole : holes) {
            HRGN cut = CreateRectRgn(hole.Left, hole.Top, hole.Right, hole.Bottom);
            CombineRgn(region, region, cut, RGN_DIFF);
            DeleteObject(cut);
        }
    }
    SetWindowRgn(window, region, IsWindowVisible(window));
}

void TsSkinProvider::RepaintFrame() {
    HWND window = Window();
    if (!window || !Skinned())
        return;
    PrepareCache();
    if (border_form_) {
        UpdateRegion();
        border_form_->UpdateExBordersPos(true);
        return;
    }
    UpdateRegion();
    if (!IsWindowVisible(window))
        return;
    HDC dc = GetWindowDC(window);
    PaintNonClient(dc);
    ReleaseDC(window, dc);
}

void TsSkinProvider::PrintWindowTo(HDC dc, unsigned flags) {
    if (!dc)
        return;
    PrepareCache();
    const frame::FrameGeometry g = Geometry();
    // The whole frame from the cache (extended: with its shadow), the client area on top.
    if (flags & PRF_NONCLIENT)
        BlitRect(dc, 0, 0, cache_, cache_.Bounds());
    const int x = g.OffsetX(), y = g.OffsetY();
    RECT client{};
    GetClientRect(Window(), &client);
    POINT old{};
    SetViewportOrgEx(dc, x, y, &old);
    HRGN clip = CreateRectRgn(x, y, x + client.right, y + client.bottom);
    SelectClipRgn(dc, clip);
    if (form_)
        form_->PaintTo(dc, client);
    else if (subclass_ && subclass_->Attached())
        subclass_->CallPrevious(
            {WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_CHILDREN, 0});
    if (form_ && (flags & PRF_CHILDREN)) {
        // The form paints its own controls; its windowed children print themselves, from the
        // bottom of their z-order up, each into a context of its own: Wine's controls clip to
        // their client rectangle taken as device coordinates.
        HWND window = Window();
        for (HWND child = GetWindow(GetWindow(window, GW_CHILD), GW_HWNDLAST); child;
             child = GetWindow(child, GW_HWNDPREV)) {
            if (!IsWindowVisible(child))
                continue;
            RECT r{};
            GetWindowRect(child, &r);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
            const int width = r.right - r.left, height = r.bottom - r.top;
            if (width <= 0 || height <= 0)
                continue;
            HDC own = CreateCompatibleDC(dc);
            HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
            HGDIOBJ old_bitmap = SelectObject(own, bitmap);
            SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(own),
                         PRF_CLIENT | PRF_NONCLIENT | PRF_CHILDREN | PRF_ERASEBKGND);
            BitBlt(dc, r.left, r.top, width, height, own, 0, 0, SRCCOPY);
            SelectObject(own, old_bitmap);
            DeleteObject(bitmap);
            DeleteDC(own);
        }
    }
    SelectClipRgn(dc, nullptr);
    DeleteObject(clip);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

void TsSkinProvider::EraseBackground(HDC dc, bool whole) {
    PrepareCache();
    RECT client{};
    GetClientRect(Window(), &client);
    const int x = OffsetX(), y = OffsetY();
    RECT w{};
    GetWindowRect(Window(), &w);
    const int width = whole ? w.right - w.left : client.right;
    const int height = whole ? w.bottom - w.top : client.bottom;
    BlitRect(dc, 0, 0, cache_, {x, y, x + width, y + height});
}

frame::Point TsSkinProvider::CachePoint(POINT screen) const {
    RECT w{};
    GetWindowRect(Window(), &w);
    const frame::FrameGeometry g = Geometry();
    if (g.Extended()) {
        const Point o = g.BorderFormOffset();
        return {screen.x - w.left + o.X, screen.y - w.top + o.Y};
    }
    return {screen.x - w.left, screen.y - w.top};
}

int TsSkinProvider::HitTestAt(Point p) const {
    const frame::FrameGeometry g = Geometry();
    frame::HitTestInputs in;
    const frame::FormFrameState state = g.Form();
    in.Sizable = state.Style == frame::BorderStyle::bsSizeable ||
                 state.Style == frame::BorderStyle::bsSizeToolWin;
    in.ShowIcon = ShowAppIcon && g.IconShown(true);
    in.Icon = g.IconRect();
    if (Grip == GripMode::gmRightBottom && in.Sizable) {
        const Point grip = g.GripPosition(12, 12);
        in.Grip = {grip.X, grip.Y, grip.X + 12, grip.Y + 12};
    }
    if (g.Extended()) {
        if (frame::PointAboveShadow(p, g))
            return frame::htTransparent;
        return frame::ExtendedHitTest(p, g, Rules(), layout_, in);
    }
    return frame::PlainHitTest(p, g, Rules(), layout_, in);
}

void TsSkinProvider::PaintButtonNow(int hit_code) {
    if (border_form_) {
        std::erase_if(fades_, [](const auto& f) { return f.second->Finished(); });
        auto& fade = fades_[hit_code];
        if (!fade)
            fade = std::make_unique<TitleButtonFade>(*this, hit_code);
        ui::TraceEvent(*this, "button", hit_code, tracker_.StateOf(hit_code));
        fade->StartTowards(tracker_.StateOf(hit_code));
        return;
    }
    for (const frame::PlacedButton& b : layout_.Buttons) {
        if (b.HitCode != hit_code || !b.Shown)
            continue;
        painter_->PaintButton(cache_, temp_bmp_, Geometry(), layout_, b, tracker_.StateOf(hit_code),
                              form_active_);
        GdiFlush();
        ++rendered_generation_;
        ui::TraceEvent(*this, "button", hit_code, tracker_.StateOf(hit_code));
        if (border_form_) {
            border_form_->UpdateExBordersPos(true);
        } else if (HWND window = Window()) {
            HDC dc = GetWindowDC(window);
            BlitRect(dc, b.R.Left, b.R.Top, cache_, b.R);
            ReleaseDC(window, dc);
        }
    }
}

void TsSkinProvider::SetHotHT(int hit_code) {
    if (!painter_ || cache_.IsEmpty())
        return;
    for (int code : tracker_.SetHot(hit_code))
        PaintButtonNow(code);
}

void TsSkinProvider::PressButton(int hit_code) {
    const frame::WindowRules rules = Rules();
    const bool max_enabled = rules.Maximized ? rules.EnabledRestore() : rules.EnabledMax();
    for (int code : tracker_.Press(hit_code, max_enabled))
        PaintButtonNow(code);
}

void TsSkinProvider::ResetButtons() {
    for (int code : tracker_.Reset())
        PaintButtonNow(code);
}

void TsSkinProvider::ReleaseButton(int hit_code, Point cache_point) {
    const frame::WindowRules rules = Rules();
    frame::TitleButtonTracker::ReleaseContext context;
    const Rect min = layout_.Buttons.size() > 2 ? layout_.Buttons[2].R : Rect{};
    context.CursorInMin = cache_point.X >= min.Left && cache_point.X < min.Right &&
                          cache_point.Y >= min.Top && cache_point.Y < min.Bottom;
    context.IsMainForm = rules.IsMainForm;
    context.Minimized = rules.Minimized;
    context.Maximized = rules.Maximized;
    context.MaxOrRestoreEnabled = rules.EnabledMax() || rules.EnabledRestore();
    const std::vector<int> before = {frame::htClose, frame::htMaxButton, frame::htMinButton,
                                     frame::htHelp};
    std::vector<int> pressed;
    for (int code : before)
        if (tracker_.StateOf(code) != 0)
            pressed.push_back(code);
    const FrameAction action = tracker_.Release(hit_code, context);
    ui::TraceEvent(*this, "release", hit_code, static_cast<int>(action.Command));
    for (int code : pressed)
        PaintButtonNow(code);
    Carry(action);
}

void TsSkinProvider::Carry(const FrameAction& action) {
    HWND window = Window();
    if (!window)
        return;
    switch (action.Command) {
    case FrameCommand::Minimize:
    case FrameCommand::MinimizeMainForm:
        SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        break;
    case FrameCommand::Restore:
        SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
        break;
    case FrameCommand::Maximize:
        SendMessageW(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        break;
    case FrameCommand::Close:
        SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case FrameCommand::ContextHelp:
        SendMessageW(window, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
        break;
    case FrameCommand::OpenSystemMenuAtCursor: {
        POINT p{};
        GetCursorPos(&p);
        DropSysMenu(p.x, p.y);
        break;
    }
    case FrameCommand::OpenSystemMenuBelowIcon:
        DropSysMenuBelowIcon(false);
        break;
    default:
        break;
    }
}

void TsSkinProvider::DropSysMenu(int x, int y) {
    if (!system_menu_)
        return;
    ResetButtons();
    system_menu_->Popup(x, y);
}

void TsSkinProvider::DropSysMenuBelowIcon(bool from_key) {
    RECT w{};
    GetWindowRect(Window(), &w);
    const frame::FrameGeometry g = Geometry();
    const Point p = from_key ? frame::SystemMenuForKey(g, {w.left, w.top}, g.IconSize())
                             : frame::SystemMenuBelowIcon(g, {w.left, w.top}, g.IconSize());
    DropSysMenu(p.X, p.Y);
}

void TsSkinProvider::WithRedrawLocked(ui::Message& m, const ui::ProcedureChain::Next& next) {
    HWND window = Window();
    // Wine paints its own caption on these messages; with redrawing off it paints nothing.
    const bool visible = IsWindowVisible(window) != FALSE;
    if (visible)
        SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    next(m);
    if (visible)
        SendMessageW(window, WM_SETREDRAW, TRUE, 0);
}

void TsSkinProvider::OnNcLButtonDown(ui::Message& m, const ui::ProcedureChain::Next& next) {
    POINT screen{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
    const int code = static_cast<int>(m.wParam) == frame::htTransparent || border_form_
                         ? HitTestAt(CachePoint(screen))
                         : static_cast<int>(m.wParam);
    if (frame::IsTitleButtonCode(code)) {
        PressButton(code);
        SetCapture(border_form_ ? border_form_->Handle() : Window());
        capturing_ = true;
        return;
    }
    if (code == frame::htSysMenu) {
        DropSysMenuBelowIcon(false);
        return;
    }
    if (code == frame::htTransparent)
        return;
    HWND window = Window();
    if (IsIconic(window)) {
        // A minimised window is only moved.
        SendMessageW(window, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, m.lParam);
        return;
    }
    if (code == frame::htCaption && IsZoomed(window)) {
        SetForegroundWindow(window);
        return;
    }
    m.wParam = static_cast<WPARAM>(code);
    if (code == frame::htCaption && border_form_ && source_->MoveBlend < 255) {
        MoveTranslucently(m, next);
        return;
    }
    next(m);
}

void TsSkinProvider::MoveTranslucently(ui::Message& m, const ui::ProcedureChain::Next& next) {
    HWND window = Window();
    border_form_->ShowSnapshot(SnapshotOf(*this), source_->MoveBlend);
    // Nothing of the form shows opaque meanwhile: its own window is emptied.
    window_emptied_ = true;
    SetWindowRgn(window, CreateRectRgn(0, 0, 0, 0), TRUE);
    ui::TraceEvent(*this, "move-blend", 0, source_->MoveBlend);
    const auto end = [this] {
        window_emptied_ = false;
        rgn_changed_ = true;
        UpdateRegion();
        if (border_form_)
            border_form_->EndSnapshot();
        ui::TraceEvent(*this, "move-blend", 1, 255);
    };
    try {
        // The platform's move loop, until the button is released.
        next(m);
    } catch (...) {
        end();
        throw;
    }
    end();
}

bool TsSkinProvider::ShowAnimationWanted() const {
    // N = time div 12 steps; none at all (and no division by it) when N is 0.
    return AllowAnimation && source_->ShowTime / frame::kFadeInterval > 0 &&
           !ui::Application::Instance().Terminating();
}

void TsSkinProvider::AnimateShow() {
    try {
        bg_changed_ = true;
        PrepareCache();
        render::SkinBitmap picture = PrintedSnapshotOf(*this);
        const Rect rect = SnapshotRect(*this);
        auto frames = frame::ShowFrames(picture.Width(), picture.Height(), source_->ShowTime, 255,
                                        frame::AnimationMode::atAero);
        // The last picture stays until the form and its frame show in its place.
        PlayAnimation(std::move(picture), rect, std::move(frames), frame::kFadeInterval,
                      TraceName(), "show", [this] { FinishShow(); });
    } catch (...) {
        FinishShow();
        throw;
    }
    FinishShow();
}

void TsSkinProvider::FinishShow() {
    if (!show_animating_)
        return;
    show_animating_ = false;
    window_emptied_ = false;
    rgn_changed_ = true;
    UpdateRegion();
    if (HWND window = Window())
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    if (border_form_)
        border_form_->UpdateExBordersPos(true);
}

void TsSkinProvider::OnButtonUp(ui::Message& m, const ui::ProcedureChain::Next& next,
                                POINT screen) {
    const bool was_capturing = capturing_;
    capturing_ = false;
    const Point p = CachePoint(screen);
    const int code = HitTestAt(p);
    if (!was_capturing && !tracker_.Pressed()) {
        next(m);
        return;
    }
    ReleaseButton(code, p);
    if (GetCapture() == Window() || (border_form_ && GetCapture() == border_form_->Handle()))
        ReleaseCapture();
}

std::u16string TsSkinProvider::TraceName() const {
    return Name().empty() ? std::u16string(ClassName()) : Name();
}

void TsSkinProvider::AnimateMinimize(bool restoring) {
    if (restoring) {
        if (minimized_picture_.IsEmpty())
            return;
        auto frames = frame::MinimizeFrames(minimized_rect_, minimized_target_,
                                            source_->MinimizeTime, 255, true);
        StartAnimation(std::move(minimized_picture_), minimized_rect_, std::move(frames), true,
                       frame::kMinimizeInterval, TraceName(), "restore");
        minimized_picture_ = {};
        return;
    }
    render::SkinBitmap picture = SnapshotOf(*this);
    minimized_rect_ = SnapshotRect(*this);
    MONITORINFO mi{sizeof(mi)};
    GetMonitorInfoW(MonitorFromWindow(Window(), MONITOR_DEFAULTTONEAREST), &mi);
    // Without a taskbar button to aim at: the screen edge nearest to the form.
    minimized_target_ = frame::NearestEdgeTarget(
        {mi.rcMonitor.left, mi.rcMonitor.top, mi.rcMonitor.right, mi.rcMonitor.bottom},
        minimized_rect_);
    minimized_picture_ = picture.Clone();
    auto frames = frame::MinimizeFrames(minimized_rect_, minimized_target_, source_->MinimizeTime,
                                        255, false);
    StartAnimation(std::move(picture), minimized_rect_, std::move(frames), true,
                   frame::kMinimizeInterval, TraceName(), "minimize");
}

void TsSkinProvider::OnSysCommand(ui::Message& m, const ui::ProcedureChain::Next& next) {
    const UINT command = static_cast<UINT>(m.wParam & 0xFFF0);
    if (command == SC_KEYMENU && frame::KeyMenuOpensSystemMenu(static_cast<unsigned>(m.lParam))) {
        DropSysMenuBelowIcon(true);
        return;
    }
    const bool animate = AllowAnimation && source_->MinimizeTime > 0;
    if (command == SC_MINIMIZE && animate && IsWindowVisible(Window()) && !IsIconic(Window()))
        AnimateMinimize(false);
    if (command == SC_RESTORE && animate && IsIconic(Window()))
        AnimateMinimize(true);
    if (command == SC_RESTORE || command == SC_MAXIMIZE) {
        KillAnimations();
        border_form_.reset();
    }
    next(m);
    if (command == SC_MINIMIZE) {
        KillAnimations();
        border_form_.reset();
        cache_ = {};
        bg_changed_ = true;
    } else if (command == SC_RESTORE || command == SC_MAXIMIZE) {
        ResetButtons();
        bg_changed_ = rgn_changed_ = true;
        CreateOrFreeBorderForm();
        RepaintFrame();
    }
    if (system_menu_)
        system_menu_->UpdateItems();
}

bool TsSkinProvider::StretchByEdge(int code) {
    const bool horizontal = code == frame::htLeft || code == frame::htRight;
    const bool vertical = code == frame::htTop || code == frame::htBottom;
    const frame::FrameGeometry g = Geometry();
    if (!(horizontal || vertical) || !g.Extended() ||
        g.Form().Style != frame::BorderStyle::bsSizeable || g.Form().Maximized)
        return false;
    HWND window = Window();
    RECT w{};
    GetWindowRect(window, &w);
    MONITORINFO mi{sizeof(mi)};
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &mi);
    const frame::StretchResult r =
        frame::ToggleStretch({w.left, w.top, w.right, w.bottom}, normal_bounds_,
                             {mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom},
                             horizontal, g.DeltaW(), g.DeltaH());
    normal_bounds_ = r.Normal;
    SetWindowPos(window, nullptr, r.Bounds.Left, r.Bounds.Top, r.Bounds.Width(), r.Bounds.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void TsSkinProvider::OnGetMinMaxInfo(ui::Message& m) {
    auto* info = reinterpret_cast<MINMAXINFO*>(m.lParam);
    HMONITOR monitor = MonitorFromWindow(Window(), MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi{sizeof(mi)};
    if (!info || !GetMonitorInfoW(monitor, &mi))
        return;
    const Rect work{mi.rcWork.left - mi.rcMonitor.left, mi.rcWork.top - mi.rcMonitor.top,
                    mi.rcWork.right - mi.rcMonitor.left, mi.rcWork.bottom - mi.rcMonitor.top};
    const frame::MaximizedPlacement placed = frame::MaximizedPlacementFor(Geometry(), work);
    info->ptMaxPosition = {placed.Position.X, placed.Position.Y};
    info->ptMaxSize = {placed.Size.X, placed.Size.Y};
}

void TsSkinProvider::OnWindowPosChanging(ui::Message& m) {
    auto* pos = reinterpret_cast<WINDOWPOS*>(m.lParam);
    HWND window = Window();
    // The picture of the hide animation is taken while the window still shows.
    if (pos && (pos->flags & SWP_HIDEWINDOW) && IsWindowVisible(window) && AllowAnimation &&
        source_->HideTime >= frame::kFadeInterval) {
        hide_picture_ = SnapshotOf(*this);
        hide_rect_ = SnapshotRect(*this);
    }
    if (!ScreenSnap || !pos || (pos->flags & SWP_NOMOVE) || IsZoomed(window) ||
        !IsWindowVisible(window))
        return;
    RECT w{};
    GetWindowRect(window, &w);
    const int width = (pos->flags & SWP_NOSIZE) ? w.right - w.left : pos->cx;
    const int height = (pos->flags & SWP_NOSIZE) ? w.bottom - w.top : pos->cy;
    MONITORINFO mi{sizeof(mi)};
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &mi);
    const Point p =
        frame::SnapToWorkArea({pos->x, pos->y, pos->x + width, pos->y + height}, {w.left, w.top},
                              {mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom},
                              SnapBuffer, frame::SnapMargins(Geometry()));
    pos->x = p.X;
    pos->y = p.Y;
}

std::function<const FrameSkinSource*(LPARAM)>& TsSkinProvider::SourceOfManager() {
    static std::function<const FrameSkinSource*(LPARAM)> source;
    return source;
}

COLORREF TsSkinProvider::FormColor() const {
    if (!Skinned())
        return GetSysColor(COLOR_BTNFACE);
    const data::LoadedSkin& skin = *source_->Skin;
    const data::TsGeneralData& form = skin.gd[static_cast<std::size_t>(FormSkinIndex())];
    const data::TColor colour = form_active_ && form.States >= 2 ? form.HotColor : form.Color;
    return static_cast<COLORREF>(colour & 0xFFFFFF);
}

// The form answers as handled, so the announcements reach its controls through the provider.
void TsSkinProvider::PassOnToControls(const ui::Message& m) {
    if (form_)
        PassSkinCommandToChildren(*form_, ui::SkinCommandOf(m), m.lParam);
}

bool TsSkinProvider::SkinCommand(ui::Message& m) {
    using namespace skin::engine;
    switch (ui::SkinCommandOf(m)) {
    case SkinCmdSetNewSkin:
        // Only a manager the engine knows offers a source: any other value leaves the frame.
        if (SourceOfManager())
            if (const FrameSkinSource* source = SourceOfManager()(m.lParam))
                SetSkinSource(source);
        PassOnToControls(m);
        return true;
    case SkinCmdRemoveSkin:
        SetSkinSource(nullptr);
        PassOnToControls(m);
        return true;
    case SkinCmdRefresh:
        bg_changed_ = rgn_changed_ = true;
        CreateOrFreeBorderForm();
        PassOnToControls(m);
        RepaintFrame();
        if (HWND window = Window())
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return true;
    case SkinCmdCtrlHandled:
        m.result = 1;
        return true;
    case SkinCmdBGChanged:
        bg_changed_ = true;
        return true;
    case SkinCmdGetColor:
        m.result = static_cast<LRESULT>(FormColor());
        return true;
    case SkinCmdGetOffsets:
        m.result = Skinned() ? static_cast<LRESULT>(MAKELONG(OffsetX(), OffsetY())) : 0;
        return true;
    case SkinCmdIsGradient: {
        if (!Skinned())
            return false;
        const data::LoadedSkin& skin = *source_->Skin;
        const data::TsGeneralData& form = skin.gd[static_cast<std::size_t>(FormSkinIndex())];
        m.result = form.GradientPercent + form.ImagePercent > 0;
        return true;
    }
    case SkinCmdGetBackground: {
        auto* info = reinterpret_cast<BackgroundInfo*>(m.lParam);
        if (!info || !Skinned())
            return false;
        // The children's background is the form's image, with their offsets moved into it.
        info->Color = FormColor();
        if (PrepareCache() || !cache_.IsEmpty()) {
            info->Bmp = &cache_;
            info->Kind = BackgroundInfo::kBitmap;
            info->OffsetX += OffsetX();
            info->OffsetY += OffsetY();
        } else {
            info->Kind = BackgroundInfo::kPlainColor;
        }
        m.result = 1;
        return true;
    }
    default:
        return false;
    }
}

void TsSkinProvider::WndProc(ui::Message& m, const ui::ProcedureChain::Next& next) {
    if (m.msg == ui::WM_SKINCOMMAND && SkinCommand(m))
        return;
    if (!Skinned() || !DrawNonClientArea) {
        next(m);
        return;
    }
    HWND window = Window();
    switch (m.msg) {
    case WM_CREATE:
    case WM_NCCREATE:
        next(m);
        PrepareForm();
        return;
    case WM_NCCALCSIZE:
        // The client area keeps the size and place the platform gives it.
        next(m);
        return;
    case WM_NCPAINT:
        if (!prepared_)
            PrepareForm();
        if (IsWindowVisible(window)) {
            PrepareCache();
            if (!border_form_) {
                HDC dc = GetWindowDC(window);
                PaintNonClient(dc);
                ReleaseDC(window, dc);
            }
            UpdateRegion();
        }
        m.result = 0;
        return;
    case WM_NCACTIVATE: {
        const bool active = m.wParam != 0;
        if (active != form_active_) {
            form_active_ = active;
            bg_changed_ = true;
        }
        // lParam -1: Wine then leaves the caption alone.
        m.lParam = -1;
        next(m);
        m.result = TRUE;
        ui::TraceEvent(*this, "activate", 0, active ? 1 : 0);
        RepaintFrame();
        return;
    }
    case WM_SETTEXT:
    case WM_SETICON:
        WithRedrawLocked(m, next);
        if (m.msg == WM_SETICON)
            icon_ = {};
        bg_changed_ = true;
        RepaintFrame();
        return;
    case WM_SETREDRAW:
        if (m.wParam == TRUE)
            lock_count_ = std::max(0, lock_count_ - 1);
        else
            ++lock_count_;
        next(m);
        return;
    case WM_ERASEBKGND: {
        HDC dc = reinterpret_cast<HDC>(m.wParam);
        EraseBackground(dc, m.wParam == static_cast<WPARAM>(m.lParam));
        m.result = 1;
        return;
    }
    case WM_NCHITTEST: {
        if (border_form_) {
            next(m);
            return;
        }
        POINT screen{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
        PrepareCache();
        const int code = HitTestAt(CachePoint(screen));
        if (frame::IsPlatformHitCode(code)) {
            next(m);
            return;
        }
        m.result = code;
        return;
    }
    case WM_NCMOUSEMOVE:
        SetHotHT(HitTestAt(CachePoint({GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)})));
        next(m);
        return;
    case WM_NCMOUSELEAVE:
    case WM_MOUSELEAVE:
        if (!tracker_.Pressed())
            ResetButtons();
        next(m);
        return;
    case WM_NCLBUTTONDOWN:
        OnNcLButtonDown(m, next);
        return;
    case WM_NCLBUTTONUP:
        OnButtonUp(m, next, {GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)});
        return;
    case WM_LBUTTONUP: {
        if (!capturing_) {
            next(m);
            return;
        }
        POINT p{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
        ClientToScreen(window, &p);
        OnButtonUp(m, next, p);
        return;
    }
    case WM_MOUSEMOVE:
        if (capturing_)
            return;
        next(m);
        return;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
        // A lost capture brings no release: without a reset one lost release would stop all
        // hot tracking for good.
        if (capturing_ || tracker_.Pressed()) {
            capturing_ = false;
            ResetButtons();
        }
        next(m);
        return;
    case WM_NCLBUTTONDBLCLK: {
        const int code = HitTestAt(CachePoint({GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)}));
        // A quick second click on a title button is one more press of it.
        if (frame::IsTitleButtonCode(code)) {
            OnNcLButtonDown(m, next);
            return;
        }
        if (StretchByEdge(code))
            return;
        const FrameAction action = frame::DoubleClickAction(code, Rules(), Geometry().HasFrame());
        if (action.Command == FrameCommand::PassOn)
            next(m);
        else
            Carry(action);
        return;
    }
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP: {
        const int code = HitTestAt(CachePoint({GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)}));
        const FrameAction action = frame::RightButtonAction(code, m.msg == WM_NCRBUTTONDOWN);
        if (action.Command == FrameCommand::PassOn) {
            next(m);
        } else if (action.Command == FrameCommand::OpenSystemMenuAtCursor) {
            ResetButtons();
            DropSysMenu(GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam));
        }
        return;
    }
    case WM_PRINT:
        PrintWindowTo(reinterpret_cast<HDC>(m.wParam), static_cast<unsigned>(m.lParam));
        return;
    case WM_PRINTCLIENT:
        return;
    case WM_MEASUREITEM:
        if (system_menu_ && m.wParam == 0 &&
            system_menu_->Measure(*reinterpret_cast<MEASUREITEMSTRUCT*>(m.lParam))) {
            m.result = TRUE;
            return;
        }
        next(m);
        return;
    case WM_DRAWITEM:
        if (system_menu_ && m.wParam == 0 &&
            system_menu_->Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam))) {
            m.result = TRUE;
            return;
        }
        next(m);
        return;
    case kShowSystemMenu: {
        POINT p{};
        GetCursorPos(&p);
        DropSysMenu(p.x, p.y);
        return;
    }
    case WM_SYSCOMMAND:
        OnSysCommand(m, next);
        return;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(m);
        next(m);
        return;
    case WM_WINDOWPOSCHANGING:
        OnWindowPosChanging(m);
        next(m);
        return;
    case WM_WINDOWPOSCHANGED: {
        next(m);
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.lParam);
        if (pos && (pos->flags & SWP_HIDEWINDOW) && !hide_picture_.IsEmpty()) {
            // The picture takes the frame's place: the border window goes before it shows,
            // also when the animation runs at once while the program ends.
            KillAnimations();
            border_form_.reset();
            auto frames = frame::HideFrames(hide_picture_.Width(), hide_picture_.Height(),
                                            source_->HideTime, 255, frame::AnimationMode::atAero);
            StartAnimation(std::move(hide_picture_), hide_rect_, std::move(frames), false,
                           frame::kFadeInterval, TraceName(), "hide");
            hide_picture_ = {};
        }
        if (pos && !(pos->flags & SWP_NOSIZE)) {
            bg_changed_ = rgn_changed_ = true;
        }
        if (pos && (!(pos->flags & SWP_NOMOVE) || (pos->flags & SWP_HIDEWINDOW)))
            KillAnimations();
        CreateOrFreeBorderForm();
        if (show_animating_ && pos && (pos->flags & SWP_SHOWWINDOW)) {
            if (IsIconic(window))
                FinishShow();
            else
                AnimateShow();
        }
        if (border_form_)
            border_form_->UpdateExBordersPos(false);
        if (pos && !(pos->flags & SWP_NOSIZE))
            RepaintFrame();
        return;
    }
    case WM_SHOWWINDOW:
        if (m.wParam && m.lParam == 0 && !IsWindowVisible(window) && !IsIconic(window) &&
            ShowAnimationWanted()) {
            // Shown by the animation first: the window stays empty until it has run.
            show_animating_ = window_emptied_ = true;
            SetWindowRgn(window, CreateRectRgn(0, 0, 0, 0), FALSE);
        }
        next(m);
        // Title buttons left hot or pressed are drawn normal again; an image that is up to date
        // is shown as it is.
        if (m.wParam && !tracker_.Reset().empty())
            bg_changed_ = true;
        return;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        bg_changed_ = true;
        next(m);
        RepaintFrame();
        return;
    case ui::CM_ENABLEDCHANGED:
        next(m);
        bg_changed_ = true;
        RepaintFrame();
        return;
    case WM_ACTIVATEAPP:
        next(m);
        if (border_form_)
            border_form_->UpdateExBordersPos(false);
        return;
    case WM_QUERYENDSESSION:
        ui::Application::Instance().BeginTerminating();
        // Animations get a moment to end, never an unbounded wait.
        WaitForAnimations(1000);
        next(m);
        return;
    case WM_DESTROY:
        KillAnimations();
        border_form_.reset();
        next(m);
        return;
    default:
        next(m);
        return;
    }
}

} // namespace skin::windows
