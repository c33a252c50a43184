// The shell folder tree over real folders under Wine: roots, hidden folders, selecting by path,
// renaming in place, refused names, refreshing.

#include "core/error.h"
#include "dialogs/shell_tree_view.h"
#include "picker_fixture.h"
#include "ui/form.h"

namespace dialogs {
namespace {

class ShellTreeTest : public PickerFixture {
protected:
    void SetUp() override {
        PickerFixture::SetUp();
        MakeFolders({u"Beta", u"Alpha", u"Beta\\Inner", u"Beta\\Inner\\Deep", u".secret"});
        SetFileAttributesW(ui::Wide(At(u".secret")), FILE_ATTRIBUTE_HIDDEN);
        MakeFile(u"notes.txt");
        form_ = std::make_unique<ui::Form>(nullptr);
        form_->SetBounds({0, 0, 400, 500});
        tree_ = &ui::Make<TsShellTreeView>(*form_);
        tree_->SetParent(form_.get());
        tree_->SetBounds({8, 20, 300, 400});
        tree_->SetObjectTypes(otFolders | otHidden);
        tree_->SetRoot(folder);
        form_->Show();
        window_ = tree_->Handle();
    }
    void TearDown() override {
        form_.reset();
        PickerFixture::TearDown();
    }

    HTREEITEM Node(std::initializer_list<std::u16string> path) {
        HTREEITEM node = tree_->RootNode();
        for (const std::u16string& name : path) {
            tree_->Populate(node);
            node = ChildNamed(window_, node, name);
            if (!node)
                return nullptr;
        }
        return node;
    }

    std::unique_ptr<ui::Form> form_;
    TsShellTreeView* tree_ = nullptr;
    HWND window_ = nullptr;
};

TEST_F(ShellTreeTest, APathRootShowsItsLastNameAndListsFoldersHiddenOnesIncludedButNoFiles) {
    HTREEITEM root = tree_->RootNode();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(ItemText(window_, root), FolderName());
    EXPECT_EQ(TreeView_GetNextSibling(window_, root), nullptr);
    EXPECT_TRUE(Expanded(window_, root));
    EXPECT_EQ(tree_->Selected(), root);
    EXPECT_EQ(tree_->Path(), folder);
    std::vector<std::u16string> names = ChildTexts(window_, root);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::u16string>{u".secret", u"Alpha", u"Beta"}));

    // A trailing slash or backslash names the same root.
    tree_->SetRoot(folder + u"/");
    EXPECT_EQ(ItemText(window_, tree_->RootNode()), FolderName());
    EXPECT_TRUE(errors.empty());
}

TEST_F(ShellTreeTest, SettingThePathExpandsTheWayDownAndSelectsTheFolder) {
    tree_->SetPath(At(u"Beta\\Inner\\Deep"));
    HTREEITEM deep = tree_->Selected();
    ASSERT_NE(deep, nullptr);
    EXPECT_EQ(ItemText(window_, deep), u"Deep");
    EXPECT_EQ(tree_->Path(), At(u"Beta\\Inner\\Deep"));
    EXPECT_TRUE(Expanded(window_, Node({u"Beta"})));
    EXPECT_TRUE(Expanded(window_, Node({u"Beta", u"Inner"})));
    EXPECT_FALSE(Expanded(window_, Node({u"Alpha"})));

    // A relative path is taken from the current directory.
    SetCurrentDirectoryW(ui::Wide(At(u"Beta")));
    tree_->SetPath(u"Inner");
    EXPECT_EQ(tree_->Path(), At(u"Beta\\Inner"));

    // A folder outside the root clears the selection.
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    tree_->SetPath(ui::FromWide(windows));
    EXPECT_EQ(tree_->Selected(), nullptr);
    EXPECT_EQ(tree_->Path(), u"");
    EXPECT_EQ(tree_->SelectedFolder(), nullptr);
}

TEST_F(ShellTreeTest, AMissingPathRaisesAndABadRootIsReportedWhileThePreviousRootStays) {
    try {
        tree_->SetPath(At(u"No such folder"));
        ADD_FAILURE() << "no error";
    } catch (const core::Error& error) {
        EXPECT_EQ(error.Message(), u"Error Setting Path");
    }
    tree_->SetRoot(At(u"Missing"));
    EXPECT_EQ(errors,
              (std::vector<std::u16string>{u"Error Setting Path : " + At(u"Missing") + u"."}));
    EXPECT_EQ(tree_->Root(), folder);
    EXPECT_EQ(ItemText(window_, tree_->RootNode()), FolderName());
}

TEST_F(ShellTreeTest, ANamedRootFolderShowsTheShellsNameAndVirtualItemsHaveNoFolderPath) {
    tree_->SetRoot(u"rfMyComputer");
    HTREEITEM root = tree_->RootNode();
    ASSERT_NE(root, nullptr);
    TacShellFolder* computer = tree_->FolderOf(root);
    ASSERT_NE(computer, nullptr);
    EXPECT_FALSE(ItemText(window_, root).empty());
    EXPECT_TRUE(computer->PathName().find(u"::{") == std::u16string::npos);
    EXPECT_EQ(FileSystemPath(computer->FullId()), u"");
    EXPECT_EQ(computer->Level(), 1);
    // The drives are its children; C: is one of them, a real folder.
    bool found_c = false;
    for (HTREEITEM drive = TreeView_GetChild(window_, root); drive;
         drive = TreeView_GetNextSibling(window_, drive))
        if (tree_->FolderOf(drive)->PathName() == u"C:\\")
            found_c = true;
    EXPECT_TRUE(found_c);
}

TEST_F(ShellTreeTest, AnAcceptedNameRenamesTheFolderOnDiskAndTheNodeFollows) {
    HTREEITEM alpha = Node({u"Alpha"});
    ASSERT_NE(alpha, nullptr);
    tree_->SelectItem(alpha);
    tree_->EditItem(alpha);
    HWND editor = TreeView_GetEditControl(window_);
    ASSERT_NE(editor, nullptr);
    SetWindowTextW(editor, L"Gamma");
    tree_->EndEditing(false);
    Pump();
    EXPECT_TRUE(DirectoryExists(At(u"Gamma")));
    EXPECT_FALSE(DirectoryExists(At(u"Alpha")));
    EXPECT_EQ(ItemText(window_, tree_->Selected()), u"Gamma");
    EXPECT_EQ(tree_->Path(), At(u"Gamma"));
    EXPECT_TRUE(errors.empty());
}

TEST_F(ShellTreeTest, ARefusedNameIsReportedAfterTheEditAndTheNodeKeepsItsName) {
    HTREEITEM alpha = Node({u"Alpha"});
    tree_->SelectItem(alpha);
    tree_->EditItem(alpha);
    SetWindowTextW(TreeView_GetEditControl(window_), L"Beta");
    tree_->EndEditing(false);
    Pump();
    EXPECT_EQ(errors, (std::vector<std::u16string>{u"Rename to Beta failed."}));
    EXPECT_EQ(ItemText(window_, alpha), u"Alpha");
    EXPECT_TRUE(DirectoryExists(At(u"Alpha")));
    EXPECT_TRUE(DirectoryExists(At(u"Beta\\Inner")));
}

TEST_F(ShellTreeTest, RefreshingFindsNewFoldersAndKeepsWhatWasExpandedAndSelected) {
    tree_->SetPath(At(u"Beta\\Inner\\Deep"));
    MakeFolders({u"Beta\\Fresh", u"Delta"});
    HTREEITEM fresh_root = tree_->RefreshNode(tree_->RootNode());
    ASSERT_EQ(fresh_root, tree_->RootNode());
    EXPECT_EQ(ItemText(window_, fresh_root), FolderName());
    EXPECT_TRUE(Expanded(window_, fresh_root));
    EXPECT_NE(ChildNamed(window_, fresh_root, u"Delta"), nullptr);
    HTREEITEM beta = ChildNamed(window_, fresh_root, u"Beta");
    ASSERT_NE(beta, nullptr);
    EXPECT_TRUE(Expanded(window_, beta));
    EXPECT_NE(ChildNamed(window_, beta, u"Fresh"), nullptr);
    EXPECT_TRUE(Expanded(window_, ChildNamed(window_, beta, u"Inner")));
    EXPECT_EQ(tree_->Path(), At(u"Beta\\Inner\\Deep"));
    EXPECT_EQ(tree_->FindChildByPath(beta, At(u"beta\\fresh")),
              ChildNamed(window_, beta, u"Fresh"));
}

TEST_F(ShellTreeTest, AVetoedFolderIsLeftOutAndAnEmptyFolderLosesItsButton) {
    tree_->OnAddFolder = [](TacShellFolder& folder, bool& can_add) {
        can_add = folder.DisplayName() != u"Alpha";
    };
    tree_->SetRoot(u"rfDesktop");
    tree_->SetRoot(folder);
    std::vector<std::u16string> names = ChildTexts(window_, tree_->RootNode());
    EXPECT_EQ(std::count(names.begin(), names.end(), u"Alpha"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), u"Beta"), 1);

    HTREEITEM deep = Node({u"Beta", u"Inner", u"Deep"});
    ASSERT_NE(deep, nullptr);
    tree_->Populate(deep);
    TVITEMW query{};
    query.mask = TVIF_CHILDREN;
    query.hItem = deep;
    TreeView_GetItem(window_, &query);
    EXPECT_EQ(query.cChildren, 0);
}

// Closes the first popup menu it sees and remembers having seen one.
struct MenuWatch {
    static inline bool seen = false;
    static void CALLBACK Check(HWND, UINT, UINT_PTR, DWORD) {
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM) -> BOOL {
                wchar_t name[32];
                GetClassNameW(window, name, 32);
                if (std::wstring(name) == L"#32768" && IsWindowVisible(window)) {
                    seen = true;
                    EndMenu();
                    return FALSE;
                }
                return TRUE;
            },
            0);
    }
};

TEST_F(ShellTreeTest, ARightClickSelectsTheNodeUnderTheMouseAndOpensTheShellsMenu) {
    HTREEITEM beta = Node({u"Beta"});
    ASSERT_NE(beta, nullptr);
    RECT rect;
    TreeView_GetItemRect(window_, beta, &rect, TRUE);
    POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(window_, &point);
    SetCursorPos(point.x, point.y);
    MenuWatch::seen = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, MenuWatch::Check);
    NMHDR click{window_, 0, static_cast<UINT>(NM_RCLICK)};
    SendMessageW(form_->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    KillTimer(nullptr, timer);
    EXPECT_EQ(tree_->Selected(), beta);
    EXPECT_TRUE(MenuWatch::seen);
}

TEST_F(ShellTreeTest, TheTreeRenamesForTheMenuAndTidiesUpAfterTheShellsOpenAndDelete) {
    HTREEITEM alpha = Node({u"Alpha"});
    tree_->SelectItem(alpha);
    EXPECT_TRUE(tree_->ContextCommand(u"rename"));
    EXPECT_NE(TreeView_GetEditControl(window_), nullptr);
    tree_->EndEditing(true);
    Pump();

    // "open" runs in the item's parent folder; the directory comes back afterwards.
    SetCurrentDirectoryW(ui::Wide(At(u"Beta")));
    EXPECT_FALSE(tree_->ContextCommand(u"open"));
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_EQ(ui::FromWide(current), folder);
    tree_->AfterContextCommand(u"open", alpha, false);
    GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_EQ(ui::FromWide(current), At(u"Beta"));

    // After "delete" the node goes only once its folder has gone.
    tree_->AfterContextCommand(u"delete", alpha, true);
    EXPECT_EQ(ChildNamed(window_, tree_->RootNode(), u"Alpha"), alpha);
    RemoveDirectoryW(ui::Wide(At(u"Alpha")));
    tree_->AfterContextCommand(u"delete", alpha, true);
    EXPECT_EQ(ChildNamed(window_, tree_->RootNode(), u"Alpha"), nullptr);
}

TEST_F(ShellTreeTest, AutoRefreshShowsFoldersMadeBehindTheTreesBack) {
    tree_->SetAutoRefresh(true);
    MakeFolders({u"Later"});
    const DWORD start = GetTickCount();
    while (!ChildNamed(window_, tree_->RootNode(), u"Later") && GetTickCount() - start < 5000)
        Pump();
    EXPECT_NE(ChildNamed(window_, tree_->RootNode(), u"Later"), nullptr);
    tree_->SetAutoRefresh(false);
}

} // namespace
} // namespace dialogs
