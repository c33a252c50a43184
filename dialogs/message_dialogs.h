#pragma once

// The program's messages: the message form of ShowMessage, the message box routine and the
// error box of the application's top level.
//
// The message form is an ordinary form of the framework, built at run time, so that the skin
// engine's watch over window creation finds it through WinControl::FromHandle and recognises
// it by its class (TMessageForm). The message boxes are the platform's: the engine dresses
// them as platform dialogs, and the position a caller asks for is left for it to apply.

#include "dialogs/message_rules.h"
#include "ui/controls/button.h"
#include "ui/controls/label.h"
#include "ui/form.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dialogs {

struct MessageButton {
    std::u16string caption;
    int result = ui::mrOk;
};

// A message with a row of buttons below it. Ctrl+C copies its texts to the clipboard.
class TMessageForm : public ui::Form {
public:
    // `default_index` and `cancel_index` name the buttons that Enter and Escape press.
    TMessageForm(ui::Component* owner, std::u16string caption, std::u16string message,
                 std::vector<MessageButton> buttons, std::size_t default_index,
                 std::size_t cancel_index);
    std::u16string_view ClassName() const override { return u"TMessageForm"; }

    const std::u16string& Message() const { return message_.Text(); }
    // What Ctrl+C puts on the clipboard.
    std::u16string CopyText() const;

protected:
    void KeyDown(WORD& key, ui::ShiftState shift) override;
    void HandleCreated() override;

private:
    void Arrange();
    // The platform keeps a window with a title bar at a least width; the buttons stay centred
    // in what it really gives.
    void CentreButtons(int client_width);

    ui::Label& message_;
    std::vector<ui::Button*> buttons_;
};

// The completion message: the application title as caption, no icon, one "OK" button that
// Enter and Escape both press. Returns when the form is closed.
void ShowMessage(const std::u16string& text);

// A question on the same form: "Yes" and "No", Enter pressing Yes, Escape and the close box
// No. True for Yes.
bool ShowQuestion(const std::u16string& text);

struct MessageBoxRequest {
    std::optional<std::u16string> caption; // none: the dialog type's caption
    std::u16string text;
    TMsgDlgType type = TMsgDlgType::mtInformation;
    TMsgDlgButtons buttons = mbOK;
    int x = -1; // a position for the box, -1 for the platform's choice
    int y = -1;
    unsigned help_context = 0;
};

// The platform's message box, owned by the application window; returns the platform's
// result (the button that closed it). The application hears that a modal window runs.
int ShowMessageBox(const MessageBoxRequest& request);

// The position the box being shown asked for ({-1, -1} when none, or no box is up): the skin
// engine's dialog skinner moves the box there when it dresses it.
struct MessageBoxPosition {
    int x = -1;
    int y = -1;
};
MessageBoxPosition RequestedMessageBoxPosition();

// Called with the box's help context when the user asks a message box for help.
extern std::function<void(unsigned help_context)> OnMessageBoxHelp;

// The top level's error box: caption the application title, the error icon and OK; owned by
// the active form. The other windows of the application take no input meanwhile, and the
// keyboard focus goes back where it was. `text` already carries its full stop.
void ShowErrorBox(const std::u16string& text);

// The program's message font, for the forms it builds at run time.
ui::Font MessageFont();

} // namespace dialogs
