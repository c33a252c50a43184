#include "skin/controls/button_paint.h"

#include "skin/controls/gdi_bitmaps.h"
#include "skin/controls/glow_effect.h"
#include "skin/render/button_layout.h"
#include "skin/render/corner_pixels.h"
#include "skin/render/fade_sequence.h"
#include "skin/render/win32/gdi_text_renderer.h"
#include "ui/application.h"
#include "ui/message.h"
#include "ui/trace.h"
#include "ui/win_control.h"

namespace skin::controls {

ButtonPaint::ButtonPaint(ui::Control& owner, int category, FadeMode mode, ShowFace show)
    : owner_(owner), skin_data_(ui::Make<engine::TsCommonData>(owner, category)), mode_(mode),
      show_(std::move(show)) {
    skin_data_.Loaded();
    StateFade::Offer offer;
    if (mode_ == FadeMode::Restart) {
        // A windowed button is offered each frame before it is copied to its window.
        offer = [this](const render::SkinBitmap& frame) {
            auto* record = const_cast<render::SkinBitmap*>(&frame);
            return engine::SendSkinCommand(owner_, engine::SkinCmdFadeFrame, 0,
                                           reinterpret_cast<LPARAM>(record), record) != 0;
        };
    }
    fade_ = std::make_unique<StateFade>(
        owner_, [this]() -> const render::SkinBitmap& { return cache_; },
        [this](const render::SkinBitmap& face) { show_(face); }, std::move(offer));
}

ButtonPaint::~ButtonPaint() {
    HideGlow();
    fade_.reset();
}

void ButtonPaint::SetSection(std::u16string_view section) {
    HideGlow();
    skin_data_.SetSkinSection(section);
    Forget();
}

bool ButtonPaint::Skinned() const {
    return skin_data_.Skinned();
}

bool ButtonPaint::FadingEnabled() const {
    return Skinned() && Skin()->gd[Section()].FadingEnabled;
}

void ButtonPaint::SetGlyph(render::SkinBitmap glyph) {
    glyph_ = std::move(glyph);
    Forget();
}

void ButtonPaint::Forget() {
    fade_->Stop();
    shown_state_ = -1;
}

const render::SkinBitmap& ButtonPaint::OnShow() const {
    return fade_->Running() ? fade_->Frame() : cache_;
}

const render::SkinBitmap& ButtonPaint::UnderSiblings() const {
    if (fade_->Running())
        return fade_->Frame();
    return under_overlay_.IsEmpty() ? cache_ : under_overlay_;
}

void ButtonPaint::Compose(const std::function<void()>& compose) {
    under_overlay_ = render::SkinBitmap();
    compose();
    composed_skin_ = Skin();
    skin_data_.BGChanged = false;
    ui::TraceEvent(owner_, "compose", shown_state_, 0);
    if (overlay_ && !cache_.IsEmpty()) {
        render::SkinBitmap plain = cache_.Clone();
        if (overlay_(cache_))
            under_overlay_ = std::move(plain);
    }
}

void ButtonPaint::RefreshCorners(render::SkinBitmap& face, int state) {
    if (!Skinned() || face.IsEmpty())
        return;
    const render::MaskSource border =
        render::MaskFromSkin(Skin(), Skin()->gd[Section()].BorderIndex);
    render::TCacheInfo behind = skin_data_.ParentBackground();
    if (behind.FillColor == render::kKeyColor && !behind.Ready) {
        const ui::WinControl* parent = owner_.Parent();
        behind.FillColor =
            ui::ColorToRgb(parent ? parent->GetColor() : ui::SystemColor(COLOR_BTNFACE)) & 0xFFFFFF;
    }
    render::RefreshCornerPixels(face, border, render::LimitedState(*Skin(), Section(), state),
                                behind);
}

bool ButtonPaint::SizeCache() {
    const int width = owner_.Width();
    const int height = owner_.Height();
    if (width <= 0 || height <= 0) {
        cache_ = render::SkinBitmap();
        return false;
    }
    if (cache_.Width() != width || cache_.Height() != height)
        cache_ = render::SkinBitmap(width, height);
    // A bitmap may come out of another size than asked for: the face is composed in the one made.
    return !cache_.IsEmpty();
}

void ButtonPaint::ComposeSkinned(const FaceContent& content) {
    const int state = render::LimitedState(*Skin(), Section(), shown_state_);
    render::ButtonFace face;
    face.Skin = Skin();
    face.Section = Section();
    face.State = state;
    face.Enabled = content.Enabled;
    face.PushButton = content.PushButton;
    face.Behind = skin_data_.ParentBackground();
    const ui::WinControl* parent = owner_.Parent();
    const ui::Color parent_color = parent ? parent->GetColor() : ui::SystemColor(COLOR_BTNFACE);
    face.ParentColor = ui::ColorToRgb(parent_color) & 0xFFFFFF;
    if (face.Behind.FillColor == render::kKeyColor && !face.Behind.Ready)
        face.Behind.FillColor = face.ParentColor;
    face.Caption = content.Caption;
    face.TextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP;
    face.ShowFocus = content.ShowFocus;
    face.Blend = content.Blend;
    face.Style = content.Style;
    face.ArrowState = content.ArrowState;
    face.Split = content.Split;
    face.FontColor = content.FontColor;
    // The arrow part of a drop-down button is left out of the layout.
    const int arrow =
        content.Style == render::TToolButtonStyle::tbsDropDown ? render::kDropDownArrowWidth : 0;
    const SIZE text = MeasureText(content.Font, face.Caption);
    const bool pressed = state >= 2;
    if (glyph_.IsEmpty() && content.CaptionOnlyLayout) {
        face.CaptionRect = render::PushButtonCaptionRect(cache_.Width() - arrow, cache_.Height(),
                                                         text.cx, text.cy, pressed);
    } else {
        render::SpeedButtonContent layout;
        layout.Width = cache_.Width() - arrow;
        layout.Height = cache_.Height();
        layout.GlyphWidth = glyph_.Width();
        layout.GlyphHeight = glyph_.Height();
        layout.TextWidth = text.cx;
        layout.TextHeight = text.cy;
        layout.HasCaption = !face.Caption.empty();
        layout.Spacing = kGlyphSpacing;
        layout.Pressed = pressed;
        const render::ButtonPlacement placement = render::PlaceSpeedButtonContent(layout);
        if (!glyph_.IsEmpty())
            face.Glyph = &glyph_;
        face.GlyphAt = placement.Glyph;
        face.CaptionRect = placement.Caption;
    }
    render::win32::GdiTextRenderer renderer(content.Font);
    render::ComposeButtonFace(cache_, face, renderer);
}

void ButtonPaint::Paint(HDC dc, int x, int y, int state, const std::function<void()>& compose) {
    const bool stale = state != shown_state_ || cache_.Width() != owner_.Width() ||
                       cache_.Height() != owner_.Height() || Skin() != composed_skin_;
    // A running fade shows its frames; what changed behind is composed once it has ended.
    if (stale || (skin_data_.BGChanged && !fade_->Running())) {
        fade_->Stop();
        shown_state_ = state;
        Compose(compose);
    }
    ShowBitmap(dc, x, y, UnderSiblings());
}

bool ButtonPaint::ChangeTo(int state, bool may_fade, const std::function<void()>& compose) {
    if (state == shown_state_)
        return false;
    const bool half = state == 2 || shown_state_ == 2;
    const bool can_fade = may_fade && FadingEnabled() && shown_state_ >= 0 && !cache_.IsEmpty() &&
                          !ui::Application::Instance().Terminating();
    render::SkinBitmap old_face;
    if (can_fade && mode_ == FadeMode::Continue) {
        // The old face against what lies behind now, with the siblings above painted over it
        // again, so that neither jumps while the faces blend.
        old_face = (under_overlay_.IsEmpty() ? cache_ : under_overlay_).Clone();
        RefreshCorners(old_face, shown_state_);
        if (overlay_)
            overlay_(old_face);
    } else if (can_fade) {
        old_face = cache_.Clone();
    }
    shown_state_ = state;
    Compose(compose);
    if (!can_fade) {
        fade_->Stop();
        show_(cache_);
        return true;
    }
    const int iterations = render::FadeLength(Skin()->gd[Section()].FadingIterations, half);
    if (mode_ == FadeMode::Continue)
        fade_->Continue(std::move(old_face), iterations);
    else
        fade_->StartOver(std::move(old_face), iterations);
    return true;
}

bool ButtonPaint::HandleSkinCommand(ui::Message& message, const std::function<void()>& compose) {
    if (message.msg != ui::WM_SKINCOMMAND)
        return false;
    switch (ui::SkinCommandOf(message)) {
    case engine::SkinCmdSetNewSkin:
    case engine::SkinCmdRefresh:
    case engine::SkinCmdRemoveSkin:
        HideGlow();
        Forget();
        owner_.Invalidate();
        break;
    case engine::SkinCmdBeforeRefresh:
        fade_->Stop();
        break;
    case engine::SkinCmdRebuildBorder:
        if (shown_state_ >= 0 && SizeCache())
            Compose(compose);
        break;
    default:
        break;
    }
    return true;
}

void ButtonPaint::HideGlow() {
    controls::HideGlow(glow_id_);
}

void ButtonPaint::UpdateGlow(bool mouse_above, bool press_or_release) {
    if (!GlowingAllowed() || !Skinned() || Skin()->gd[Section()].GlowCount < 1)
        return;
    const bool left_held = (GetKeyState(VK_LBUTTON) & 0x8000) != 0;
    if (!mouse_above || left_held || (press_or_release && glow_id_ >= 0)) {
        HideGlow();
        return;
    }
    ui::WinControl* parent = owner_.Parent();
    if (glow_id_ >= 0 || parent == nullptr || !parent->HandleAllocated())
        return;
    HWND parent_wnd = parent->Handle();
    RECT r{owner_.Left(), owner_.Top(), owner_.Left() + owner_.Width(),
           owner_.Top() + owner_.Height()};
    RECT client{};
    GetClientRect(parent_wnd, &client);
    RECT visible{};
    IntersectRect(&visible, &r, &client);
    OffsetRect(&visible, -r.left, -r.top);
    MapWindowPoints(parent_wnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    glow_id_ = ShowGlow(r, visible, *Skin(), Section(), GetAncestor(parent_wnd, GA_ROOT), 255,
                        Skin()->gd[Section()].GlowMargin, u"GLOW");
}

} // namespace skin::controls
