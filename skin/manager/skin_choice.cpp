#include "skin/manager/skin_choice.h"

#include <algorithm>
#include <cmath>

namespace skin::manager {
namespace {

char16_t Lower(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c;
}

bool EndsWithNoCase(std::u16string_view text, std::u16string_view tail) {
    if (text.size() < tail.size())
        return false;
    text.remove_prefix(text.size() - tail.size());
    return std::equal(text.begin(), text.end(), tail.begin(),
                      [](char16_t a, char16_t b) { return Lower(a) == Lower(b); });
}

bool StartsWith(std::u16string_view text, std::u16string_view head) {
    return text.substr(0, head.size()) == head;
}

bool FileExists(core::FileSystem& fs, const std::u16string& path) {
    std::string bytes;
    return !fs.DirectoryExists(path) && fs.ReadWholeFile(path, bytes) == 0;
}

bool IsFolderSkin(core::FileSystem& fs, const std::u16string& folder) {
    return fs.DirectoryExists(folder) && FileExists(fs, folder + std::u16string(kOptionsFileName));
}

} // namespace

std::u16string StoredSkinName(std::u16string_view name) {
    if (name.size() > kPackageExtension.size() && EndsWithNoCase(name, kPackageExtension))
        name.remove_suffix(kPackageExtension.size());
    return std::u16string(name);
}

std::u16string NormalisedDirectory(std::u16string_view folder) {
    std::u16string result(folder);
    if (result.empty())
        return result;
    if (result.back() == u'/')
        result.back() = u'\\';
    if (result.back() != u'\\')
        result += result.size() == 1 ? u":\\" : u"\\";
    return result;
}

std::u16string FullSkinDirectory(std::u16string_view d, std::u16string_view a) {
    std::u16string result;
    if (StartsWith(d, u"..")) {
        std::u16string_view parent = a.substr(0, a.empty() ? 0 : a.size() - 1);
        size_t cut = parent.find_last_of(u"\\/");
        parent =
            cut == std::u16string_view::npos ? std::u16string_view() : parent.substr(0, cut + 1);
        result = std::u16string(parent) + std::u16string(d.substr(std::min<size_t>(3, d.size())));
    } else if (StartsWith(d, u".\\") || StartsWith(d, u"./")) {
        result = std::u16string(a) + std::u16string(d.substr(2));
    } else if (d.find(u':') == std::u16string_view::npos &&
               d.find(u"\\\\") == std::u16string_view::npos) {
        result = std::u16string(a) + std::u16string(d);
    } else {
        result = std::u16string(d);
    }
    return NormalisedDirectory(result);
}

std::vector<std::u16string> ListSkinNames(core::FileSystem& fs,
                                          const std::vector<std::u16string>& internal_names,
                                          const std::u16string& full_directory, SkinTypes filter,
                                          std::u16string& first) {
    std::vector<std::u16string> names = internal_names;
    std::vector<core::DirectoryEntry> entries;
    if (!full_directory.empty() && fs.DirectoryExists(full_directory) &&
        fs.ListDirectory(full_directory, entries) == 0) {
        for (const core::DirectoryEntry& entry : entries) {
            if (entry.name.empty() || entry.name.front() == u'.')
                continue;
            if (entry.IsDirectory()) {
                if (filter != SkinTypes::stPacked &&
                    FileExists(fs, full_directory + entry.name + u"\\" +
                                       std::u16string(kOptionsFileName)))
                    names.push_back(entry.name);
            } else if (filter != SkinTypes::stUnpacked && entry.name.size() >= 4 &&
                       std::u16string_view(entry.name).substr(entry.name.size() - 4) ==
                           kPackageExtension) {
                names.push_back(entry.name.substr(0, entry.name.find(u'.')));
            }
        }
    }
    first = names.empty() ? std::u16string() : names.front();
    std::sort(names.begin(), names.end());
    return names;
}

SkinChoice ChooseSkin(core::FileSystem& fs, std::u16string_view name,
                      std::u16string_view skin_directory, const std::u16string& full_directory,
                      const std::vector<std::u16string>& internal_names, bool folder_first) {
    SkinChoice choice;
    choice.name = std::u16string(name);
    const std::u16string folder = full_directory + choice.name + u"\\";
    const bool folder_skin = !full_directory.empty() && !name.empty() && IsFolderSkin(fs, folder);
    const std::u16string package =
        NormalisedDirectory(skin_directory) + choice.name + std::u16string(kPackageExtension);
    if (!name.empty() && !(folder_first && folder_skin) && FileExists(fs, package)) {
        choice.source = SkinSource::Package;
        choice.path = package;
        return choice;
    }
    if (folder_skin) {
        choice.source = SkinSource::Folder;
        choice.path = folder;
        return choice;
    }
    if (internal_names.empty())
        return choice;
    auto found = std::find(internal_names.begin(), internal_names.end(), choice.name);
    choice.internal_index = found == internal_names.end() ? 0 : int(found - internal_names.begin());
    choice.name = internal_names[size_t(choice.internal_index)];
    choice.source = SkinSource::Internal;
    return choice;
}

std::u16string FormatSkinVersion(double version) {
    long long hundredths = std::llround(version * 100);
    std::string text = std::to_string(hundredths / 100);
    int fraction = int(std::llabs(hundredths % 100));
    if (fraction != 0) {
        text += '.';
        text += char('0' + fraction / 10);
        if (fraction % 10 != 0)
            text += char('0' + fraction % 10);
    }
    return std::u16string(text.begin(), text.end());
}

} // namespace skin::manager
