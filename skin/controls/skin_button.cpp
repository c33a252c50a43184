#include "skin/controls/skin_button.h"

#include "skin/controls/gdi_bitmaps.h"
#include "skin/render/corner_pixels.h"
#include "skin/render/mask_source.h"
#include "skin/render/win32/dib_bitmap.h"
#include "ui/font.h"
#include "ui/message.h"
#include "ui/trace.h"
#include "ui/wide.h"

#include <algorithm>

namespace skin::controls {
namespace {

// Posted to look at the state again once the platform has finished the change in hand.
constexpr UINT WM_STATECHECK = WM_APP + 0x120;
// How long the pressed face stays when a quick click releases before its fade has shown it.
constexpr DWORD kPressedHold = 30;

} // namespace

TsButton::TsButton(ui::Component* owner, int category)
    : Button(owner), paint_(*this, category, FadeMode::Restart,
                            [this](const render::SkinBitmap& face) { Show(face); }) {}

TsButton::~TsButton() {
    paint_.Fade().Stop();
    if (glyph_icon_)
        DestroyIcon(glyph_icon_);
}

void TsButton::SetSkinSection(std::u16string_view section) {
    paint_.SetSection(section);
    Invalidate();
}

bool TsButton::Skinned() const {
    return paint_.Skinned();
}

void TsButton::SetGlyph(HICON glyph) {
    if (glyph_icon_)
        DestroyIcon(glyph_icon_);
    glyph_icon_ = glyph;
    paint_.SetGlyph(IconPixels(glyph));
    Invalidate();
}

void TsButton::SetSplit(bool split) {
    split_ = split;
    paint_.Forget();
    Invalidate();
}

int TsButton::CurrentState() const {
    if (!Enabled())
        return 0;
    const bool pushed = handle_ && (SendMessageW(handle_, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    const bool left_held = (GetKeyState(VK_LBUTTON) & 0x8000) != 0;
    if ((pushed || releasing_) && (mouse_above_ || !left_held))
        return 2;
    if (Focused() || IsDefault() || mouse_above_)
        return 1;
    return 0;
}

void TsButton::Rebuild() {
    if (!paint_.SizeCache())
        return;
    if (Skinned())
        ComposeSkinned();
    else
        ComposePlain();
    UpdateRegionRuns();
}

void TsButton::UpdateRegionRuns() {
    std::vector<render::Rect> runs;
    if (Skinned()) {
        const render::MaskSource border =
            render::MaskFromSkin(paint_.Skin(), paint_.Skin()->gd[paint_.Section()].BorderIndex);
        if (border.HasManager && border.CornerType == 2)
            runs = render::BorderShapeRuns(
                border, render::LimitedState(*paint_.Skin(), paint_.Section(), paint_.ShownState()),
                paint_.Cache().Width(), paint_.Cache().Height());
    }
    if (runs == region_runs_ && (region_applied_ || runs.empty()))
        return;
    region_runs_ = std::move(runs);
    if (region_runs_.empty())
        ReleaseRegion();
    else
        ApplyRegion();
}

void TsButton::ApplyRegion() {
    if (!handle_ || region_runs_.empty())
        return;
    std::vector<char> buffer(sizeof(RGNDATAHEADER) + region_runs_.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(region_runs_.size());
    data->rdh.nRgnSize = static_cast<DWORD>(region_runs_.size() * sizeof(RECT));
    data->rdh.rcBound = {0, 0, Width(), Height()};
    auto* rects = reinterpret_cast<RECT*>(data->Buffer);
    for (std::size_t i = 0; i < region_runs_.size(); ++i) {
        const render::Rect& r = region_runs_[i];
        rects[i] = {r.Left, r.Top, r.Right, r.Bottom};
    }
    HRGN region = ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data);
    if (region == nullptr)
        return;
    // The window owns the region from here; the change shows with the next face copied.
    if (SetWindowRgn(handle_, region, FALSE))
        region_applied_ = true;
    else
        DeleteObject(region);
}

void TsButton::ReleaseRegion() {
    if (!region_applied_)
        return;
    region_applied_ = false;
    if (handle_)
        SetWindowRgn(handle_, nullptr, FALSE);
}

void TsButton::ComposeSkinned() {
    FaceContent content;
    content.Caption = Text();
    content.Font = font_.Handle();
    content.Enabled = Enabled();
    content.ShowFocus = show_focus_ && Focused();
    content.CaptionOnlyLayout = true;
    content.Split = split_;
    content.FontColor = ui::ColorToRgb(font_.color) & 0xFFFFFF;
    paint_.ComposeSkinned(content);
}

void TsButton::ComposePlain() {
    // The platform's own push button look, drawn into a bitmap like the skinned one.
    render::SkinBitmap& cache = paint_.Cache();
    render::SkinBitmap dib = render::win32::NewDibBitmap(cache.Width(), cache.Height());
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old_bitmap = SelectObject(dc, static_cast<HBITMAP>(dib.Handle()));
    RECT area{0, 0, cache.Width(), cache.Height()};
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    const bool pressed = paint_.ShownState() >= 2;
    if (IsDefault() || Focused()) {
        FrameRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&area, -1, -1);
    }
    DrawFrameControl(dc, &area, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    HGDIOBJ old_font = SelectObject(dc, font_.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    RECT text = area;
    if (pressed)
        OffsetRect(&text, 1, 1);
    const std::u16string& caption = Text();
    int glyph_room = 0;
    if (glyph_icon_) {
        const SIZE size = MeasureText(font_.Handle(), caption);
        glyph_room = 16 + (caption.empty() ? 0 : kGlyphSpacing);
        const int x = (cache.Width() - glyph_room - size.cx) / 2 + (pressed ? 1 : 0);
        DrawIconEx(dc, x, (cache.Height() - 16) / 2 + (pressed ? 1 : 0), glyph_icon_, 16, 16, 0,
                   nullptr, DI_NORMAL);
        text.left = x + glyph_room;
        text.right = text.left + size.cx;
    }
    DrawTextW(dc, ui::Wide(caption), static_cast<int>(caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (Focused() && show_focus_) {
        RECT focus = area;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
    SelectObject(dc, old_font);
    GdiFlush();
    SelectObject(dc, old_bitmap);
    DeleteDC(dc);
    const int width = std::min(cache.Width(), dib.Width());
    const int height = std::min(cache.Height(), dib.Height());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            cache.At(x, y) = dib.At(x, y) | 0xFF000000u;
}

void TsButton::Show(const render::SkinBitmap& face) {
    if (!handle_ || !IsWindowVisible(handle_))
        return;
    // The final face of a fade: the shape let go of for the frames comes back.
    if (&face == &paint_.Cache() && !region_applied_)
        ApplyRegion();
    HDC dc = GetDC(handle_);
    ShowBitmap(dc, 0, 0, face);
    ReleaseDC(handle_, dc);
}

bool TsButton::InsideParent() const {
    const ui::WinControl* parent = Parent();
    if (parent == nullptr)
        return false;
    const auto [width, height] = parent->ClientSize();
    return Left() >= 0 && Top() >= 0 && Left() + Width() <= width && Top() + Height() <= height;
}

void TsButton::Paint(HDC dc) {
    if (Skinned()) {
        engine::TsCommonData& data = paint_.SkinData();
        // Nothing while the button or its parent is being updated: the update repaints it.
        if (data.GetUpdating()) {
            ui::TraceEvent(*this, "paint-skipped", paint_.ShownState(), 0);
            return;
        }
        // A button partly outside its parent shows a background that may move under it.
        ui::WinControl* parent = Parent();
        if (data.HalfVisible ||
            (parent && engine::SendSkinCommand(*parent, engine::SkinCmdGetHalfVisible) != 0))
            data.BGChanged = true;
        data.HalfVisible = !InsideParent();
    }
    paint_.Paint(dc, 0, 0, CurrentState(), [this] { Rebuild(); });
    if (!region_applied_ && !paint_.Fade().Running())
        ApplyRegion();
}

void TsButton::StateMayHaveChanged(bool press_or_release) {
    if (!handle_)
        return;
    paint_.ChangeTo(CurrentState(), IsWindowVisible(handle_) != FALSE, [this] { Rebuild(); });
    paint_.UpdateGlow(mouse_above_, press_or_release);
}

void TsButton::PostStateCheck() {
    if (!state_check_posted_ && handle_)
        state_check_posted_ = PostMessageW(handle_, WM_STATECHECK, 0, 0) != FALSE;
}

void TsButton::HoldPressedFace() {
    StateFade& fade = paint_.Fade();
    if (!fade.Running() || paint_.ShownState() != 2 || fade.Level() > fade.Iterations())
        return;
    fade.Stop();
    releasing_ = true;
    Rebuild();
    Show(paint_.Cache());
    ui::TraceEvent(*this, "hold", 0, kPressedHold);
    GdiFlush();
    Sleep(kPressedHold);
    releasing_ = false;
}

void TsButton::WndProc(ui::Message& message) {
    if (message.msg == ui::WM_SKINCOMMAND) {
        switch (ui::SkinCommandOf(message)) {
        case engine::SkinCmdFadeFrame:
            // A fade frame covers the whole window: the shape goes until the final face.
            ReleaseRegion();
            message.result = 0;
            return;
        case engine::SkinCmdSetNewSkin:
        case engine::SkinCmdRefresh:
        case engine::SkinCmdRemoveSkin:
            region_runs_.clear();
            ReleaseRegion();
            break;
        default:
            break;
        }
    }
    if (paint_.HandleSkinCommand(message, [this] { Rebuild(); })) {
        Button::WndProc(message);
        return;
    }
    switch (message.msg) {
    case WM_ERASEBKGND:
        message.result = 1;
        return;
    case WM_PAINT: {
        if (message.wParam) {
            Paint(reinterpret_cast<HDC>(message.wParam));
            return;
        }
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(handle_, &ps);
        Paint(dc);
        EndPaint(handle_, &ps);
        return;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(message.wParam));
        return;
    case WM_STATECHECK:
        state_check_posted_ = false;
        StateMayHaveChanged();
        return;
    case WM_LBUTTONUP:
        HoldPressedFace();
        Button::WndProc(message);
        StateMayHaveChanged(true);
        return;
    case ui::CM_MOUSEENTER:
        mouse_above_ = true;
        Button::WndProc(message);
        StateMayHaveChanged();
        return;
    case ui::CM_MOUSELEAVE:
        mouse_above_ = false;
        Button::WndProc(message);
        StateMayHaveChanged();
        return;
    case ui::CM_ENABLEDCHANGED:
    case ui::CM_TEXTCHANGED:
    case ui::CM_FONTCHANGED:
        if (message.msg == ui::CM_ENABLEDCHANGED)
            paint_.HideGlow();
        paint_.Forget();
        Button::WndProc(message);
        Invalidate();
        return;
    case WM_SIZE:
    case WM_MOVE:
        paint_.HideGlow();
        paint_.Forget();
        Button::WndProc(message);
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_SETTEXT:
    case BM_SETSTYLE:
        // The platform draws its own look on these at once: ours goes back over it.
        Button::WndProc(message);
        if (handle_ && IsWindowVisible(handle_) && !paint_.Cache().IsEmpty())
            Show(paint_.OnShow());
        PostStateCheck();
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        Button::WndProc(message);
        StateMayHaveChanged(true);
        return;
    case WM_KEYUP:
    case BM_SETSTATE:
        Button::WndProc(message);
        StateMayHaveChanged();
        return;
    default:
        Button::WndProc(message);
    }
}

} // namespace skin::controls
