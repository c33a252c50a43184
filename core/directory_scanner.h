#pragma once

// Reading the sub-folder structure of an existing directory into the folder tree, as the
// starting point of a new layout.

#include "core/file_system.h"
#include "core/folder_tree.h"

#include <cstddef>
#include <functional>
#include <string>

namespace core {

// A directory link that leads back to an ancestor is followed until the path grows too long
// to enumerate; two such links in one directory would double the tree at every level. The
// scan stops adding nodes at this count, so that it ends in seconds and in bounded memory.
inline constexpr std::size_t kMaxScannedNodes = 200000;

// The longest path the scan asks the file system to enumerate: the longest path Windows has.
inline constexpr std::size_t kMaxScannedPathLength = 32767;

struct ScanOutcome {
    std::size_t nodes = 0;  // nodes added
    bool truncated = false; // the node limit cut the scan short
};

// Adds the sub-directories of the directory, recursively, below the parent (as root nodes
// when there is none), in the file system's order, inside one update batch. Files, entries
// marked hidden or system and names beginning with a full stop are skipped with everything
// below them. A directory that cannot be enumerated becomes a node without children; nothing
// is reported. An empty directory path adds nothing.
ScanOutcome GetDirectories(FolderTree& tree, const std::u16string& directory, FolderNode* parent,
                           FileSystem& fs, std::size_t max_nodes = kMaxScannedNodes);

// Switches the application's busy cursor on (true) and back to the default (false).
using BusyCursorSwitch = std::function<void(bool busy)>;

// The scan command's work on the tree: replaces every node with the directory's structure and
// expands it all, in one update batch. The busy cursor is on for the whole time; it goes back
// to the default, and the batch ends, also when an error leaves.
ScanOutcome ScanDirectory(FolderTree& tree, const std::u16string& directory, FileSystem& fs,
                          const BusyCursorSwitch& busy_cursor);

} // namespace core
