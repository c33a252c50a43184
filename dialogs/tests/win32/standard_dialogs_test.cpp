// The standard dialogs on real windows under Wine: the message form's keys, layout and copied
// text, the input form's results, the error box's owner and focus, the message box routine
// and the open dialog. Keys are posted to the focused window, so they go through the message
// loop's dialog-key routing like typed ones.

#include "dialogs/font_metrics.h"
#include "dialogs/input_query.h"
#include "dialogs/message_dialogs.h"
#include "dialogs/open_dialog.h"
#include "ui/application.h"
#include "ui/clipboard.h"
#include "ui/controls/edit.h"
#include "ui/wide.h"

#include <commctrl.h>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace dialogs {
namespace {

// Runs `step` from a thread timer, every 30 ms, until it returns true; the modal loops of the
// dialogs dispatch the timer like any other message. Gives up after a few seconds, closing
// whatever is active, so a broken dialog fails the test instead of hanging it.
class Script {
public:
    explicit Script(std::function<bool()> step) : step_(std::move(step)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 30, Tick);
    }
    ~Script() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool Finished() const { return finished_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        Script* script = current_;
        if (!script || script->finished_ || script->running_)
            return;
        script->running_ = true;
        if (script->step_())
            script->finished_ = true;
        else if (++script->ticks_ > 200) {
            ADD_FAILURE() << "the dialog did not get where the test expected";
            script->finished_ = true;
            PostMessageW(GetActiveWindow(), WM_CLOSE, 0, 0);
        }
        script->running_ = false;
    }

    static inline Script* current_ = nullptr;
    std::function<bool()> step_;
    UINT_PTR timer_ = 0;
    int ticks_ = 0;
    bool finished_ = false;
    bool running_ = false;
};

void PostKey(WORD key) {
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
}

// Holds Control down for the thread's key state, as a pressed key would.
class ControlDown {
public:
    ControlDown() { SetControl(true); }
    ~ControlDown() { SetControl(false); }

private:
    static void SetControl(bool down) {
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_CONTROL] = down ? 0x80 : 0;
        SetKeyboardState(state);
    }
};

std::wstring TextOf(HWND window) {
    wchar_t text[1024];
    GetWindowTextW(window, text, 1024);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64];
    GetClassNameW(window, name, 64);
    return name;
}

// The platform dialog (class #32770) that is active, or none.
HWND ActiveDialog() {
    HWND active = GetActiveWindow();
    return active && ClassOf(active) == L"#32770" ? active : nullptr;
}

HWND FindStaticText(HWND dialog, const std::wstring& text) {
    struct Search {
        std::wstring text;
        HWND found;
    } search{text, nullptr};
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            if (TextOf(child) == search->text) {
                search->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class StandardDialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        if (!ui::Application::Instance().Handle())
            ui::Application::Instance().Initialize();
    }
};

TEST_F(StandardDialogs, TheMessageFormClosesWithEnterAndWithEscape) {
    for (WORD key : {WORD(VK_RETURN), WORD(VK_ESCAPE)}) {
        HWND form = nullptr;
        Script script([&] {
            form = GetActiveWindow();
            if (!form || !dynamic_cast<TMessageForm*>(ui::WinControl::FromHandle(form)))
                return false;
            PostKey(key);
            return true;
        });
        ShowMessage(u"Folders were successfully created!");
        EXPECT_TRUE(script.Finished());
        EXPECT_FALSE(IsWindow(form)) << "the form is destroyed after it closed";
    }
}

TEST_F(StandardDialogs, TheQuestionIsYesWithEnterAndNoWithEscapeOrTheNoButton) {
    // The keys, then a click on "No" while "Yes" is the default.
    for (int way = 0; way < 3; ++way) {
        std::wstring yes_style;
        Script script([&] {
            HWND form = GetActiveWindow();
            if (!form || !dynamic_cast<TMessageForm*>(ui::WinControl::FromHandle(form)))
                return false;
            HWND yes = FindWindowExW(form, nullptr, L"BUTTON", L"Yes");
            HWND no = FindWindowExW(form, nullptr, L"BUTTON", L"No");
            if (!yes || !no)
                return false;
            EXPECT_EQ(GetWindowLongW(yes, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
            if (way == 2)
                PostMessageW(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(no), BN_CLICKED),
                             reinterpret_cast<LPARAM>(no));
            else
                PostKey(way == 0 ? VK_RETURN : VK_ESCAPE);
            return true;
        });
        EXPECT_EQ(ShowQuestion(u"Create the folders anyway?"), way == 0) << way;
        EXPECT_TRUE(script.Finished());
    }
}

TEST_F(StandardDialogs, TheMessageFormShowsTheTitleAndOneDefaultOkButton) {
    TMessageForm form(nullptr, ui::Application::Instance().Title(), u"Done!", {{u"OK", ui::mrOk}},
                      0, 0);
    HWND window = form.Handle();
    EXPECT_EQ(TextOf(window), ui::ToWide(ui::Application::Instance().Title()));
    HWND ok = FindWindowExW(window, nullptr, L"BUTTON", nullptr);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(TextOf(ok), L"OK");
    EXPECT_EQ(GetWindowLongW(ok, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME);

    // The button row is centred under the text, inside the margins.
    RECT client, button;
    GetClientRect(window, &client);
    GetWindowRect(ok, &button);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&button), 2);
    EXPECT_NEAR(button.left, client.right - button.right, 1);
    const DialogUnits units = UnitsOf(MessageFont());
    EXPECT_EQ(button.bottom - button.top, units.Vertical(14));
    EXPECT_EQ(client.bottom - button.bottom, units.Vertical(8));
}

TEST_F(StandardDialogs, ALongMessageWrapsAtHalfTheScreenWidth) {
    std::u16string text;
    for (int i = 0; i < 60; ++i)
        text += u"folder ";
    TMessageForm form(nullptr, u"Arbordir", text, {{u"OK", ui::mrOk}}, 0, 0);
    RECT client;
    GetClientRect(form.Handle(), &client);
    const int half_screen = GetSystemMetrics(SM_CXSCREEN) / 2;
    const DialogUnits units = UnitsOf(MessageFont());
    EXPECT_LE(client.right, half_screen + 2 * units.Horizontal(8));
    EXPECT_GT(client.right, half_screen / 2);
    const int line = LineSize(MessageFont(), u"folder").height;
    EXPECT_GE(client.bottom, 3 * line) << "several lines of text";
}

TEST_F(StandardDialogs, CtrlCCopiesTheFramedTexts) {
    ui::SetClipboardText(nullptr, u"before");
    std::u16string copied;
    Script script([&] {
        HWND form = GetActiveWindow();
        if (!form || !dynamic_cast<TMessageForm*>(ui::WinControl::FromHandle(form)))
            return false;
        {
            ControlDown control;
            HWND focus = GetFocus();
            SendMessageW(focus, WM_KEYDOWN, 'C', 1);
        }
        copied = ui::ClipboardText(form);
        PostKey(VK_ESCAPE);
        return true;
    });
    ShowMessage(u"Folders were successfully created!");
    const std::u16string divider = u"---------------------------\r\n";
    EXPECT_EQ(copied, divider + ui::Application::Instance().Title() + u"\r\n" + divider +
                          u"Folders were successfully created!\r\n" + divider + u"OK   \r\n" +
                          divider);
}

TEST_F(StandardDialogs, InputQueryReturnsTheTextOnOkAndNothingOnCancel) {
    // OK with a typed name.
    DWORD selection = 0;
    Script type_and_confirm([&] {
        auto* form = dynamic_cast<TInputQueryForm*>(ui::WinControl::FromHandle(GetActiveWindow()));
        if (!form)
            return false;
        EXPECT_EQ(GetFocus(), form->Value.Handle());
        selection = static_cast<DWORD>(SendMessageW(form->Value.Handle(), EM_GETSEL, 0, 0));
        SetWindowTextW(form->Value.Handle(), L"Client A");
        PostKey(VK_RETURN);
        return true;
    });
    std::u16string name = u"Old";
    EXPECT_TRUE(InputQuery(u"Save Template", u"Type a name of the Template", name));
    EXPECT_EQ(name, u"Client A");
    EXPECT_EQ(LOWORD(selection), 0u);
    EXPECT_EQ(HIWORD(selection), 3u) << "the initial text is all selected";
}

TEST_F(StandardDialogs, InputQueryCancelAndEmptyOk) {
    {
        Script cancel([&] {
            if (!dynamic_cast<TInputQueryForm*>(ui::WinControl::FromHandle(GetActiveWindow())))
                return false;
            PostKey(VK_ESCAPE);
            return true;
        });
        std::u16string name;
        EXPECT_FALSE(InputQuery(u"Save Template", u"Type a name of the Template", name));
        EXPECT_EQ(name, u"");
    }
    {
        Script confirm([&] {
            if (!dynamic_cast<TInputQueryForm*>(ui::WinControl::FromHandle(GetActiveWindow())))
                return false;
            PostKey(VK_RETURN);
            return true;
        });
        std::u16string name;
        EXPECT_TRUE(InputQuery(u"Save Template", u"Type a name of the Template", name));
        EXPECT_EQ(name, u"");
    }
}

TEST_F(StandardDialogs, TheInputFormIsLaidOutInDialogUnits) {
    TInputQueryForm form(nullptr, u"Save Template", u"Type a name of the Template", u"");
    const DialogUnits units = UnitsOf(MessageFont());
    RECT client;
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, units.Horizontal(180));
    EXPECT_EQ(TextOf(form.Handle()), L"Save Template");
    EXPECT_EQ(form.Prompt.Left(), units.Horizontal(8));
    EXPECT_EQ(form.Prompt.Top(), units.Vertical(8));
    EXPECT_EQ(form.Value.Top(), form.Prompt.Top() + form.Prompt.Height() + 5);
    EXPECT_EQ(form.Value.Width(), units.Horizontal(164));
    EXPECT_EQ(form.OK.Top(), form.Value.Top() + form.Value.Height() + 15);
    EXPECT_EQ(form.OK.Left(), units.Horizontal(38));
    EXPECT_EQ(form.Cancel.Left(), units.Horizontal(92));
    EXPECT_EQ(form.OK.Width(), units.Horizontal(50));
    EXPECT_EQ(client.bottom, form.OK.Top() + form.OK.Height() + 13);
    EXPECT_EQ(SendMessageW(form.Value.Handle(), EM_GETLIMITTEXT, 0, 0), 255);
}

TEST_F(StandardDialogs, TheErrorBoxIsOwnedByTheActiveFormAndGivesTheFocusBack) {
    ui::Form owner(nullptr);
    owner.SetText(u"Owner");
    owner.SetClientSize(200, 100);
    ui::Edit& edit = ui::Make<ui::Edit>(owner);
    edit.SetParent(&owner);
    edit.SetBounds({8, 8, 100, 21});
    owner.Show();
    edit.SetFocus();
    ASSERT_EQ(GetFocus(), edit.Handle());

    bool owner_disabled = false;
    std::wstring caption;
    HWND box_owner = nullptr;
    Script script([&] {
        HWND box = ActiveDialog();
        if (!box || !FindStaticText(box, L"No access."))
            return false;
        caption = TextOf(box);
        box_owner = GetWindow(box, GW_OWNER);
        owner_disabled = !IsWindowEnabled(owner.Handle());
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    });
    ShowErrorBox(u"No access.");
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(caption, ui::ToWide(ui::Application::Instance().Title()));
    EXPECT_EQ(box_owner, owner.Handle());
    EXPECT_TRUE(owner_disabled);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    EXPECT_EQ(GetFocus(), edit.Handle());
}

TEST_F(StandardDialogs, TheMessageBoxRoutineNamesItsCaptionAndReportsTheButton) {
    MessageBoxPosition during;
    std::wstring caption;
    Script script([&] {
        HWND box = ActiveDialog();
        if (!box)
            return false;
        caption = TextOf(box);
        during = RequestedMessageBoxPosition();
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    MessageBoxRequest request;
    request.text = u"Directory X:\\a can`t be created!";
    request.type = TMsgDlgType::mtError;
    request.buttons = mbOK | mbCancel;
    request.x = 40;
    request.y = 50;
    EXPECT_EQ(ShowMessageBox(request), IDCANCEL);
    EXPECT_EQ(caption, L"Error");
    EXPECT_EQ(during.x, 40);
    EXPECT_EQ(during.y, 50);
    EXPECT_EQ(RequestedMessageBoxPosition().x, -1);
    EXPECT_EQ(RequestedMessageBoxPosition().y, -1);
}

TEST_F(StandardDialogs, TheOpenDialogReturnsATypedNameThatNeedNotExist) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    TsOpenDialog dialog(nullptr);
    dialog.SetFilter(u"Arbordir Files|*.arbordir");
    dialog.SetInitialDir(ui::FromWide(temp));

    std::wstring filter_text;
    Script script([&] {
        HWND box = ActiveDialog();
        if (!box)
            return false;
        // The file type box shows the filter's caption.
        HWND types = GetDlgItem(box, 0x470); // cmb1
        if (types)
            filter_text = TextOf(types);
        HWND name = GetDlgItem(box, 0x47C); // cmb13, the file name
        if (!name)
            name = GetDlgItem(box, 0x480); // edt1
        if (!name)
            return false;
        SetWindowTextW(name, L"missing-template.arbordir");
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), ui::FromWide(temp) + u"missing-template.arbordir");
    if (!filter_text.empty()) {
        EXPECT_EQ(filter_text, L"Arbordir Files");
    }
}

TEST_F(StandardDialogs, TheOpenDialogCancelled) {
    TsOpenDialog dialog(nullptr);
    dialog.SetFilter(u"Arbordir Files|*.arbordir");
    Script script([&] {
        HWND box = ActiveDialog();
        if (!box)
            return false;
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), u"");
}

} // namespace
} // namespace dialogs
