#pragma once

// What the keys of the main window do to the folder tree: Tab adds a folder inside the
// selected one, Enter one on the same level after all its siblings, Delete removes the
// selected folder and any other key starts renaming it. Portable: the main window feeds its
// keys in, the tests feed theirs.

#include "core/folder_tree.h"

namespace app {

inline constexpr char16_t kNewFolder[] = u"New Folder";

// Key codes as the platform numbers them.
enum TreeKey : unsigned {
    tkTab = 9,
    tkEnter = 13,
    tkLeft = 37,
    tkUp = 38,
    tkRight = 39,
    tkDown = 40,
    tkDelete = 46,
};

// Tab: a new last child of the selected node (a new last root without a selection), with the
// parent and everything below it expanded, selected and being renamed. Nothing on an empty
// tree: returns none then.
core::FolderNode* AddSubFolder(core::FolderTree& tree);

// Enter: on an empty tree, without a selection or with a root selected, a new last root;
// otherwise a new last child of the selected node's parent, after all of its siblings, with
// that parent and everything below it expanded. The new node is selected and being renamed.
core::FolderNode& AddFolder(core::FolderTree& tree);

enum class KeyAction { kaNone, kaStartEditing, kaDelete };

// Any key but Tab, Enter, the arrows and Delete starts renaming the selected node unless a
// name is being edited already; Delete removes the selected node, also while editing.
KeyAction ActionOfKey(unsigned key, bool editing);

// Carries out the action on the selected node; without one nothing happens. Returns whether
// anything happened.
bool ApplyKeyAction(core::FolderTree& tree, KeyAction action);

} // namespace app
