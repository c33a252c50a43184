#include "skin/manager/common_sections.h"

#include <algorithm>
#include <map>

namespace skin::manager {
namespace {

using Keys = std::vector<data::OptionsKey>;

void LayOver(Keys& keys, const Keys& over) {
    for (const data::OptionsKey& key : over) {
        auto same = std::find_if(keys.begin(), keys.end(),
                                 [&](const data::OptionsKey& k) { return k.Name == key.Name; });
        if (same != keys.end())
            *same = key;
        else
            keys.push_back(key);
    }
}

void Write(std::u16string& text, std::u16string_view name, const Keys& keys) {
    text += u"[";
    text += name;
    text += u"]\n";
    for (const data::OptionsKey& key : keys) {
        text += key.Name;
        if (key.HasValue) {
            text += u"=";
            text += key.Value;
        }
        text += u"\n";
    }
}

} // namespace

std::vector<std::u16string> CleanCommonSections(std::vector<std::u16string> lines) {
    for (std::u16string& line : lines)
        if (!line.empty() && line.front() != u';')
            line.erase(std::remove(line.begin(), line.end(), u' '), line.end());
    return lines;
}

data::SkinOptions MergeCommonSections(const data::SkinOptions& skin,
                                      const std::vector<std::u16string>& lines) {
    std::u16string common_text;
    for (const std::u16string& line : lines)
        (common_text += line) += u"\n";
    const data::SkinOptions common = data::SkinOptions::ParseText(common_text);

    // Every section once, in the skin's order, then the new ones in the common order.
    std::vector<std::u16string> names;
    const auto add_name = [&names](const std::u16string& name) {
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    };
    for (const std::u16string& name : skin.SectionNames())
        add_name(name);
    for (const std::u16string& name : common.SectionNames())
        add_name(name);

    std::u16string merged;
    for (const std::u16string& name : names) {
        Keys keys;
        if (const data::OptionsSection* own = skin.FindSection(name)) {
            keys = own->Keys;
        } else {
            const std::u16string parent = common.ReadString(name, u"PARENTCLASS", u"");
            if (const data::OptionsSection* base = skin.FindSection(parent))
                keys = base->Keys;
        }
        if (const data::OptionsSection* over = common.FindSection(name))
            LayOver(keys, over->Keys);
        Write(merged, name, keys);
    }
    return data::SkinOptions::ParseText(merged);
}

} // namespace skin::manager
