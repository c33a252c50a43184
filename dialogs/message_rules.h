#pragma once

// What the program's message boxes show: the caption and icon of each dialog type, the
// platform button layout a set of buttons maps to, and the text Ctrl+C copies from a message
// form. Portable: tested natively.

#include <string>
#include <string_view>
#include <vector>

namespace dialogs {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn : unsigned {
    mbYes = 1u << 0,
    mbNo = 1u << 1,
    mbOK = 1u << 2,
    mbCancel = 1u << 3,
    mbAbort = 1u << 4,
    mbRetry = 1u << 5,
    mbIgnore = 1u << 6,
    mbHelp = 1u << 7,
};
using TMsgDlgButtons = unsigned;

enum class MessageIcon { miNone, miWarning, miError, miInformation, miQuestion };

// The platform's fixed button rows.
enum class ButtonLayout {
    blOk,
    blOkCancel,
    blAbortRetryIgnore,
    blYesNoCancel,
    blYesNo,
    blRetryCancel,
};

// The caption used when the caller gives none: "Warning", "Error", "Information", "Confirm",
// or empty for a custom box.
std::u16string DefaultCaption(TMsgDlgType type);
MessageIcon IconOf(TMsgDlgType type);

// The platform has no free choice of buttons; the set picks the nearest fixed row. Help is
// not part of the row: it adds the platform's Help button on its own.
ButtonLayout LayoutOf(TMsgDlgButtons buttons);

// What Ctrl+C puts on the clipboard from a message form: the caption, the message and the
// button captions, each part framed by a divider of 27 hyphens, every line ending in CR LF.
std::u16string MessageCopyText(std::u16string_view caption, std::u16string_view message,
                               const std::vector<std::u16string>& button_captions);

// A caption without its accelerator ampersands.
std::u16string StripAmpersands(std::u16string_view caption);

} // namespace dialogs
