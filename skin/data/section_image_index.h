#pragma once

// The masks and textures of a skin's sections, each found along the section's PARENTCLASS
// chain: sections by name and masks by section and name through hash tables, and, for the
// records of every section at once, each chain resolved once per mask name, so that a skin of
// many sections with long chains still loads in linear time.

#include "skin/data/loaded_skin.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace skin::data {

class SectionImageIndex {
public:
    explicit SectionImageIndex(const LoadedSkin& skin);

    // The first section of that name, or -1.
    int Section(std::u16string_view name) const;
    // The section a section inherits from, or -1 where its chain ends.
    int Parent(int section) const { return parents_[static_cast<std::size_t>(section)]; }
    // The named mask (texture) of the section or of the first section of its chain that has
    // one, or -1; the rule of LoadedSkin::GetMaskIndex (GetTextureIndex).
    int Mask(int section, std::u16string_view name) const { return OnChain(masks_, section, name); }
    int Texture(int section, std::u16string_view name) const {
        return OnChain(textures_, section, name);
    }

    // Mask and Texture for every section at once.
    std::vector<int> MasksOfAll(std::u16string_view name) const { return OfAll(masks_, name); }
    std::vector<int> TexturesOfAll(std::u16string_view name) const {
        return OfAll(textures_, name);
    }

private:
    // Keyed by section and mask name, both viewing the skin's own strings.
    using Key = std::pair<std::u16string_view, std::u16string_view>;
    struct KeyHash {
        std::size_t operator()(const Key& key) const {
            const std::hash<std::u16string_view> hash;
            return hash(key.first) * 31 + hash(key.second);
        }
    };
    using Map = std::unordered_map<Key, int, KeyHash>;

    int Own(const Map& items, int section, std::u16string_view name) const;
    int OnChain(const Map& items, int section, std::u16string_view name) const;
    std::vector<int> OfAll(const Map& items, std::u16string_view name) const;

    const LoadedSkin& skin_;
    std::unordered_map<std::u16string_view, int> sections_;
    Map masks_, textures_;
    std::vector<int> parents_;
};

} // namespace skin::data
