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

} // namespace
