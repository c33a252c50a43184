// Names that Windows changes or refuses, typed with real keystrokes into the running program:
// the badge and the tip on the tree, the question before anything is created, what a Yes
// creates and what the result box then lists, and the unchanged success message.

#include "support/disk.h"
#include "support/input.h"
#include "support/live_program.h"

#include <gtest/gtest.h>

namespace {

using testing_support::ClassName;
using testing_support::ClickCentre;
using testing_support::ClipboardText;
using testing_support::DirectoryExists;
using testing_support::FindDescendant;
using testing_support::FoldersBelow;
using testing_support::LiveProgram;
using testing_support::PressKey;
using testing_support::RemoveTree;
using testing_support::SetClipboardText;
using testing_support::TypeText;
using testing_support::WaitFor;
using testing_support::WindowText;
using Folders = std::set<std::wstring>;

constexpr wchar_t kTitle[] = L"arbordir";

// What Ctrl+C copies from the program's message form: caption, message and buttons, framed.
std::wstring Framed(const std::wstring& message, const std::wstring& buttons) {
    const std::wstring divider = L"---------------------------\r\n";
    return divider + kTitle + L"\r\n" + divider + message + L"\r\n" + divider + buttons + L"\r\n" +
           divider;
}

class NameProblems : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        base = std::wstring(temp) + L"arbordir-names-" + std::to_wstring(GetCurrentProcessId());
        destination = base + L"\\Out";
        RemoveTree(base); // left by an earlier run that failed half-way
        program = std::make_unique<LiveProgram>(L"\"" + destination + L"\"");
        ASSERT_NE(program->Window(), nullptr);
        tree = program->Child(WC_TREEVIEWW);
        ASSERT_NE(tree, nullptr);
        program->WaitIdle();
    }
    void TearDown() override {
        if (program)
            program->Close();
        RemoveTree(base);
    }
    void Press(WORD key) {
        PressKey(key);
        program->WaitIdle();
    }
    void Type(const std::wstring& text) {
        TypeText(text);
        program->WaitIdle();
    }
    // The item's picture: 0 the folder, 1 with the badge of a changed name, 2 of a refused one.
    int Badge(const std::wstring& name) const {
        HTREEITEM item = program->FindItem(tree, name);
        EXPECT_NE(item, nullptr) << "no item " << std::string(name.begin(), name.end());
        return program->TreeItemImage(tree, item);
    }
    // Presses "Create Folders" and waits for the window it opens.
    HWND CreateFolders() {
        HWND button = FindDescendant(program->Window(), L"Button", L"Create Folders");
        EXPECT_NE(button, nullptr);
        ClickCentre(button);
        HWND window = program->WaitForWindow(kTitle);
        program->WaitIdle();
        return window;
    }
    // What Ctrl+C copies from the message form that has the focus.
    std::wstring CopyText() {
        SetClipboardText(L"before");
        PressKey('C', true);
        program->WaitIdle();
        return ClipboardText();
    }

    std::wstring base;
    std::wstring destination;
    std::unique_ptr<LiveProgram> program;
    HWND tree = nullptr;
};

TEST_F(NameProblems, ATrailingDotShowsTheBadgeAndTheTipAndNoCreatesNothing) {
    Type(L"apache.");
    Press(VK_RETURN);
    Type(L"apache");
    Press(VK_RETURN);
    Press(VK_ESCAPE); // the third folder's name is not wanted, nor the folder
    Press(VK_DELETE);
    ASSERT_EQ(program->TreeItems(tree), (std::vector<std::wstring>{L"apache.", L"apache"}));
    EXPECT_EQ(Badge(L"apache."), 1);
    EXPECT_EQ(Badge(L"apache"), 0);

    // The mouse resting on the name shows the reason.
    const RECT item = program->TreeItemRect(tree, program->FindItem(tree, L"apache."));
    testing_support::MoveMouse(tree, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
    HWND tip = nullptr;
    EXPECT_TRUE(WaitFor([&] {
        for (HWND window : program->OtherWindows())
            if (ClassName(window) == TOOLTIPS_CLASSW)
                tip = window;
        return tip != nullptr;
    })) << "no tip";
    if (tip) {
        EXPECT_EQ(WindowText(tip),
                  L"\"apache.\" becomes \"apache\", which is also a folder beside it.");
    }

    HWND question = CreateFolders();
    ASSERT_NE(question, nullptr) << "the question";
    EXPECT_EQ(CopyText(), Framed(L"1 of 2 folders would not be created as shown:\r\n"
                                 L"\"apache.\" becomes \"apache\", which is also a folder beside "
                                 L"it.\r\n\r\nCreate the folders anyway?",
                                 L"Yes   No   "));
    HWND no = FindDescendant(question, L"Button", L"No");
    ASSERT_NE(no, nullptr);
    ClickCentre(no);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(question); }));
    program->WaitIdle();
    EXPECT_TRUE(program->OtherWindows().empty()) << "no message after No";
    EXPECT_FALSE(DirectoryExists(destination)) << "the destination is left untouched";
}

TEST_F(NameProblems, YesCreatesWhatCanBeCreatedAndTheResultBoxListsTheRest) {
    for (const wchar_t* name : {L"apache.", L"apache", L"Pod", L"pod", L"Why?", L"Web "}) {
        Type(name);
        Press(VK_RETURN);
    }
    // "Web " is being named: Tab gives it a folder inside, then back to the roots for one more.
    Press(VK_ESCAPE);
    Press(VK_DELETE);
    Press(VK_TAB);
    Type(L"conf");
    Press(VK_RETURN);
    Press(VK_ESCAPE);
    Press(VK_DELETE);
    Press(VK_LEFT);
    Press(VK_RETURN);
    Type(L"con.txt");
    Press(VK_TAB);
    Type(L"inside");
    Press(VK_RETURN);
    Press(VK_ESCAPE);
    Press(VK_DELETE);
    ASSERT_EQ(program->TreeItems(tree),
              (std::vector<std::wstring>{L"apache.", L"apache", L"Pod", L"pod", L"Why?", L"Web ",
                                         L"  conf", L"con.txt", L"  inside"}));
    EXPECT_EQ(Badge(L"pod"), 1);
    EXPECT_EQ(Badge(L"Web "), 1);
    EXPECT_EQ(Badge(L"Why?"), 2);
    EXPECT_EQ(Badge(L"con.txt"), 2);
    EXPECT_EQ(Badge(L"inside"), 0) << "its own name is fine";

    HWND question = CreateFolders();
    ASSERT_NE(question, nullptr);
    Press(VK_RETURN); // Yes
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        for (HWND window : program->OtherWindows())
            if (ClassName(window) == L"#32770")
                box = window;
        return box != nullptr;
    })) << "the result box";
    const std::wstring out = destination + L"\\";
    EXPECT_EQ(WindowText(GetDlgItem(box, 0xFFFF)),
              L"6 of 9 folders were not created as shown:\r\n" + out +
                  L"apache.\\ (\"apache.\" becomes \"apache\", which is also a folder beside "
                  L"it)\r\n" +
                  out +
                  L"pod\\ (\"pod\" is the same folder as \"Pod\" beside it: Windows names ignore "
                  L"case)\r\n" +
                  out + L"Why?\\ (\"Why?\" is refused: Windows allows no ? in names)\r\n" + out +
                  L"Web \\ (\"Web \" becomes \"Web\": Windows removes dots and blanks at the end "
                  L"of names)\r\n" +
                  out +
                  L"con.txt\\ (\"con.txt\" is refused: Windows keeps the name CON for a "
                  L"device)\r\n...");
    program->WaitIdle();
    Press(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
    EXPECT_EQ(FoldersBelow(destination), (Folders{L"apache", L"Pod", L"Web", L"Web\\conf"}));
}

TEST_F(NameProblems, ATreeWithoutProblemsIsCreatedWithTheSameSuccessMessageAsEver) {
    Type(L"Client A");
    Press(VK_TAB);
    Type(L"Design 2024");
    HWND message = CreateFolders(); // leaving the name editor accepts the name
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(CopyText(), Framed(L"Folders were successfully created!", L"OK   "));
    Press(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(message); }));
    EXPECT_EQ(FoldersBelow(destination), (Folders{L"Client A", L"Client A\\Design 2024"}));
}

} // namespace
