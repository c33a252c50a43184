#include "dialogs/folder_rules.h"

#include "core/path.h"

namespace dialogs {

namespace {

bool IsLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

char16_t UpperAscii(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

std::u16string WithBackslash(std::u16string_view path) {
    std::u16string result(path);
    if (!result.empty() && result.back() == u'/')
        result.back() = u'\\';
    return core::IncludeTrailingPathDelimiter(result);
}

} // namespace

std::u16string RootPathText(std::u16string_view root) {
    if (root.size() == 1 && IsLetter(root[0]))
        return std::u16string(root) + u":\\";
    if (root.size() == 2 && IsLetter(root[0]) && root[1] == u':')
        return std::u16string(root) + u"\\";
    return WithBackslash(root);
}

std::u16string CreationFolder(std::u16string_view path) {
    if (path.size() == 1 && IsLetter(path[0]))
        return std::u16string(path) + u":\\";
    return WithBackslash(path);
}

std::u16string NewFolderCandidate(std::u16string_view folder, int n) {
    std::u16string name(folder);
    name += u"New folder";
    for (char c : std::to_string(n))
        name += static_cast<char16_t>(c);
    return name;
}

std::u16string FirstFreeNewFolder(std::u16string_view folder, const PathPredicate& taken) {
    for (int n = 1; n <= kMaxNewFolderNumber; ++n) {
        std::u16string candidate = NewFolderCandidate(folder, n);
        if (!taken(candidate))
            return candidate;
    }
    return {};
}

bool IsVirtualItemName(std::u16string_view name) {
    return name.starts_with(u"::{");
}

std::u16string DroppedFolder(const std::u16string& name, const PathPredicate& file_exists) {
    if (!file_exists(name))
        return name;
    const auto last = name.find_last_of(u'\\');
    return last == std::u16string::npos ? name : name.substr(0, last + 1);
}

std::u16string TextAfterDrop(std::u16string_view text, std::u16string_view folder,
                             bool multiple_dirs) {
    if (multiple_dirs && !text.empty())
        return std::u16string(text) + u";" + std::u16string(folder);
    return std::u16string(folder);
}

std::u16string PickerStartFolder(const std::u16string& text, const std::u16string& initial_dir,
                                 const PathPredicate& directory_exists) {
    const std::u16string& name = text.empty() ? initial_dir : text;
    return !name.empty() && directory_exists(name) ? name : std::u16string();
}

bool SamePath(std::u16string_view a, std::u16string_view b) {
    auto trim = [](std::u16string_view path) {
        // A drive root keeps its backslash: "C:\" and "C:" are not the same folder.
        if (path.size() > 3 && path.back() == u'\\')
            path.remove_suffix(1);
        return path;
    };
    a = trim(a);
    b = trim(b);
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    return true;
}

} // namespace dialogs
