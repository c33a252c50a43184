#pragma once

// The keys of every section with PARENTCLASS inheritance applied, resolved once per section
// from its parent's already resolved values, so that loading costs time linear in the number
// of sections however long their parent chains are.

#include "skin/data/options_text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace skin::data {

// The keys a section record inherits from its parent.
inline constexpr std::array<std::u16string_view, 32> kInheritedKeys = {u"COLOR",
                                                                       u"RESERVEDBOOLEAN",
                                                                       u"GIVEOWNFONT",
                                                                       u"GLOW",
                                                                       u"GLOWMARGIN",
                                                                       u"FONTCOLOR",
                                                                       u"TCLEFT",
                                                                       u"TCTOP",
                                                                       u"TCRIGHT",
                                                                       u"TCBOTTOM",
                                                                       u"TRANSPARENCY",
                                                                       u"GRADIENTPERCENT",
                                                                       u"IMAGEPERCENT",
                                                                       u"GRADIENTDATA",
                                                                       u"SHOWFOCUS",
                                                                       u"FADINGENABLED",
                                                                       u"FADINGITERATIONS",
                                                                       u"GCOL",
                                                                       u"GSIZE",
                                                                       u"STATES",
                                                                       u"HOTFONTCOLOR",
                                                                       u"HOTTCLEFT",
                                                                       u"HOTTCTOP",
                                                                       u"HOTTCRIGHT",
                                                                       u"HOTTCBOTTOM",
                                                                       u"HGCOL",
                                                                       u"HGSIZE",
                                                                       u"HOTCOLOR",
                                                                       u"HOTTRANSPARENCY",
                                                                       u"HOTGRADIENTPERCENT",
                                                                       u"HOTGRADIENTDATA",
                                                                       u"HOTIMAGEPERCENT"};

// One key as a section sees it.
struct InheritedValue {
    // The first value along the chain that is not "?".
    std::optional<std::u16string_view> Text;
    // The first value along the chain that reads as an integer other than -1, and whether it
    // was written in the section itself.
    std::optional<std::int32_t> Integer;
    bool IntegerIsOwn = false;
};

using InheritedValues = std::array<InheritedValue, kInheritedKeys.size()>;

// The chain of a section ends at an empty parent, the parent "?", a parent naming its own
// section and a section that does not exist. In a PARENTCLASS loop the section through which
// the walk re-entered the loop ends the chain, so a loop cannot hang the load.
class InheritedKeys {
public:
    explicit InheritedKeys(const SkinOptions& options);

    // The values of a section of the text; nullptr for a name with no section.
    const InheritedValues* Of(std::u16string_view section) const;

    // The place of a key in kInheritedKeys, worked out while compiling: a key that is not
    // inherited does not compile.
    static consteval std::size_t KeyIndex(std::u16string_view key) {
        for (std::size_t i = 0; i < kInheritedKeys.size(); ++i)
            if (kInheritedKeys[i] == key)
                return i;
        throw "not an inherited key";
    }

private:
    int Resolve(const OptionsSection* block);
    InheritedValues OwnValues(const OptionsSection& block, const InheritedValues* parent) const;

    const SkinOptions& options_;
    std::vector<InheritedValues> values_;
    std::unordered_map<const OptionsSection*, int> resolved_;
};

} // namespace skin::data
