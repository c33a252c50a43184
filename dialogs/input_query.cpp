#include "dialogs/input_query.h"

#include "dialogs/font_metrics.h"
#include "dialogs/message_dialogs.h"

#include <memory>

namespace dialogs {

namespace {

constexpr int kMaxLength = 255;

ui::Bounds ToBounds(const Rect& rect) {
    return {rect.left, rect.top, rect.width, rect.height};
}

template <class T>
T& Child(ui::Form& form, const char16_t* name, const ui::Font& font) {
    T& control = ui::Make<T>(form);
    control.SetName(name);
    control.SetParent(&form);
    control.SetFont(font);
    return control;
}

} // namespace

TInputQueryForm::TInputQueryForm(ui::Component* owner, std::u16string caption,
                                 std::u16string prompt, std::u16string value)
    : Form(owner), Prompt(Child<ui::Label>(*this, u"Prompt", MessageFont())),
      Value(Child<ui::Edit>(*this, u"Edit", MessageFont())),
      OK(Child<ui::Button>(*this, u"OKButton", MessageFont())),
      Cancel(Child<ui::Button>(*this, u"CancelButton", MessageFont())) {
    SetName(u"InputQueryForm");
    SetText(std::move(caption));
    SetBorderStyle(ui::BorderStyle::bsDialog);
    SetBorderIcons(ui::biSystemMenu);
    SetPosition(ui::FormPosition::poScreenCenter);
    SetFont(MessageFont());

    Prompt.SetAutoSize(false);
    Prompt.SetWordWrap(true);
    Prompt.SetText(std::move(prompt));
    Value.SetMaxLength(kMaxLength);
    Value.SetText(std::move(value));
    Value.SetTabOrder(0);
    OK.SetText(u"OK");
    OK.SetModalResult(ui::mrOk);
    OK.SetDefault(true);
    OK.SetTabOrder(1);
    Cancel.SetText(u"Cancel");
    Cancel.SetModalResult(ui::mrCancel);
    Cancel.SetCancel(true);
    Cancel.SetTabOrder(2);

    Arrange();
    SetActiveControl(&Value);
    FinishCreation();
}

void TInputQueryForm::Arrange() {
    const ui::Font& font = GetFont();
    const DialogUnits units = UnitsOf(font);
    const int prompt_width = InputPromptWidth(units);
    const int prompt_height = WrappedTextSize(font, Prompt.Text(), prompt_width).height;
    const InputFormLayout layout = LayoutInputForm(units, prompt_height, EditHeight(font));

    SetClientSize(layout.client_width, layout.client_height);
    Prompt.SetBounds(ToBounds(layout.prompt));
    Value.SetBounds(ToBounds(layout.edit));
    OK.SetBounds(ToBounds(layout.ok));
    Cancel.SetBounds(ToBounds(layout.cancel));
}

bool InputQuery(const std::u16string& caption, const std::u16string& prompt,
                std::u16string& value) {
    auto form = std::make_unique<TInputQueryForm>(nullptr, caption, prompt, value);
    // The edit selects its whole text when it exists, so that typing replaces the value.
    form->Value.Handle();
    form->Value.SelectAll();
    if (form->ShowModal() != ui::mrOk)
        return false;
    value = form->Value.Text();
    return true;
}

} // namespace dialogs
