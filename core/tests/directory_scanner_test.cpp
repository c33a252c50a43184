#include "core/directory_scanner.h"
#include "core/error.h"
#include "fake_file_system.h"
#include "tree_outline.h"

#include <gtest/gtest.h>

namespace core {
namespace {

using testing::FakeFileSystem;
using testing::Outline;

TEST(GetDirectories, DirectoriesInTheFileSystemsOrderAndNothingElse) {
    FakeFileSystem fs;
    fs.AddDirectory(u"X:\\S\\src\\lib");
    fs.AddDirectory(u"X:\\S\\doc");
    fs.AddFile(u"X:\\S\\readme.txt");
    fs.AddDirectory(u"X:\\S\\.git\\objects");
    fs.AddDirectory(u"X:\\S\\Hidden", kAttributeHidden);
    fs.AddDirectory(u"X:\\S\\Hidden\\inner");
    fs.AddDirectory(u"X:\\S\\System", kAttributeSystem | kAttributeDirectory);
    fs.AddDirectory(u"X:\\S\\Archived", 0x20);
    fs.AddDirectory(u"X:\\S\\Denied\\inner");
    fs.DenyListing(u"X:\\S\\Denied");
    fs.AddDirectory(u"X:\\S\\empty");
    FolderTree tree;
    EXPECT_EQ(GetDirectories(tree, u"X:\\S", nullptr, fs).nodes, 6u);
    EXPECT_EQ(Outline(tree), "src,>lib,doc,Archived,Denied,empty");

    // Below a given node, with or without the trailing backslash; a missing directory and an
    // empty path add nothing and report nothing.
    GetDirectories(tree, u"X:\\S\\src\\", tree.GetFirstNode(), fs);
    GetDirectories(tree, u"X:\\S\\empty", nullptr, fs);
    GetDirectories(tree, u"X:\\Missing", nullptr, fs);
    const std::size_t listings = fs.listings_made;
    GetDirectories(tree, u"", nullptr, fs);
    EXPECT_EQ(fs.listings_made, listings);
    EXPECT_EQ(Outline(tree), "src,>lib,>lib,doc,Archived,Denied,empty");
}

TEST(GetDirectories, ALinkLoopRepeatsUntilThePathIsTooLongToList) {
    FakeFileSystem fs;
    fs.AddDirectory(u"X:\\S\\a");
    fs.AddLink(u"X:\\S\\a\\up", u"X:\\S");
    FolderTree tree;
    GetDirectories(tree, u"X:\\S", nullptr, fs);
    // "X:\S\" is 5 characters, every level adds "a\up\" (5); listing needs the path, "*" and
    // a terminator within 260.
    std::u16string path = u"X:\\S\\";
    std::size_t depth = 0;
    for (const FolderNode* n = tree.GetFirstNode(); n; n = n->FirstChild(), ++depth) {
        EXPECT_EQ(n->Text(), depth % 2 ? u"up" : u"a");
        path += n->Text() + u"\\";
    }
    EXPECT_EQ(tree.Count(), depth);
    EXPECT_LT(path.size() - 3, 260u);
    EXPECT_GE(path.size() + 1, 260u);
}

// A file system in which every directory holds two sub-directories, as two links back to
// the same directory would make it: the node limit ends the scan.
class EndlessFileSystem : public FileSystem {
public:
    explicit EndlessFileSystem(int children) : children_(children) {}
    bool DirectoryExists(const std::u16string&) override { return true; }
    std::uint32_t MakeDirectory(const std::u16string&) override { return 0; }
    std::u16string ErrorText(std::uint32_t) override { return u""; }
    std::uint32_t ListDirectory(const std::u16string&, std::vector<DirectoryEntry>& e) override {
        e.assign({{u".", kAttributeDirectory}, {u"x", kAttributeDirectory}});
        if (children_ > 1)
            e.push_back({u"y", kAttributeDirectory});
        return 0;
    }

private:
    int children_;
};

TEST(GetDirectories, EndlessTreesEndAtTheNodeLimitOrThePathLimit) {
    EndlessFileSystem doubling(2);
    FolderTree tree;
    ScanOutcome outcome = GetDirectories(tree, u"X:\\S", nullptr, doubling, 1000);
    EXPECT_TRUE(outcome.truncated);
    EXPECT_EQ(tree.Count(), 1000u);

    // One child per level goes as deep as the longest path, without recursion: "X:\S\" and
    // two characters per level.
    EndlessFileSystem chain(1);
    FolderTree deep;
    outcome = GetDirectories(deep, u"X:\\S", nullptr, chain);
    EXPECT_FALSE(outcome.truncated);
    EXPECT_EQ(outcome.nodes, (kMaxScannedPathLength - 5) / 2);
}

class Throwing : public FakeFileSystem {
public:
    std::uint32_t ListDirectory(const std::u16string&, std::vector<DirectoryEntry>&) override {
        throw Error(u"broken");
    }
};

TEST(ScanDirectory, ReplacesTheTreeExpandedInOneBatchUnderTheBusyCursor) {
    struct Events : FolderTreeObserver {
        void NodeAdded(FolderNode&) override { added = true; }
        void NodeRemoving(FolderNode&) override {}
        void NodeTextChanged(FolderNode&) override {}
        void NodeExpanded(FolderNode&) override {}
        void SelectionChanged(FolderNode*) override {}
        void EditRequested(FolderNode&) override {}
        void UpdatingChanged(bool updating) override { log += updating ? "[" : "]"; }
        std::string log;
        bool added = false;
    } events;
    const BusyCursorSwitch cursor = [&](bool busy) { events.log += busy ? "busy " : " default"; };
    FakeFileSystem fs;
    fs.AddDirectory(u"X:\\S\\src\\lib");
    FolderTree tree;
    tree.Add(nullptr, u"Old");
    tree.SetObserver(&events);
    ScanDirectory(tree, u"X:\\S", fs, cursor);
    EXPECT_EQ(Outline(tree), "src,>lib");
    EXPECT_TRUE(tree.GetFirstNode()->Expanded() && tree.GetFirstNode()->FirstChild()->Expanded());
    EXPECT_EQ(events.log, "busy [ default]");

    events.log.clear();
    Throwing broken;
    EXPECT_THROW(ScanDirectory(tree, u"X:\\S", broken, cursor), Error);
    EXPECT_EQ(events.log, "busy [ default]");
    EXPECT_FALSE(tree.Updating());
}

} // namespace
} // namespace core
