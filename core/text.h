#pragma once

// Conversions between the model's UTF-16 text and UTF-8, and small formatting helpers.

#include <string>
#include <string_view>

namespace core {

// Unpaired surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view text);
// Malformed sequences become U+FFFD, one per bad byte.
std::u16string FromUtf8(std::string_view text);
// For literals in code and tests: ASCII only.
std::u16string Ascii(std::string_view text);

// Replaces each "%s" with the next string argument and each "%d" with the next number.
std::u16string Format(std::u16string_view pattern,
                      std::initializer_list<std::u16string_view> strings,
                      std::initializer_list<long long> numbers = {});

} // namespace core
