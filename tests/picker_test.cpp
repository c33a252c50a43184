// The folder picker as a person uses it: opened from the destination field's button (or with
// Alt+Down), driven with real clicks and keys, checked through its live windows and on disk.

#include "support/disk.h"
#include "support/input.h"
#include "support/live_program.h"
#include "support/screenshot.h"

#include <gtest/gtest.h>

namespace {

using testing_support::ClickAt;
using testing_support::ClickCentre;
using testing_support::DirectoryExists;
using testing_support::FindDescendant;
using testing_support::LiveProgram;
using testing_support::PressKey;
using testing_support::RemoveTree;
using testing_support::SaveScreenshot;
using testing_support::TypeText;
using testing_support::WaitFor;
using testing_support::WindowText;

constexpr wchar_t kPickerCaption[] = L"Select directory";

void AltDown() {
    INPUT keys[4] = {};
    for (INPUT& key : keys)
        key.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_MENU;
    keys[1].ki.wVk = VK_DOWN;
    keys[1].ki.dwFlags = KEYEVENTF_EXTENDEDKEY;
    keys[2].ki.wVk = VK_DOWN;
    keys[2].ki.dwFlags = KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_MENU;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, keys, sizeof(INPUT));
    Sleep(15);
}

class PickerTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t current[MAX_PATH];
        GetCurrentDirectoryW(MAX_PATH, current);
        folder_ = std::wstring(current) + L"\\picker_e2e_" + std::to_wstring(GetCurrentProcessId());
        RemoveTree(folder_);
        for (const wchar_t* sub : {L"", L"\\Projects", L"\\Projects\\Client", L"\\Archive"})
            CreateDirectoryW((folder_ + sub).c_str(), nullptr);
    }
    void TearDown() override { RemoveTree(folder_); }

    static HWND Field(const LiveProgram& program) { return program.Child(L"Edit"); }

    // Clicks the button inside the field's right edge and waits for the picker.
    static HWND OpenPicker(const LiveProgram& program) {
        HWND button = GetWindow(Field(program), GW_CHILD);
        if (!button)
            return nullptr;
        ClickCentre(button);
        return program.WaitForWindow(kPickerCaption);
    }

    static HWND Tree(HWND picker) { return FindDescendant(picker, WC_TREEVIEWW); }
    static HWND Button(HWND picker, const wchar_t* caption) {
        return FindDescendant(picker, L"Button", caption);
    }
    static bool Expanded(HWND tree, HTREEITEM item) {
        return (TreeView_GetItemState(tree, item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    }
    static bool Closed(HWND picker) { return !IsWindow(picker) || !IsWindowVisible(picker); }

    // The item's text rectangle in the tree's client area, asked inside the program.
    static RECT ItemRect(const LiveProgram& program, HWND tree, HTREEITEM item) {
        RECT rect{};
        auto* remote = static_cast<BYTE*>(
            VirtualAllocEx(program.Process(), nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE));
        if (!remote)
            return rect;
        WriteProcessMemory(program.Process(), remote, &item, sizeof(item), nullptr);
        SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(program.Process(), remote, &rect, sizeof(rect), nullptr);
        VirtualFreeEx(program.Process(), remote, 0, MEM_RELEASE);
        return rect;
    }

    std::wstring folder_;
};

TEST_F(PickerTest, APresetFolderOpensSelectedAndANewFolderIsCreatedNamedAndChosen) {
    const std::wstring projects = folder_ + L"\\Projects";
    LiveProgram program(L"\"" + projects + L"\"");
    ASSERT_NE(program.Window(), nullptr);
    HWND picker = OpenPicker(program);
    ASSERT_NE(picker, nullptr);
    HWND tree = Tree(picker);
    ASSERT_NE(tree, nullptr);
    program.WaitIdle();

    // The preset folder is selected, every ancestor expanded on the way down to it.
    EXPECT_EQ(program.SelectedItem(tree), L"Projects");
    HTREEITEM selected = TreeView_GetSelection(tree);
    for (HTREEITEM up = TreeView_GetParent(tree, selected); up; up = TreeView_GetParent(tree, up))
        EXPECT_TRUE(Expanded(tree, up)) << testing::PrintToString(program.TreeItemText(tree, up));
    EXPECT_TRUE(IsWindowEnabled(Button(picker, L"OK")));
    EXPECT_TRUE(IsWindowEnabled(Button(picker, L"Create")));
    EXPECT_TRUE(IsWindowVisible(Button(picker, L"Cancel")));

    SaveScreenshot(testing_support::ArtefactsDirectory() + L"picker_over_main_window.png");

    // "Create" makes New folder1 at once and opens its name for typing.
    ClickCentre(Button(picker, L"Create"));
    ASSERT_TRUE(WaitFor([&] { return TreeView_GetEditControl(tree) != nullptr; }));
    EXPECT_TRUE(DirectoryExists(projects + L"\\New folder1"));
    EXPECT_EQ(program.EditorText(tree), L"New folder1");

    // Enter accepts the name and renames the folder on disk; the picker stays open.
    TypeText(L"Drafts");
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return DirectoryExists(projects + L"\\Drafts"); }));
    EXPECT_FALSE(DirectoryExists(projects + L"\\New folder1"));
    program.WaitIdle();
    EXPECT_FALSE(Closed(picker));
    EXPECT_EQ(program.EditorText(tree), L"(closed)");
    EXPECT_EQ(program.SelectedItem(tree), L"Drafts");

    // The second Enter closes the picker with that folder, which goes into the field.
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return Closed(picker); }));
    program.WaitIdle();
    EXPECT_EQ(WindowText(Field(program)), projects + L"\\Drafts");
}

TEST_F(PickerTest, AClickedFolderIsTakenWithOkAndCreateCanBeUsedTwice) {
    LiveProgram program(L"\"" + folder_ + L"\\Projects\"");
    ASSERT_NE(program.Window(), nullptr);
    CreateDirectoryW((folder_ + L"\\Archive\\New folder1").c_str(), nullptr);
    HWND picker = OpenPicker(program);
    ASSERT_NE(picker, nullptr);
    HWND tree = Tree(picker);
    program.WaitIdle();

    HTREEITEM archive = program.FindItem(tree, L"Archive");
    ASSERT_NE(archive, nullptr);
    const RECT rect = ItemRect(program, tree, archive);
    ClickAt(tree, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    ASSERT_TRUE(WaitFor([&] { return program.SelectedItem(tree) == L"Archive"; }));

    // New folder1 is there already: the next free name is taken, and Escape leaves it so.
    ClickCentre(Button(picker, L"Create"));
    ASSERT_TRUE(WaitFor([&] { return TreeView_GetEditControl(tree) != nullptr; }));
    EXPECT_TRUE(DirectoryExists(folder_ + L"\\Archive\\New folder2"));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return TreeView_GetEditControl(tree) == nullptr; }));
    program.WaitIdle();
    EXPECT_FALSE(Closed(picker));
    EXPECT_EQ(program.SelectedItem(tree), L"New folder2");

    ClickCentre(Button(picker, L"OK"));
    ASSERT_TRUE(WaitFor([&] { return Closed(picker); }));
    program.WaitIdle();
    EXPECT_EQ(WindowText(Field(program)), folder_ + L"\\Archive\\New folder2");
}

TEST_F(PickerTest, CancellingKeepsAFolderAndEmptiesAnyOtherText) {
    LiveProgram program(L"\"" + folder_ + L"\\Archive\"");
    ASSERT_NE(program.Window(), nullptr);
    HWND picker = OpenPicker(program);
    ASSERT_NE(picker, nullptr);
    program.WaitIdle();
    EXPECT_EQ(program.SelectedItem(Tree(picker)), L"Archive");
    ClickCentre(Button(picker, L"Cancel"));
    ASSERT_TRUE(WaitFor([&] { return Closed(picker); }));
    program.WaitIdle();
    EXPECT_EQ(WindowText(Field(program)), folder_ + L"\\Archive");

    SendMessageW(Field(program), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Destination folder..."));
    picker = OpenPicker(program);
    ASSERT_NE(picker, nullptr);
    program.WaitIdle();
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return Closed(picker); }));
    program.WaitIdle();
    EXPECT_EQ(WindowText(Field(program)), L"");
}

TEST_F(PickerTest, AltDownInTheFieldOpensThePicker) {
    LiveProgram program(L"\"" + folder_ + L"\"");
    ASSERT_NE(program.Window(), nullptr);
    HWND field = Field(program);
    ClickAt(field, 10, 8);
    ASSERT_TRUE(WaitFor([&] { return program.Focus() == field; }));
    AltDown();
    HWND picker = program.WaitForWindow(kPickerCaption);
    ASSERT_NE(picker, nullptr);
    program.WaitIdle();
    EXPECT_EQ(program.SelectedItem(Tree(picker)), folder_.substr(folder_.rfind(L'\\') + 1));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return Closed(picker); }));
    program.WaitIdle();
    EXPECT_EQ(WindowText(field), folder_);
}

} // namespace
