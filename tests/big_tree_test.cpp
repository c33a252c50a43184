// A big tree through the real program: a template of thousands of folders loaded through the
// open dialog, shown fully expanded, created on disk and saved again byte for byte; then a big
// subtree deleted with the key.

#include "support/disk.h"
#include "support/input.h"
#include "support/live_program.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

using testing_support::ClickAt;
using testing_support::ClickCentre;
using testing_support::FindDescendant;
using testing_support::FoldersBelow;
using testing_support::LiveProgram;
using testing_support::PressKey;
using testing_support::ReadWholeFile;
using testing_support::RemoveTree;
using testing_support::TemplatesDirectory;
using testing_support::TypeText;
using testing_support::WaitFor;
using testing_support::WindowText;
using testing_support::WriteWholeFile;
using Items = std::vector<std::wstring>;

// The caption of the program's message boxes: the executable's name.
constexpr wchar_t kTitle[] = L"arbordir";
constexpr POINT kLoadTemplate{151, 324};
constexpr POINT kSaveTemplate{279, 324};

// Children of a node on each level below the roots, after three roots: 3 x 1,325 = 3,975
// folders, six levels deep.
constexpr int kRoots = 3;
constexpr int kChildren[] = {4, 5, 5, 4, 2};

// The tree the template holds, in every view the test compares.
struct BigTree {
    std::string bytes;              // the template file
    Items outline;                  // TreeOutline of the view: all expanded
    std::set<std::wstring> folders; // every folder's path below the destination
    std::size_t first_root_size = 0;

    void Add(int level, const std::wstring& parent_path, int index) {
        const std::wstring name = (level % 2 ? L"Part " : L"Folder ") + std::to_wstring(level) +
                                  L"." + std::to_wstring(index) + (index % 3 ? L"" : L" (old)");
        const std::wstring path = parent_path.empty() ? name : parent_path + L"\\" + name;
        const bool parent = level < static_cast<int>(std::size(kChildren));
        bytes += std::string(static_cast<std::size_t>(level), '\t') +
                 std::string(name.begin(), name.end()) + "\r\n";
        outline.push_back(std::wstring(static_cast<std::size_t>(level) * 2, L' ') + name +
                          (parent ? L" +" : L""));
        folders.insert(path);
        if (parent)
            for (int i = 1; i <= kChildren[level]; ++i)
                Add(level + 1, path, i);
    }

    BigTree() {
        for (int root = 1; root <= kRoots; ++root) {
            Add(0, L"", root);
            if (root == 1)
                first_root_size = outline.size();
        }
    }
};

// The creation's progress lines of a diagnostic trace: folders done, and of how many.
std::vector<std::pair<long long, long long>> Progress(const std::string& trace) {
    std::vector<std::pair<long long, long long>> lines;
    const std::string prefix = "Form1\tcreation progress\t";
    for (std::size_t at = trace.find(prefix); at != std::string::npos;
         at = trace.find(prefix, at + 1)) {
        long long done = 0, total = 0;
        if (std::sscanf(trace.c_str() + at + prefix.size(), "%lld\t%lld", &done, &total) == 2)
            lines.emplace_back(done, total);
    }
    return lines;
}

TEST(BigTree, LoadedThroughTheOpenDialogCreatedOnDiskSavedAgainAndASubtreeDeleted) {
    const BigTree big;
    ASSERT_EQ(big.outline.size(), 3975u);
    const std::wstring stem = L"e2e-big-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring file = TemplatesDirectory() + stem + L".arbordir";
    const std::wstring saved = TemplatesDirectory() + stem + L"-saved.arbordir";
    ASSERT_TRUE(WriteWholeFile(file, big.bytes));
    DeleteFileW(saved.c_str());
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring base = std::wstring(temp) + stem;
    const std::wstring target = base + L"\\Out";
    RemoveTree(base); // left by an earlier run that failed half-way

    // The program writes its diagnostic trace there: how far the creation got, as it went.
    const std::wstring trace = base + L".trace";
    DeleteFileW(trace.c_str());
    SetEnvironmentVariableW(L"ARBORDIR_TRACE", trace.c_str());
    LiveProgram program(L"\"" + target + L"\"");
    SetEnvironmentVariableW(L"ARBORDIR_TRACE", nullptr);
    ASSERT_NE(program.Window(), nullptr);
    HWND window = program.Window();
    HWND tree = program.Child(WC_TREEVIEWW);
    ASSERT_NE(tree, nullptr);
    program.WaitIdle();

    // Load Template through the open dialog: the tree replaced, every folder expanded.
    ClickAt(window, kLoadTemplate.x, kLoadTemplate.y);
    HWND open = program.WaitForWindow();
    ASSERT_NE(open, nullptr);
    program.WaitIdle();
    TypeText(stem + L".arbordir");
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(open); }));
    program.WaitIdle();
    EXPECT_EQ(program.TreeOutline(tree), big.outline);
    EXPECT_EQ(WindowText(window), L"Arbordir");

    // Create Folders: every folder on disk, and the caption given back after the progress.
    HWND create = FindDescendant(window, L"Button", L"Create Folders");
    ASSERT_NE(create, nullptr);
    ClickCentre(create);
    HWND message = program.WaitForWindow(kTitle, 120000);
    ASSERT_NE(message, nullptr) << "the completion message";
    EXPECT_EQ(FoldersBelow(target), big.folders);
    EXPECT_EQ(WindowText(window), L"Arbordir");
    // Thousands of folders take the platform seconds under Wine: the caption told how far the
    // creation got several times, always of the whole tree and never going back.
    const std::vector<std::pair<long long, long long>> progress = Progress(ReadWholeFile(trace));
    EXPECT_GE(progress.size(), 2u);
    for (std::size_t i = 0; i < progress.size(); ++i) {
        EXPECT_EQ(progress[i].second, 3975);
        EXPECT_LE(progress[i].first, 3975);
        if (i > 0) {
            EXPECT_GT(progress[i].first, progress[i - 1].first);
        }
    }
    program.WaitIdle();
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(message); }));
    program.WaitIdle();

    // Save Template: the same bytes as the file loaded.
    ClickAt(window, kSaveTemplate.x, kSaveTemplate.y);
    ASSERT_NE(program.WaitForWindow(L"Save Template"), nullptr);
    program.WaitIdle();
    TypeText(stem + L"-saved");
    PressKey(VK_RETURN);
    ASSERT_TRUE(
        WaitFor([&] { return GetFileAttributesW(saved.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    program.WaitIdle();
    EXPECT_EQ(ReadWholeFile(saved), big.bytes);

    // Delete on the first root: its 1,325 folders go, the next root is selected, the rest stays
    // expanded as it was.
    ClickCentre(tree); // the tree takes the keyboard
    program.WaitIdle();
    TreeView_SelectItem(tree, TreeView_GetRoot(tree));
    program.WaitIdle();
    ASSERT_EQ(program.SelectedItem(tree), L"Folder 0.1");
    PressKey(VK_DELETE);
    program.WaitIdle();
    EXPECT_EQ(program.TreeOutline(tree),
              Items(big.outline.begin() + static_cast<std::ptrdiff_t>(big.first_root_size),
                    big.outline.end()));
    EXPECT_EQ(program.SelectedItem(tree), L"Folder 0.2");

    program.Close();
    RemoveTree(base);
    DeleteFileW(trace.c_str());
    DeleteFileW(file.c_str());
    DeleteFileW(saved.c_str());
}

} // namespace
