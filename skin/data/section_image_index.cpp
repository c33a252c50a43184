#include "skin/data/section_image_index.h"

#include "skin/data/parent_chains.h"

namespace skin::data {

SectionImageIndex::SectionImageIndex(const LoadedSkin& skin) : skin_(skin) {
    for (std::size_t i = 0; i < skin.gd.size(); ++i)
        sections_.try_emplace(skin.gd[i].ClassName, static_cast<int>(i));
    for (std::size_t i = 0; i < skin.ma.size(); ++i) {
        const TsMaskData& m = skin.ma[i];
        masks_.try_emplace(Key{m.ClassName, m.PropertyName}, static_cast<int>(i));
        if (m.ImgType == TacImgType::itisaTexture)
            textures_.try_emplace(Key{m.ClassName, m.PropertyName}, static_cast<int>(i));
    }
    // A section without a name ends its chain at once, as a parent naming its own section does.
    parents_.reserve(skin.gd.size());
    for (const TsGeneralData& record : skin.gd) {
        const std::u16string& parent = record.ParentClass;
        const bool ends = record.ClassName.empty() || parent.empty() || parent == record.ClassName;
        auto found = ends ? sections_.end() : sections_.find(parent);
        parents_.push_back(found == sections_.end() ? -1 : found->second);
    }
}

int SectionImageIndex::Section(std::u16string_view name) const {
    auto found = sections_.find(name);
    return found == sections_.end() ? -1 : found->second;
}

int SectionImageIndex::Own(const Map& items, int section, std::u16string_view name) const {
    const std::u16string& section_name = skin_.gd[static_cast<std::size_t>(section)].ClassName;
    if (section_name.empty())
        return -1;
    auto found = items.find(Key{section_name, name});
    return found == items.end() ? -1 : found->second;
}

// A loop of parents is gone round at most once: after as many steps as there are sections
// every section of the loop has been asked.
int SectionImageIndex::OnChain(const Map& items, int section, std::u16string_view name) const {
    for (std::size_t step = 0; step <= skin_.gd.size() && section >= 0; ++step) {
        if (section >= static_cast<int>(skin_.gd.size()))
            return -1;
        const int found = Own(items, section, name);
        if (found >= 0)
            return found;
        section = parents_[static_cast<std::size_t>(section)];
    }
    return -1;
}

std::vector<int> SectionImageIndex::OfAll(const Map& items, std::u16string_view name) const {
    std::vector<int> own(skin_.gd.size());
    for (std::size_t i = 0; i < own.size(); ++i)
        own[i] = Own(items, static_cast<int>(i), name);
    const std::vector<int> owner = FirstOnChain(
        parents_, [&](int section) { return own[static_cast<std::size_t>(section)] >= 0; });
    std::vector<int> result(owner.size(), -1);
    for (std::size_t i = 0; i < owner.size(); ++i)
        if (owner[i] >= 0)
            result[i] = own[static_cast<std::size_t>(owner[i])];
    return result;
}

} // namespace skin::data
