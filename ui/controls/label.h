#pragma once

// Text without a window, drawn on its parent; sized to its text unless told otherwise.

#include "ui/control.h"

namespace ui {

class Label : public GraphicControl {
public:
    explicit Label(Component* owner);
    std::u16string_view ClassName() const override { return u"TLabel"; }

    void SetAutoSize(bool auto_size);
    // Breaks the text into lines at word boundaries within the label's width; an auto-sized
    // label then keeps its width and takes the height of the wrapped text.
    void SetWordWrap(bool word_wrap);
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

    unsigned DrawFlags() const;

    bool auto_size_ = true;
    bool word_wrap_ = false;
    bool hand_cursor_ = false;
};

} // namespace ui
