#pragma once

// Folders on the real disk, for the end-to-end tests that create and check them.

#include <set>
#include <string>

namespace testing_support {

bool DirectoryExists(const std::wstring& path);
// Removes a directory with everything in it.
void RemoveTree(const std::wstring& path);
// Every directory below `path`, relative to it, with the names exactly as on disk.
std::set<std::wstring> FoldersBelow(const std::wstring& path);

} // namespace testing_support
