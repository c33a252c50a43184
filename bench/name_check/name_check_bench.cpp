// The name check of a 100,000-node tree, which the main window runs after every change of the
// tree or the destination, beside a yardstick: putting every name, upper-cased, into a hash
// set keyed by its parent, which is the least a check for folders equal without case must do.

#include "core/name_check.h"

#include <benchmark/benchmark.h>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

constexpr int kFanOut = 10;
constexpr int kNodes = 100000;

// Breadth first, ten children a node; names as people type them, none alike among siblings.
void Build(core::FolderTree& tree) {
    std::vector<core::FolderNode*> level;
    const auto name = [](std::size_t i) {
        return u"Project folder " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
               std::u16string(1, static_cast<char16_t>(u'a' + i / 26 % 26));
    };
    for (int i = 0; i < kFanOut; ++i)
        level.push_back(&tree.Add(nullptr, name(static_cast<std::size_t>(i))));
    std::size_t count = level.size();
    for (std::size_t next = 0; count < kNodes; ++next)
        for (std::size_t i = 0; i < kFanOut && count < kNodes; ++i, ++count)
            level.push_back(&tree.AddChild(level[next], name(i)));
}

void CheckNames(benchmark::State& state) {
    core::FolderTree tree;
    Build(tree);
    for (auto _ : state) {
        const core::NameCheck check(tree, u"C:\\Users\\someone\\Documents\\Projects");
        benchmark::DoNotOptimize(check.NotAsTyped());
    }
    state.SetItemsProcessed(state.iterations() * kNodes);
}

void RawUpperCaseSet(benchmark::State& state) {
    core::FolderTree tree;
    Build(tree);
    for (auto _ : state) {
        std::unordered_set<std::u16string> seen;
        for (const core::FolderNode* n = tree.GetFirstNode(); n;
             n = core::FolderTree::GetNext(*n)) {
            std::u16string key = n->Text();
            for (char16_t& c : key)
                c = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
            key += static_cast<char16_t>(reinterpret_cast<std::uintptr_t>(n->Parent()) & 0xFFFF);
            seen.insert(std::move(key));
        }
        benchmark::DoNotOptimize(seen.size());
    }
    state.SetItemsProcessed(state.iterations() * kNodes);
}

BENCHMARK(CheckNames)->Unit(benchmark::kMillisecond);
BENCHMARK(RawUpperCaseSet)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
