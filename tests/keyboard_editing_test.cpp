// Designing a folder tree from the keyboard, with real keystrokes into the running program.

#include "support/input.h"
#include "support/live_program.h"

#include <gtest/gtest.h>

namespace {

using testing_support::LiveProgram;
using testing_support::PressKey;
using testing_support::TypeText;
using Items = std::vector<std::wstring>;

class KeyboardEditing : public ::testing::Test {
protected:
    void SetUp() override {
        program = std::make_unique<LiveProgram>(L"");
        ASSERT_NE(program->Window(), nullptr);
        tree = program->Child(WC_TREEVIEWW);
        ASSERT_NE(tree, nullptr);
        program->WaitIdle();
    }
    // Presses a key and waits until the program has handled it.
    void Press(WORD key) {
        PressKey(key);
        program->WaitIdle();
    }
    void Type(const std::wstring& text) {
        TypeText(text);
        program->WaitIdle();
    }
    Items Outline() const { return program->TreeOutline(tree); }

    std::unique_ptr<LiveProgram> program;
    HWND tree = nullptr;
};

TEST_F(KeyboardEditing, TabAndEnterBuildAHierarchyWhileTyping) {
    // The start node's name editor is open, so typing names it at once.
    EXPECT_EQ(program->EditorText(tree), L"New Folder");
    Type(L"Projects");
    Press(VK_TAB);
    Type(L"Src");
    Press(VK_RETURN);
    Type(L"Docs");
    Press(VK_RETURN);

    EXPECT_EQ(Outline(), (Items{L"Projects +", L"  Src", L"  Docs", L"  New Folder"}));
    EXPECT_EQ(program->EditorText(tree), L"New Folder");
    EXPECT_EQ(program->SelectedItem(tree), L"New Folder");
}

TEST_F(KeyboardEditing, EnterInTheMiddleOfSiblingsAddsAfterTheLastOne) {
    Type(L"A");
    Press(VK_TAB);
    Type(L"B");
    Press(VK_RETURN);
    Type(L"C");
    Press(VK_RETURN);
    Type(L"D");
    Press(VK_RETURN);
    // Escape cancels the new folder's name; Delete removes the folder, D becomes selected.
    Press(VK_ESCAPE);
    EXPECT_EQ(program->EditorText(tree), L"(closed)");
    Press(VK_DELETE);
    EXPECT_EQ(Outline(), (Items{L"A +", L"  B", L"  C", L"  D"}));
    EXPECT_EQ(program->SelectedItem(tree), L"D");
    // The arrows keep the tree's own navigation.
    Press(VK_UP);
    EXPECT_EQ(program->SelectedItem(tree), L"C");
    Press(VK_RETURN);

    EXPECT_EQ(Outline(), (Items{L"A +", L"  B", L"  C", L"  D", L"  New Folder"}));
    EXPECT_EQ(program->SelectedItem(tree), L"New Folder");
    EXPECT_EQ(program->EditorText(tree), L"New Folder");
}

TEST_F(KeyboardEditing, DeleteInTheNameEditorRemovesTheFolderWithItsSubtree) {
    Type(L"Top");
    Press(VK_TAB);
    Type(L"Child");
    Press(VK_TAB);
    Type(L"Grand");
    Press(VK_ESCAPE);
    Press(VK_LEFT); // to the parent
    EXPECT_EQ(program->SelectedItem(tree), L"Child");
    Press(VK_F2); // any other key starts renaming the selected folder
    EXPECT_EQ(program->EditorText(tree), L"Child");
    Press(VK_DELETE);

    EXPECT_EQ(Outline(), (Items{L"Top"}));
    EXPECT_EQ(program->EditorText(tree), L"(closed)");
    EXPECT_EQ(program->SelectedItem(tree), L"Top");
    EXPECT_EQ(program->Focus(), tree) << "the tree keeps the keyboard";

    // A letter typed while browsing opens the editor on the current name; typed while
    // editing it is a letter.
    Press('R');
    EXPECT_EQ(program->EditorText(tree), L"Top");
    Press(VK_END);
    Type(L"s");
    Press(VK_RETURN);
    EXPECT_EQ(Outline(), (Items{L"Tops", L"New Folder"}));
}

TEST_F(KeyboardEditing, ALetterStartsRenamingTheSelectedFolderEvenWhenAnotherSharesIt) {
    Type(L"Alpha");
    Press(VK_RETURN);
    Type(L"Another");
    Press(VK_RETURN);
    Press(VK_ESCAPE);
    Press(VK_DELETE);
    Press(VK_UP);
    ASSERT_EQ(program->SelectedItem(tree), L"Alpha");
    // The tree's own search by first letter would move to Another; the editor stays on Alpha.
    Press('A');
    EXPECT_EQ(program->EditorText(tree), L"Alpha");
    EXPECT_EQ(program->SelectedItem(tree), L"Alpha");
}

TEST_F(KeyboardEditing, TabOnAnEmptyTreeDoesNothingAndEnterAddsTheFirstFolder) {
    Press(VK_DELETE); // the start folder, from its name editor
    EXPECT_EQ(Outline(), Items{});
    Press(VK_TAB);
    EXPECT_EQ(Outline(), Items{});
    Press(VK_RETURN);
    EXPECT_EQ(Outline(), Items{L"New Folder"});
    EXPECT_EQ(program->EditorText(tree), L"New Folder");
    EXPECT_EQ(program->SelectedItem(tree), L"New Folder");
}

} // namespace
