#pragma once

// 8-bit text of skin files (options texts, names in packages) in the platform's ANSI code page.
// The Win32 build converts with the system's code page; elsewhere Windows-1252 is assumed.

#include <string>
#include <string_view>

namespace skin::data {

std::u16string AnsiToUtf16(std::string_view bytes);

} // namespace skin::data
