#include "skin/controls/skin_speed_button.h"

#include "skin/controls/gdi_bitmaps.h"
#include "skin/render/button_layout.h"
#include "skin/render/win32/dib_bitmap.h"
#include "ui/font.h"
#include "ui/message.h"
#include "ui/win_control.h"

#include <algorithm>
#include <iterator>
#include <vector>
#include <windowsx.h>

namespace skin::controls {

TsSpeedButton::TsSpeedButton(ui::Component* owner)
    : SpeedButton(owner), paint_(*this, engine::kCategorySpeedButton, FadeMode::Continue,
                                 [this](const render::SkinBitmap& face) { Show(face); }) {
    paint_.SetOverlay([this](render::SkinBitmap& face) { return PaintSiblingsAbove(face); });
}

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

bool TsSpeedButton::PaintSiblingsAbove(render::SkinBitmap& face) {
    ui::WinControl* parent = Parent();
    if (parent == nullptr || face.IsEmpty())
        return false;
    const std::vector<ui::Control*>& siblings = parent->Controls();
    auto self = std::find(siblings.begin(), siblings.end(), this);
    if (self == siblings.end())
        return false;
    const RECT mine{Left(), Top(), Left() + face.Width(), Top() + face.Height()};
    std::vector<ui::GraphicControl*> above;
    for (auto it = std::next(self); it != siblings.end(); ++it) {
        auto* graphic = dynamic_cast<ui::GraphicControl*>(*it);
        if (graphic == nullptr || !graphic->Visible())
            continue;
        const RECT theirs{graphic->Left(), graphic->Top(), graphic->Left() + graphic->Width(),
                          graphic->Top() + graphic->Height()};
        RECT overlap{};
        if (IntersectRect(&overlap, &mine, &theirs))
            above.push_back(graphic);
    }
    if (above.empty())
        return false;
    // The window system paints them into a DIB holding the face, in their order.
    render::SkinBitmap dib = render::win32::NewDibBitmap(face.Width(), face.Height());
    const int width = std::min(face.Width(), dib.Width());
    const int height = std::min(face.Height(), dib.Height());
    for (int y = 0; y < height; ++y)
        std::copy(face.Row(y), face.Row(y) + width, dib.Row(y));
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old_bitmap = SelectObject(dc, static_cast<HBITMAP>(dib.Handle()));
    const auto release = [&] {
        GdiFlush();
        SelectObject(dc, old_bitmap);
        DeleteDC(dc);
    };
    try {
        for (ui::GraphicControl* sibling : above) {
            const int dx = sibling->Left() - Left();
            const int dy = sibling->Top() - Top();
            const int saved = SaveDC(dc);
            IntersectClipRect(dc, dx, dy, dx + sibling->Width(), dy + sibling->Height());
            SetWindowOrgEx(dc, -dx, -dy, nullptr);
            sibling->Paint(dc);
            RestoreDC(dc, saved);
        }
    } catch (...) {
        // The painter of the whole (a paint or a timer tick) reports it.
        release();
        throw;
    }
    release();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            face.At(x, y) = dib.At(x, y) | 0xFF000000u;
    return true;
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

void TsSpeedButton::Click() {
    StateMayHaveChanged(true);
    SpeedButton::Click();
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
