#include "core/folder_tree.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace core {
namespace {

std::vector<std::u16string> PreOrder(const FolderTree& tree) {
    std::vector<std::u16string> names;
    for (const FolderNode* n = tree.GetFirstNode(); n; n = FolderTree::GetNext(*n))
        names.push_back(n->Text());
    return names;
}

// A (B, C (D)), E
struct SampleTree {
    FolderTree tree;
    FolderNode& a = tree.Add(nullptr, u"A");
    FolderNode& b = tree.AddChild(&a, u"B");
    FolderNode& c = tree.Add(&b, u"C");
    FolderNode& d = tree.AddChild(&c, u"D");
    FolderNode& e = tree.Add(&a, u"E");
};

TEST(FolderTree, AddAndAddChildAppendAtTheEndOfTheRightList) {
    SampleTree s;
    EXPECT_EQ(PreOrder(s.tree), (std::vector<std::u16string>{u"A", u"B", u"C", u"D", u"E"}));
    EXPECT_EQ(s.tree.RootCount(), 2u);
    EXPECT_EQ(s.c.Parent(), &s.a);
    EXPECT_EQ(s.d.Level(), 2);
    EXPECT_EQ(s.e.Level(), 0);
    EXPECT_EQ(s.tree.Count(), 5u);

    // A sibling in the middle still appends after the last child.
    FolderNode& f = s.tree.Add(&s.b, u"F");
    EXPECT_EQ(s.a.LastChild(), &f);
    // No parent: a new last root.
    FolderNode& g = s.tree.AddChild(nullptr, u"G");
    EXPECT_EQ(s.tree.Root(2), &g);
    EXPECT_EQ(PreOrder(s.tree),
              (std::vector<std::u16string>{u"A", u"B", u"C", u"D", u"F", u"E", u"G"}));
}

TEST(FolderTree, AddingDoesNotChangeTheSelection) {
    SampleTree s;
    EXPECT_EQ(s.tree.Selected(), nullptr);
    s.tree.Select(&s.b);
    s.tree.AddChild(&s.b, u"X");
    EXPECT_EQ(s.tree.Selected(), &s.b);
}

TEST(FolderTree, DeleteRemovesTheSubtreeAndMovesTheSelection) {
    SampleTree s;
    s.tree.Select(&s.d);
    s.tree.Delete(s.c); // selection was inside the subtree
    EXPECT_EQ(PreOrder(s.tree), (std::vector<std::u16string>{u"A", u"B", u"E"}));
    EXPECT_EQ(s.tree.Count(), 3u);
    EXPECT_EQ(s.tree.Selected(), &s.b); // previous sibling, since C was last

    s.tree.Delete(s.b);
    EXPECT_EQ(s.tree.Selected(), &s.a); // no siblings left: the parent
    s.tree.Delete(s.a);
    EXPECT_EQ(s.tree.Selected(), &s.e); // next root
    EXPECT_EQ(s.tree.Root(0), &s.e);
    EXPECT_EQ(FolderTree::GetNext(s.e), nullptr);
    s.tree.Delete(s.e);
    EXPECT_TRUE(s.tree.Empty());
    EXPECT_EQ(s.tree.Selected(), nullptr);
    EXPECT_EQ(s.tree.Count(), 0u);
}

TEST(FolderTree, DeleteOutsideTheSelectionKeepsIt) {
    SampleTree s;
    s.tree.Select(&s.e);
    s.tree.Delete(s.b);
    EXPECT_EQ(s.tree.Selected(), &s.e);
    EXPECT_EQ(s.a.FirstChild(), &s.c);
    EXPECT_EQ(s.c.NextSibling(), nullptr);
    EXPECT_EQ(s.c.PrevSibling(), nullptr);
}

TEST(FolderTree, PathFromRootEndsWithABackslash) {
    SampleTree s;
    EXPECT_EQ(PathFromRoot(s.a), u"A\\");
    EXPECT_EQ(PathFromRoot(s.d), u"A\\C\\D\\");
    FolderNode& empty = s.tree.AddChild(&s.a, u"");
    FolderNode& below = s.tree.AddChild(&empty, u"X\\Y");
    EXPECT_EQ(PathFromRoot(below), u"A\\\\X\\Y\\");
}

TEST(FolderTree, ExpandWithAndWithoutRecursion) {
    SampleTree s;
    s.tree.Expand(s.a, false);
    EXPECT_TRUE(s.a.Expanded());
    EXPECT_FALSE(s.c.Expanded());
    s.tree.Expand(s.a, true);
    EXPECT_TRUE(s.c.Expanded());
    EXPECT_TRUE(s.d.Expanded());
    EXPECT_FALSE(s.e.Expanded()); // the walk stops at the subtree's end
    s.tree.FullExpand();
    EXPECT_TRUE(s.e.Expanded());
}

struct Recorder : FolderTreeObserver {
    std::vector<std::string> events;
    void NodeAdded(FolderNode& n) override { events.push_back("add " + Name(n)); }
    void NodeRemoving(FolderNode& n) override { events.push_back("remove " + Name(n)); }
    void NodeTextChanged(FolderNode& n) override { events.push_back("text " + Name(n)); }
    void NodeExpanded(FolderNode& n) override { events.push_back("expand " + Name(n)); }
    void SelectionChanged(FolderNode* n) override {
        events.push_back("select " + (n ? Name(*n) : "-"));
    }
    void EditRequested(FolderNode& n) override { events.push_back("edit " + Name(n)); }
    void UpdatingChanged(bool on) override { events.push_back(on ? "begin" : "end"); }
    static std::string Name(const FolderNode& n) {
        return std::string(n.Text().begin(), n.Text().end());
    }
};

TEST(FolderTree, ObserverHearsEveryChangeOnceAndUpdatesNest) {
    FolderTree tree;
    Recorder recorder;
    tree.SetObserver(&recorder);
    tree.BeginUpdate();
    tree.BeginUpdate();
    FolderNode& a = tree.Add(nullptr, u"A");
    tree.EndUpdate();
    EXPECT_TRUE(tree.Updating());
    tree.EndUpdate();
    tree.SetText(a, u"B");
    tree.SetText(a, u"B"); // unchanged: nothing to tell
    tree.Select(&a);
    tree.EditText(a);
    tree.Clear();
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{"begin", "add A", "end", "text B", "select B", "edit B",
                                        "begin", "remove B", "select -", "end"}));
}

TEST(FolderTree, DeepAndWideTreesNeedNoRecursion) {
    FolderTree tree;
    FolderNode* node = &tree.Add(nullptr, u"root");
    for (int i = 0; i < 100000; ++i)
        node = &tree.AddChild(node, u"n");
    EXPECT_EQ(tree.Count(), 100001u);
    EXPECT_EQ(PathFromRoot(*node).size(), 5u + 100000u * 2u);
    tree.Select(node);
    tree.Delete(*tree.Root(0)->FirstChild());
    EXPECT_EQ(tree.Count(), 1u);
    EXPECT_EQ(tree.Selected(), tree.Root(0));
    // Destroying a deep tree must not overflow the stack either.
    node = tree.Root(0);
    for (int i = 0; i < 100000; ++i)
        node = &tree.AddChild(node, u"n");
}

} // namespace
} // namespace core
