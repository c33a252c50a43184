#include "core/error.h"
#include "core/folder_creation.h"
#include "fake_file_system.h"

#include <gtest/gtest.h>

namespace core {
namespace {

using testing::FakeFileSystem;
using Paths = std::vector<std::u16string>;

struct SampleTree { // A (B, C (D))
    FolderTree tree;
    FolderNode& a = tree.Add(nullptr, u"A");
    FolderNode& b = tree.AddChild(&a, u"B");
    FolderNode& c = tree.AddChild(&a, u"C");
    FolderNode& d = tree.AddChild(&c, u"D");
};

TEST(CreateFolders, CreatesInTreeOrderWithOrWithoutATrailingBackslash) {
    for (std::u16string destination : {u"X:\\Out", u"X:\\Out\\"}) {
        SampleTree s;
        FakeFileSystem fs({u"X:"});
        CreationReport report = CreateFolders(s.tree, destination, fs);
        EXPECT_TRUE(report.Succeeded());
        EXPECT_EQ(report.nodes, 4u);
        EXPECT_EQ(fs.created, (Paths{u"X:\\Out", u"X:\\Out\\A", u"X:\\Out\\A\\B", u"X:\\Out\\A\\C",
                                     u"X:\\Out\\A\\C\\D"}));
    }
}

TEST(CreateFolders, SecondRunCreatesNothingAndSucceeds) {
    SampleTree s;
    FakeFileSystem fs({u"X:", u"X:\\Out"});
    ASSERT_TRUE(CreateFolders(s.tree, u"X:\\Out", fs).Succeeded());
    fs.created.clear();
    EXPECT_TRUE(CreateFolders(s.tree, u"X:\\Out", fs).Succeeded());
    EXPECT_TRUE(fs.created.empty());
}

TEST(CreateFolders, BackslashesEmptyNamesAndDuplicates) {
    FolderTree tree;
    FolderNode& ab = tree.Add(nullptr, u"A\\B");
    FolderNode& empty = tree.AddChild(&ab, u"");
    tree.AddChild(&empty, u"C");
    tree.Add(nullptr, u"A\\B"); // same directory again: nothing new
    FakeFileSystem fs({u"X:", u"X:\\Out"});
    EXPECT_TRUE(CreateFolders(tree, u"X:\\Out", fs).Succeeded());
    EXPECT_EQ(fs.created, (Paths{u"X:\\Out\\A", u"X:\\Out\\A\\B", u"X:\\Out\\A\\B\\C"}));
}

TEST(CreateFolders, ARejectedNameSkipsItsSubtreeAndTheWalkGoesOn) {
    FolderTree tree;
    FolderNode& bad = tree.Add(nullptr, u"Wh?t");
    tree.AddChild(&bad, u"Below");
    tree.Add(nullptr, u"Good");
    FakeFileSystem fs({u"X:", u"X:\\Out"});
    CreationReport report = CreateFolders(tree, u"X:\\Out", fs);
    EXPECT_FALSE(report.Succeeded());
    ASSERT_EQ(report.failures.size(), 2u);
    EXPECT_EQ(report.failures[0].path, u"X:\\Out\\Wh?t\\");
    EXPECT_EQ(report.failures[0].error, FakeFileSystem::kInvalidName);
    EXPECT_EQ(report.failures[1].path, u"X:\\Out\\Wh?t\\Below\\");
    EXPECT_EQ(fs.created, (Paths{u"X:\\Out\\Good"}));
}

TEST(ForceDirectories, RulesForShortPathsRootsAndEmptyPaths) {
    FakeFileSystem fs(Paths{});
    EXPECT_THROW(ForceDirectories(fs, u""), InOutError);
    try {
        ForceDirectories(fs, u"");
    } catch (const InOutError& e) {
        EXPECT_EQ(e.Message(), u"Unable to create directory");
        EXPECT_EQ(e.Code(), 3);
    }
    EXPECT_TRUE(ForceDirectories(fs, u"C:"));   // shorter than three characters
    EXPECT_TRUE(ForceDirectories(fs, u"C:\\")); // "C:" after the trailing backslash goes
    EXPECT_TRUE(ForceDirectories(fs, u"\\\\")); // its own parent
    EXPECT_TRUE(fs.created.empty());
}

TEST(ForceDirectories, RelativePathsAreCreatedBelowTheCurrentDirectory) {
    FakeFileSystem fs(Paths{});
    EXPECT_TRUE(ForceDirectories(fs, u"out\\A\\"));
    EXPECT_EQ(fs.created, (Paths{u"out", u"out\\A"}));
}

TEST(ForceDirectories, AMissingDriveFailsWithTheFirstRefusal) {
    FakeFileSystem fs({u"C:"});
    std::uint32_t error = 0;
    EXPECT_FALSE(ForceDirectories(fs, u"Q:\\One\\Two", &error));
    EXPECT_EQ(error, FakeFileSystem::kPathNotFound);
}

} // namespace
} // namespace core
