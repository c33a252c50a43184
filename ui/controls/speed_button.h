#pragma once

// A flat button without a window: a glyph and a caption, raised while the mouse is over it,
// sunk while pressed. It never takes the focus.

#include "ui/control.h"

#include <windows.h>

namespace ui {

class SpeedButton : public GraphicControl {
public:
    explicit SpeedButton(Component* owner);
    ~SpeedButton() override;
    std::u16string_view ClassName() const override { return u"TSpeedButton"; }

    // A 16 x 16 icon with alpha, loaded from the program's resources; the button owns it.
    void SetGlyph(HICON glyph);

    void Paint(HDC dc) override;
    void WndProc(Message& message) override;

protected:
    void MouseEnter() override { Invalidate(); }
    void MouseLeave() override { Invalidate(); }

private:
    HICON glyph_ = nullptr;
};

} // namespace ui
