#include "../tree_outline.h"
#include "core/directory_scanner.h"
#include "temp_directory.h"

#include <chrono>
#include <gtest/gtest.h>

namespace core {
namespace {

using testing::Outline;
using testing::TempDirectory;

const wchar_t* Wide(const std::u16string& text) {
    return TempDirectory::Wide(text);
}

void MakeDirectories(const TempDirectory& dir, std::initializer_list<std::u16string_view> names) {
    for (auto name : names)
        ASSERT_TRUE(CreateDirectoryW(Wide(dir / name), nullptr)) << ToUtf8(name);
}

// The scan keeps the file system's order, which is not the order of creation everywhere.
std::string RawOrder(const std::u16string& directory) {
    std::vector<std::string> names;
    std::vector<DirectoryEntry> entries;
    SystemFileSystem().ListDirectory(directory, entries);
    for (const DirectoryEntry& entry : entries) {
        if (entry.name == u"src")
            names.push_back("src,>lib");
        else if (entry.name == u"doc")
            names.push_back("doc");
    }
    return names.size() == 2 ? names[0] + ',' + names[1] : "listing failed";
}

TEST(Win32DirectoryScanner, SkipsFilesDotNamesHiddenAndSystemDirectories) {
    TempDirectory dir;
    MakeDirectories(dir, {u"src", u"src\\lib", u"doc", u".git", u".git\\objects", u"hid",
                          u"hid\\inner", u"sys", u"empty"});
    CloseHandle(CreateFileW(Wide(dir / u"readme.txt"), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    SetFileAttributesW(Wide(dir / u"hid"), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(Wide(dir / u"sys"), FILE_ATTRIBUTE_SYSTEM);
    if (!(GetFileAttributesW(Wide(dir / u"hid")) & FILE_ATTRIBUTE_HIDDEN) ||
        !(GetFileAttributesW(Wide(dir / u"sys")) & FILE_ATTRIBUTE_SYSTEM))
        GTEST_SKIP() << "this file system keeps no hidden or system attribute";
    RemoveDirectoryW(Wide(dir / u"empty"));

    FolderTree tree;
    EXPECT_EQ(ScanDirectory(tree, dir.Path(), SystemFileSystem(), nullptr).nodes, 3u);
    EXPECT_EQ(Outline(tree), RawOrder(dir.Path()));
}

TEST(Win32DirectoryScanner, ALinkLoopEndsQuickly) {
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    const std::u16string loop =
        reinterpret_cast<const char16_t*>(current) + std::u16string(u"\\link_loop\\S");
    if (!SystemFileSystem().DirectoryExists(loop + u"\\a\\up"))
        GTEST_SKIP() << "the link loop is made by the test's set-up on the build machine";
    const auto start = std::chrono::steady_clock::now();
    FolderTree tree;
    ScanDirectory(tree, loop, SystemFileSystem(), nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    // S\a\up\a\up... one chain, as far as the platform lists it.
    std::size_t depth = 0;
    for (const FolderNode* n = tree.GetFirstNode(); n; n = n->FirstChild(), ++depth) {
        EXPECT_EQ(n->Text(), depth % 2 ? u"up" : u"a");
        EXPECT_LE(n->ChildCount(), 1u);
    }
    RecordProperty("depth", static_cast<int>(depth));
    EXPECT_GE(depth, 4u);
    EXPECT_EQ(tree.Count(), depth);
}

} // namespace
} // namespace core
