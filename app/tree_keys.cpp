#include "app/tree_keys.h"

namespace app {

namespace {

core::FolderNode& StartNewFolder(core::FolderTree& tree, core::FolderNode& node) {
    // Selected first, so that the name editor opens on the node that is already current.
    tree.Select(&node);
    tree.EditText(node);
    return node;
}

} // namespace

core::FolderNode* AddSubFolder(core::FolderTree& tree) {
    if (tree.Empty())
        return nullptr;
    core::FolderNode& node = tree.AddChild(tree.Selected(), kNewFolder);
    if (core::FolderNode* parent = node.Parent())
        tree.Expand(*parent, true);
    return &StartNewFolder(tree, node);
}

core::FolderNode& AddFolder(core::FolderTree& tree) {
    core::FolderNode* selected = tree.Selected();
    if (tree.Empty() || !selected || !selected->Parent())
        return StartNewFolder(tree, tree.Add(selected, kNewFolder));
    core::FolderNode& parent = *selected->Parent();
    tree.Select(&parent);
    core::FolderNode& node = tree.AddChild(&parent, kNewFolder);
    tree.Expand(parent, true);
    return StartNewFolder(tree, node);
}

KeyAction ActionOfKey(unsigned key, bool editing) {
    switch (key) {
    case tkDelete:
        return KeyAction::kaDelete;
    case tkTab:
    case tkEnter:
    case tkLeft:
    case tkUp:
    case tkRight:
    case tkDown:
        return KeyAction::kaNone;
    }
    return editing ? KeyAction::kaNone : KeyAction::kaStartEditing;
}

bool ApplyKeyAction(core::FolderTree& tree, KeyAction action) {
    core::FolderNode* selected = tree.Selected();
    if (!selected)
        return false;
    switch (action) {
    case KeyAction::kaStartEditing:
        tree.EditText(*selected);
        return true;
    case KeyAction::kaDelete:
        tree.Delete(*selected);
        return true;
    case KeyAction::kaNone:
        break;
    }
    return false;
}

} // namespace app
