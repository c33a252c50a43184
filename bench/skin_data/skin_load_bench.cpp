// The whole load of the internal skin (unpack, decode, parse, masks, records, cached indexes)
// beside its floor, inflating the entries and decoding the images alone, in the same run.
// The ratio of the two is the cost of everything the skin data layer adds.

#include "skin_load.h"

#include <benchmark/benchmark.h>

namespace {

void BM_LoadInternalSkin(benchmark::State& state) {
    const skin::data::Bytes package = bench::ReadInternalPackage();
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::LoadWholeSkin(package));
}
BENCHMARK(BM_LoadInternalSkin)->Unit(benchmark::kMicrosecond);

void BM_FloorInflateAndDecode(benchmark::State& state) {
    const skin::data::Bytes package = bench::ReadInternalPackage();
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::InflateAndDecode(package));
}
BENCHMARK(BM_FloorInflateAndDecode)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
