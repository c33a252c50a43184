#pragma once

// Where the template commands look: the open dialog starts in the templates folder beside the
// executable, expanded to its full path, and the path's form is checked before the platform
// expands it. Portable: tested natively.

#include <optional>
#include <string>
#include <string_view>

namespace app {

// The executable's directory followed by "\templates". The directory already ends with a
// backslash, so the result holds a doubled one; expanding it to a full path removes it.
std::u16string TemplatesSearchPath(std::u16string_view executable_path);

// Why a path cannot be expanded to its full form, or none: "The specified path is too long"
// at 260 characters or more; "Invalid characters in path" for a blank path or one holding
// control characters or any of " < > |.
std::optional<std::u16string> FullPathProblem(std::u16string_view path);

// The longest path the expansion takes, in characters, plus one.
inline constexpr std::size_t kMaxPath = 260;

} // namespace app
