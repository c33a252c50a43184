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

} // namespace
} // namespace dialogs
