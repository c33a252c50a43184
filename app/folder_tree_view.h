#pragma once

// Shows a folder tree in a tree view: the tree is the document, the view mirrors it. Every
// change of the tree reaches the view through the observer calls; what the user does in the
// view (select, rename, expand) is written back into the tree, so the two never disagree.

#include "core/folder_tree.h"
#include "ui/controls/tree_view.h"

#include <functional>

namespace app {

class FolderTreeView final : public core::FolderTreeObserver {
public:
    FolderTreeView(core::FolderTree& tree, ui::TreeView& view);
    ~FolderTreeView() override;

    core::FolderNode* NodeOf(HTREEITEM item) const;
    static HTREEITEM ItemOf(const core::FolderNode& node) {
        return static_cast<HTREEITEM>(node.view_item);
    }

    // An accepted name edit, after the tree took the new name.
    std::function<void(core::FolderNode& node)> OnEdited;
    // A node was added, renamed or is being removed: what the names make on disk may change.
    std::function<void()> OnNamesChanged;
    // A node and everything below it are about to go.
    std::function<void(core::FolderNode& node)> OnNodeRemoving;

    // A name editor asked for while the view cannot take the keyboard focus (its window not
    // shown yet) waits; this opens it once the view can, unless the focus went to another
    // control meanwhile. Nothing happens without one.
    void OpenPendingEdit();

    void NodeAdded(core::FolderNode& node) override;
    void NodeRemoving(core::FolderNode& node) override;
    void NodeTextChanged(core::FolderNode& node) override;
    void NodeExpanded(core::FolderNode& node) override;
    void NodeCollapsed(core::FolderNode& node) override;
    void SelectionChanged(core::FolderNode* selected) override;
    void EditRequested(core::FolderNode& node) override;
    void UpdatingChanged(bool updating) override;

private:
    // Inside an update batch the view is told only what cannot wait (new items, removed items,
    // new texts); expansion, selection and the names' check are brought up to date once, when
    // the batch ends, so that thousands of nodes cost no per-node layout or scroll work.
    void NamesChanged();
    void FinishBatch();
    // Expands the items of every expanded node that has children: each root's subtree from
    // the bottom up, so that no item is expanded while it is visible with collapsed items below.
    void ExpandItemsOfExpandedNodes();

    core::FolderTree& tree_;
    ui::TreeView& view_;
    // Set while the view is changed on the tree's behalf, so that the view's own selection
    // notifications in between are not taken for the user's.
    int syncing_ = 0;
    core::FolderNode* pending_edit_ = nullptr;
    bool expansion_due_ = false;
    bool selection_due_ = false;
    bool names_changed_ = false;
};

} // namespace app
