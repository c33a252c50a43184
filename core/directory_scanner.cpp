#include "core/directory_scanner.h"

#include "core/path.h"

#include <vector>

namespace core {
namespace {

// One directory being walked. The scan keeps its own stack of these instead of recursing, so
// that a tree thousands of levels deep (a link loop on a platform with long paths) cannot
// exhaust the thread's stack.
struct Frame {
    FolderNode* parent = nullptr;
    std::size_t path_length = 0; // of the directory's path with its backslash
    std::vector<DirectoryEntry> entries;
    std::size_t next = 0;
};

// The enumeration filter of the original program: hidden and system entries are never
// returned; "." and ".." and names such as ".git" begin with a full stop.
bool BecomesNode(const DirectoryEntry& entry) {
    return entry.IsDirectory() && !(entry.attributes & (kAttributeHidden | kAttributeSystem)) &&
           !entry.name.empty() && entry.name.front() != u'.';
}

Frame Open(FileSystem& fs, const std::u16string& path, FolderNode* parent) {
    Frame frame{parent, path.size(), {}, 0};
    // A directory that cannot be enumerated simply has no children.
    if (path.size() >= kMaxScannedPathLength || fs.ListDirectory(path, frame.entries) != 0)
        frame.entries.clear();
    return frame;
}

} // namespace

ScanOutcome GetDirectories(FolderTree& tree, const std::u16string& directory, FolderNode* parent,
                           FileSystem& fs, std::size_t max_nodes) {
    ScanOutcome outcome;
    if (directory.empty())
        return outcome;
    TreeUpdate update(tree);

    // One path for the whole walk: each frame remembers how much of it is its own.
    std::u16string path = IncludeTrailingPathDelimiter(directory);
    std::vector<Frame> stack;
    stack.push_back(Open(fs, path, parent));
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next == frame.entries.size()) {
            stack.pop_back();
            continue;
        }
        DirectoryEntry& entry = frame.entries[frame.next++];
        if (!BecomesNode(entry))
            continue;
        if (outcome.nodes == max_nodes) {
            outcome.truncated = true;
            break;
        }
        path.resize(frame.path_length);
        path += entry.name;
        path += u'\\';
        FolderNode& node = tree.AddChild(frame.parent, std::move(entry.name));
        ++outcome.nodes;
        stack.push_back(Open(fs, path, &node)); // `frame` is not used past this point
    }
    return outcome;
}

ScanOutcome ScanDirectory(FolderTree& tree, const std::u16string& directory, FileSystem& fs,
                          const BusyCursorSwitch& busy_cursor) {
    if (busy_cursor)
        busy_cursor(true);
    tree.BeginUpdate();
    ScanOutcome outcome;
    try {
        tree.Clear();
        outcome = GetDirectories(tree, directory, nullptr, fs);
        tree.FullExpand();
    } catch (...) {
        if (busy_cursor)
            busy_cursor(false);
        tree.EndUpdate();
        throw;
    }
    if (busy_cursor)
        busy_cursor(false);
    tree.EndUpdate();
    return outcome;
}

} // namespace core
