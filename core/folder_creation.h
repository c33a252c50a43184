#pragma once

// Creating the folder tree on disk below a destination folder.

#include "core/file_system.h"
#include "core/folder_tree.h"

#include <cstdint>
#include <string>
#include <vector>

namespace core {

struct CreationFailure {
    std::u16string path;     // the node's full path
    std::uint32_t error = 0; // why the first missing directory on that path was refused
};

struct CreationReport {
    std::size_t nodes = 0; // nodes walked
    std::vector<CreationFailure> failures;
    bool Succeeded() const { return failures.empty(); }
};

// Creates the directory P with every missing ancestor. A P shorter than three characters, an
// existing directory and a path that is its own parent count as done. Raises InOutError
// "Unable to create directory" (code 3) for an empty P. On failure, `error` receives the code.
bool ForceDirectories(FileSystem& fs, const std::u16string& path, std::uint32_t* error = nullptr);

// Walks the tree in pre-order and creates destination\PathFromRoot(node) for every node,
// carrying on after failures.
CreationReport CreateFolders(const FolderTree& tree, const std::u16string& destination,
                             FileSystem& fs);

} // namespace core
