// The tree view mirroring the folder tree on a real window: what it shows after batches of
// changes (items, order, expansion, selection) and how often the names are to be checked again.

#include "app/folder_tree_view.h"
#include "core/template_file.h"
#include "ui/form.h"
#include "ui/tests/win32/framework_fixture.h"

#include <string>
#include <vector>

namespace app {
namespace {

using Lines = std::vector<std::string>;

std::string Narrow(const std::u16string& text) {
    return std::string(text.begin(), text.end());
}

// The tree, as "name" lines indented two blanks a level, parents followed by " +" when
// expanded and " -" when not.
Lines TreeLines(const core::FolderTree& tree) {
    Lines lines;
    for (const core::FolderNode* n = tree.GetFirstNode(); n; n = core::FolderTree::GetNext(*n)) {
        std::string line =
            std::string(static_cast<std::size_t>(n->Level()) * 2, ' ') + Narrow(n->Text());
        if (n->ChildCount())
            line += n->Expanded() ? " +" : " -";
        lines.push_back(line);
    }
    return lines;
}

// The same, read from the platform's tree view; every item must point back at a node that
// shows it.
void AddViewLines(HWND view, HTREEITEM item, int depth, const FolderTreeView& mirror,
                  Lines& lines) {
    for (; item; item = TreeView_GetNextSibling(view, item)) {
        wchar_t text[260] = {};
        TVITEMW query{};
        query.mask = TVIF_TEXT | TVIF_STATE;
        query.stateMask = TVIS_EXPANDED;
        query.hItem = item;
        query.pszText = text;
        query.cchTextMax = 260;
        TreeView_GetItem(view, &query);
        std::string line(static_cast<std::size_t>(depth) * 2, ' ');
        for (const wchar_t* c = text; *c; ++c)
            line += static_cast<char>(*c);
        HTREEITEM child = TreeView_GetChild(view, item);
        if (child)
            line += (query.state & TVIS_EXPANDED) ? " +" : " -";
        const core::FolderNode* node = mirror.NodeOf(item);
        if (!node || FolderTreeView::ItemOf(*node) != item)
            line += " (lost)";
        lines.push_back(line);
        AddViewLines(view, child, depth + 1, mirror, lines);
    }
}

class FolderTreeViewTest : public ui::FrameworkTest {
protected:
    FolderTreeViewTest() : form(nullptr), view(ui::Make<ui::TreeView>(form)) {
        view.SetParent(&form);
        view.SetBounds({0, 0, 300, 200});
        form.SetClientSize(300, 200);
        form.Show();
        mirror = std::make_unique<FolderTreeView>(tree, view);
        mirror->OnNamesChanged = [this] { ++names_changed; };
    }

    Lines ViewLines() const {
        Lines lines;
        AddViewLines(view.Handle(), TreeView_GetRoot(view.Handle()), 0, *mirror, lines);
        return lines;
    }
    std::string SelectedInView() const {
        const core::FolderNode* node = mirror->NodeOf(view.Selected());
        return node ? Narrow(node->Text()) : "(none)";
    }

    ui::Form form;
    ui::TreeView& view;
    core::FolderTree tree;
    std::unique_ptr<FolderTreeView> mirror;
    int names_changed = 0;
};

TEST_F(FolderTreeViewTest, ABatchEndsWithTheViewExpandedAndSelectedAsTheTreeAndOneNameCheck) {
    {
        core::TreeUpdate update(tree);
        core::FolderNode& a = tree.Add(nullptr, u"A");
        core::FolderNode& b = tree.AddChild(&a, u"B");
        tree.AddChild(&b, u"C");
        core::FolderNode& d = tree.AddChild(&a, u"D");
        core::FolderNode& e = tree.AddChild(&d, u"E");
        tree.Add(nullptr, u"F");
        tree.FullExpand();
        tree.Collapse(d);
        tree.Select(&e);
        // The selection inside a deleted subtree falls to the next sibling in the same batch.
        tree.Select(&b);
        tree.Delete(b);
        tree.SetText(e, u"E2");
    }
    EXPECT_EQ(ViewLines(), TreeLines(tree));
    EXPECT_EQ(ViewLines(), (Lines{"A +", "  D -", "    E2", "F"}));
    EXPECT_EQ(SelectedInView(), "D");
    EXPECT_EQ(names_changed, 1);

    // Outside a batch every change is told, and a first child shows in an expanded parent.
    core::FolderNode& f = *tree.Root(1);
    tree.Expand(f, false);
    tree.AddChild(&f, u"G");
    tree.Delete(*tree.Root(0));
    EXPECT_EQ(ViewLines(), (Lines{"F +", "  G"}));
    EXPECT_EQ(SelectedInView(), "F");
    EXPECT_EQ(names_changed, 3);

    // A batch that only expands and selects has no names to check.
    {
        core::TreeUpdate update(tree);
        tree.Clear();
        tree.AddChild(&tree.AddChild(&tree.Add(nullptr, u"H"), u"I"), u"J");
        tree.Select(nullptr);
    }
    names_changed = 0;
    {
        core::TreeUpdate update(tree);
        tree.FullExpand();
        tree.Select(tree.GetFirstNode());
    }
    EXPECT_EQ(ViewLines(), (Lines{"H +", "  I +", "    J"}));
    EXPECT_EQ(SelectedInView(), "H");
    EXPECT_EQ(names_changed, 0);
    EXPECT_TRUE(errors.empty());
}

TEST_F(FolderTreeViewTest, LoadingOverABigTreeInOneBatchMirrorsEveryNode) {
    // Three levels of 12 x 12 x 12 below two roots: 3,770 nodes.
    std::string bytes;
    for (int r = 0; r < 2; ++r) {
        bytes += "Root " + std::to_string(r) + "\r\n";
        for (int i = 0; i < 12; ++i) {
            bytes += "\tBranch " + std::to_string(i) + "\r\n";
            for (int j = 0; j < 12; ++j) {
                bytes += "\t\tTwig " + std::to_string(j) + "\r\n";
                for (int k = 0; k < 12; ++k)
                    bytes += "\t\t\tLeaf " + std::to_string(k) + "\r\n";
            }
        }
    }
    const core::AnsiCodePage& ansi = core::SystemAnsiCodePage();
    for (int load = 0; load < 2; ++load) {
        if (load == 1) { // the user collapsed a branch and selected one before loading again
            tree.Collapse(*tree.Root(0)->Child(3));
            tree.Select(tree.Root(1)->LastChild());
        }
        {
            core::TreeUpdate update(tree);
            core::ReadTemplate(tree, bytes, ansi);
            tree.FullExpand();
        }
        ASSERT_EQ(tree.Count(), 3770u);
        EXPECT_EQ(ViewLines(), TreeLines(tree));
        EXPECT_EQ(SelectedInView(), "(none)");
        EXPECT_EQ(core::WriteTemplate(tree, ansi), bytes);
    }
    // Deleting a big subtree and clearing leave nothing of theirs in the view.
    tree.Delete(*tree.Root(0));
    EXPECT_EQ(ViewLines(), TreeLines(tree));
    tree.Clear();
    EXPECT_EQ(TreeView_GetCount(view.Handle()), 0u);
    EXPECT_TRUE(errors.empty());
}

} // namespace
} // namespace app
