#pragma once

// The one-line input dialog: a prompt, an edit and the OK and Cancel buttons, built at run
// time in dialog units of the message font. Like the message form it is an ordinary form of
// the framework, so the skin engine's watch over window creation can dress it.

#include "ui/controls/button.h"
#include "ui/controls/edit.h"
#include "ui/controls/label.h"
#include "ui/form.h"

#include <string>

namespace dialogs {

class TInputQueryForm : public ui::Form {
public:
    TInputQueryForm(ui::Component* owner, std::u16string caption, std::u16string prompt,
                    std::u16string value);
    std::u16string_view ClassName() const override { return u"TInputQueryForm"; }

    ui::Label& Prompt;
    ui::Edit& Value;
    ui::Button& OK;
    ui::Button& Cancel;

private:
    void Arrange();
};

// Shows the input form with `value` as its text, all of it selected. Returns true and the
// edited text in `value` when the form closes with OK; false and `value` unchanged otherwise.
bool InputQuery(const std::u16string& caption, const std::u16string& prompt, std::u16string& value);

} // namespace dialogs
