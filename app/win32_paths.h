#pragma once

// The executable's own path and the platform's expansion of paths to their full form.

#include <string>

namespace app {

// The full path of the running program's file.
std::u16string ExecutablePath();

// The full form of a path: relative parts resolved against the current directory, "." and
// ".." and doubled separators removed. Raises core::Error "The specified path is too long" or
// "Invalid characters in path" for paths the expansion does not take.
std::u16string ExpandFileName(const std::u16string& path);
// The same, or the path as given when the expansion does not take it.
std::u16string ExpandedOrAsGiven(const std::u16string& path);

} // namespace app
