#pragma once

// One item of the shell namespace as a node of the shell tree sees it: its ids relative to its
// parent folder and from the desktop, its own folder interface when it is a container, and the
// questions its parent folder answers about it (attributes, names, renaming).

#include "dialogs/shell_item.h"

#include <memory>
#include <string>

namespace dialogs {

enum TacFolderCapability : unsigned {
    fcCanCopy = 1 << 0,
    fcCanDelete = 1 << 1,
    fcCanLink = 1 << 2,
    fcCanMove = 1 << 3,
    fcCanRename = 1 << 4,
    fcDropTarget = 1 << 5,
    fcHasPropSheet = 1 << 6,
};

enum TacFolderProperty : unsigned {
    fpCut = 1 << 0,
    fpIsLink = 1 << 1,
    fpReadOnly = 1 << 2,
    fpShared = 1 << 3,
    fpFileSystem = 1 << 4,
    fpFileSystemAncestor = 1 << 5,
    fpRemovable = 1 << 6,
    fpValidate = 1 << 7,
};

// How file name extensions appear in names: as the system shows them, always, or never.
enum class TacShowExtension { seSystem, seShow, seHide };

class TacShellFolder {
public:
    // An item of `parent_folder`, whose own full id is `parent_full_id`, named there by the
    // one-level `relative_id` (copied).
    TacShellFolder(ComRef<IShellFolder> parent_folder, LPCITEMIDLIST parent_full_id,
                   LPCITEMIDLIST relative_id);
    // The item with this full id, asked through its real parent folder; none when the shell
    // cannot bind to that parent.
    static std::unique_ptr<TacShellFolder> ForFullId(LPCITEMIDLIST full_id);
    // A new object for the same item.
    std::unique_ptr<TacShellFolder> Clone() const;

    LPCITEMIDLIST RelativeId() const { return relative_id_.get(); }
    LPCITEMIDLIST FullId() const { return full_id_.get(); }
    IShellFolder* ParentShellFolder() const { return parent_folder_.Get(); }
    // The item's own folder interface, bound on first use; none for an item that is no
    // container.
    IShellFolder* ShellFolder();
    // The number of ancestors up to the desktop.
    int Level() const;
    bool IsDesktop() const;

    bool IsFolder() const;
    bool SubFolders() const;
    unsigned Capabilities() const;
    unsigned Properties() const;
    // The name in the shell's in-folder form, or its plain form for virtual items.
    std::u16string DisplayName(TacShowExtension extensions = TacShowExtension::seSystem) const;
    // The full file system path, or the plain display name of a virtual item.
    std::u16string PathName() const;
    // Gives the item a new name. False when the item cannot be renamed; raises "Rename to %s
    // failed" when the shell refuses the name.
    bool Rename(const std::u16string& name, HWND owner);
    // Whether the item still exists: its parent folder can still vouch for it.
    bool StillExists() const;

private:
    SFGAOF Attributes(SFGAOF wanted) const;

    ComRef<IShellFolder> parent_folder_;
    ItemId parent_full_id_;
    ItemId relative_id_;
    ItemId full_id_;
    ComRef<IShellFolder> own_folder_;
    bool own_folder_bound_ = false;
};

} // namespace dialogs
