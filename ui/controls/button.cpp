#include "ui/controls/button.h"

#include "ui/form.h"

namespace ui {

Button::Button(Component* owner) : WinControl(owner) {
    SetTabStop(true);
}

void Button::CreateParams(ui::CreateParams& params) {
    WinControl::CreateParams(params);
    params.class_name = L"BUTTON";
    params.style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void Button::SetDefault(bool is_default) {
    default_ = is_default;
    if (Form* form = ParentForm())
        form->SetDefaultButton(is_default ? this : nullptr);
    if (!handle_)
        return;
    const LONG_PTR type = GetWindowLongPtrW(handle_, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_OWNERDRAW)
        Invalidate(); // whoever draws it shows the default state
    else
        SendMessageW(handle_, BM_SETSTYLE, is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void Button::SetCancel(bool is_cancel) {
    if (Form* form = ParentForm())
        form->SetCancelButton(is_cancel ? this : nullptr);
}

void Button::Click() {
    if (modal_result_ != 0)
        if (Form* form = ParentForm())
            form->SetModalResult(modal_result_);
    WinControl::Click();
}

void Button::WndProc(Message& message) {
    if (message.msg == CN_COMMAND && HIWORD(message.wParam) == BN_CLICKED) {
        Click();
        return;
    }
    WinControl::WndProc(message);
}

} // namespace ui
