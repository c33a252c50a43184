#include "ui/controls/label.h"

#include "ui/wide.h"

namespace ui {

Label::Label(Component* owner) : GraphicControl(owner) {
    color_ = ColorNone;
}

void Label::SetAutoSize(bool auto_size) {
    auto_size_ = auto_size;
    AdjustSize();
}

void Label::SetWordWrap(bool word_wrap) {
    word_wrap_ = word_wrap;
    AdjustSize();
    Invalidate();
}

unsigned Label::DrawFlags() const {
    // The text is shown as it is: an ampersand is not an accelerator here.
    return DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK;
}

void Label::TextChanged() {
    AdjustSize();
    Invalidate();
}

void Label::FontChanged() {
    AdjustSize();
    Invalidate();
}

void Label::AdjustSize() {
    if (!auto_size_)
        return;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old_font = SelectObject(dc, font_.Handle());
    const std::u16string& text = Text();
    SIZE size{};
    if (word_wrap_) {
        RECT area{0, 0, bounds_.width, 0};
        DrawTextW(dc, Wide(text), static_cast<int>(text.size()), &area, DrawFlags() | DT_CALCRECT);
        size = {bounds_.width, area.bottom};
    } else {
        GetTextExtentPoint32W(dc, Wide(text), static_cast<int>(text.size()), &size);
    }
    SelectObject(dc, old_font);
    ReleaseDC(nullptr, dc);
    SetBounds({bounds_.left, bounds_.top, static_cast<int>(size.cx), static_cast<int>(size.cy)});
}

void Label::Paint(HDC dc) {
    if (color_ != ColorNone) {
        RECT area{0, 0, Width(), Height()};
        HBRUSH brush = CreateSolidBrush(ColorToRgb(color_));
        FillRect(dc, &area, brush);
        DeleteObject(brush);
    }
    HGDIOBJ old_font = SelectObject(dc, font_.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Enabled() ? ColorToRgb(font_.color) : GetSysColor(COLOR_GRAYTEXT));
    const std::u16string& text = Text();
    if (word_wrap_) {
        RECT area{0, 0, Width(), Height()};
        DrawTextW(dc, Wide(text), static_cast<int>(text.size()), &area, DrawFlags());
    } else {
        TextOutW(dc, 0, 0, Wide(text), static_cast<int>(text.size()));
    }
    SelectObject(dc, old_font);
}

void Label::WndProc(Message& message) {
    if (HandlePressAndRelease(message))
        return;
    switch (message.msg) {
    case WM_SETCURSOR:
        if (hand_cursor_) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            message.result = TRUE;
        }
        return;
    }
    GraphicControl::WndProc(message);
}

} // namespace ui
