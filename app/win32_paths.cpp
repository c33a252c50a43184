#include "app/win32_paths.h"

#include "app/template_location.h"
#include "core/error.h"
#include "ui/wide.h"

#include <vector>
#include <windows.h>

namespace app {

std::u16string ExecutablePath() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size())
            return ui::FromWide(std::wstring_view(path.data(), length));
        path.resize(path.size() * 2);
    }
}

std::u16string ExpandFileName(const std::u16string& path) {
    if (const auto problem = FullPathProblem(path))
        throw core::Error(*problem);
    wchar_t full[kMaxPath];
    const DWORD length = GetFullPathNameW(ui::Wide(path), kMaxPath, full, nullptr);
    if (length == 0)
        throw core::Error(u"Invalid characters in path");
    if (length >= kMaxPath)
        throw core::Error(u"The specified path is too long");
    return ui::FromWide(std::wstring_view(full, length));
}

std::u16string ExpandedOrAsGiven(const std::u16string& path) {
    try {
        return ExpandFileName(path);
    } catch (const core::Error&) {
        return path;
    }
}

} // namespace app
