// The keys of the main window on the folder tree, with a name editor simulated the way the
// tree view behaves: it opens on request, and Tab, Enter and Delete accept it first.

#include "app/tree_keys.h"
#include "core/text.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace app {
namespace {

std::string Outline(const core::FolderTree& tree) {
    std::string out;
    for (const core::FolderNode* n = tree.GetFirstNode(); n; n = core::FolderTree::GetNext(*n)) {
        if (n != tree.GetFirstNode())
            out += ',';
        out.append(static_cast<std::size_t>(n->Level()), '>');
        out += core::ToUtf8(n->Text());
        if (!n->Expanded() && n->ChildCount() > 0)
            out += '+'; // collapsed with children
    }
    return out;
}

// The main window's key handling around the rules, with a stand-in for the name editor.
class Session : public core::FolderTreeObserver {
public:
    Session() { tree.SetObserver(this); }
    ~Session() override { tree.SetObserver(nullptr); }

    // Opens the name editor on the start node, as the window does when it starts.
    void Start() { tree.EditText(tree.Add(nullptr, kNewFolder)); }
    void Type(const std::string& text) {
        ASSERT_NE(editing, nullptr) << "typing with no name editor open";
        typed = core::Ascii(text);
    }
    void DialogKey(unsigned key) {
        Accept();
        if (key == tkTab)
            AddSubFolder(tree);
        else
            AddFolder(tree);
    }
    void Key(unsigned key) {
        const KeyAction action = ActionOfKey(key, editing != nullptr);
        if (action == KeyAction::kaDelete && editing)
            Accept();
        ApplyKeyAction(tree, action);
    }
    void Escape() { editing = nullptr; }
    std::string Editing() const { return editing ? core::ToUtf8(editing->Text()) : "(none)"; }
    std::string Selected() const {
        return tree.Selected() ? core::ToUtf8(tree.Selected()->Text()) : "(none)";
    }

    core::FolderTree tree;
    core::FolderNode* editing = nullptr;
    std::vector<std::string> events;

private:
    void Accept() {
        if (!editing)
            return;
        core::FolderNode* node = editing;
        editing = nullptr;
        tree.SetText(*node, typed);
        tree.Select(node);
    }
    void NodeAdded(core::FolderNode&) override {}
    void NodeRemoving(core::FolderNode& node) override {
        for (core::FolderNode* n = editing; n; n = n->Parent())
            if (n == &node)
                editing = nullptr;
    }
    void NodeTextChanged(core::FolderNode&) override {}
    void NodeExpanded(core::FolderNode&) override {}
    void SelectionChanged(core::FolderNode* node) override {
        events.push_back("select " + (node ? core::ToUtf8(node->Text()) : std::string("none")));
    }
    void EditRequested(core::FolderNode& node) override {
        events.push_back("edit " + core::ToUtf8(node.Text()));
        editing = &node;
        typed = node.Text();
    }
    void UpdatingChanged(bool) override {}

    std::u16string typed;
};

TEST(TreeKeys, TypingAHierarchyWithTabAndEnter) {
    Session s;
    s.Start();
    s.Type("Projects");
    s.DialogKey(tkTab);
    s.Type("Src");
    s.DialogKey(tkEnter);
    s.Type("Docs");
    s.DialogKey(tkEnter);

    EXPECT_EQ(Outline(s.tree), "Projects,>Src,>Docs,>New Folder");
    EXPECT_EQ(s.Editing(), "New Folder");
    EXPECT_EQ(s.Selected(), "New Folder");
    EXPECT_EQ(s.tree.Selected()->Parent(), s.tree.Root(0));
}

TEST(TreeKeys, EnterInTheMiddleOfSiblingsAddsAfterTheLastOne) {
    Session s;
    core::FolderNode& root = s.tree.Add(nullptr, u"A");
    core::FolderNode& b = s.tree.AddChild(&root, u"B");
    core::FolderNode& c = s.tree.AddChild(&root, u"C");
    s.tree.AddChild(&c, u"C1");
    s.tree.AddChild(&root, u"D");
    s.tree.Select(&b);

    s.DialogKey(tkEnter);
    // The parent and everything below it are expanded, so C shows its child too.
    EXPECT_EQ(Outline(s.tree), "A,>B,>C,>>C1,>D,>New Folder");
    EXPECT_EQ(s.tree.Selected()->PrevSibling()->Text(), u"D");
    // The parent is selected on the way, and the new node before its editor opens.
    EXPECT_EQ(s.events, (std::vector<std::string>{"select B", "select A", "select New Folder",
                                                  "edit New Folder"}));
}

TEST(TreeKeys, EnterOnARootOrWithoutSelectionAddsALastRoot) {
    Session s;
    core::FolderNode& a = s.tree.Add(nullptr, u"A");
    s.tree.AddChild(&a, u"A1");
    s.tree.Add(nullptr, u"B");
    s.tree.Select(&a);
    s.DialogKey(tkEnter);
    EXPECT_EQ(Outline(s.tree), "A+,>A1,B,New Folder");
    EXPECT_EQ(s.Editing(), "New Folder");

    s.tree.Select(nullptr);
    s.Escape();
    s.DialogKey(tkEnter);
    EXPECT_EQ(Outline(s.tree), "A+,>A1,B,New Folder,New Folder");
    EXPECT_EQ(s.tree.Selected(), s.tree.Root(3));
}

TEST(TreeKeys, TabOnAnEmptyTreeDoesNothingAndEnterAddsTheFirstRoot) {
    Session s;
    s.DialogKey(tkTab);
    EXPECT_EQ(Outline(s.tree), "");
    EXPECT_EQ(s.Editing(), "(none)");
    s.DialogKey(tkEnter);
    EXPECT_EQ(Outline(s.tree), "New Folder");
    EXPECT_EQ(s.Editing(), "New Folder");
}

TEST(TreeKeys, TabNestsBelowTheSelectionOrAtTheRootsWithoutOne) {
    Session s;
    core::FolderNode& a = s.tree.Add(nullptr, u"A");
    core::FolderNode& b = s.tree.AddChild(&a, u"B");
    s.tree.AddChild(&b, u"B1");
    s.tree.Select(&a);
    s.DialogKey(tkTab);
    EXPECT_EQ(Outline(s.tree), "A,>B,>>B1,>New Folder");
    EXPECT_TRUE(b.Expanded());

    s.Escape();
    s.tree.Select(nullptr);
    s.DialogKey(tkTab);
    EXPECT_EQ(Outline(s.tree), "A,>B,>>B1,>New Folder,New Folder");
}

TEST(TreeKeys, FoldersAddedBelowACollapsedNodeShowAgain) {
    Session s;
    core::FolderNode& a = s.tree.Add(nullptr, u"A");
    core::FolderNode& b = s.tree.AddChild(&a, u"B");
    s.tree.AddChild(&b, u"B1");
    s.tree.FullExpand();
    s.tree.Collapse(b);
    s.tree.Collapse(a);
    s.tree.Select(&b);
    s.DialogKey(tkEnter);
    EXPECT_EQ(Outline(s.tree), "A,>B,>>B1,>New Folder");
    s.tree.Collapse(a);
    s.tree.FullExpand();
    EXPECT_TRUE(a.Expanded());
}

TEST(TreeKeys, AnEditInProgressKeepsItsTextEvenWhenEmpty) {
    Session s;
    s.Start();
    s.Type("");
    s.DialogKey(tkTab);
    s.Type("  padded  ");
    s.DialogKey(tkTab);
    EXPECT_EQ(Outline(s.tree), ",>  padded  ,>>New Folder");
}

TEST(TreeKeys, DeleteRemovesTheSelectedSubtreeAlsoWhileEditing) {
    Session s;
    s.Start();
    s.Type("Top");
    s.DialogKey(tkTab);
    s.Type("Child");
    s.DialogKey(tkTab);
    s.Type("Grandchild");
    // Delete in the name editor: the folder being named goes, with its subtree.
    s.Key(tkDelete);
    EXPECT_EQ(Outline(s.tree), "Top,>Child");
    EXPECT_EQ(s.Editing(), "(none)");

    s.tree.Select(s.tree.Root(0));
    s.Key(tkDelete);
    EXPECT_EQ(Outline(s.tree), "");
    s.Key(tkDelete); // nothing left, nothing happens
    EXPECT_EQ(Outline(s.tree), "");
}

TEST(TreeKeys, DeleteWithoutSelectionLeavesTheTree) {
    Session s;
    s.tree.Add(nullptr, u"A");
    s.Key(tkDelete);
    EXPECT_EQ(Outline(s.tree), "A");
}

TEST(TreeKeys, OtherKeysStartRenamingOnlyWhileBrowsing) {
    for (unsigned key : {unsigned('A'), unsigned('7'), 113u /* F2 */, 27u /* Escape */,
                         8u /* Backspace */, 36u /* Home */, 33u /* Page Up */, 16u /* Shift */})
        EXPECT_EQ(ActionOfKey(key, false), KeyAction::kaStartEditing) << key;
    for (unsigned key : {unsigned(tkTab), unsigned(tkEnter), unsigned(tkLeft), unsigned(tkUp),
                         unsigned(tkRight), unsigned(tkDown)}) {
        EXPECT_EQ(ActionOfKey(key, false), KeyAction::kaNone) << key;
        EXPECT_EQ(ActionOfKey(key, true), KeyAction::kaNone) << key;
    }
    EXPECT_EQ(ActionOfKey('A', true), KeyAction::kaNone);
    EXPECT_EQ(ActionOfKey(tkDelete, false), KeyAction::kaDelete);
    EXPECT_EQ(ActionOfKey(tkDelete, true), KeyAction::kaDelete);

    Session s;
    core::FolderNode& a = s.tree.Add(nullptr, u"A");
    s.Key('X'); // no selection: nothing
    EXPECT_EQ(s.Editing(), "(none)");
    s.tree.Select(&a);
    s.Key('X');
    EXPECT_EQ(s.Editing(), "A");
}

} // namespace
} // namespace app
