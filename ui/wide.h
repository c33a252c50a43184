#pragma once

// The model's UTF-16 text and the platform's wide strings are the same 16-bit units; these
// views convert at the edge of the Win32 layer without copying where they can.

#include <string>
#include <string_view>

namespace ui {

inline const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline std::wstring ToWide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}
inline std::u16string FromWide(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}
inline std::u16string FromWide(const wchar_t* text) {
    return text ? FromWide(std::wstring_view(text)) : u"";
}

} // namespace ui
