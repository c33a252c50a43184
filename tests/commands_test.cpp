// The commands of the main window, driven with real input: the destination field and the
// "Create Folders" button with Tab and Enter, folder creation on disk, saving and loading a
// template through the real dialogs, the error box, and scanning a folder twice.

#include "support/disk.h"
#include "support/input.h"
#include "support/live_program.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace {

using testing_support::ClassName;
using testing_support::ClickAt;
using testing_support::ClickCentre;
using testing_support::DirectoryExists;
using testing_support::FindDescendant;
using testing_support::LiveProgram;
using testing_support::PressKey;
using testing_support::ReadWholeFile;
using testing_support::RemoveTree;
using testing_support::TemplatesDirectory;
using testing_support::TypeText;
using testing_support::Unique;
using testing_support::WaitFor;
using testing_support::WindowText;
using Items = std::vector<std::wstring>;

// The application title, the caption of its message boxes: the executable's name.
constexpr wchar_t kTitle[] = L"arbordir";

// Client-area centres of the speed buttons, which have no windows of their own.
constexpr POINT kScan{48, 324};
constexpr POINT kLoadTemplate{151, 324};
constexpr POINT kSaveTemplate{279, 324};

class Commands : public ::testing::Test {
protected:
    void Start(const std::wstring& arguments = L"") {
        program = std::make_unique<LiveProgram>(arguments);
        ASSERT_NE(program->Window(), nullptr);
        window = program->Window();
        tree = program->Child(WC_TREEVIEWW);
        destination = program->Child(L"Edit");
        ASSERT_NE(tree, nullptr);
        ASSERT_NE(destination, nullptr);
        program->WaitIdle();
    }
    void Press(WORD key) {
        PressKey(key);
        program->WaitIdle();
    }
    void Type(const std::wstring& text) {
        TypeText(text);
        program->WaitIdle();
    }
    void Click(POINT point) { ClickAt(window, point.x, point.y); }
    Items Outline() const { return program->TreeOutline(tree); }
    HWND CreateFoldersButton() const {
        return FindDescendant(window, L"Button", L"Create Folders");
    }

    std::unique_ptr<LiveProgram> program;
    HWND window = nullptr;
    HWND tree = nullptr;
    HWND destination = nullptr;
};

TEST_F(Commands, TabAndEnterAddFoldersFromTheFieldAndTheButtonAndFoldersAreCreated) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring base = std::wstring(temp) + Unique(L"arbordir-e2e-");
    const std::wstring target = base + L"\\New\\Place";
    RemoveTree(base); // left by an earlier run that failed half-way
    ASSERT_FALSE(DirectoryExists(base));

    Start();
    Type(L"Root");
    // Into the destination field; leaving the tree accepts the name typed so far.
    ClickCentre(destination);
    program->WaitIdle();
    ASSERT_EQ(program->Focus(), destination);
    Type(target);

    // Tab in the field adds a folder inside the selected one and moves on to nothing else:
    // the new folder's name editor takes the typing.
    Press(VK_TAB);
    EXPECT_EQ(Outline(), (Items{L"Root +", L"  New Folder"}));
    EXPECT_EQ(WindowText(destination), target);
    EXPECT_EQ(program->Focus(), TreeView_GetEditControl(tree));
    Type(L"Sub");

    // Enter in the field adds a folder on the same level.
    ClickCentre(destination);
    program->WaitIdle();
    Press(VK_RETURN);
    EXPECT_EQ(Outline(), (Items{L"Root +", L"  Sub", L"  New Folder"}));
    EXPECT_EQ(WindowText(destination), target);
    EXPECT_TRUE(program->OtherWindows().empty());

    // "Create Folders": the whole tree below a destination that does not exist yet.
    HWND create = CreateFoldersButton();
    ASSERT_NE(create, nullptr);
    ClickCentre(create);
    HWND message = program->WaitForWindow(kTitle);
    ASSERT_NE(message, nullptr) << "the completion message";
    EXPECT_TRUE(DirectoryExists(target + L"\\Root"));
    EXPECT_TRUE(DirectoryExists(target + L"\\Root\\Sub"));
    EXPECT_TRUE(DirectoryExists(target + L"\\Root\\New Folder"));
    EXPECT_FALSE(IsWindowEnabled(window)) << "the message is modal";
    program->WaitIdle();
    Press(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(message); }));
    program->WaitIdle();

    // The button has the focus again; Enter adds a folder instead of pressing it.
    EXPECT_EQ(program->Focus(), create);
    Press(VK_RETURN);
    EXPECT_EQ(Outline(), (Items{L"Root +", L"  Sub", L"  New Folder", L"  New Folder"}));
    EXPECT_TRUE(program->OtherWindows().empty()) << "no second creation, no message";

    // Tab with the button focused (pressed without a click): a folder inside the selected
    // one, and the focus does not go on to the destination field.
    RECT bounds;
    GetClientRect(create, &bounds);
    testing_support::PressWithoutClick(create, bounds.right / 2, bounds.bottom / 2);
    program->WaitIdle();
    ASSERT_EQ(program->Focus(), create);
    Press(VK_TAB);
    EXPECT_EQ(Outline(),
              (Items{L"Root +", L"  Sub", L"  New Folder", L"  New Folder +", L"    New Folder"}));
    EXPECT_NE(program->Focus(), destination);
    EXPECT_EQ(program->Focus(), TreeView_GetEditControl(tree));
    EXPECT_TRUE(program->OtherWindows().empty());

    program->Close();
    RemoveTree(base);
}

TEST_F(Commands, SaveAndLoadATemplateThroughTheDialogsAndTheErrorBox) {
    const std::wstring name = Unique(L"e2e-");
    const std::wstring file = TemplatesDirectory() + name + L".arbordir";
    DeleteFileW(file.c_str());

    Start();
    Type(L"Client");
    Press(VK_TAB);
    Type(L"Src");
    Press(VK_TAB);
    Type(L"Lib");

    // Save Template: the input dialog asks for the name; the open edit is accepted first.
    Click(kSaveTemplate);
    HWND query = program->WaitForWindow(L"Save Template");
    ASSERT_NE(query, nullptr);
    program->WaitIdle();
    Type(name);
    Press(VK_RETURN);
    ASSERT_TRUE(
        WaitFor([&] { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    EXPECT_EQ(ReadWholeFile(file), "Client\r\n\tSrc\r\n\t\tLib\r\n");

    // A name pointing into a folder that does not exist: the error box, with a full stop.
    Click(kSaveTemplate);
    ASSERT_NE(program->WaitForWindow(L"Save Template"), nullptr);
    program->WaitIdle();
    Type(L"nowhere\\x");
    Press(VK_RETURN);
    HWND box = program->WaitForWindow(kTitle);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ClassName(box), L"#32770");
    HWND text = GetDlgItem(box, 0xFFFF);
    ASSERT_NE(text, nullptr);
    const std::wstring message = WindowText(text);
    EXPECT_EQ(message.rfind(L"Cannot create file \"", 0), 0u)
        << std::string(message.begin(), message.end());
    EXPECT_NE(message.find(L"templates\\nowhere\\x.arbordir\". "), std::wstring::npos);
    EXPECT_EQ(message.back(), L'.');
    EXPECT_NE(message[message.size() - 2], L'.');
    EXPECT_FALSE(IsWindowEnabled(window));
    program->WaitIdle();
    Press(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
    program->WaitIdle();
    EXPECT_TRUE(IsWindowEnabled(window));

    // The focus is back in the tree: something else goes into it.
    Press(VK_RETURN);
    Type(L"Extra");
    ClickCentre(destination);
    program->WaitIdle();
    ASSERT_EQ(Outline(), (Items{L"Client +", L"  Src +", L"    Lib", L"    Extra"}));

    // Load Template: the open dialog starts in the templates folder; the file replaces the tree,
    // fully expanded.
    Click(kLoadTemplate);
    HWND open = program->WaitForWindow();
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(ClassName(open), L"#32770");
    program->WaitIdle();
    Type(name + L".arbordir");
    Press(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(open); }));
    program->WaitIdle();
    EXPECT_EQ(Outline(), (Items{L"Client +", L"  Src +", L"    Lib"}));

    // Cancelling the dialog leaves the tree and expands it all again.
    TreeView_SelectItem(tree, TreeView_GetRoot(tree));
    ClickCentre(tree);
    program->WaitIdle();
    Press(VK_LEFT); // the user collapses Client
    ASSERT_EQ(Outline(), (Items{L"Client -", L"  Src +", L"    Lib"}));
    Click(kLoadTemplate);
    open = program->WaitForWindow();
    ASSERT_NE(open, nullptr);
    program->WaitIdle();
    Press(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(open); }));
    program->WaitIdle();
    EXPECT_EQ(Outline(), (Items{L"Client +", L"  Src +", L"    Lib"}));

    program->Close();
    DeleteFileW(file.c_str());
}

// The folder picker, whichever form it takes: its tree lists the desktop, where the test puts
// the folder to scan; Enter confirms and Escape cancels.
class Picker {
public:
    Picker(const LiveProgram& program, HWND window) : program_(program), window_(window) {}

    bool Choose(const std::wstring& name) {
        HWND tree = FindDescendant(window_, WC_TREEVIEWW);
        if (!tree)
            return false;
        HTREEITEM item = nullptr;
        if (!WaitFor([&] { return (item = program_.FindItem(tree, name)) != nullptr; }))
            return false;
        TreeView_SelectItem(tree, item);
        program_.WaitIdle();
        PressKey(VK_RETURN);
        return WaitFor([&] { return !IsWindow(window_); });
    }
    bool Cancel() {
        PressKey(VK_ESCAPE);
        return WaitFor([&] { return !IsWindow(window_); });
    }

private:
    const LiveProgram& program_;
    HWND window_;
};

TEST_F(Commands, CreateFoldersWithoutADestinationAsksForOneAndACancelDoesNothing) {
    Start();
    HWND create = CreateFoldersButton();
    ASSERT_NE(create, nullptr);
    ClickCentre(create);
    HWND picker = program->WaitForWindow();
    ASSERT_NE(picker, nullptr) << "the folder picker";
    program->WaitIdle();
    ASSERT_TRUE(Picker(*program, picker).Cancel());
    program->WaitIdle();
    EXPECT_TRUE(program->OtherWindows().empty()) << "no message";
    EXPECT_EQ(WindowText(destination), L"");
    EXPECT_TRUE(IsWindowEnabled(window));
}

TEST_F(Commands, ScanTwiceWithTheSecondPickCancelledScansTheFirstFolderAgain) {
    wchar_t desktop[MAX_PATH];
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop), S_OK);
    const std::wstring name = Unique(L"Arbordir scan ");
    const std::wstring folder = std::wstring(desktop) + L"\\" + name;
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW((folder + L"\\src").c_str(), nullptr);
    CreateDirectoryW((folder + L"\\src\\lib").c_str(), nullptr);
    CreateDirectoryW((folder + L"\\doc").c_str(), nullptr);
    CloseHandle(CreateFileW((folder + L"\\readme.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr));

    Start();
    const auto scanned = [&] {
        Items items = Outline();
        // The file system's order decides which folder comes first.
        const Items src_first{L"src +", L"  lib", L"doc"};
        const Items doc_first{L"doc", L"src +", L"  lib"};
        return items == src_first || items == doc_first;
    };

    Click(kScan);
    HWND picker = program->WaitForWindow();
    ASSERT_NE(picker, nullptr);
    program->WaitIdle();
    ASSERT_TRUE(Picker(*program, picker).Choose(name));
    program->WaitIdle();
    EXPECT_TRUE(scanned()) << Outline().size();

    // An edit to the tree, then a second scan whose picker is cancelled.
    TreeView_SelectItem(tree, TreeView_GetRoot(tree));
    program->WaitIdle();
    ClickCentre(tree);
    program->WaitIdle();
    Press(VK_DELETE);
    ASSERT_FALSE(scanned());
    Click(kScan);
    picker = program->WaitForWindow();
    ASSERT_NE(picker, nullptr);
    program->WaitIdle();
    ASSERT_TRUE(Picker(*program, picker).Cancel());
    program->WaitIdle();
    EXPECT_TRUE(scanned()) << "the first folder scanned again";

    program->Close();
    RemoveTree(folder);
}

} // namespace
