#pragma once

// Template files: a folder tree as plain text, one line per node in tree order, indented with
// one tab per level, every line ending in CR LF. No header and no expanded state.

#include "core/ansi_code_page.h"
#include "core/file_system.h"
#include "core/folder_tree.h"

#include <string>
#include <string_view>

namespace core {

// The bytes of the tree's template; an empty tree gives no bytes.
std::string WriteTemplate(const FolderTree& tree, const AnsiCodePage& ansi);

// Replaces the tree's nodes with those of the template, in one update batch. Any bytes are
// accepted. A line indented more than one level below the line before raises Error
// "Invalid level (%d) for item "%s""; the tree then holds the nodes read before it.
void ReadTemplate(FolderTree& tree, std::string_view bytes, const AnsiCodePage& ansi);

// Writes the tree's template to the file, replacing an existing one without a question. The
// new content goes to a file beside it first and replaces the old file only when complete,
// so a failure half-way leaves the old template as it was. Raises Error
// "Cannot create file "%s". %s" with the path and the platform's reason.
void SaveToFile(const FolderTree& tree, const std::u16string& path, FileSystem& fs,
                const AnsiCodePage& ansi = SystemAnsiCodePage());

// Replaces the tree with the file's template (see ReadTemplate). Raises Error
// "Cannot open file "%s". %s" when the file cannot be read; the tree is then unchanged.
void LoadFromFile(FolderTree& tree, const std::u16string& path, FileSystem& fs,
                  const AnsiCodePage& ansi = SystemAnsiCodePage());

// Where templates live: the folder "templates" beside the executable, with a backslash.
std::u16string TemplatesDirectory(std::u16string_view executable_path);
// The file of the template the user named: an empty name gives ".arbordir".
std::u16string TemplateFilePath(std::u16string_view executable_path, std::u16string_view name);

} // namespace core
