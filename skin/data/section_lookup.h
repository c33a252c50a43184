#pragma once

// Hashed lookups of a loaded skin's sections and images with the PARENTCLASS fallback, for
// the loader's passes over every section: a section's image is its own image of that name or
// else its parent's, so whole passes cost time linear in the number of sections however long
// the parent chains are.

#include "skin/data/loaded_skin.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace skin::data {

class SectionLookup {
public:
    explicit SectionLookup(const LoadedSkin& skin);

    // The first section of that name, or -1.
    int Section(std::u16string_view name) const;

    // The rule of LoadedSkin::GetMaskIndex and GetTextureIndex with a section index and name:
    // the section's own item, else its parent's, and so on; a loop ends after as many steps
    // as there are sections.
    int Mask(int section, std::u16string_view section_name, std::u16string_view mask) const {
        return Walk(masks_, section, section_name, mask);
    }
    int Texture(int section, std::u16string_view section_name, std::u16string_view mask) const {
        return Walk(textures_, section, section_name, mask);
    }

    // Every section's index of the mask (or texture) of that name, each worked out once from
    // its parent's. In a PARENTCLASS loop the section through which the pass re-entered the
    // loop ends the chain.
    std::vector<int> AllMasks(std::u16string_view name) const { return Resolve(masks_, name); }
    std::vector<int> AllTextures(std::u16string_view name) const {
        return Resolve(textures_, name);
    }

private:
    // A section's name and an item's name, both views of the skin's records.
    using NamePair = std::pair<std::u16string_view, std::u16string_view>;
    struct NamePairHash {
        std::size_t operator()(const NamePair& names) const {
            const std::hash<std::u16string_view> hash;
            return hash(names.first) * 31 ^ hash(names.second);
        }
    };
    using Map = std::unordered_map<NamePair, int, NamePairHash>;

    int Walk(const Map& items, int section, std::u16string_view section_name,
             std::u16string_view name) const;
    std::vector<int> Resolve(const Map& items, std::u16string_view name) const;
    int Own(const Map& items, std::u16string_view section_name, std::u16string_view name) const;

    const LoadedSkin& skin_;
    std::unordered_map<std::u16string_view, int> sections_;
    std::vector<int> parents_;
    Map masks_, textures_;
};

} // namespace skin::data
