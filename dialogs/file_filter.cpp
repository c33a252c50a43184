#include "dialogs/file_filter.h"

namespace dialogs {

std::u16string PlatformFilter(std::u16string_view filter) {
    if (filter.empty())
        return std::u16string(2, u'\0');
    std::u16string platform;
    for (char16_t c : filter)
        platform += c == u'|' ? u'\0' : c;
    // A caption without a pattern would leave the platform reading past the list: the pattern
    // then repeats the caption, as a lone entry in a bar-separated list means both.
    std::size_t parts = 1;
    for (char16_t c : filter)
        parts += c == u'|';
    if (parts % 2 == 1) {
        const std::size_t last = filter.find_last_of(u'|');
        platform += u'\0';
        platform += filter.substr(last == std::u16string_view::npos ? 0 : last + 1);
    }
    platform += u'\0';
    platform += u'\0';
    return platform;
}

} // namespace dialogs
