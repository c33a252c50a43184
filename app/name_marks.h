#pragma once

// Marks the folders of the tree view whose names Windows would change or refuse: the folder
// icon with a badge, and the reason as the tip of the folder the mouse rests on. The whole tree
// is checked again after changes, once they are done; only the items whose mark changed are
// touched.
//
// The badge is a picture of its own rather than an overlay image of the list: Wine draws no
// overlays over images with an alpha channel.

#include "app/folder_tree_view.h"
#include "core/folder_tree.h"
#include "ui/controls/tree_view.h"

#include <string>
#include <unordered_map>

namespace app {

// The pictures of the tree's image list: the folder of every node, and the folder with the
// badge of a name that Windows changes or refuses.
enum FolderImage : int { fiFolder = 0, fiNameChanged = 1, fiNameRefused = 2 };

class NameMarks {
public:
    NameMarks(const core::FolderTree& tree, const FolderTreeView& mirror, ui::TreeView& view);
    ~NameMarks();
    NameMarks(const NameMarks&) = delete;
    NameMarks& operator=(const NameMarks&) = delete;

    // The destination's full path, which path lengths are checked against; empty: they are not.
    void SetDestination(std::u16string destination) { destination_ = std::move(destination); }
    // Checks the tree again and puts the marks where they changed.
    void Refresh();
    // The node is about to go with everything below it: so are their marks.
    void Forget(const core::FolderNode& node);

    // The reason a node is marked, as its tip shows it; empty for a node without a mark.
    std::u16string TipOf(const core::FolderNode& node) const;

private:
    struct Mark {
        FolderImage image;
        std::u16string tip;
    };

    const core::FolderTree& tree_;
    const FolderTreeView& mirror_;
    ui::TreeView& view_;
    std::u16string destination_;
    std::unordered_map<const core::FolderNode*, Mark> marks_;
};

} // namespace app
