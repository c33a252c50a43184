#include "skin/data/inherited_keys.h"

#include "core/error.h"
#include "skin/data/colors.h"

#include <string>

namespace skin::data {

namespace {

const OptionsSection* ParentOf(const SkinOptions& options, const OptionsSection& block) {
    for (const OptionsKey& k : block.Keys)
        if (k.HasValue && k.Name == u"PARENTCLASS") {
            if (k.Value.empty() || k.Value == u"?" || k.Value == block.Name)
                return nullptr;
            return options.FindSection(k.Value);
        }
    return nullptr;
}

constexpr int kInProgress = -1;

} // namespace

InheritedKeys::InheritedKeys(const SkinOptions& options) : options_(options) {
    values_.reserve(options.SectionNames().size());
    for (const std::u16string& name : options.SectionNames())
        if (const OptionsSection* block = options.FindSection(name))
            Resolve(block);
}

const InheritedValues* InheritedKeys::Of(std::u16string_view section) const {
    const OptionsSection* block = options_.FindSection(section);
    if (!block)
        return nullptr;
    auto found = resolved_.find(block);
    return found == resolved_.end() || found->second < 0 ? nullptr
                                                         : &values_[std::size_t(found->second)];
}

// Walks up to the first section already resolved (or the chain's end), then resolves the
// walked sections top down, each from its parent. Iterative: a chain of any length is fine.
int InheritedKeys::Resolve(const OptionsSection* block) {
    std::vector<const OptionsSection*> walk;
    int top = kInProgress;
    for (const OptionsSection* at = block; at;) {
        auto [entry, added] = resolved_.try_emplace(at, kInProgress);
        if (!added) {
            // Resolved before, or on this walk already: a loop, which the last walked section
            // ends.
            top = entry->second;
            break;
        }
        walk.push_back(at);
        at = ParentOf(options_, *at);
    }
    for (auto it = walk.rbegin(); it != walk.rend(); ++it) {
        InheritedValues values =
            OwnValues(**it, top < 0 ? nullptr : &values_[static_cast<std::size_t>(top)]);
        values_.push_back(std::move(values));
        top = static_cast<int>(values_.size()) - 1;
        resolved_[*it] = top;
    }
    return resolved_[block];
}

InheritedValues InheritedKeys::OwnValues(const OptionsSection& block,
                                         const InheritedValues* parent) const {
    InheritedValues values;
    if (parent)
        for (std::size_t i = 0; i < values.size(); ++i) {
            values[i] = (*parent)[i];
            values[i].IntegerIsOwn = false;
        }
    // Only the first line of a key with "=" counts, as in a lookup of the text.
    std::array<bool, kInheritedKeys.size()> seen{};
    for (const OptionsKey& k : block.Keys) {
        if (!k.HasValue)
            continue;
        std::size_t i = 0;
        while (i < kInheritedKeys.size() && kInheritedKeys[i] != k.Name)
            ++i;
        if (i == kInheritedKeys.size() || seen[i])
            continue;
        seen[i] = true;
        if (k.Value != u"?")
            values[i].Text = k.Value;
        if (const std::int32_t number = ParseInteger(k.Value).value_or(-1); number != -1) {
            values[i].Integer = number;
            values[i].IntegerIsOwn = true;
        }
    }
    return values;
}

} // namespace skin::data
