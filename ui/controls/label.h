#pragma once

// Text without a window, drawn on its parent; sized to its text unless told otherwise.

#include "ui/control.h"

namespace ui {

class Label : public GraphicControl {
public:
    explicit Label(Component* owner);

    void SetAutoSize(bool auto_size);
    // A hand cursor over the label tells the user that a click does something.
    void SetHandCursor(bool hand) { hand_cursor_ = hand; }
    bool HandCursor() const { return hand_cursor_; }

    void Paint(HDC dc) override;
    void WndProc(Message& message) override;

protected:
    void TextChanged() override;
    void FontChanged() override;

private:
    void AdjustSize();

    bool auto_size_ = true;
    bool hand_cursor_ = false;
    bool pressed_ = false;
};

} // namespace ui
