#pragma once

// Names as Windows compares them: without case, one UTF-16 unit at a time, so "Pod" and "pod"
// or "Über" and "über" name the same folder.

#include <string>
#include <string_view>

namespace core {

char16_t UpperCaseUnit(char16_t unit);
std::u16string UpperCase(std::u16string_view text);

} // namespace core
