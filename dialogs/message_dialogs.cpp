#include "dialogs/message_dialogs.h"

#include "dialogs/font_metrics.h"
#include "ui/application.h"
#include "ui/clipboard.h"
#include "ui/wide.h"

#include <memory>

namespace dialogs {

std::function<void(unsigned help_context)> OnMessageBoxHelp;

namespace {

MessageBoxPosition g_requested_position;

ui::Bounds ToBounds(const Rect& rect) {
    return {rect.left, rect.top, rect.width, rect.height};
}

UINT PlatformButtons(ButtonLayout layout) {
    switch (layout) {
    case ButtonLayout::blOk:
        return MB_OK;
    case ButtonLayout::blOkCancel:
        return MB_OKCANCEL;
    case ButtonLayout::blAbortRetryIgnore:
        return MB_ABORTRETRYIGNORE;
    case ButtonLayout::blYesNoCancel:
        return MB_YESNOCANCEL;
    case ButtonLayout::blYesNo:
        return MB_YESNO;
    case ButtonLayout::blRetryCancel:
        return MB_RETRYCANCEL;
    }
    return MB_OK;
}

UINT PlatformIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::miWarning:
        return MB_ICONWARNING;
    case MessageIcon::miError:
        return MB_ICONERROR;
    case MessageIcon::miInformation:
        return MB_ICONINFORMATION;
    case MessageIcon::miQuestion:
        return MB_ICONQUESTION;
    case MessageIcon::miNone:
        break;
    }
    return 0;
}

void CALLBACK MessageBoxHelp(LPHELPINFO info) {
    if (OnMessageBoxHelp)
        OnMessageBoxHelp(static_cast<unsigned>(info->dwContextId));
}

// The form that should own a box: the active window when it is one of the application's forms.
HWND ActiveFormWindow() {
    HWND active = GetActiveWindow();
    if (active && dynamic_cast<ui::Form*>(ui::WinControl::FromHandle(active)))
        return active;
    return ui::Application::Instance().Handle();
}

} // namespace

ui::Font MessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ui::Font font;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        font.name = ui::FromWide(metrics.lfMessageFont.lfFaceName);
        const LONG height = metrics.lfMessageFont.lfHeight;
        font.height = static_cast<int>(height < 0 ? -height : height);
    }
    if (font.height <= 0)
        font.height = 11;
    return font;
}

TMessageForm::TMessageForm(ui::Component* owner, std::u16string caption, std::u16string message,
                           std::vector<MessageButton> buttons, std::size_t default_index,
                           std::size_t cancel_index)
    : Form(owner), message_(ui::Make<ui::Label>(*this)) {
    SetName(u"MessageForm");
    SetText(std::move(caption));
    SetBorderStyle(ui::BorderStyle::bsDialog);
    SetBorderIcons(ui::biSystemMenu);
    SetPosition(ui::FormPosition::poScreenCenter);
    SetKeyPreview(true);
    SetFont(MessageFont());

    message_.SetName(u"Message");
    message_.SetParent(this);
    message_.SetFont(GetFont());
    message_.SetAutoSize(false);
    message_.SetWordWrap(true);
    message_.SetText(std::move(message));

    for (std::size_t i = 0; i < buttons.size(); ++i) {
        ui::Button& button = ui::Make<ui::Button>(*this);
        button.SetParent(this);
        button.SetFont(GetFont());
        button.SetText(std::move(buttons[i].caption));
        button.SetModalResult(buttons[i].result);
        button.SetTabOrder(static_cast<int>(i));
        if (i == default_index)
            button.SetDefault(true);
        if (i == cancel_index)
            button.SetCancel(true);
        buttons_.push_back(&button);
    }
    Arrange();
    if (default_index < buttons_.size())
        SetActiveControl(buttons_[default_index]);
    FinishCreation();
}

void TMessageForm::Arrange() {
    const ui::Font& font = GetFont();
    const int half_screen = GetSystemMetrics(SM_CXSCREEN) / 2;
    const TextSize text = WrappedTextSize(font, message_.Text(), half_screen);

    MessageFormInput input;
    input.text_width = text.width;
    input.text_height = text.height;
    for (ui::Button* button : buttons_)
        input.button_caption_widths.push_back(LineSize(font, button->Text()).width);
    const MessageFormLayout layout = LayoutMessageForm(input, UnitsOf(font));

    SetClientSize(layout.client_width, layout.client_height);
    message_.SetBounds(ToBounds(layout.text));
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->SetBounds(ToBounds(layout.buttons[i]));
}

void TMessageForm::HandleCreated() {
    Form::HandleCreated();
    RECT client;
    GetClientRect(Handle(), &client);
    CentreButtons(static_cast<int>(client.right));
}

void TMessageForm::CentreButtons(int client_width) {
    if (buttons_.empty())
        return;
    const int row_left = buttons_.front()->Left();
    const int row_width = buttons_.back()->Left() + buttons_.back()->Width() - row_left;
    const int shift = (client_width - row_width) / 2 - row_left;
    for (ui::Button* button : buttons_) {
        ui::Bounds bounds = button->GetBounds();
        bounds.left += shift;
        button->SetBounds(bounds);
    }
}

std::u16string TMessageForm::CopyText() const {
    std::vector<std::u16string> captions;
    for (const ui::Button* button : buttons_)
        captions.push_back(button->Text());
    return MessageCopyText(Text(), message_.Text(), captions);
}

void TMessageForm::KeyDown(WORD& key, ui::ShiftState shift) {
    Form::KeyDown(key, shift);
    if (key == 'C' && shift == ui::ssCtrl) {
        MessageBeep(0);
        ui::SetClipboardText(Handle(), CopyText());
        key = 0;
    }
}

void ShowMessage(const std::u16string& text) {
    auto form = std::make_unique<TMessageForm>(nullptr, ui::Application::Instance().Title(), text,
                                               std::vector<MessageButton>{{u"OK", ui::mrOk}}, 0, 0);
    form->ShowModal();
}

bool ShowQuestion(const std::u16string& text) {
    auto form = std::make_unique<TMessageForm>(
        nullptr, ui::Application::Instance().Title(), text,
        std::vector<MessageButton>{{u"Yes", ui::mrYes}, {u"No", ui::mrNo}}, 0, 1);
    return form->ShowModal() == ui::mrYes;
}

int ShowMessageBox(const MessageBoxRequest& request) {
    ui::Application& application = ui::Application::Instance();
    const std::u16string caption =
        request.caption ? *request.caption : DefaultCaption(request.type);

    MSGBOXPARAMSW params{};
    params.cbSize = sizeof(params);
    params.hwndOwner = application.Handle();
    params.hInstance = GetModuleHandleW(nullptr);
    params.lpszText = ui::Wide(request.text);
    params.lpszCaption = ui::Wide(caption);
    params.dwStyle = PlatformButtons(LayoutOf(request.buttons)) |
                     PlatformIcon(IconOf(request.type)) |
                     ((request.buttons & mbHelp) ? MB_HELP : 0u);
    params.dwContextHelpId = request.help_context;
    params.lpfnMsgBoxCallback = MessageBoxHelp;

    g_requested_position = {request.x, request.y};
    application.ModalStarted();
    const int result = MessageBoxIndirectW(&params);
    application.ModalFinished();
    g_requested_position = {};
    return result;
}

MessageBoxPosition RequestedMessageBoxPosition() {
    return g_requested_position;
}

void ShowErrorBox(const std::u16string& text) {
    ui::Application& application = ui::Application::Instance();
    HWND focus = GetFocus();
    HWND owner = ActiveFormWindow();
    // The box disables its owner itself and enables it again before it goes, so that the
    // owner becomes active again; the other windows are ours to disable.
    const std::vector<HWND> disabled = application.DisableTaskWindows(owner);
    application.ModalStarted();
    MessageBoxW(owner, ui::Wide(text), ui::Wide(application.Title()), MB_OK | MB_ICONERROR);
    application.ModalFinished();
    for (HWND window : disabled)
        EnableWindow(window, TRUE);
    if (focus && IsWindow(focus))
        SetFocus(focus);
}

} // namespace dialogs
