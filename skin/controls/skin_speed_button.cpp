#include "skin/controls/skin_speed_button.h"

#include "skin/controls/gdi_bitmaps.h"
#include "skin/render/button_layout.h"
#include "ui/font.h"
#include "ui/message.h"
#include "ui/win_control.h"

#include <windowsx.h>

namespace skin::controls {

TsSpeedButton::TsSpeedButton(ui::Component* owner)
    : SpeedButton(owner), paint_(*this, engine::kCategorySpeedButton, FadeMode::Continue,
                                 [this](const render::SkinBitmap& face) { Show(face); }) {}

TsSpeedButton::~TsSpeedButton() {
    paint_.Fade().Stop();
}

void TsSpeedButton::SetSkinSection(std::u16string_view section) {
    paint_.SetSection(section);
    Invalidate();
}

bool TsSpeedButton::Skinned() const {
    return paint_.Skinned();
}

void TsSpeedButton::SetGlyph(HICON glyph) {
    paint_.SetGlyph(IconPixels(glyph));
    SpeedButton::SetGlyph(glyph);
}

void TsSpeedButton::SetButtonStyle(render::TToolButtonStyle style) {
    style_ = style;
    paint_.Forget();
    Invalidate();
}

int TsSpeedButton::CurrentState() const {
    using enum render::TToolButtonStyle;
    if (!Enabled() || style_ == tbsSeparator || style_ == tbsDivider)
        return 0;
    if (menu_open_ || (Pressed() && MouseInControl()))
        return 2;
    return MouseInControl() ? 1 : 0;
}

int TsSpeedButton::ArrowState() const {
    if (menu_open_ || (Enabled() && Pressed() && MouseInControl()))
        return 2;
    return Enabled() && MouseInControl() ? 1 : 0;
}

bool TsSpeedButton::OpensMenuAt(int x) const {
    if (style_ != render::TToolButtonStyle::tbsDropDown || dropdown_menu_ == nullptr || !Enabled())
        return false;
    return !OnClick || x >= Width() - render::kDropDownArrowWidth;
}

void TsSpeedButton::OpenMenu() {
    ui::WinControl* parent = Parent();
    if (parent == nullptr || !parent->HandleAllocated())
        return;
    menu_open_ = true;
    StateMayHaveChanged(true);
    POINT below{Left(), Top() + Height()};
    ClientToScreen(parent->Handle(), &below);
    TrackPopupMenu(dropdown_menu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, below.x, below.y,
                   0, GetAncestor(parent->Handle(), GA_ROOT), nullptr);
    menu_open_ = false;
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(parent->Handle(), &cursor);
    const bool above = cursor.x >= Left() && cursor.y >= Top() && cursor.x < Left() + Width() &&
                       cursor.y < Top() + Height();
    if (!above && MouseInControl()) {
        ui::Message leave{ui::CM_MOUSELEAVE, 0, 0, 0};
        Perform(leave);
    }
    StateMayHaveChanged(true);
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
    content.Style = style_;
    content.ArrowState = ArrowState();
    content.FontColor = ui::ColorToRgb(font_.color) & 0xFFFFFF;
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

void TsSpeedButton::StateMayHaveChanged(bool press_or_release) {
    if (!Skinned()) {
        Invalidate();
        return;
    }
    paint_.ChangeTo(CurrentState(), true, [this] { Rebuild(); });
    paint_.UpdateGlow(MouseInControl(), press_or_release);
}

void TsSpeedButton::MouseEnter() {
    StateMayHaveChanged();
}

void TsSpeedButton::MouseLeave() {
    StateMayHaveChanged();
}

void TsSpeedButton::WndProc(ui::Message& message) {
    if (paint_.HandleSkinCommand(message, [this] { Rebuild(); })) {
        SpeedButton::WndProc(message);
        return;
    }
    const bool release = message.msg == WM_LBUTTONUP;
    if (release && paint_.Fade().Running() && paint_.ShownState() == 2) {
        // Released during the press fade: the pressed face at once, then the release fade.
        paint_.Fade().Stop();
        Show(paint_.Cache());
    }
    const bool press = message.msg == WM_LBUTTONDOWN || message.msg == WM_LBUTTONDBLCLK;
    if (press && OpensMenuAt(GET_X_LPARAM(message.lParam))) {
        OpenMenu();
        return;
    }
    if (message.msg == ui::CM_ENABLEDCHANGED) {
        // The state may stay 0 while the face turns dim or back: it is composed anew.
        paint_.HideGlow();
        paint_.Forget();
    }
    SpeedButton::WndProc(message);
    if (press || release || message.msg == WM_MOUSEMOVE || message.msg == ui::CM_ENABLEDCHANGED)
        StateMayHaveChanged(press || release);
}

} // namespace skin::controls
