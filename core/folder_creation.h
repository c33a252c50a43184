#pragma once

// Creating the folder tree on disk below a destination folder.

#include "core/file_system.h"
#include "core/folder_tree.h"
#include "core/name_check.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace core {

struct CreationFailure {
    const FolderNode* node = nullptr;
    std::u16string path;     // the node's full path, as creation composed it
    std::uint32_t error = 0; // why the first missing directory on that path was refused
};

struct CreationReport {
    std::size_t nodes = 0; // nodes walked
    std::vector<CreationFailure> failures;
    // Nodes not asked for: refused by the name check, or inside a refused one.
    std::size_t left_out = 0;
    bool Succeeded() const { return failures.empty() && left_out == 0; }
};

// Creates the directory P with every missing ancestor. A P shorter than three characters, an
// existing directory and a path that is its own parent count as done. Raises InOutError
// "Unable to create directory" (code 3) for an empty P. On failure, `error` receives the code.
bool ForceDirectories(FileSystem& fs, const std::u16string& path, std::uint32_t* error = nullptr);

// How far a creation got: the nodes walked so far, of all the tree's nodes.
using CreationProgress = std::function<void(std::size_t done, std::size_t total)>;

// Walks the tree in pre-order and creates destination\PathAsCreated(node) for every node,
// carrying on after failures. Names that `names` refuses are left out with everything inside
// them; the others are created with the names Windows gives them. `names` checked this tree.
// `progress` hears after every node, left out or not, so its last call has done == total.
CreationReport CreateFolders(const FolderTree& tree, const std::u16string& destination,
                             FileSystem& fs, const NameCheck& names,
                             const CreationProgress& progress = {});

} // namespace core
