#include "skin/controls/skin_speed_button.h"

#include "skin/controls/gdi_bitmaps.h"
#include "skin/render/button_face.h"
#include "skin/render/button_layout.h"
#include "skin/render/fade_sequence.h"
#include "skin/render/win32/gdi_text_renderer.h"
#include "ui/application.h"
#include "ui/font.h"
#include "ui/win_control.h"

namespace skin::controls {
namespace {
constexpr int kGlyphSpacing = 4;
} // namespace

TsSpeedButton::TsSpeedButton(ui::Component* owner) : SpeedButton(owner) {
    fade_ = std::make_unique<StateFade>(
        *this, [this]() -> const render::SkinBitmap& { return cache_; },
        [this](const render::SkinBitmap& face) { Show(face); });
}

TsSpeedButton::~TsSpeedButton() {
    fade_.reset();
}

void TsSpeedButton::SetSkin(const data::LoadedSkin* skin) {
    fade_->Stop();
    skin_ = skin;
    section_ = skin_ ? skin_->GetSkinIndex(section_name_) : -1;
    shown_state_ = -1;
    Invalidate();
}

void TsSpeedButton::SetSkinSection(std::u16string section) {
    section_name_ = std::move(section);
    SetSkin(skin_);
}

bool TsSpeedButton::Skinned() const {
    return skin_ != nullptr && skin_->IsValidSkinIndex(section_);
}

void TsSpeedButton::SetGlyph(HICON glyph) {
    glyph_ = IconPixels(glyph);
    SpeedButton::SetGlyph(glyph);
    shown_state_ = -1;
}

int TsSpeedButton::CurrentState() const {
    if (!Enabled())
        return 0;
    if (Pressed() && MouseInControl())
        return 2;
    return MouseInControl() ? 1 : 0;
}

void TsSpeedButton::Rebuild() {
    if (Width() <= 0 || Height() <= 0) {
        cache_ = render::SkinBitmap();
        return;
    }
    if (cache_.Width() != Width() || cache_.Height() != Height())
        cache_ = render::SkinBitmap(Width(), Height());
    const int state = render::LimitedState(*skin_, section_, shown_state_);
    render::ButtonFace face;
    face.Skin = skin_;
    face.Section = section_;
    face.State = state;
    face.PushButton = false;
    face.Enabled = Enabled();
    const ui::Color parent = Parent() ? Parent()->GetColor() : ui::SystemColor(COLOR_BTNFACE);
    face.Behind = {nullptr, 0, 0, ui::ColorToRgb(parent) & 0xFFFFFF, false};
    face.ParentColor = ui::ColorToRgb(parent) & 0xFFFFFF;
    face.Caption = Text();
    face.TextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP;
    face.Blend = blend_;
    const SIZE text = MeasureText(font_.Handle(), face.Caption);
    render::SpeedButtonContent content;
    content.Width = Width();
    content.Height = Height();
    content.GlyphWidth = glyph_.Width();
    content.GlyphHeight = glyph_.Height();
    content.TextWidth = text.cx;
    content.TextHeight = text.cy;
    content.HasCaption = !face.Caption.empty();
    content.Spacing = kGlyphSpacing;
    content.Pressed = state >= 2;
    const render::ButtonPlacement placement = render::PlaceSpeedButtonContent(content);
    if (!glyph_.IsEmpty())
        face.Glyph = &glyph_;
    face.GlyphAt = placement.Glyph;
    face.CaptionRect = placement.Caption;
    render::win32::GdiTextRenderer renderer(font_.Handle());
    render::ComposeButtonFace(cache_, face, renderer);
}

void TsSpeedButton::Show(const render::SkinBitmap& face) {
    ui::WinControl* parent = Parent();
    if (parent == nullptr || !Visible() || !parent->HandleAllocated() ||
        !IsWindowVisible(parent->Handle()))
        return;
    HDC dc = GetDC(parent->Handle());
    ShowBitmap(dc, Left(), Top(), face);
    ReleaseDC(parent->Handle(), dc);
}

void TsSpeedButton::Paint(HDC dc) {
    if (!Skinned()) {
        SpeedButton::Paint(dc);
        return;
    }
    const int state = CurrentState();
    if (state != shown_state_ || cache_.Width() != Width() || cache_.Height() != Height()) {
        fade_->Stop();
        shown_state_ = state;
        Rebuild();
    }
    ShowBitmap(dc, 0, 0, fade_->Running() ? fade_->Frame() : cache_);
}

void TsSpeedButton::StateMayHaveChanged() {
    if (!Skinned()) {
        Invalidate();
        return;
    }
    const int state = CurrentState();
    if (state == shown_state_)
        return;
    const bool half = state == 2 || shown_state_ == 2;
    const bool can_fade = skin_->gd[section_].FadingEnabled && shown_state_ >= 0 &&
                          !cache_.IsEmpty() && !ui::Application::Instance().Terminating();
    render::SkinBitmap old_face = can_fade ? cache_.Clone() : render::SkinBitmap();
    shown_state_ = state;
    Rebuild();
    if (can_fade) {
        fade_->Continue(std::move(old_face),
                        render::FadeLength(skin_->gd[section_].FadingIterations, half));
    } else {
        fade_->Stop();
        Show(cache_);
    }
}

void TsSpeedButton::MouseEnter() {
    StateMayHaveChanged();
}

void TsSpeedButton::MouseLeave() {
    StateMayHaveChanged();
}

void TsSpeedButton::WndProc(ui::Message& message) {
    const bool release = message.msg == WM_LBUTTONUP;
    if (release && fade_->Running() && shown_state_ == 2) {
        // Released during the press fade: the pressed face at once, then the release fade.
        fade_->Stop();
        Show(cache_);
    }
    const bool press = message.msg == WM_LBUTTONDOWN || message.msg == WM_LBUTTONDBLCLK;
    SpeedButton::WndProc(message);
    if (press || release || message.msg == WM_MOUSEMOVE || message.msg == ui::CM_ENABLEDCHANGED)
        StateMayHaveChanged();
}

} // namespace skin::controls
