#include "skin/controls/skin_speed_button.h"

#include "skin/controls/gdi_bitmaps.h"
#include "ui/font.h"
#include "ui/win_control.h"

namespace skin::controls {

TsSpeedButton::TsSpeedButton(ui::Component* owner)
    : SpeedButton(owner), paint_(*this, u"SPEEDBUTTON", FadeMode::Continue,
                                 [this](const render::SkinBitmap& face) { Show(face); }) {}

TsSpeedButton::~TsSpeedButton() {
    paint_.Fade().Stop();
}

void TsSpeedButton::SetSkin(const data::LoadedSkin* skin) {
    paint_.SetSkin(skin);
    Invalidate();
}

void TsSpeedButton::SetSkinSection(std::u16string section) {
    paint_.SetSection(std::move(section));
    Invalidate();
}

bool TsSpeedButton::Skinned() const {
    return paint_.Skinned();
}

void TsSpeedButton::SetGlyph(HICON glyph) {
    paint_.SetGlyph(IconPixels(glyph));
    SpeedButton::SetGlyph(glyph);
}

int TsSpeedButton::CurrentState() const {
    if (!Enabled())
        return 0;
    if (Pressed() && MouseInControl())
        return 2;
    return MouseInControl() ? 1 : 0;
}

void TsSpeedButton::Rebuild() {
    if (!paint_.SizeCache())
        return;
    FaceContent content;
    content.Caption = Text();
    content.Font = font_.Handle();
    content.Enabled = Enabled();
    content.PushButton = false;
    content.Blend = blend_;
    paint_.ComposeSkinned(content);
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
    paint_.Paint(dc, 0, 0, CurrentState(), [this] { Rebuild(); });
}

void TsSpeedButton::StateMayHaveChanged() {
    if (!Skinned()) {
        Invalidate();
        return;
    }
    paint_.ChangeTo(CurrentState(), true, [this] { Rebuild(); });
}

void TsSpeedButton::MouseEnter() {
    StateMayHaveChanged();
}

void TsSpeedButton::MouseLeave() {
    StateMayHaveChanged();
}

void TsSpeedButton::WndProc(ui::Message& message) {
    const bool release = message.msg == WM_LBUTTONUP;
    if (release && paint_.Fade().Running() && paint_.ShownState() == 2) {
        // Released during the press fade: the pressed face at once, then the release fade.
        paint_.Fade().Stop();
        Show(paint_.Cache());
    }
    const bool press = message.msg == WM_LBUTTONDOWN || message.msg == WM_LBUTTONDBLCLK;
    SpeedButton::WndProc(message);
    if (press || release || message.msg == WM_MOUSEMOVE || message.msg == ui::CM_ENABLEDCHANGED)
        StateMayHaveChanged();
}

} // namespace skin::controls
