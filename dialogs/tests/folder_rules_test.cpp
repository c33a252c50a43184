// Names and paths of the folder picker and the directory edit.

#include "dialogs/folder_rules.h"

#include <gtest/gtest.h>
#include <set>

namespace dialogs {
namespace {

TEST(RootPathText, DriveLettersBecomeRootsAndEveryPathEndsInOneBackslash) {
    EXPECT_EQ(RootPathText(u"C"), u"C:\\");
    EXPECT_EQ(RootPathText(u"d:"), u"d:\\");
    EXPECT_EQ(RootPathText(u"C:\\Data"), u"C:\\Data\\");
    EXPECT_EQ(RootPathText(u"C:\\Data\\"), u"C:\\Data\\");
    EXPECT_EQ(RootPathText(u"C:/Data/"), u"C:/Data\\");
    EXPECT_EQ(RootPathText(u"\\\\server\\share"), u"\\\\server\\share\\");
    // A digit is no drive letter.
    EXPECT_EQ(RootPathText(u"7"), u"7\\");
}

TEST(NewFolders, TheFirstFreeNumberFollowsTheNameWithoutABlank) {
    EXPECT_EQ(CreationFolder(u"C:\\Work"), u"C:\\Work\\");
    EXPECT_EQ(CreationFolder(u"C:\\"), u"C:\\");
    EXPECT_EQ(CreationFolder(u"E"), u"E:\\");
    EXPECT_EQ(CreationFolder(u"C:\\Work/"), u"C:\\Work\\");
    EXPECT_EQ(NewFolderCandidate(u"C:\\Work\\", 12), u"C:\\Work\\New folder12");

    std::set<std::u16string> disk{u"C:\\Work\\New folder1", u"C:\\Work\\New folder3"};
    auto taken = [&](const std::u16string& path) { return disk.count(path) > 0; };
    EXPECT_EQ(FirstFreeNewFolder(u"C:\\Work\\", taken), u"C:\\Work\\New folder2");
    disk.insert(u"C:\\Work\\New folder2");
    EXPECT_EQ(FirstFreeNewFolder(u"C:\\Work\\", taken), u"C:\\Work\\New folder4");
    EXPECT_EQ(FirstFreeNewFolder(u"D:\\", taken), u"D:\\New folder1");
}

TEST(NewFolders, ASearchThatNeverEndsGivesUpWithNoName) {
    int asked = 0;
    auto everything = [&](const std::u16string&) {
        ++asked;
        return true;
    };
    EXPECT_EQ(FirstFreeNewFolder(u"C:\\", everything), u"");
    EXPECT_EQ(asked, kMaxNewFolderNumber);
}

TEST(VirtualItems, OnlyClassIdNamesAreVirtual) {
    EXPECT_TRUE(IsVirtualItemName(u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"));
    EXPECT_FALSE(IsVirtualItemName(u"C:\\"));
    EXPECT_FALSE(IsVirtualItemName(u":{"));
    EXPECT_FALSE(IsVirtualItemName(u""));
}

TEST(DroppedNames, FilesGiveTheirFolderAndTheFieldTakesOneOrAppends) {
    auto files = [](const std::u16string& path) { return path == u"C:\\Data\\notes.txt"; };
    EXPECT_EQ(DroppedFolder(u"C:\\Data\\notes.txt", files), u"C:\\Data\\");
    EXPECT_EQ(DroppedFolder(u"C:\\Data\\Photos", files), u"C:\\Data\\Photos");
    EXPECT_EQ(DroppedFolder(u"C:\\Missing\\a.txt", files), u"C:\\Missing\\a.txt");

    EXPECT_EQ(TextAfterDrop(u"C:\\Old", u"C:\\New", false), u"C:\\New");
    EXPECT_EQ(TextAfterDrop(u"C:\\Old", u"C:\\New", true), u"C:\\Old;C:\\New");
    EXPECT_EQ(TextAfterDrop(u"", u"C:\\New", true), u"C:\\New");
}

TEST(PickerStart, TheFieldOrTheInitialFolderCountsOnlyWhenItExists) {
    auto exists = [](const std::u16string& path) { return path == u"C:\\Data" || path == u"D:\\"; };
    EXPECT_EQ(PickerStartFolder(u"C:\\Data", u"D:\\", exists), u"C:\\Data");
    EXPECT_EQ(PickerStartFolder(u"", u"D:\\", exists), u"D:\\");
    EXPECT_EQ(PickerStartFolder(u"", u"", exists), u"");
    // A text that names no folder is not replaced by the initial one: it empties the field.
    EXPECT_EQ(PickerStartFolder(u"Destination folder...", u"D:\\", exists), u"");
}

TEST(SamePath, CaseAndOneTrailingBackslashDoNotMatterButARootKeepsItsOwn) {
    EXPECT_TRUE(SamePath(u"C:\\Work\\New folder1", u"c:\\work\\NEW FOLDER1"));
    EXPECT_TRUE(SamePath(u"C:\\Work\\", u"C:\\Work"));
    EXPECT_TRUE(SamePath(u"C:\\", u"c:\\"));
    EXPECT_FALSE(SamePath(u"C:\\", u"C:"));
    EXPECT_FALSE(SamePath(u"C:\\Work", u"C:\\Works"));
}

} // namespace
} // namespace dialogs
