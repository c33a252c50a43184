#include "skin/data/skin_version.h"

#include "skin/data/options_text.h"

namespace skin::data {

SkinVersion SkinVersion::Parse(std::u16string_view text) {
    auto dot = text.find(u'.');
    auto major = ParseInteger(text.substr(0, dot));
    auto minor = dot == std::u16string_view::npos ? std::optional<std::int32_t>(0)
                                                  : ParseInteger(text.substr(dot + 1));
    if (!major || !minor || *major < 0 || *minor < 0 || text.find_first_of(u"$xX-") != text.npos)
        return {};
    return {*major, *minor};
}

} // namespace skin::data
