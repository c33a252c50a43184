#include "core/folder_creation.h"

#include "core/error.h"
#include "core/path.h"

namespace core {

bool ForceDirectories(FileSystem& fs, const std::u16string& path, std::uint32_t* error) {
    if (path.empty())
        throw InOutError(u"Unable to create directory", 3);
    // Each step goes one directory up, so this loop replaces the recursion of the rule with
    // a list of the directories that are missing, outermost last.
    std::vector<std::u16string> missing;
    std::u16string current = ExcludeTrailingPathDelimiter(path);
    while (true) {
        if (current.size() < 3 || fs.DirectoryExists(current))
            break;
        std::u16string parent = ExtractFilePath(current);
        if (parent == current)
            break;
        missing.push_back(current);
        if (parent.empty())
            break;
        // A doubled separator ("X:\Out\\A") names the same parent as a single one; removing
        // only one backslash would take "X:\Out\" for a root and never create "X:\Out".
        while (parent.size() > 1 && parent.back() == u'\\')
            parent.pop_back();
        current = std::move(parent);
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (std::uint32_t code = fs.MakeDirectory(*it)) {
            if (error)
                *error = code;
            return false;
        }
    }
    return true;
}

namespace {

// The common case in one call: walking in pre-order, the parent was made just before. A missing
// parent, a folder that exists, a refusal and paths with doubled separators take the full way.
bool CreateFolder(FileSystem& fs, const std::u16string& full, std::uint32_t* error) {
    const std::u16string path = ExcludeTrailingPathDelimiter(full);
    const bool plain =
        path.size() >= 3 && path.back() != u'\\' && path.find(u"\\\\", 2) == std::u16string::npos;
    if (plain && fs.MakeDirectory(path) == 0)
        return true;
    return ForceDirectories(fs, full, error);
}

} // namespace

CreationReport CreateFolders(const FolderTree& tree, const std::u16string& destination,
                             FileSystem& fs, const NameCheck& names,
                             const CreationProgress& progress) {
    CreationReport report;
    const std::size_t total = tree.Count();
    for (const FolderNode* node = tree.GetFirstNode(); node; node = FolderTree::GetNext(*node)) {
        ++report.nodes;
        if (names.Of(*node).Refused()) {
            ++report.left_out;
        } else {
            std::u16string full = destination + u'\\' + PathAsCreated(*node);
            std::uint32_t error = 0;
            if (!CreateFolder(fs, full, &error))
                report.failures.push_back({node, std::move(full), error});
        }
        if (progress)
            progress(report.nodes, total);
    }
    return report;
}

} // namespace core
