#include "skin/data/section_lookup.h"

namespace skin::data {

namespace {

constexpr int kUnresolved = -2;
constexpr int kInProgress = -3;

} // namespace

SectionLookup::SectionLookup(const LoadedSkin& skin) : skin_(skin) {
    for (std::size_t i = 0; i < skin.gd.size(); ++i)
        sections_.try_emplace(skin.gd[i].ClassName, static_cast<int>(i));
    for (std::size_t i = 0; i < skin.ma.size(); ++i) {
        const TsMaskData& m = skin.ma[i];
        masks_.try_emplace({m.ClassName, m.PropertyName}, static_cast<int>(i));
        if (m.ImgType == TacImgType::itisaTexture)
            textures_.try_emplace({m.ClassName, m.PropertyName}, static_cast<int>(i));
    }
    parents_.reserve(skin.gd.size());
    for (const TsGeneralData& record : skin.gd) {
        const std::u16string& parent = record.ParentClass;
        const bool ends = parent.empty() || parent == record.ClassName;
        parents_.push_back(ends ? -1 : Section(parent));
    }
}

int SectionLookup::Section(std::u16string_view name) const {
    auto found = sections_.find(name);
    return found == sections_.end() ? -1 : found->second;
}

int SectionLookup::Own(const Map& items, std::u16string_view section_name,
                       std::u16string_view name) const {
    if (section_name.empty())
        return -1;
    auto found = items.find({section_name, name});
    return found == items.end() ? -1 : found->second;
}

int SectionLookup::Walk(const Map& items, int section, std::u16string_view section_name,
                        std::u16string_view name) const {
    for (std::size_t step = 0; step <= skin_.gd.size(); ++step) {
        if (section < 0 || section_name.empty())
            return -1;
        if (const int found = Own(items, section_name, name); found >= 0)
            return found;
        if (section >= static_cast<int>(skin_.gd.size()))
            return -1;
        const std::u16string& parent = skin_.gd[static_cast<std::size_t>(section)].ParentClass;
        if (parent.empty() || parent == section_name)
            return -1;
        section_name = parent;
        section = Section(parent);
    }
    return -1;
}

std::vector<int> SectionLookup::Resolve(const Map& items, std::u16string_view name) const {
    std::vector<int> result(skin_.gd.size(), kUnresolved);
    std::vector<int> walk;
    for (std::size_t first = 0; first < result.size(); ++first) {
        // Up to the first section worked out before (or the chain's end), then back down.
        int inherited = -1;
        for (int at = static_cast<int>(first); at >= 0;) {
            const int slot = result[static_cast<std::size_t>(at)];
            if (slot != kUnresolved) {
                inherited = slot == kInProgress ? -1 : slot;
                break;
            }
            result[static_cast<std::size_t>(at)] = kInProgress;
            walk.push_back(at);
            at = parents_[static_cast<std::size_t>(at)];
        }
        for (auto it = walk.rbegin(); it != walk.rend(); ++it) {
            const std::u16string& own_name = skin_.gd[static_cast<std::size_t>(*it)].ClassName;
            const int own = Own(items, own_name, name);
            // A section without a name has no images, its own or inherited.
            inherited = own_name.empty() ? -1 : own >= 0 ? own : inherited;
            result[static_cast<std::size_t>(*it)] = inherited;
        }
        walk.clear();
    }
    return result;
}

} // namespace skin::data
