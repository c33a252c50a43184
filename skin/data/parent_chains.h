#pragma once

// Sections inherit along PARENTCLASS. A section's chain is itself, its parent, the parent's
// parent and so on, ending at a section without parent or at the first section seen before
// (parents may form loops in a damaged or hostile skin). FirstOnChain answers, for every section
// at once, which section of its chain is the first to have a property, in time linear in the
// number of sections however long the chains are: each section is resolved once, from its
// parent's answer.

#include <cstddef>
#include <vector>

namespace skin::data {

// parents[i] is the index of section i's parent, or -1. has(i) tells whether section i has the
// property. The result holds, for every section, the first section of its chain that has it,
// or -1.
template <typename Has>
std::vector<int> FirstOnChain(const std::vector<int>& parents, Has has) {
    const std::size_t n = parents.size();
    constexpr int kUnknown = -2;
    std::vector<int> first(n, kUnknown);
    std::vector<int> place_on_path(n, -1);
    std::vector<int> path;
    for (std::size_t start = 0; start < n; ++start) {
        if (first[start] != kUnknown)
            continue;
        // Follow the parents until a section already answered, the end, or a loop.
        path.clear();
        int v = static_cast<int>(start);
        while (v >= 0 && first[static_cast<std::size_t>(v)] == kUnknown &&
               place_on_path[static_cast<std::size_t>(v)] < 0) {
            place_on_path[static_cast<std::size_t>(v)] = static_cast<int>(path.size());
            path.push_back(v);
            v = parents[static_cast<std::size_t>(v)];
        }
        int below = -1;
        if (v >= 0 && first[static_cast<std::size_t>(v)] == kUnknown) {
            // A loop: each of its sections sees the whole loop from itself on. Going round it
            // twice backwards gives every one the next section that has the property.
            const std::size_t loop_start =
                static_cast<std::size_t>(place_on_path[static_cast<std::size_t>(v)]);
            const std::size_t k = path.size() - loop_start;
            int next_with = -1;
            for (std::size_t t = 2 * k; t-- > 0;) {
                const int section = path[loop_start + t % k];
                if (has(section))
                    next_with = section;
                if (t < k)
                    first[static_cast<std::size_t>(section)] = next_with;
            }
            path.resize(loop_start);
            below = first[static_cast<std::size_t>(v)];
        } else if (v >= 0) {
            below = first[static_cast<std::size_t>(v)];
        }
        for (std::size_t i = path.size(); i-- > 0;) {
            const int section = path[i];
            first[static_cast<std::size_t>(section)] = has(section) ? section : below;
            below = first[static_cast<std::size_t>(section)];
        }
        for (int section : path)
            place_on_path[static_cast<std::size_t>(section)] = -1;
    }
    return first;
}

} // namespace skin::data
