#include "skin/data/ansi_text.h"

#include <windows.h>

namespace skin::data {

std::u16string AnsiToUtf16(std::string_view bytes) {
    if (bytes.empty())
        return {};
    // Package names and options texts are far below 2 GB; larger input is cut, not overflowed.
    int size = bytes.size() > 0x3FFFFFFF ? 0x3FFFFFFF : static_cast<int>(bytes.size());
    int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(text.data()),
                        length);
    return text;
}

} // namespace skin::data
