#include "app/folder_tree_view.h"

#include <utility>
#include <vector>

namespace app {

namespace {

class Syncing {
public:
    explicit Syncing(int& depth) : depth_(depth) { ++depth_; }
    ~Syncing() { --depth_; }

private:
    int& depth_;
};

} // namespace

FolderTreeView::FolderTreeView(core::FolderTree& tree, ui::TreeView& view)
    : tree_(tree), view_(view) {
    tree_.SetObserver(this);
    view_.OnSelectionChanged = [this](HTREEITEM item) {
        if (!syncing_)
            tree_.Select(NodeOf(item));
    };
    view_.OnEdited = [this](HTREEITEM item, const std::u16string& text) {
        core::FolderNode* node = NodeOf(item);
        if (!node)
            return false;
        {
            Syncing guard(syncing_);
            tree_.SetText(*node, text);
        }
        if (OnEdited)
            OnEdited(*node);
        return true;
    };
    view_.OnExpansionChanged = [this](HTREEITEM item, bool expanded) {
        // The tree records both, so that expanding a node the user collapsed shows it again.
        if (core::FolderNode* node = NodeOf(item); node && !syncing_) {
            Syncing guard(syncing_);
            if (expanded)
                tree_.Expand(*node, false);
            else
                tree_.Collapse(*node);
        }
    };
}

FolderTreeView::~FolderTreeView() {
    tree_.SetObserver(nullptr);
    view_.OnSelectionChanged = nullptr;
    view_.OnEdited = nullptr;
    view_.OnExpansionChanged = nullptr;
}

core::FolderNode* FolderTreeView::NodeOf(HTREEITEM item) const {
    return item ? reinterpret_cast<core::FolderNode*>(view_.ItemData(item)) : nullptr;
}

void FolderTreeView::NodeAdded(core::FolderNode& node) {
    Syncing guard(syncing_);
    core::FolderNode* parent = node.Parent();
    node.view_item = view_.InsertItem(parent ? ItemOf(*parent) : nullptr, node.Text(),
                                      node.ImageIndex(), reinterpret_cast<LPARAM>(&node));
    // A tree view only expands items that have children: catch up once the first one exists.
    if (parent && parent->Expanded() && parent->ChildCount() == 1) {
        if (tree_.Updating())
            expansion_due_ = true;
        else
            view_.ExpandItem(ItemOf(*parent));
    }
    NamesChanged();
}

void FolderTreeView::NodeRemoving(core::FolderNode& node) {
    if (OnNodeRemoving)
        OnNodeRemoving(node);
    NamesChanged();
    for (core::FolderNode* n = pending_edit_; n; n = n->Parent())
        if (n == &node)
            pending_edit_ = nullptr;
    Syncing guard(syncing_);
    // The view drops the item's subtree with it, as the tree does with the node's.
    view_.DeleteItem(ItemOf(node));
    node.view_item = nullptr;
}

void FolderTreeView::NodeTextChanged(core::FolderNode& node) {
    NamesChanged();
    if (!syncing_)
        view_.SetItemText(ItemOf(node), node.Text());
}

void FolderTreeView::NodeExpanded(core::FolderNode& node) {
    if (syncing_)
        return;
    if (tree_.Updating()) {
        expansion_due_ = true;
        return;
    }
    Syncing guard(syncing_);
    view_.ExpandItem(ItemOf(node));
}

void FolderTreeView::NodeCollapsed(core::FolderNode& node) {
    if (syncing_)
        return;
    Syncing guard(syncing_);
    TreeView_Expand(view_.Handle(), ItemOf(node), TVE_COLLAPSE);
}

void FolderTreeView::SelectionChanged(core::FolderNode* selected) {
    if (tree_.Updating()) {
        selection_due_ = true;
        return;
    }
    Syncing guard(syncing_);
    view_.SelectItem(selected ? ItemOf(*selected) : nullptr);
}

void FolderTreeView::EditRequested(core::FolderNode& node) {
    // An editor without the focus would close again as soon as the view takes the focus.
    if (!view_.CanFocus()) {
        pending_edit_ = &node;
        return;
    }
    pending_edit_ = nullptr;
    // The view selects the item it edits; that selection reaches the tree as the user's.
    view_.EditItem(ItemOf(node));
}

void FolderTreeView::OpenPendingEdit() {
    core::FolderNode* node = pending_edit_;
    if (!node || !view_.CanFocus())
        return;
    // A user who put the focus elsewhere first keeps it there.
    HWND focus = GetFocus();
    if (focus && focus != view_.Handle()) {
        pending_edit_ = nullptr;
        return;
    }
    EditRequested(*node);
}

void FolderTreeView::UpdatingChanged(bool updating) {
    if (!updating)
        FinishBatch();
    view_.SetRedraw(!updating);
}

void FolderTreeView::NamesChanged() {
    if (tree_.Updating())
        names_changed_ = true;
    else if (OnNamesChanged)
        OnNamesChanged();
}

void FolderTreeView::FinishBatch() {
    if (std::exchange(expansion_due_, false)) {
        Syncing guard(syncing_);
        ExpandItemsOfExpandedNodes();
    }
    if (std::exchange(selection_due_, false)) {
        Syncing guard(syncing_);
        core::FolderNode* selected = tree_.Selected();
        view_.SelectItem(selected ? ItemOf(*selected) : nullptr);
    }
    if (std::exchange(names_changed_, false) && OnNamesChanged)
        OnNamesChanged();
}

void FolderTreeView::ExpandItemsOfExpandedNodes() {
    std::vector<core::FolderNode*> subtree;
    for (std::size_t r = 0; r < tree_.RootCount(); ++r) {
        core::FolderNode* root = tree_.Root(r);
        core::FolderNode* end = root->NextSibling();
        subtree.clear();
        for (core::FolderNode* n = root; n && n != end; n = core::FolderTree::GetNext(*n))
            if (n->Expanded() && n->ChildCount() > 0)
                subtree.push_back(n);
        // Pre-order backwards: every node after everything below it.
        for (auto n = subtree.rbegin(); n != subtree.rend(); ++n)
            view_.ExpandItem(ItemOf(**n));
    }
}

} // namespace app
