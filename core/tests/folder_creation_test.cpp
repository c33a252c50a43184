#include "core/error.h"
#include "core/folder_creation.h"
#include "fake_file_system.h"

#include <gtest/gtest.h>

namespace core {
namespace {

using testing::FakeFileSystem;
using Paths = std::vector<std::u16string>;

CreationReport Create(const FolderTree& tree, const std::u16string& destination,
                      FakeFileSystem& fs) {
    return CreateFolders(tree, destination, fs, NameCheck(tree, destination));
}

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
        CreationReport report = Create(s.tree, destination, fs);
        EXPECT_TRUE(report.Succeeded());
        EXPECT_EQ(report.nodes, 4u);
        EXPECT_EQ(fs.created, (Paths{u"X:\\Out", u"X:\\Out\\A", u"X:\\Out\\A\\B", u"X:\\Out\\A\\C",
                                     u"X:\\Out\\A\\C\\D"}));
    }
}

TEST(CreateFolders, SecondRunCreatesNothingAndSucceeds) {
    SampleTree s;
    FakeFileSystem fs({u"X:", u"X:\\Out"});
    ASSERT_TRUE(Create(s.tree, u"X:\\Out", fs).Succeeded());
    fs.created.clear();
    EXPECT_TRUE(Create(s.tree, u"X:\\Out", fs).Succeeded());
    EXPECT_TRUE(fs.created.empty());
}

TEST(CreateFolders, BackslashesEmptyNamesAndDuplicates) {
    FolderTree tree;
    FolderNode& ab = tree.Add(nullptr, u"A\\B");
    FolderNode& empty = tree.AddChild(&ab, u"");
    tree.AddChild(&empty, u"C");
    tree.Add(nullptr, u"A\\B"); // same directory again: nothing new
    FakeFileSystem fs({u"X:", u"X:\\Out"});
    EXPECT_TRUE(Create(tree, u"X:\\Out", fs).Succeeded());
    EXPECT_EQ(fs.created, (Paths{u"X:\\Out\\A", u"X:\\Out\\A\\B", u"X:\\Out\\A\\B\\C"}));
}

TEST(CreateFolders, AFolderTheFileSystemRefusesFailsWithItsSubtreeAndTheWalkGoesOn) {
    FolderTree tree;
    FolderNode& bad = tree.Add(nullptr, u"Locked");
    tree.AddChild(&bad, u"Below");
    tree.Add(nullptr, u"Good");
    FakeFileSystem fs({u"X:", u"X:\\Out"});
    fs.RefuseCreating(u"X:\\Out\\Locked");
    CreationReport report = Create(tree, u"X:\\Out", fs);
    EXPECT_FALSE(report.Succeeded());
    ASSERT_EQ(report.failures.size(), 2u);
    EXPECT_EQ(report.failures[0].node, &bad);
    EXPECT_EQ(report.failures[0].path, u"X:\\Out\\Locked\\");
    EXPECT_EQ(report.failures[0].error, FakeFileSystem::kAccessDenied);
    EXPECT_EQ(report.failures[1].path, u"X:\\Out\\Locked\\Below\\");
    EXPECT_EQ(fs.created, (Paths{u"X:\\Out\\Good"}));
}

TEST(CreateFolders, RefusedNamesAreLeftOutWithTheirSubtreesAndNeverAskedFor) {
    FolderTree tree;
    FolderNode& bad = tree.Add(nullptr, u"Wh?t");
    tree.AddChild(&bad, u"Below");
    FolderNode& device = tree.Add(nullptr, u"Good\\con.txt"); // "Good" is not made either
    tree.AddChild(&device, u"Inside");
    tree.Add(nullptr, u"Fine");
    FakeFileSystem fs({u"X:", u"X:\\Out"});
    CreationReport report = Create(tree, u"X:\\Out", fs);
    EXPECT_FALSE(report.Succeeded());
    EXPECT_TRUE(report.failures.empty());
    EXPECT_EQ(report.left_out, 4u);
    EXPECT_EQ(report.nodes, 5u);
    EXPECT_EQ(fs.created, (Paths{u"X:\\Out\\Fine"}));
}

TEST(CreateFolders, ChangedNamesAreCreatedAsWindowsNamesThemAndTheirChildrenGoInside) {
    // Windows trims only the last part of a path: "Web \\conf" would look for a folder
    // "Web " that was never made.
    FolderTree tree;
    FolderNode& web = tree.Add(nullptr, u"Web ");
    tree.AddChild(&web, u"conf.");
    FolderNode& dots = tree.Add(nullptr, u"a..\\b. .");
    tree.AddChild(&dots, u"c");
    FakeFileSystem fs({u"X:", u"X:\\Out"});
    CreationReport report = Create(tree, u"X:\\Out", fs);
    EXPECT_TRUE(report.Succeeded()); // nothing failed; the changes are the name check's to tell
    EXPECT_EQ(fs.created, (Paths{u"X:\\Out\\Web", u"X:\\Out\\Web\\conf", u"X:\\Out\\a",
                                 u"X:\\Out\\a\\b", u"X:\\Out\\a\\b\\c"}));
}

TEST(CreateFolders, ProgressCountsEveryNodeInOrderAndEndsAtTheTotal) {
    // A refused name, a folder the file system refuses and good ones: each counts once.
    FolderTree tree;
    FolderNode& bad = tree.Add(nullptr, u"Wh?t");
    tree.AddChild(&bad, u"Below");
    tree.Add(nullptr, u"Locked");
    FolderNode& good = tree.Add(nullptr, u"Good");
    tree.AddChild(&good, u"Inside");
    FakeFileSystem fs({u"X:", u"X:\\Out"});
    fs.RefuseCreating(u"X:\\Out\\Locked");
    std::vector<std::pair<std::size_t, std::size_t>> calls;
    std::vector<std::size_t> created_when_told;
    const CreationReport report = CreateFolders(tree, u"X:\\Out", fs, NameCheck(tree, u"X:\\Out"),
                                                [&](std::size_t done, std::size_t total) {
                                                    calls.emplace_back(done, total);
                                                    created_when_told.push_back(fs.created.size());
                                                });
    ASSERT_EQ(calls.size(), 5u);
    for (std::size_t i = 0; i < calls.size(); ++i)
        EXPECT_EQ(calls[i], std::make_pair(i + 1, std::size_t{5}));
    // Told after the node's folder was made, never before.
    EXPECT_EQ(created_when_told, (std::vector<std::size_t>{0, 0, 0, 1, 2}));
    EXPECT_EQ(report.nodes, 5u);

    FolderTree empty;
    bool told = false;
    CreateFolders(empty, u"X:\\Out", fs, NameCheck(empty, u"X:\\Out"),
                  [&](std::size_t, std::size_t) { told = true; });
    EXPECT_FALSE(told);
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
