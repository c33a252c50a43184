#pragma once

// The platform push button.

#include "ui/win_control.h"

namespace ui {

class Button : public WinControl {
public:
    explicit Button(Component* owner);

    std::u16string_view ClassName() const override { return u"TButton"; }

    // The form's Enter and Escape buttons. An owner-drawn button (a skinned one) stays
    // owner-drawn; only the platform's own buttons change their style to show it.
    void SetDefault(bool is_default);
    bool IsDefault() const { return default_; }
    void SetCancel(bool is_cancel);
    // The form's modal result set when the button is clicked (none by default).
    void SetModalResult(int result) { modal_result_ = result; }
    // Clicks the button as the user would.
    void Press() { Click(); }

    void WndProc(Message& message) override;

protected:
    void CreateParams(ui::CreateParams& params) override;
    void Click() override;

private:
    bool default_ = false;
    int modal_result_ = 0;
};

} // namespace ui
