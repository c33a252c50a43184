#include "core/template_file.h"

#include "core/error.h"
#include "core/path.h"
#include "core/template_text.h"
#include "core/text.h"

namespace core {
namespace {

// Beside the target, so that the final rename stays on the same volume.
constexpr std::u16string_view kPendingSuffix = u".saving";

std::u16string TemplateText(const FolderTree& tree) {
    std::u16string text;
    // Pre-order with the level kept on the way, since asking each node for its level would
    // cost the depth of the tree per line.
    const FolderNode* node = tree.GetFirstNode();
    std::size_t level = 0;
    while (node) {
        text.append(level, u'\t');
        text += node->Text();
        text += u"\r\n";
        if (const FolderNode* child = node->FirstChild()) {
            node = child;
            ++level;
            continue;
        }
        while (node && !node->NextSibling()) {
            node = node->Parent();
            --level;
        }
        if (node)
            node = node->NextSibling();
    }
    return text;
}

[[noreturn]] void ThrowCannotCreate(FileSystem& fs, const std::u16string& path,
                                    std::uint32_t code) {
    throw Error(Format(u"Cannot create file \"%s\". %s", {path, ErrorMessage(fs, code)}));
}

} // namespace

std::string WriteTemplate(const FolderTree& tree, const AnsiCodePage& ansi) {
    return EncodeTemplateText(TemplateText(tree), ansi);
}

void ReadTemplate(FolderTree& tree, std::string_view bytes, const AnsiCodePage& ansi) {
    const std::u16string text = DecodeTemplateText(bytes, ansi);
    TreeUpdate update(tree);
    tree.Clear();

    TemplateLineReader reader(text);
    TemplateLine line;
    FolderNode* previous = nullptr; // the node added for the line before
    std::size_t previous_level = 0; // its level in the tree, not its indentation
    while (reader.Next(line)) {
        std::u16string name(line.name);
        if (!previous) {
            previous = &tree.AddChild(nullptr, std::move(name));
            previous_level = 0;
            continue;
        }
        if (line.level > previous_level + 1) {
            throw Error(Format(u"Invalid level (%d) for item \"%s\"", {line.name},
                               {static_cast<long long>(line.level)}));
        }
        if (line.level == previous_level + 1) {
            previous = &tree.AddChild(previous, std::move(name));
        } else {
            // The ancestor at the line's level (the node itself when the level is the same)
            // gets the new node as its last sibling.
            FolderNode* sibling = previous;
            for (std::size_t level = previous_level; level > line.level; --level)
                sibling = sibling->Parent();
            previous = &tree.Add(sibling, std::move(name));
        }
        previous_level = line.level;
    }
}

void SaveToFile(const FolderTree& tree, const std::u16string& path, FileSystem& fs,
                const AnsiCodePage& ansi) {
    const std::string bytes = WriteTemplate(tree, ansi);
    const std::u16string pending = path + std::u16string(kPendingSuffix);
    std::uint32_t code = fs.WriteWholeFile(pending, bytes);
    if (!code)
        code = fs.RenameReplacing(pending, path);
    if (code) {
        fs.RemoveFile(pending);
        ThrowCannotCreate(fs, path, code);
    }
}

void LoadFromFile(FolderTree& tree, const std::u16string& path, FileSystem& fs,
                  const AnsiCodePage& ansi) {
    std::string bytes;
    if (const std::uint32_t code = fs.ReadWholeFile(path, bytes))
        throw Error(Format(u"Cannot open file \"%s\". %s", {path, ErrorMessage(fs, code)}));
    ReadTemplate(tree, bytes, ansi);
}

std::u16string TemplatesDirectory(std::u16string_view executable_path) {
    return ExtractFilePath(executable_path) + u"templates\\";
}

std::u16string TemplateFilePath(std::u16string_view executable_path, std::u16string_view name) {
    return TemplatesDirectory(executable_path) + std::u16string(name) + u".arbordir";
}

} // namespace core
