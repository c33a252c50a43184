// The combo edit and the directory edit on real windows: the button and the text rectangle,
// keys, read-only modes, pasting, dropped files, and the whole pick with the modal picker.

#include "dialogs/directory_edit.h"
#include "dialogs/path_dialog.h"
#include "picker_fixture.h"
#include "skin/engine/testing/internal_skin_manager.h"
#include "skin/windows/edit_wnd.h"
#include "ui/form.h"
#include "ui/message.h"
#include "ui/tests/win32/framework_fixture.h"

#include <cstring>
#include <shlobj.h>

namespace dialogs {
namespace {

// A form that records the dialog keys it is given.
class KeyForm : public ui::Form {
public:
    using Form::Form;
    std::vector<WPARAM> dialog_keys;

protected:
    void CMDialogKey(ui::Message& message) override {
        dialog_keys.push_back(message.wParam);
        message.result = 0;
    }
};

// Holds keys down for GetKeyState, as if the user pressed them, until it goes.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<BYTE> keys) {
        GetKeyboardState(saved_);
        BYTE state[256];
        GetKeyboardState(state);
        for (BYTE key : keys)
            state[key] = 0x80;
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(saved_); }

private:
    BYTE saved_[256];
};

class ComboEditTest : public PickerFixture {
protected:
    void SetUp() override {
        PickerFixture::SetUp();
        MakeFolders({u"Data", u"Other"});
        MakeFile(u"Data\\notes.txt");
        form_ = std::make_unique<KeyForm>(nullptr);
        form_->SetClientSize(400, 200);
        edit_ = &ui::Make<TsDirectoryEdit>(*form_);
        edit_->SetParent(form_.get());
        edit_->SetBounds({6, 40, 338, 26});
        edit_->SetTabStop(true);
        form_->Show();
        edit_->Handle();
    }
    void TearDown() override {
        form_.reset();
        PickerFixture::TearDown();
    }

    // Runs the button's action; `answer` presses a button of the picker once it is up.
    void Pick(ui::Button& (*answer)(TPathDialogForm&),
              std::function<void(TPathDialogForm&)> look = nullptr) {
        edit_->OnPickerReady = [answer, look](TPathDialogForm& picker) {
            if (look)
                look(picker);
            ui::Button& button = answer(picker);
            PostMessageW(picker.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                         reinterpret_cast<LPARAM>(button.Handle()));
        };
        edit_->DoClick();
    }
    static ui::Button& Ok(TPathDialogForm& picker) { return picker.sBitBtn1; }
    static ui::Button& Cancel(TPathDialogForm& picker) { return picker.sBitBtn2; }

    static std::u16string CurrentDirectory() {
        wchar_t current[MAX_PATH];
        GetCurrentDirectoryW(MAX_PATH, current);
        return ui::FromWide(current);
    }

    std::unique_ptr<KeyForm> form_;
    TsDirectoryEdit* edit_ = nullptr;
};

TEST_F(ComboEditTest, TheFolderButtonSitsInsideTheRightEdgeAndTheTextStopsBeforeIt) {
    RECT client;
    GetClientRect(edit_->Handle(), &client);
    EXPECT_EQ(edit_->GlyphMode().Width(), 16);
    EXPECT_EQ(edit_->GlyphMode().ImageCount(), 3);
    EXPECT_EQ(edit_->ButtonWidth(), 18);
    const ui::Bounds& button = edit_->Button().GetBounds();
    EXPECT_EQ(button, (ui::Bounds{client.right - 18, 0, 18, client.bottom}));
    RECT text;
    SendMessageW(edit_->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
    EXPECT_LE(text.right, client.right - 18);
    EXPECT_EQ(edit_->Button().SkinSection(), u"SPEEDBUTTON_SMALL");
    EXPECT_EQ(edit_->SkinSection(), u"EDIT");

    // The layout follows the size, and a hidden button gives the text the whole width.
    edit_->SetBounds({6, 40, 200, 26});
    EXPECT_EQ(edit_->Button().Left(), 200 - 4 - 18);
    edit_->SetShowButton(false);
    SendMessageW(edit_->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
    GetClientRect(edit_->Handle(), &client);
    EXPECT_GT(text.right, client.right - 18);
    EXPECT_FALSE(edit_->Button().Visible());

    // The button is enabled and disabled with the edit.
    edit_->SetEnabled(false);
    EXPECT_FALSE(edit_->Button().Enabled());
    edit_->SetEnabled(true);
    EXPECT_TRUE(edit_->Button().Enabled());
}

TEST_F(ComboEditTest, EnterAndEscapeReachTheFormAsDialogKeysAndEnterInsertsNothing) {
    edit_->SetText(u"C:\\Data");
    SendMessageW(edit_->Handle(), EM_SETSEL, 7, 7);
    SendMessageW(edit_->Handle(), WM_CHAR, VK_RETURN, 0);
    SendMessageW(edit_->Handle(), WM_CHAR, '\n', 0);
    SendMessageW(edit_->Handle(), WM_CHAR, VK_ESCAPE, 0);
    EXPECT_EQ(form_->dialog_keys, (std::vector<WPARAM>{VK_RETURN, VK_ESCAPE}));
    EXPECT_EQ(edit_->Text(), u"C:\\Data");
    SendMessageW(edit_->Handle(), WM_CHAR, 'x', 0);
    EXPECT_EQ(edit_->Text(), u"C:\\Datax");

    // Enter and Escape are the edit's to claim; Tab stays the form's.
    const LRESULT code = SendMessageW(edit_->Handle(), WM_GETDLGCODE, 0, 0);
    EXPECT_TRUE(code & DLGC_WANTALLKEYS);
    EXPECT_FALSE(code & DLGC_WANTTAB);
}

TEST_F(ComboEditTest, AltDownAndTheButtonActAndAReadOnlyEditIgnoresBoth) {
    int clicks = 0;
    int dialogs = 0;
    edit_->OnButtonClick = [&](ui::Control&) { ++clicks; };
    edit_->OnBeforeDialog = [&](ui::Control&, std::u16string&, bool& action) {
        ++dialogs;
        action = false; // no picker in this test
    };
    {
        HeldKeys alt({VK_MENU});
        edit_->Perform(WM_SYSKEYDOWN, VK_DOWN, 0);
    }
    edit_->Perform(WM_KEYDOWN, VK_DOWN, 0); // Down alone moves the caret
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(dialogs, 1);

    edit_->Button().Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    edit_->Button().Perform(WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(clicks, 2);
    // Released outside the button: no click.
    edit_->Button().Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    edit_->Button().Perform(WM_LBUTTONUP, 0, MAKELPARAM(40, 4));
    EXPECT_EQ(clicks, 2);

    edit_->SetReadOnly(true);
    edit_->DoClick();
    {
        HeldKeys alt({VK_MENU});
        edit_->Perform(WM_SYSKEYDOWN, VK_DOWN, 0);
    }
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(dialogs, 2);
}

TEST_F(ComboEditTest, WithoutDirectInputTheTextChangesOnlyThroughTheButton) {
    const std::wstring clip = L"C:\\One\r\nC:\\Two";
    auto set_clipboard = [&] {
        ASSERT_TRUE(OpenClipboard(edit_->Handle()));
        EmptyClipboard();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (clip.size() + 1) * sizeof(wchar_t));
        std::memcpy(GlobalLock(memory), clip.c_str(), (clip.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
    };
    set_clipboard();
    SendMessageW(edit_->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(edit_->Text(), u"C:\\One"); // one line only

    edit_->SetDirectInput(false);
    EXPECT_TRUE(GetWindowLongW(edit_->Handle(), GWL_STYLE) & ES_READONLY);
    SendMessageW(edit_->Handle(), EM_SETSEL, 0, -1);
    SendMessageW(edit_->Handle(), WM_CUT, 0, 0);
    SendMessageW(edit_->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(edit_->Text(), u"C:\\One");
    edit_->SetDirectInput(true);
    EXPECT_FALSE(GetWindowLongW(edit_->Handle(), GWL_STYLE) & ES_READONLY);
}

TEST_F(ComboEditTest, DroppedFilesGiveTheirFolderAndOnlyTheFirstUnlessSeveralAreAllowed) {
    auto drop = [&](std::initializer_list<std::u16string> names) {
        std::wstring list;
        for (const std::u16string& name : names)
            list += std::wstring(ui::Wide(name)) + L'\0';
        list += L'\0';
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT,
                                     sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
        auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
        files->pFiles = sizeof(DROPFILES);
        files->fWide = TRUE;
        std::memcpy(files + 1, list.data(), list.size() * sizeof(wchar_t));
        GlobalUnlock(memory);
        SendMessageW(edit_->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    };
    int drops = 0;
    edit_->OnDropFiles = [&](ui::Control&) { ++drops; };
    edit_->SetText(u"before");
    drop({At(u"Data\\notes.txt")});
    EXPECT_EQ(edit_->Text(), u"before"); // files are not accepted by default
    EXPECT_EQ(drops, 0);

    edit_->SetAcceptFiles(true);
    drop({At(u"Data\\notes.txt"), At(u"Other")});
    EXPECT_EQ(edit_->Text(), At(u"Data\\"));
    EXPECT_EQ(drops, 1);

    edit_->SetMultipleDirs(true);
    drop({At(u"Other"), At(u"Data")});
    EXPECT_EQ(edit_->Text(), At(u"Data\\") + u";" + At(u"Other") + u";" + At(u"Data"));
}

TEST_F(ComboEditTest, AConfirmedPickFillsTheFieldAndIsWhereTheNextPickOfAnEmptyFieldStarts) {
    edit_->SetText(u"");
    Pick(Ok, [this](TPathDialogForm& picker) { picker.sShellTreeView1.SetPath(At(u"Data")); });
    EXPECT_EQ(edit_->Text(), At(u"Data"));
    EXPECT_EQ(edit_->InitialDir(), At(u"Data"));

    edit_->SetText(u"");
    std::u16string offered;
    Pick(Cancel, [&](TPathDialogForm& picker) { offered = picker.sShellTreeView1.Path(); });
    EXPECT_EQ(offered, At(u"Data"));
    EXPECT_EQ(edit_->Text(), At(u"Data")); // cancelling puts the initial folder in
    EXPECT_EQ(CurrentDirectory(), At(u"Data"));
}

TEST_F(ComboEditTest, CancellingKeepsAFolderButEmptiesTextThatNamesNone) {
    edit_->SetText(At(u"Other"));
    Pick(Cancel);
    EXPECT_EQ(edit_->Text(), At(u"Other"));
    EXPECT_EQ(CurrentDirectory(), At(u"Other"));

    edit_->SetText(u"Destination folder...");
    Pick(Cancel);
    EXPECT_EQ(edit_->Text(), u"");

    // With NoChangeDir the process keeps its directory.
    SetCurrentDirectoryW(ui::Wide(folder));
    edit_->SetNoChangeDir(true);
    edit_->SetText(At(u"Data"));
    Pick(Cancel);
    EXPECT_EQ(CurrentDirectory(), folder);
}

TEST_F(ComboEditTest, TheOptionsShapeThePickerAndTheEventsCanChangeOrStopThePick) {
    edit_->SetDialogOptions(sdPerformCreate);
    edit_->SetDialogText(u"Where shall the folders go?");
    edit_->SetRoot(folder);
    edit_->SetText(At(u"Data"));
    bool create_visible = true;
    std::u16string label, root_text;
    Pick(Ok, [&](TPathDialogForm& picker) {
        create_visible = picker.sBitBtn3.Visible();
        label = picker.sShellTreeView1.BoundLabel().Text();
        root_text = ItemText(picker.sShellTreeView1.Handle(), picker.sShellTreeView1.RootNode());
    });
    EXPECT_FALSE(create_visible);
    EXPECT_EQ(label, u"Where shall the folders go?");
    EXPECT_EQ(root_text, FolderName());
    EXPECT_EQ(edit_->Text(), At(u"Data"));

    std::u16string seen_after;
    edit_->OnBeforeDialog = [this](ui::Control&, std::u16string& name, bool&) {
        name = At(u"Other");
    };
    edit_->OnAfterDialog = [&](ui::Control&, std::u16string& name, bool& action) {
        seen_after = name;
        action = false;
    };
    std::u16string offered;
    Pick(Ok, [&](TPathDialogForm& picker) { offered = picker.sShellTreeView1.Path(); });
    EXPECT_EQ(offered, At(u"Other"));
    EXPECT_EQ(seen_after, At(u"Other"));
    EXPECT_EQ(edit_->Text(), At(u"Data")); // the after-event kept the text
}

TEST_F(ComboEditTest, TheSkinnedButtonFadesAsTheMouseEntersAndLeaves) {
    skin::engine::testing::InternalSkinManager manager;
    TsEditButton& button = edit_->Button();
    ASSERT_TRUE(button.Skinned());
    RedrawWindow(button.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_EQ(button.Cache().Width(), 18);
    // SPEEDBUTTON_SMALL is fully transparent in the normal state: the edit's white shows.
    EXPECT_EQ(button.Cache().At(9, 12) & 0xFFFFFF, 0xFFFFFFu);

    button.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    button.Perform(ui::CM_MOUSEENTER);
    EXPECT_EQ(button.State(), 1);
    EXPECT_TRUE(button.Fade().Running());
    EXPECT_EQ(button.Fade().Iterations(), 20);
    ASSERT_TRUE(ui::PumpUntil([&] { return !button.Fade().Running(); }));
    const std::uint32_t hot = button.Cache().At(9, 12);
    EXPECT_NE(hot & 0xFFFFFF, 0xFFFFFFu) << "the hot gradient";

    button.Perform(ui::CM_MOUSELEAVE);
    EXPECT_TRUE(button.Fade().Running());
    ASSERT_TRUE(ui::PumpUntil([&] { return !button.Fade().Running(); }));
    EXPECT_EQ(button.Cache().At(9, 12) & 0xFFFFFF, 0xFFFFFFu);

    // Without a skin it is the plain flat button again.
    manager.Manager().SetActive(false);
    EXPECT_FALSE(button.Skinned());
}

TEST_F(ComboEditTest, TheTextRectangleIsLaidOutAgainAfterEverySkinChange) {
    // The platform's edit adds its own margins to the rectangle it is given: the text is laid
    // out when it ends a few pixels before the button.
    const auto text_right = [&] {
        RECT r{};
        SendMessageW(edit_->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
        return int(r.right);
    };
    const auto laid_out = [&] {
        const int right = text_right(), button = edit_->Button().Left();
        return right <= button && right > button - 8;
    };
    // Something else (the platform's edit on a new frame) laid the text out over the button.
    const auto spoil = [&] {
        RECT wide{0, 0, 400, 30};
        SendMessageW(edit_->Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&wide));
        ASSERT_FALSE(laid_out());
    };

    form_->FinishLoading(); // a form still loading hears no skin changes
    skin::engine::testing::InternalSkinManager manager;
    auto& dressing = ui::Make<skin::windows::TsEditSkin>(*edit_, manager.Skin());
    ASSERT_NE(dressing.Handler(), nullptr);
    EXPECT_TRUE(laid_out()) << "dressed: " << text_right();

    spoil();
    manager.Manager().UpdateSkin(false); // a new skin announced
    EXPECT_TRUE(laid_out()) << "new skin: " << text_right();
    spoil();
    manager.Manager().RepaintForms(false); // a refresh
    EXPECT_TRUE(laid_out()) << "refresh: " << text_right();

    // The skin taken off: the platform's frame is back and the text still stops at the button.
    spoil();
    manager.Manager().SetActive(false);
    EXPECT_EQ(skin::windows::TacMainWnd::Of(edit_->Handle()), nullptr);
    EXPECT_TRUE(laid_out()) << "undressed: " << text_right();
}

} // namespace
} // namespace dialogs
