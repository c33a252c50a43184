#pragma once

// What the program says about names that Windows changes or refuses: the reason shown as a
// folder's tip, the question Create Folders asks before it touches the disk, and the result
// box that lists what was changed or not created. Portable: tested natively.

#include "core/folder_creation.h"
#include "core/name_check.h"

#include <cstdint>
#include <functional>
#include <string>

namespace app {

// At most this many folders are listed in the question and the result box.
inline constexpr std::size_t kFoldersListed = 5;

// Why the node's folder is not created as typed, as one sentence without its full stop.
std::u16string NameReason(const core::FolderNode& node, const core::NameVerdict& verdict);

// The question before creation, for a check that found names not created as typed: how many,
// the first few with their reasons, and whether to create the folders anyway.
std::u16string NamesQuestion(const core::NameCheck& check);

// The result box's text after creation: every folder that was changed, left out or could not
// be created, each with its reason. Empty when every folder exists as the tree shows it.
std::u16string CreationResult(const core::FolderTree& tree, const std::u16string& destination,
                              const core::NameCheck& check, const core::CreationReport& report,
                              const std::function<std::u16string(std::uint32_t)>& error_text);

// The caption while folders are created: how many of the tree's nodes are done.
std::u16string CreationProgressText(std::size_t done, std::size_t total);

} // namespace app
