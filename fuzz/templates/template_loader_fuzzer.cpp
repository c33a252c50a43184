// Loads any bytes as a template, then checks that what was loaded saves and loads back to
// the same tree: a loaded name never begins with a blank nor holds a line break, so nothing
// may be lost on the way.

#include "core/error.h"
#include "core/template_file.h"
#include "core/text.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Levels and names in tree order. Names go through UTF-8, which is how a lone surrogate read
// from a UTF-16 file is saved.
std::vector<std::pair<int, std::string>> Shape(const core::FolderTree& tree) {
    std::vector<std::pair<int, std::string>> shape;
    for (const core::FolderNode* n = tree.GetFirstNode(); n; n = core::FolderTree::GetNext(*n))
        shape.emplace_back(n->Level(), core::ToUtf8(n->Text()));
    return shape;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    core::FolderTree tree;
    try {
        core::ReadTemplate(tree, bytes, core::Windows1252());
    } catch (const core::Error&) {
        // A level jump: the nodes before it stay and must save like any others.
    }
    if (tree.Updating())
        std::abort();

    const std::string saved = core::WriteTemplate(tree, core::Windows1252());
    core::FolderTree reloaded;
    core::ReadTemplate(reloaded, saved, core::Windows1252()); // must not raise
    if (Shape(reloaded) != Shape(tree))
        std::abort();
    return 0;
}
