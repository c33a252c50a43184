#include "skin/data/parent_chains.h"

#include <gtest/gtest.h>
#include <random>

namespace skin::data {
namespace {

// The chain walked one section at a time, stopping at the first section seen before.
int FirstOnChainSlowly(const std::vector<int>& parents, const std::vector<bool>& has, int s) {
    std::vector<bool> seen(parents.size());
    for (int v = s; v >= 0 && !seen[static_cast<std::size_t>(v)];
         v = parents[static_cast<std::size_t>(v)]) {
        if (has[static_cast<std::size_t>(v)])
            return v;
        seen[static_cast<std::size_t>(v)] = true;
    }
    return -1;
}

// Random parent graphs of every shape (ends, trees, loops of every length with trees hanging
// off them, self loops) against the walk above.
TEST(ParentChains, AgreeWithWalkingEveryChain) {
    std::mt19937 rng(7);
    for (int round = 0; round < 400; ++round) {
        const int n = 1 + static_cast<int>(rng() % 60);
        std::vector<int> parents(static_cast<std::size_t>(n));
        std::vector<bool> has(static_cast<std::size_t>(n));
        const unsigned ends = 1 + rng() % 8;
        const unsigned with = 1 + rng() % 10;
        for (int i = 0; i < n; ++i) {
            parents[static_cast<std::size_t>(i)] =
                rng() % 16 < ends ? -1 : static_cast<int>(rng() % static_cast<unsigned>(n));
            has[static_cast<std::size_t>(i)] = rng() % 16 < with;
        }
        const std::vector<int> first =
            FirstOnChain(parents, [&](int s) { return has[static_cast<std::size_t>(s)]; });
        for (int i = 0; i < n; ++i)
            ASSERT_EQ(first[static_cast<std::size_t>(i)], FirstOnChainSlowly(parents, has, i))
                << "round " << round << " section " << i;
    }
}

TEST(ParentChains, AskEverySectionOnceForALongChain) {
    constexpr int kSections = 100000;
    std::vector<int> parents(kSections);
    for (int i = 0; i < kSections; ++i)
        parents[static_cast<std::size_t>(i)] = i + 1 < kSections ? i + 1 : 0; // one big loop
    int asked = 0;
    const std::vector<int> first = FirstOnChain(parents, [&](int s) {
        ++asked;
        return s == kSections / 2;
    });
    EXPECT_LE(asked, 2 * kSections);
    EXPECT_EQ(first[0], kSections / 2);
    EXPECT_EQ(first[kSections / 2 + 1], kSections / 2);
}

} // namespace
} // namespace skin::data
