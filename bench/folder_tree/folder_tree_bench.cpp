// The folder tree model on 100,000 nodes, each figure beside a yardstick of the same work done
// on plain containers: allocating the nodes, visiting them, composing their paths.

#include "core/folder_tree.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kFanOut = 10;
constexpr int kNodes = 100000; // 10 + 100 + 1,000 + 10,000 + ~89,000

// Breadth-first: every node gets up to ten children until the count is reached.
void Build(core::FolderTree& tree) {
    std::vector<core::FolderNode*> level;
    for (int i = 0; i < kFanOut; ++i)
        level.push_back(&tree.Add(nullptr, u"Folder"));
    std::size_t count = level.size();
    for (std::size_t next = 0; count < kNodes; ++next)
        for (int i = 0; i < kFanOut && count < kNodes; ++i, ++count)
            level.push_back(&tree.AddChild(level[next], u"Folder"));
}

void TreeBuild(benchmark::State& state) {
    for (auto _ : state) {
        core::FolderTree tree;
        Build(tree);
        benchmark::DoNotOptimize(tree.Count());
    }
    state.SetItemsProcessed(state.iterations() * kNodes);
}

// Yardstick: the same number of heap objects holding the same text, kept in vectors.
void RawBuild(benchmark::State& state) {
    struct Raw {
        std::u16string text;
        std::vector<std::unique_ptr<Raw>> children;
    };
    for (auto _ : state) {
        std::vector<std::unique_ptr<Raw>> nodes;
        nodes.reserve(16);
        for (int i = 0; i < kNodes; ++i)
            nodes.push_back(std::make_unique<Raw>(Raw{u"Folder", {}}));
        benchmark::DoNotOptimize(nodes.data());
    }
    state.SetItemsProcessed(state.iterations() * kNodes);
}

void TreeWalk(benchmark::State& state) {
    core::FolderTree tree;
    Build(tree);
    for (auto _ : state) {
        std::size_t visited = 0;
        for (const core::FolderNode* n = tree.GetFirstNode(); n; n = core::FolderTree::GetNext(*n))
            ++visited;
        benchmark::DoNotOptimize(visited);
    }
    state.SetItemsProcessed(state.iterations() * kNodes);
}

// Yardstick: visiting as many heap objects through a vector of pointers.
void RawWalk(benchmark::State& state) {
    std::vector<std::unique_ptr<std::u16string>> nodes;
    for (int i = 0; i < kNodes; ++i)
        nodes.push_back(std::make_unique<std::u16string>(u"Folder"));
    for (auto _ : state) {
        std::size_t length = 0;
        for (const auto& node : nodes)
            length += node->size();
        benchmark::DoNotOptimize(length);
    }
    state.SetItemsProcessed(state.iterations() * kNodes);
}

void TreePaths(benchmark::State& state) {
    core::FolderTree tree;
    Build(tree);
    for (auto _ : state) {
        std::size_t length = 0;
        for (const core::FolderNode* n = tree.GetFirstNode(); n; n = core::FolderTree::GetNext(*n))
            length += core::PathFromRoot(*n).size();
        benchmark::DoNotOptimize(length);
    }
    state.SetItemsProcessed(state.iterations() * kNodes);
}

// Yardstick: building a string of the same length per node by appending.
void RawPaths(benchmark::State& state) {
    core::FolderTree tree;
    Build(tree);
    std::vector<int> levels;
    for (const core::FolderNode* n = tree.GetFirstNode(); n; n = core::FolderTree::GetNext(*n))
        levels.push_back(n->Level());
    for (auto _ : state) {
        std::size_t length = 0;
        for (int level : levels) {
            std::u16string path;
            for (int i = 0; i <= level; ++i)
                path += u"Folder\\";
            length += path.size();
        }
        benchmark::DoNotOptimize(length);
    }
    state.SetItemsProcessed(state.iterations() * kNodes);
}

void TreeDeleteAndClear(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        core::FolderTree tree;
        Build(tree);
        state.ResumeTiming();
        // Every root's subtree but the last, one at a time, then the rest at once.
        while (tree.RootCount() > 1)
            tree.Delete(*tree.Root(0));
        tree.Clear();
        benchmark::DoNotOptimize(tree.Count());
    }
    state.SetItemsProcessed(state.iterations() * kNodes);
}

BENCHMARK(TreeBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(RawBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(TreeWalk)->Unit(benchmark::kMillisecond);
BENCHMARK(RawWalk)->Unit(benchmark::kMillisecond);
BENCHMARK(TreePaths)->Unit(benchmark::kMillisecond);
BENCHMARK(RawPaths)->Unit(benchmark::kMillisecond);
BENCHMARK(TreeDeleteAndClear)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
