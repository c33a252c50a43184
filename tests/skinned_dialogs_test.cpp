// The program's dialogs in the skin, driven with real input and looked at from outside: the
// completion message (Enter, Escape, Ctrl+C), the "Save Template" query, the error box and the
// open dialog, whose children are listed with the handled marker the skin engine puts on them.
//
// With ARBORDIR_SHOTS naming a folder (a platform path), each dialog asks for a screenshot
// there: it writes NAME.req and waits for NAME.done, which a watcher outside Wine writes after
// taking the picture.

#include "support/disk.h"
#include "support/input.h"
#include "support/live_program.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <iostream>
#include <string>
#include <vector>

namespace {

using testing_support::ClassName;
using testing_support::ClickAt;
using testing_support::ClickCentre;
using testing_support::ClipboardText;
using testing_support::DirectoryExists;
using testing_support::FindDescendant;
using testing_support::LiveProgram;
using testing_support::PressKey;
using testing_support::RemoveTree;
using testing_support::TemplatesDirectory;
using testing_support::TypeText;
using testing_support::Unique;
using testing_support::WaitFor;
using testing_support::WindowText;

constexpr wchar_t kTitle[] = L"arbordir";
constexpr POINT kLoadTemplate{151, 324};
constexpr POINT kSaveTemplate{279, 324};

// A dressed window: the skin's frame took over the caption buttons, so the platform's system
// menu style is gone.
bool Dressed(HWND window) {
    return (GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU) == 0;
}

bool Handled(HWND window) {
    return GetPropW(window, L"ACSBSC") != nullptr;
}

struct ChildList {
    std::vector<std::wstring> handled, plain;
};

ChildList ChildrenOf(HWND dialog) {
    ChildList list;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM data) {
            auto& l = *reinterpret_cast<ChildList*>(data);
            (Handled(child) ? l.handled : l.plain).push_back(ClassName(child));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&list));
    return list;
}

bool Has(const std::vector<std::wstring>& list, const std::wstring& name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

void Shot(const std::wstring& name) {
    wchar_t folder[MAX_PATH];
    if (!GetEnvironmentVariableW(L"ARBORDIR_SHOTS", folder, MAX_PATH))
        return;
    const std::wstring base = std::wstring(folder) + L"\\" + name;
    HANDLE request = CreateFileW((base + L".req").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (request != INVALID_HANDLE_VALUE)
        CloseHandle(request);
    WaitFor(
        [&] { return GetFileAttributesW((base + L".done").c_str()) != INVALID_FILE_ATTRIBUTES; },
        5000);
}

class SkinnedDialogs : public ::testing::Test {
protected:
    void Start(const std::wstring& arguments = L"") {
        program = std::make_unique<LiveProgram>(arguments);
        ASSERT_NE(program->Window(), nullptr);
        window = program->Window();
        program->WaitIdle();
    }
    void Press(WORD key, bool control = false) {
        PressKey(key, control);
        program->WaitIdle();
    }
    void Click(POINT point) { ClickAt(window, point.x, point.y); }

    std::unique_ptr<LiveProgram> program;
    HWND window = nullptr;
};

TEST_F(SkinnedDialogs, TheCompletionMessageIsDressedClosesWithEnterAndEscapeAndCopiesItsText) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring target = std::wstring(temp) + Unique(L"arbordir-dialogs-");
    RemoveTree(target);
    Start(L"\"" + target + L"\"");
    HWND create = FindDescendant(window, L"Button", L"Create Folders");
    ASSERT_NE(create, nullptr);

    ClickCentre(create);
    HWND message = program->WaitForWindow(kTitle);
    ASSERT_NE(message, nullptr);
    program->WaitIdle();
    EXPECT_TRUE(WaitFor([&] { return Dressed(message); }, 3000));
    Shot(L"completion-message");

    // Ctrl+C: the framed texts, caption and message and the one button.
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    Press('C', true);
    const std::wstring divider = std::wstring(27, L'-') + L"\r\n";
    EXPECT_TRUE(WaitFor([&] { return !ClipboardText().empty(); }, 3000));
    EXPECT_EQ(ClipboardText(), divider + L"arbordir\r\n" + divider +
                                   L"Folders were successfully created!\r\n" + divider +
                                   L"OK   \r\n" + divider);
    EXPECT_TRUE(IsWindow(message)) << "Ctrl+C leaves the message up";

    Press(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(message); }));

    ClickCentre(create);
    message = program->WaitForWindow(kTitle);
    ASSERT_NE(message, nullptr);
    program->WaitIdle();
    Press(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(message); }));
    EXPECT_TRUE(DirectoryExists(target + L"\\New Folder"));

    program->Close();
    RemoveTree(target);
}

TEST_F(SkinnedDialogs, TheSaveQueryAndTheErrorBoxWearTheSkin) {
    const std::wstring name = Unique(L"dialogs-");
    const std::wstring file = TemplatesDirectory() + name + L".arbordir";
    const std::wstring cancelled = TemplatesDirectory() + name + L"-no.arbordir";
    DeleteFileW(file.c_str());
    Start();
    Press(VK_RETURN); // the first folder's name as it stands

    Click(kSaveTemplate);
    HWND query = program->WaitForWindow(L"Save Template");
    ASSERT_NE(query, nullptr);
    program->WaitIdle();
    EXPECT_TRUE(WaitFor([&] { return Dressed(query); }, 3000));
    Shot(L"save-template");
    TypeText(name);
    Press(VK_RETURN);
    EXPECT_TRUE(
        WaitFor([&] { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; }));

    // Cancel changes nothing.
    Click(kSaveTemplate);
    query = program->WaitForWindow(L"Save Template");
    ASSERT_NE(query, nullptr);
    program->WaitIdle();
    TypeText(name + L"-no");
    Press(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(query); }));
    program->WaitIdle();
    EXPECT_EQ(GetFileAttributesW(cancelled.c_str()), INVALID_FILE_ATTRIBUTES);

    // The error box: a platform message box owned by the main window, dressed with its text
    // and its button.
    Click(kSaveTemplate);
    ASSERT_NE(program->WaitForWindow(L"Save Template"), nullptr);
    program->WaitIdle();
    TypeText(L"nowhere\\x");
    Press(VK_RETURN);
    HWND box = program->WaitForWindow(kTitle);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ClassName(box), L"#32770");
    program->WaitIdle();
    EXPECT_TRUE(Dressed(box));
    const ChildList children = ChildrenOf(box);
    EXPECT_TRUE(Has(children.handled, L"Button"));
    EXPECT_TRUE(Has(children.handled, L"Static"));
    Shot(L"error-box");
    Press(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));

    program->Close();
    DeleteFileW(file.c_str());
}

TEST_F(SkinnedDialogs, TheOpenDialogWearsTheSkinFrameAndItsKnownChildrenTheirHandlers) {
    Start();
    Press(VK_RETURN);
    Click(kLoadTemplate);
    HWND open = program->WaitForWindow();
    ASSERT_NE(open, nullptr);
    ASSERT_EQ(ClassName(open), L"#32770");
    program->WaitIdle();
    EXPECT_TRUE(Dressed(open));
    const ChildList children = ChildrenOf(open);
    std::wcout << L"handled:";
    for (const std::wstring& name : children.handled)
        std::wcout << L" " << name;
    std::wcout << L"\nplatform's:";
    for (const std::wstring& name : children.plain)
        std::wcout << L" " << name;
    std::wcout << std::endl;
    EXPECT_TRUE(Has(children.handled, L"Button"));
    EXPECT_TRUE(Has(children.handled, L"Edit"));
    EXPECT_TRUE(Has(children.handled, L"SysListView32"));
    EXPECT_TRUE(Has(children.plain, L"SHELLDLL_DefView"));
    EXPECT_FALSE(Has(children.handled, L"ToolbarWindow32"));
    Shot(L"open-dialog");
    Press(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(open); }));
    program->Close();
}

} // namespace
