// Folder creation on the real file system under Wine: order, separators, repeats, names with
// backslashes, empty names and a file in the way.

#include "core/folder_creation.h"
#include "temp_directory.h"

#include <gtest/gtest.h>

namespace core {
namespace {

using testing::TempDirectory;

bool IsDirectory(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(TempDirectory::Wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The real file system, noting the order of the directories it is asked to create.
class RecordingFileSystem : public FileSystem {
public:
    bool DirectoryExists(const std::u16string& path) override {
        return real_.DirectoryExists(path);
    }
    std::uint32_t MakeDirectory(const std::u16string& path) override {
        const std::uint32_t error = real_.MakeDirectory(path);
        if (!error)
            created.push_back(path);
        return error;
    }
    std::u16string ErrorText(std::uint32_t code) override { return real_.ErrorText(code); }
    std::vector<std::u16string> created;

private:
    FileSystem& real_ = SystemFileSystem();
};

CreationReport Create(const FolderTree& tree, const std::u16string& destination,
                      FileSystem& file_system = SystemFileSystem()) {
    return CreateFolders(tree, destination, file_system, NameCheck(tree, destination));
}

struct SampleTree { // A (B, C (D))
    FolderTree tree;
    FolderNode& a = tree.Add(nullptr, u"A");
    FolderNode& b = tree.AddChild(&a, u"B");
    FolderNode& c = tree.AddChild(&a, u"C");
    FolderNode& d = tree.AddChild(&c, u"D");
};

TEST(FolderCreationOnDisk, CreatesTheTreeAndAMissingDestinationWithOrWithoutTrailingBackslash) {
    for (const char16_t* suffix : {u"", u"\\"}) {
        TempDirectory temp;
        SampleTree s;
        const std::u16string destination = temp / u"New\\Place";
        const CreationReport report = Create(s.tree, destination + suffix);
        EXPECT_TRUE(report.Succeeded());
        for (const char16_t* path : {u"A", u"A\\B", u"A\\C", u"A\\C\\D"})
            EXPECT_TRUE(IsDirectory(destination + u"\\" + path)) << core::ToUtf8(path);
    }
}

TEST(FolderCreationOnDisk, ParentsAreCreatedBeforeTheirChildren) {
    TempDirectory temp;
    SampleTree s;
    RecordingFileSystem file_system;
    ASSERT_TRUE(Create(s.tree, temp.Path(), file_system).Succeeded());
    EXPECT_EQ(file_system.created,
              (std::vector<std::u16string>{temp / u"A", temp / u"A\\B", temp / u"A\\C",
                                           temp / u"A\\C\\D"}));
    for (const auto& path : file_system.created)
        EXPECT_TRUE(IsDirectory(path));
}

TEST(FolderCreationOnDisk, ARepeatedRunLeavesEverythingAndSucceeds) {
    TempDirectory temp;
    SampleTree s;
    ASSERT_TRUE(Create(s.tree, temp.Path()).Succeeded());
    const std::u16string marker = temp / u"A\\C\\keep.txt";
    HANDLE file =
        CreateFileW(TempDirectory::Wide(marker), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_TRUE(Create(s.tree, temp.Path()).Succeeded());
    EXPECT_NE(GetFileAttributesW(TempDirectory::Wide(marker)), INVALID_FILE_ATTRIBUTES);
}

TEST(FolderCreationOnDisk, BackslashesNestAndEmptyNamesAddNoFolder) {
    TempDirectory temp;
    FolderTree tree;
    FolderNode& ab = tree.Add(nullptr, u"A\\B");
    tree.AddChild(&ab, u"");
    FolderNode& a = tree.Add(nullptr, u"X");
    FolderNode& empty = tree.AddChild(&a, u"");
    tree.AddChild(&empty, u"C");
    EXPECT_TRUE(Create(tree, temp.Path()).Succeeded());
    EXPECT_TRUE(IsDirectory(temp / u"A\\B"));
    EXPECT_TRUE(IsDirectory(temp / u"X\\C"));
}

TEST(FolderCreationOnDisk, AFileInTheWayIsAFailureNotASuccess) {
    TempDirectory temp;
    HANDLE file = CreateFileW(TempDirectory::Wide(temp / u"A"), GENERIC_WRITE, 0, nullptr,
                              CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    SampleTree s;
    const CreationReport report = Create(s.tree, temp.Path());
    EXPECT_EQ(report.failures.size(), 4u);
}

} // namespace
} // namespace core
