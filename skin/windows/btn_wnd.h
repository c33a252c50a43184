#pragma once

// The handler of a push button the engine dresses from outside: a platform BUTTON of a dialog
// (TacBtnWnd) or a framework button named in the skin manager's button list (TacButtonWnd). It
// keeps the platform's button (focus, default, space, the click rule) and paints the skin's
// BUTTON face instead of the platform's, also right after the platform's own immediate drawing.
// The face is composed against the backdrop when one is given (a dialog's cache), else against
// the parent's colour.

#include "skin/render/skin_bitmap.h"
#include "skin/windows/painted_wnd.h"

namespace ui {
class WinControl;
}

namespace skin::windows {

class TacBtnWnd : public TacPaintedWnd {
public:
    // font: the button's font; none takes the platform's message font. A font the window is
    // given later (or none) takes its place the same way.
    TacBtnWnd(HWND window, const data::LoadedSkin& skin, std::u16string section,
              std::u16string name, HFONT font = nullptr, Backdrop behind = {});
    ~TacBtnWnd() override;

    int SkinIndex() const { return section_; }
    // 2 while pushed; else 0 when disabled; else 1 with the focus, the mouse or as the default
    // button; else 0.
    int CurrentState() const;
    // The face last painted, the size of the window.
    const render::SkinBitmap& Face() const { return face_; }
    // Composes the face for the current state and copies it to dc at (0, 0).
    void PaintTo(HDC dc) override;

protected:
    bool Handle(ui::Message& message) override;
    void AfterDetach() override;

private:
    void Compose();
    render::TCacheInfo Behind() const;

    int section_;
    HFONT font_;
    HFONT message_font_ = nullptr;
    bool mouse_over_ = false;
    render::SkinBitmap face_;
};

// A framework button: its font is the control's.
class TacButtonWnd : public TacBtnWnd {
public:
    TacButtonWnd(ui::WinControl& button, const data::LoadedSkin& skin,
                 std::u16string section = u"BUTTON");
};

} // namespace skin::windows
