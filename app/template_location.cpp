#include "app/template_location.h"

#include "core/path.h"

namespace app {

std::u16string TemplatesSearchPath(std::u16string_view executable_path) {
    return core::ExtractFilePath(executable_path) + u"\\templates";
}

std::optional<std::u16string> FullPathProblem(std::u16string_view path) {
    if (path.size() >= kMaxPath)
        return u"The specified path is too long";
    if (path.find_first_not_of(u' ') == std::u16string_view::npos)
        return u"Invalid characters in path";
    for (char16_t c : path)
        if (c < 32 || c == u'"' || c == u'<' || c == u'>' || c == u'|')
            return u"Invalid characters in path";
    return std::nullopt;
}

} // namespace app
