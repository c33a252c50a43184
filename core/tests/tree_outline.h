#pragma once

// A tree as one line for assertions: nodes in tree order, separated by commas, each prefixed
// with one '>' per level ("A,>B,>C,>>D,E").

#include "core/folder_tree.h"
#include "core/text.h"

#include <string>

namespace core::testing {

inline std::string Outline(const FolderTree& tree) {
    std::string out;
    for (const FolderNode* n = tree.GetFirstNode(); n; n = FolderTree::GetNext(*n)) {
        if (!out.empty())
            out += ',';
        out.append(static_cast<std::size_t>(n->Level()), '>');
        out += ToUtf8(n->Text());
    }
    return out;
}

} // namespace core::testing
