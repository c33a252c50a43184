#include "core/path.h"

namespace core {

std::u16string ExcludeTrailingPathDelimiter(std::u16string_view path) {
    if (!path.empty() && path.back() == u'\\')
        path.remove_suffix(1);
    return std::u16string(path);
}

std::u16string IncludeTrailingPathDelimiter(std::u16string_view path) {
    std::u16string result(path);
    if (result.empty() || result.back() != u'\\')
        result += u'\\';
    return result;
}

std::u16string ExtractFilePath(std::u16string_view path) {
    const auto last = path.find_last_of(u"\\:");
    return last == std::u16string_view::npos ? std::u16string()
                                             : std::u16string(path.substr(0, last + 1));
}

std::u16string ExtractFileName(std::u16string_view path) {
    const auto last = path.find_last_of(u"\\/:");
    return std::u16string(last == std::u16string_view::npos ? path : path.substr(last + 1));
}

} // namespace core
