#include "skin/controls/skin_button.h"

#include "skin/controls/gdi_bitmaps.h"
#include "skin/render/button_face.h"
#include "skin/render/button_layout.h"
#include "skin/render/fade_sequence.h"
#include "skin/render/win32/dib_bitmap.h"
#include "skin/render/win32/gdi_text_renderer.h"
#include "ui/application.h"
#include "ui/font.h"
#include "ui/message.h"
#include "ui/trace.h"
#include "ui/wide.h"

namespace skin::controls {
namespace {

constexpr UINT CN_DRAWITEM = ui::CN_BASE + WM_DRAWITEM;
constexpr int kGlyphSpacing = 4;
// How long the pressed face stays when a quick click releases before its fade has shown it.
constexpr DWORD kPressedHold = 30;

} // namespace

TsButton::TsButton(ui::Component* owner) : Button(owner) {
    fade_ = std::make_unique<StateFade>(
        *this, [this]() -> const render::SkinBitmap& { return cache_; },
        [this](const render::SkinBitmap& face) { Show(face); });
}

TsButton::~TsButton() {
    fade_.reset();
    if (glyph_icon_)
        DestroyIcon(glyph_icon_);
}

void TsButton::CreateParams(ui::CreateParams& params) {
    Button::CreateParams(params);
    params.style = (params.style & ~BS_TYPEMASK) | BS_OWNERDRAW;
}

void TsButton::SetSkin(const data::LoadedSkin* skin) {
    fade_->Stop();
    skin_ = skin;
    section_ = skin_ ? skin_->GetSkinIndex(section_name_) : -1;
    shown_state_ = -1;
    Invalidate();
}

void TsButton::SetSkinSection(std::u16string section) {
    section_name_ = std::move(section);
    SetSkin(skin_);
}

bool TsButton::Skinned() const {
    return skin_ != nullptr && skin_->IsValidSkinIndex(section_);
}

void TsButton::SetGlyph(HICON glyph) {
    if (glyph_icon_)
        DestroyIcon(glyph_icon_);
    glyph_icon_ = glyph;
    glyph_ = IconPixels(glyph);
    shown_state_ = -1;
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
    const int width = Width();
    const int height = Height();
    if (width <= 0 || height <= 0) {
        cache_ = render::SkinBitmap();
        return;
    }
    if (cache_.Width() != width || cache_.Height() != height)
        cache_ = render::SkinBitmap(width, height);
    if (Skinned())
        ComposeSkinned();
    else
        ComposePlain();
}

void TsButton::ComposeSkinned() {
    const int state = render::LimitedState(*skin_, section_, shown_state_);
    render::ButtonFace face;
    face.Skin = skin_;
    face.Section = section_;
    face.State = state;
    face.Enabled = Enabled();
    const ui::Color parent = Parent() ? Parent()->GetColor() : ui::SystemColor(COLOR_BTNFACE);
    face.Behind = {nullptr, 0, 0, ui::ColorToRgb(parent) & 0xFFFFFF, false};
    face.ParentColor = ui::ColorToRgb(parent) & 0xFFFFFF;
    face.Caption = Text();
    face.TextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP;
    face.ShowFocus = show_focus_ && Focused();
    const SIZE text = MeasureText(font_.Handle(), face.Caption);
    const bool pressed = state >= 2;
    if (!glyph_.IsEmpty()) {
        render::SpeedButtonContent content;
        content.Width = cache_.Width();
        content.Height = cache_.Height();
        content.GlyphWidth = glyph_.Width();
        content.GlyphHeight = glyph_.Height();
        content.TextWidth = text.cx;
        content.TextHeight = text.cy;
        content.HasCaption = !face.Caption.empty();
        content.Spacing = kGlyphSpacing;
        content.Pressed = pressed;
        const render::ButtonPlacement placement = render::PlaceSpeedButtonContent(content);
        face.Glyph = &glyph_;
        face.GlyphAt = placement.Glyph;
        face.CaptionRect = placement.Caption;
    } else {
        face.CaptionRect = render::PushButtonCaptionRect(cache_.Width(), cache_.Height(), text.cx,
                                                         text.cy, pressed);
    }
    render::win32::GdiTextRenderer renderer(font_.Handle());
    render::ComposeButtonFace(cache_, face, renderer);
}

void TsButton::ComposePlain() {
    // The platform's own push button look, drawn into a bitmap like the skinned one.
    render::SkinBitmap dib = render::win32::NewDibBitmap(cache_.Width(), cache_.Height());
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old_bitmap = SelectObject(dc, static_cast<HBITMAP>(dib.Handle()));
    RECT area{0, 0, cache_.Width(), cache_.Height()};
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    const bool pressed = shown_state_ >= 2;
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
        const int x = (cache_.Width() - glyph_room - size.cx) / 2 + (pressed ? 1 : 0);
        DrawIconEx(dc, x, (cache_.Height() - 16) / 2 + (pressed ? 1 : 0), glyph_icon_, 16, 16, 0,
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
    for (int y = 0; y < cache_.Height(); ++y)
        for (int x = 0; x < cache_.Width(); ++x)
            cache_.At(x, y) = dib.At(x, y) | 0xFF000000u;
}

void TsButton::Show(const render::SkinBitmap& face) {
    if (!handle_ || !IsWindowVisible(handle_))
        return;
    HDC dc = GetDC(handle_);
    ShowBitmap(dc, 0, 0, face);
    ReleaseDC(handle_, dc);
}

void TsButton::Paint(HDC dc) {
    const int state = CurrentState();
    if (state != shown_state_ || cache_.Width() != Width() || cache_.Height() != Height()) {
        fade_->Stop();
        shown_state_ = state;
        Rebuild();
    }
    ShowBitmap(dc, 0, 0, fade_->Running() ? fade_->Frame() : cache_);
}

void TsButton::StateMayHaveChanged() {
    const int state = CurrentState();
    if (state == shown_state_ || !handle_)
        return;
    const bool half = state == 2 || shown_state_ == 2;
    const bool can_fade = Skinned() && skin_->gd[section_].FadingEnabled && shown_state_ >= 0 &&
                          !cache_.IsEmpty() && IsWindowVisible(handle_) &&
                          !ui::Application::Instance().Terminating();
    render::SkinBitmap old_face = can_fade ? cache_.Clone() : render::SkinBitmap();
    shown_state_ = state;
    Rebuild();
    if (can_fade) {
        fade_->StartOver(std::move(old_face),
                         render::FadeLength(skin_->gd[section_].FadingIterations, half));
    } else {
        fade_->Stop();
        Show(cache_);
    }
}

void TsButton::HoldPressedFace() {
    if (!fade_->Running() || shown_state_ != 2 || fade_->Level() > fade_->Iterations())
        return;
    fade_->Stop();
    releasing_ = true;
    Rebuild();
    Show(cache_);
    ui::TraceEvent(*this, "hold", 0, kPressedHold);
    GdiFlush();
    Sleep(kPressedHold);
    releasing_ = false;
}

void TsButton::WndProc(ui::Message& message) {
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
    case CN_DRAWITEM:
        // The platform's state changes (pressed, released, focus) come as owner-draw requests.
        message.result = TRUE;
        StateMayHaveChanged();
        return;
    case WM_LBUTTONUP:
        HoldPressedFace();
        Button::WndProc(message);
        StateMayHaveChanged();
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
        fade_->Stop();
        shown_state_ = -1;
        Button::WndProc(message);
        Invalidate();
        return;
    case WM_SIZE:
        fade_->Stop();
        shown_state_ = -1;
        Button::WndProc(message);
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_KEYUP:
    case BM_SETSTATE:
    case BM_SETSTYLE:
        Button::WndProc(message);
        StateMayHaveChanged();
        return;
    default:
        Button::WndProc(message);
    }
}

} // namespace skin::controls
