// Megapixels per second of the painters' hot loops and of their pixman counterparts, at
// 64 x 64, 256 x 256 and 1024 x 1024 destination pixels. compare.py turns a run into ratios.

#include "bench_images.h"
#include "skin/data/skin_loader.h"
#include "skin/render/blends.h"
#include "skin/render/border_mask.h"
#include "skin/render/fills.h"
#include "skin/render/resample.h"
#include "skin/render/stretch.h"

#include <benchmark/benchmark.h>
#include <cstring>

namespace {

using namespace skin::render;
namespace data = skin::data;
using bench::AlphaKind;
using bench::MakeImage;
using bench::PixmanView;

void CountPixels(benchmark::State& state, int pixels) {
    state.counters["Mpix/s"] =
        benchmark::Counter(pixels / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

// ---- the floor and the fills ----

void BM_Memcpy(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    SkinBitmap src = MakeImage(n, n, AlphaKind::Opaque, 1);
    SkinBitmap dst(n, n);
    for (auto _ : state) {
        std::memcpy(dst.Row(0), src.Row(0), static_cast<std::size_t>(n) * n * sizeof(Pixel));
        benchmark::ClobberMemory();
    }
    CountPixels(state, n * n);
}

void BM_FillRectOpaque(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    SkinBitmap dst(n, n);
    for (auto _ : state) {
        FillRectOpaque(dst, {0, 0, n, n}, 0xE8E8E8);
        benchmark::ClobberMemory();
    }
    CountPixels(state, n * n);
}

void BM_PixmanFill(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    SkinBitmap dst(n, n);
    for (auto _ : state) {
        pixman_fill(dst.Row(0), static_cast<int>(dst.Stride()), 32, 0, 0, n, n, 0xFFE8E8E8);
        benchmark::ClobberMemory();
    }
    CountPixels(state, n * n);
}

// ---- blends and composites ----

void BM_BlendPart(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    SkinBitmap src = MakeImage(n, n, AlphaKind::Random, 2);
    SkinBitmap dst = MakeImage(n, n, AlphaKind::Opaque, 3);
    for (auto _ : state) {
        BlendPart(dst, src, 127, {0, 0}, {0, 0, n, n});
        benchmark::ClobberMemory();
    }
    CountPixels(state, n * n);
}

void Composite(benchmark::State& state, AlphaKind alpha) {
    const int n = static_cast<int>(state.range(0));
    SkinBitmap src = MakeImage(n, n, alpha, 4);
    SkinBitmap dst = MakeImage(n, n, AlphaKind::Opaque, 5);
    for (auto _ : state) {
        CopyAlphaComposite({0, 0, n, n}, {0, 0, n, n}, dst, false, EmptyCacheInfo, src);
        benchmark::ClobberMemory();
    }
    CountPixels(state, n * n);
}
void BM_CopyAlphaCompositeRandom(benchmark::State& state) {
    Composite(state, AlphaKind::Random);
}
void BM_CopyAlphaCompositeUiLike(benchmark::State& state) {
    Composite(state, AlphaKind::UiLike);
}

void PixmanOver(benchmark::State& state, AlphaKind alpha) {
    const int n = static_cast<int>(state.range(0));
    SkinBitmap src = MakeImage(n, n, alpha, 4);
    SkinBitmap dst = MakeImage(n, n, AlphaKind::Opaque, 5);
    pixman_image_t* s = PixmanView(src);
    pixman_image_t* d = PixmanView(dst);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_OVER, s, nullptr, d, 0, 0, 0, 0, 0, 0, n, n);
        benchmark::ClobberMemory();
    }
    pixman_image_unref(s);
    pixman_image_unref(d);
    CountPixels(state, n * n);
}
void BM_PixmanOverRandom(benchmark::State& state) {
    PixmanOver(state, AlphaKind::Random);
}
void BM_PixmanOverUiLike(benchmark::State& state) {
    PixmanOver(state, AlphaKind::UiLike);
}

// ---- scaling: a source half the size (or twice the size) of the destination ----

void BM_StretchNearest(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    SkinBitmap src = MakeImage(n / 2, n / 2, AlphaKind::Opaque, 6);
    SkinBitmap dst(n, n);
    for (auto _ : state) {
        StretchNearest(dst, {0, 0, n, n}, src, {0, 0, n / 2, n / 2});
        benchmark::ClobberMemory();
    }
    CountPixels(state, n * n);
}

void Resample(benchmark::State& state, FilterKind filter, int source) {
    const int n = static_cast<int>(state.range(0));
    SkinBitmap src = MakeImage(source, source, AlphaKind::Random, 7);
    SkinBitmap dst;
    for (auto _ : state) {
        ResampleFiltered(src, dst, n, filter, n);
        benchmark::ClobberMemory();
    }
    CountPixels(state, n * n);
}
void BM_ResampleTriangleUp(benchmark::State& state) {
    Resample(state, fkTriangle, static_cast<int>(state.range(0)) / 2);
}
void BM_ResampleMitchellUp(benchmark::State& state) {
    Resample(state, fkMitchell, static_cast<int>(state.range(0)) / 2);
}
void BM_ResampleMitchellDown(benchmark::State& state) {
    Resample(state, fkMitchell, static_cast<int>(state.range(0)) * 2);
}

// pixman scales by transforming destination coordinates into the source.
void PixmanScale(benchmark::State& state, pixman_filter_t filter, int source, bool convolution) {
    const int n = static_cast<int>(state.range(0));
    SkinBitmap src = MakeImage(source, source, AlphaKind::Random, 7);
    SkinBitmap dst(n, n);
    pixman_image_t* s = PixmanView(src);
    pixman_image_t* d = PixmanView(dst);
    const double ratio = static_cast<double>(source) / n;
    pixman_transform_t transform;
    pixman_transform_init_scale(&transform, pixman_double_to_fixed(ratio),
                                pixman_double_to_fixed(ratio));
    pixman_image_set_transform(s, &transform);
    if (convolution) {
        // Shrinking samples the cubic (Mitchell) kernel over the wider footprint; enlarging
        // reconstructs with it.
        const bool shrink = ratio > 1;
        int count = 0;
        const pixman_fixed_t scale = pixman_double_to_fixed(shrink ? ratio : 1.0);
        pixman_fixed_t* params = pixman_filter_create_separable_convolution(
            &count, scale, scale, shrink ? PIXMAN_KERNEL_IMPULSE : PIXMAN_KERNEL_CUBIC,
            shrink ? PIXMAN_KERNEL_IMPULSE : PIXMAN_KERNEL_CUBIC,
            shrink ? PIXMAN_KERNEL_CUBIC : PIXMAN_KERNEL_IMPULSE,
            shrink ? PIXMAN_KERNEL_CUBIC : PIXMAN_KERNEL_IMPULSE, 4, 4);
        pixman_image_set_filter(s, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, params, count);
        free(params);
    } else {
        pixman_image_set_filter(s, filter, nullptr, 0);
    }
    pixman_image_set_repeat(s, PIXMAN_REPEAT_PAD);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_SRC, s, nullptr, d, 0, 0, 0, 0, 0, 0, n, n);
        benchmark::ClobberMemory();
    }
    pixman_image_unref(s);
    pixman_image_unref(d);
    CountPixels(state, n * n);
}
void BM_PixmanNearestUp(benchmark::State& state) {
    PixmanScale(state, PIXMAN_FILTER_NEAREST, static_cast<int>(state.range(0)) / 2, false);
}
void BM_PixmanBilinearUp(benchmark::State& state) {
    PixmanScale(state, PIXMAN_FILTER_BILINEAR, static_cast<int>(state.range(0)) / 2, false);
}
void BM_PixmanConvolutionUp(benchmark::State& state) {
    PixmanScale(state, PIXMAN_FILTER_NEAREST, static_cast<int>(state.range(0)) / 2, true);
}
void BM_PixmanConvolutionDown(benchmark::State& state) {
    PixmanScale(state, PIXMAN_FILTER_NEAREST, static_cast<int>(state.range(0)) * 2, true);
}

// ---- the nine-piece border of the main window's "Create Folders" button (137 x 34) ----

const data::LoadedSkin& InternalSkin() {
    static const auto loaded = [] {
        auto reader = std::make_unique<data::TacSkinConvertor>();
        data::LoadSkinPackageFile(ARBORDIR_INTERNAL_SKIN_PACKAGE, reader, true);
        const data::SkinOptions options = data::SkinOptions::Parse(*reader->Options);
        data::PackageFileSource files(*reader);
        auto skin = std::make_unique<data::LoadedSkin>();
        data::LoadSkin(*skin, options, files);
        return skin;
    }();
    return *loaded;
}

void BM_BorderCreateFolders(benchmark::State& state) {
    const data::LoadedSkin& skin = InternalSkin();
    const int index = skin.GetSkinIndex(u"BUTTON");
    const int border = skin.gd[static_cast<std::size_t>(index)].BorderIndex;
    SkinBitmap background = MakeImage(137, 34, AlphaKind::Opaque, 8);
    SkinBitmap dst = MakeImage(137, 34, AlphaKind::Opaque, 9);
    const TCacheInfo behind{&background, 0, 0, kKeyColor, true};
    for (auto _ : state) {
        const MaskSource mask = MaskFromSkin(&skin, border);
        DrawBorderMask(dst, {0, 0, 137, 34}, true, static_cast<int>(state.range(0)), mask, behind);
        benchmark::ClobberMemory();
    }
    CountPixels(state, 137 * 34);
}

} // namespace

BENCHMARK(BM_BorderCreateFolders)->Arg(0)->Arg(1);

#define SIZES ->Arg(64)->Arg(256)->Arg(1024)
BENCHMARK(BM_Memcpy) SIZES;
BENCHMARK(BM_FillRectOpaque) SIZES;
BENCHMARK(BM_PixmanFill) SIZES;
BENCHMARK(BM_BlendPart) SIZES;
BENCHMARK(BM_PixmanOverRandom) SIZES;
BENCHMARK(BM_PixmanOverUiLike) SIZES;
BENCHMARK(BM_CopyAlphaCompositeRandom) SIZES;
BENCHMARK(BM_CopyAlphaCompositeUiLike) SIZES;
BENCHMARK(BM_StretchNearest) SIZES;
BENCHMARK(BM_PixmanNearestUp) SIZES;
BENCHMARK(BM_PixmanBilinearUp) SIZES;
BENCHMARK(BM_ResampleTriangleUp) SIZES;
BENCHMARK(BM_ResampleMitchellUp) SIZES;
BENCHMARK(BM_PixmanConvolutionUp) SIZES;
BENCHMARK(BM_ResampleMitchellDown) SIZES;
BENCHMARK(BM_PixmanConvolutionDown) SIZES;

BENCHMARK_MAIN();
