#include "dialogs/message_rules.h"

namespace dialogs {

std::u16string DefaultCaption(TMsgDlgType type) {
    switch (type) {
    case TMsgDlgType::mtWarning:
        return u"Warning";
    case TMsgDlgType::mtError:
        return u"Error";
    case TMsgDlgType::mtInformation:
        return u"Information";
    case TMsgDlgType::mtConfirmation:
        return u"Confirm";
    case TMsgDlgType::mtCustom:
        break;
    }
    return u"";
}

MessageIcon IconOf(TMsgDlgType type) {
    switch (type) {
    case TMsgDlgType::mtWarning:
        return MessageIcon::miWarning;
    case TMsgDlgType::mtError:
        return MessageIcon::miError;
    case TMsgDlgType::mtInformation:
        return MessageIcon::miInformation;
    case TMsgDlgType::mtConfirmation:
        return MessageIcon::miQuestion;
    case TMsgDlgType::mtCustom:
        break;
    }
    return MessageIcon::miNone;
}

ButtonLayout LayoutOf(TMsgDlgButtons buttons) {
    const auto has = [buttons](TMsgDlgBtn button) { return (buttons & button) != 0; };
    if (has(mbOK))
        return has(mbCancel) ? ButtonLayout::blOkCancel : ButtonLayout::blOk;
    if (has(mbAbort) || has(mbIgnore))
        return ButtonLayout::blAbortRetryIgnore;
    if (has(mbYes) || has(mbNo))
        return has(mbCancel) ? ButtonLayout::blYesNoCancel : ButtonLayout::blYesNo;
    if (has(mbRetry))
        return ButtonLayout::blRetryCancel;
    return ButtonLayout::blOk;
}

std::u16string StripAmpersands(std::u16string_view caption) {
    std::u16string stripped;
    for (char16_t c : caption)
        if (c != u'&')
            stripped += c;
    return stripped;
}

std::u16string MessageCopyText(std::u16string_view caption, std::u16string_view message,
                               const std::vector<std::u16string>& button_captions) {
    const std::u16string divider = std::u16string(27, u'-') + u"\r\n";
    std::u16string text = divider;
    text += caption;
    text += u"\r\n" + divider;
    text += message;
    text += u"\r\n" + divider;
    for (const std::u16string& button : button_captions)
        text += StripAmpersands(button) + u"   ";
    text += u"\r\n" + divider;
    return text;
}

} // namespace dialogs
