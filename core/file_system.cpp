#include "core/file_system.h"

namespace core {

std::u16string ErrorMessage(FileSystem& fs, std::uint32_t code) {
    std::u16string text = fs.ErrorText(code);
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\r' || text.back() == u'\n' ||
                             text.back() == u'.'))
        text.pop_back();
    return text;
}

} // namespace core
