#pragma once

// Folders on the real disk, for the end-to-end tests that create and check them.

#include <string>

namespace testing_support {

bool DirectoryExists(const std::wstring& path);
// Removes a directory with everything in it.
void RemoveTree(const std::wstring& path);

} // namespace testing_support
