#pragma once

// The platform's one-line edit field.

#include "ui/win_control.h"

namespace ui {

class Edit : public WinControl {
public:
    explicit Edit(Component* owner);
    std::u16string_view ClassName() const override { return u"TEdit"; }

    void SetMaxLength(int length);
    void SetBorder(bool border) { border_ = border; }
    // Keeps the text clear of a control placed inside the edit's right edge.
    void SetRightMargin(int pixels);
    void SelectAll();

    std::function<void(Control&)> OnChange;

    void WndProc(Message& message) override;

protected:
    void CreateParams(ui::CreateParams& params) override;
    void HandleCreated() override;

private:
    int max_length_ = 0;
    int right_margin_ = 0;
    bool border_ = true;
    HBRUSH background_ = nullptr;
    Color background_color_ = ColorNone;
};

} // namespace ui
