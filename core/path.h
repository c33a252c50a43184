#pragma once

// Path string rules with backslash and colon as the delimiters of Windows paths.

#include <string>
#include <string_view>

namespace core {

std::u16string ExcludeTrailingPathDelimiter(std::u16string_view path);
std::u16string IncludeTrailingPathDelimiter(std::u16string_view path);
// Everything up to and including the last backslash or colon; empty when there is none.
std::u16string ExtractFilePath(std::u16string_view path);
// Everything after the last backslash, slash or colon.
std::u16string ExtractFileName(std::u16string_view path);

} // namespace core
