// The folder picker's form: layout, texts and anchors, the buttons following the selection,
// "Create" with its numbering and its error box, OK and Cancel while a name is being typed, and
// the column of root buttons.

#include "dialogs/path_dialog.h"
#include "picker_fixture.h"

namespace dialogs {
namespace {

class PathDialogTest : public PickerFixture {
protected:
    void SetUp() override {
        PickerFixture::SetUp();
        MakeFolders({u"Work"});
        dialog_ = std::make_unique<TPathDialogForm>(nullptr);
    }
    void TearDown() override {
        dialog_.reset();
        PickerFixture::TearDown();
    }

    // Shows the dialog on the scratch folder, as the directory edit does.
    void Open(const std::u16string& selected) {
        dialog_->FixAnchors();
        dialog_->sShellTreeView1.SetRoot(folder);
        dialog_->sShellTreeView1.SetPath(selected);
        dialog_->Show();
        Pump();
    }

    static RECT BoundsInParent(HWND window) {
        RECT rect;
        GetWindowRect(window, &rect);
        MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    HWND Tree() { return dialog_->sShellTreeView1.Handle(); }

    std::unique_ptr<TPathDialogForm> dialog_;
};

TEST_F(PathDialogTest, TheFormHasItsCaptionsSizeAndPlacesAndKeepsButtonsInTheirCorners) {
    Open(folder);
    HWND window = dialog_->Handle();
    EXPECT_EQ(dialog_->Text(), u"Select directory");
    EXPECT_EQ(dialog_->sBitBtn1.Text(), u"OK");
    EXPECT_EQ(dialog_->sBitBtn2.Text(), u"Cancel");
    EXPECT_EQ(dialog_->sBitBtn3.Text(), u"Create");
    EXPECT_EQ(dialog_->sLabel1.Text(), u"Root :");
    EXPECT_FALSE(dialog_->sLabel1.Visible());
    EXPECT_FALSE(dialog_->sScrollBox1.Visible());
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.right - frame.left, 350);
    EXPECT_EQ(frame.bottom - frame.top, 420);
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME);

    MINMAXINFO limits{};
    SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 275);
    EXPECT_EQ(limits.ptMinTrackSize.y, 250);

    const RECT ok = BoundsInParent(dialog_->sBitBtn1.Handle());
    const RECT create = BoundsInParent(dialog_->sBitBtn3.Handle());
    const RECT tree = BoundsInParent(Tree());
    EXPECT_EQ(ok.left, 173);
    EXPECT_EQ(tree.right - tree.left, 321);
    SetWindowPos(window, nullptr, 0, 0, 450, 480, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    const RECT ok_after = BoundsInParent(dialog_->sBitBtn1.Handle());
    const RECT cancel_after = BoundsInParent(dialog_->sBitBtn2.Handle());
    const RECT create_after = BoundsInParent(dialog_->sBitBtn3.Handle());
    const RECT tree_after = BoundsInParent(Tree());
    EXPECT_EQ(ok_after.left - ok.left, 100);
    EXPECT_EQ(ok_after.top - ok.top, 60);
    EXPECT_EQ(cancel_after.left, 250 + 100);
    EXPECT_EQ(create_after.left, create.left);
    EXPECT_EQ(create_after.top - create.top, 60);
    EXPECT_EQ(tree_after.left, tree.left);
    EXPECT_EQ(tree_after.right - tree.right, 100);
    EXPECT_EQ(tree_after.bottom - tree.bottom, 60);
}

TEST_F(PathDialogTest, OkAndCreateFollowWhetherTheSelectionIsAnExistingFolder) {
    Open(At(u"Work"));
    EXPECT_TRUE(dialog_->sBitBtn1.Enabled());
    EXPECT_TRUE(dialog_->sBitBtn3.Enabled());
    dialog_->sShellTreeView1.SetRoot(u"rfMyComputer");
    dialog_->sShellTreeView1.SelectItem(dialog_->sShellTreeView1.RootNode());
    EXPECT_FALSE(dialog_->sBitBtn1.Enabled());
    EXPECT_FALSE(dialog_->sBitBtn3.Enabled());
    dialog_->sShellTreeView1.SetPath(u"C:\\");
    EXPECT_TRUE(dialog_->sBitBtn1.Enabled());
    EXPECT_TRUE(dialog_->sBitBtn3.Enabled());
}

TEST_F(PathDialogTest, CreateTakesTheFirstFreeNumberAndStartsNamingTheNewFolder) {
    MakeFolders({u"Work\\New folder1"});
    MakeFile(u"Work\\New folder2"); // a file of that name: no folder can have it
    Open(At(u"Work"));
    dialog_->CreateFolder();
    EXPECT_TRUE(DirectoryExists(At(u"Work\\New folder3")));
    EXPECT_EQ(dialog_->sShellTreeView1.Path(), At(u"Work\\New folder3"));
    HWND editor = TreeView_GetEditControl(Tree());
    ASSERT_NE(editor, nullptr);
    wchar_t text[64];
    GetWindowTextW(editor, text, 64);
    EXPECT_STREQ(text, L"New folder3");

    // OK while naming accepts the name and keeps the dialog open.
    SetWindowTextW(editor, L"Letters");
    dialog_->SetModalResult(ui::mrNone);
    dialog_->sBitBtn1.Press();
    EXPECT_EQ(dialog_->GetModalResult(), ui::mrNone);
    EXPECT_EQ(TreeView_GetEditControl(Tree()), nullptr);
    Pump();
    EXPECT_TRUE(DirectoryExists(At(u"Work\\Letters")));
    EXPECT_EQ(dialog_->sShellTreeView1.Path(), At(u"Work\\Letters"));
    EXPECT_TRUE(dialog_->sShellTreeView1.Focused());
    dialog_->sBitBtn1.Press();
    EXPECT_EQ(dialog_->GetModalResult(), ui::mrOk);
}

TEST_F(PathDialogTest, CancelWhileNamingKeepsTheNewNameUntypedAndTheDialogOpen) {
    Open(At(u"Work"));
    dialog_->CreateFolder();
    ASSERT_NE(TreeView_GetEditControl(Tree()), nullptr);
    SetWindowTextW(TreeView_GetEditControl(Tree()), L"Never");
    dialog_->sBitBtn2.Press();
    EXPECT_EQ(dialog_->GetModalResult(), ui::mrNone);
    Pump();
    EXPECT_TRUE(DirectoryExists(At(u"Work\\New folder1")));
    EXPECT_FALSE(DirectoryExists(At(u"Work\\Never")));
    dialog_->sBitBtn2.Press();
    EXPECT_EQ(dialog_->GetModalResult(), ui::mrCancel);
}

// Closes the error box once it is up and keeps what it said.
struct BoxWatch {
    static inline std::wstring caption;
    static inline std::wstring text;
    static void CALLBACK Check(HWND, UINT, UINT_PTR id, DWORD) {
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM) -> BOOL {
                wchar_t name[32];
                GetClassNameW(window, name, 32);
                if (std::wstring(name) != L"#32770" || !IsWindowVisible(window))
                    return TRUE;
                wchar_t buffer[512];
                GetWindowTextW(window, buffer, 512);
                caption = buffer;
                GetDlgItemTextW(window, 0xFFFF, buffer, 512);
                text = buffer;
                PostMessageW(window, WM_COMMAND, IDOK, 0);
                return FALSE;
            },
            0);
        if (!caption.empty())
            KillTimer(nullptr, id);
    }
};

TEST_F(PathDialogTest, AFolderThatCannotBeMadeIsReportedInAnErrorBoxAndTheTreeStays) {
    Open(At(u"Work"));
    dialog_->MakeDirectory = [](const std::u16string&) { return false; };
    BoxWatch::caption.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, BoxWatch::Check);
    dialog_->CreateFolder();
    KillTimer(nullptr, timer);
    EXPECT_EQ(BoxWatch::caption, L"Error");
    EXPECT_EQ(BoxWatch::text, L"Directory " + std::wstring(ui::Wide(At(u"Work\\New folder1"))) +
                                  L" can`t be created!");
    EXPECT_EQ(dialog_->sShellTreeView1.Path(), At(u"Work"));
    EXPECT_EQ(TreeView_GetEditControl(Tree()), nullptr);
}

TEST_F(PathDialogTest, RootButtonsMoveTheTreeGrowTheDialogAndSetTheRoot) {
    const int width = dialog_->Width();
    dialog_->ShowRootButtons(true);
    Open(folder);
    EXPECT_TRUE(dialog_->sLabel1.Visible());
    EXPECT_TRUE(dialog_->sScrollBox1.Visible());
    EXPECT_EQ(dialog_->sShellTreeView1.Left(), 8 + 101 + 4);
    EXPECT_EQ(dialog_->sBitBtn1.Left(), 173 + 105);
    EXPECT_EQ(dialog_->sBitBtn3.Left(), 12);
    EXPECT_EQ(dialog_->Width(), width + 101 + GetSystemMetrics(SM_CXSIZEFRAME) + 4);
    const std::vector<ui::Control*>& buttons = dialog_->sScrollBox1.Controls();
    ASSERT_EQ(buttons.size(), 4u);
    EXPECT_EQ(buttons[1]->Top(), 70);
    EXPECT_FALSE(buttons[1]->Text().empty());

    // A click on the second button puts the computer at the root.
    buttons[1]->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    buttons[1]->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(dialog_->sShellTreeView1.Root(), u"rfMyComputer");
    EXPECT_EQ(ItemText(Tree(), dialog_->sShellTreeView1.RootNode()), buttons[1]->Text());
}

} // namespace
} // namespace dialogs
