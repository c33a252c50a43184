#include "skin/render/resample.h"

#include "core/error.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skin::render {

double FilterSupport(FilterKind filter) {
    switch (filter) {
    case fkBox:
        return 0.51;
    case fkTriangle:
    case fkHermite:
        return 1;
    case fkBell:
        return 1.5;
    case fkBSpline:
    case fkMitchell:
        return 2;
    case fkSineWindow:
        return 3;
    }
    return 1;
}

double FilterValue(FilterKind filter, double x) {
    using std::numbers::pi;
    switch (filter) {
    case fkBox:
        return x > -0.5 && x <= 0.5 ? 1 : 0;
    case fkTriangle:
        return x < 1 ? 1 - x : 0;
    case fkHermite:
        return x < 1 ? (2 * x - 3) * x * x + 1 : 0;
    case fkBell:
        if (x < 0.5)
            return 0.75 - x * x;
        return x < 1.5 ? (x - 1.5) * (x - 1.5) / 2 : 0;
    case fkBSpline:
        if (x < 1)
            return x * x * x / 2 - x * x + 2.0 / 3;
        return x < 2 ? (2 - x) * (2 - x) * (2 - x) / 6 : 0;
    case fkSineWindow:
        if (x == 0)
            return 1;
        return x < 3 ? std::sin(pi * x) * std::sin(x) / (pi * x * x) : 0;
    case fkMitchell:
        if (x < 1)
            return 7.0 / 6 * x * x * x - 2 * x * x + 8.0 / 9;
        return x < 2 ? -7.0 / 18 * x * x * x + 2 * x * x - 10.0 / 3 * x + 16.0 / 9 : 0;
    }
    return 0;
}

ResampleWeights MakeResampleWeights(int in_length, int out_length, FilterKind filter) {
    ResampleWeights result;
    const double scale = out_length < in_length ? static_cast<double>(out_length) / in_length : 1.0;
    const double support = FilterSupport(filter);
    const double half_width = support / scale;
    result.outputs.resize(static_cast<std::size_t>(out_length));
    for (int i = 0; i < out_length; ++i) {
        const double centre = static_cast<double>(i) * in_length / out_length;
        Contribution& out = result.outputs[static_cast<std::size_t>(i)];
        out.first = static_cast<int>(result.taps.size());
        const int from = static_cast<int>(std::floor(centre - half_width));
        const int to = static_cast<int>(std::ceil(centre + half_width));
        for (int j = from; j <= to; ++j) {
            const double distance = std::abs(centre - j) * scale;
            if (!(distance < support))
                continue;
            const double value = filter == fkBox ? FilterValue(filter, (centre - j) * scale)
                                                 : FilterValue(filter, distance);
            const int weight = static_cast<int>(std::nearbyint(value * scale * 65536));
            if (weight == 0)
                continue;
            int index = j < 0 ? -j : j >= in_length ? 2 * in_length - 1 - j : j;
            index = std::clamp(index, 0, in_length - 1);
            result.taps.push_back({index, weight});
        }
        out.count = static_cast<int>(result.taps.size()) - out.first;
    }
    return result;
}

namespace {

inline std::uint8_t Settle(int sum) {
    if (sum < 0)
        return 0;
    if (sum > 0xFF0000)
        return 255;
    return static_cast<std::uint8_t>(sum >> 16);
}

// One output pixel from the taps of a line of pixels step apart.
inline Pixel Filter(const Pixel* line, std::ptrdiff_t step, const Tap* taps, int count) {
    int sum[4] = {0, 0, 0, 0};
    for (int k = 0; k < count; ++k) {
        const Pixel p = line[taps[k].index * step];
        const int w = taps[k].weight;
        sum[0] += static_cast<int>(p & 0xFF) * w;
        sum[1] += static_cast<int>((p >> 8) & 0xFF) * w;
        sum[2] += static_cast<int>((p >> 16) & 0xFF) * w;
        sum[3] += static_cast<int>(p >> 24) * w;
    }
    return Settle(sum[0]) | (static_cast<Pixel>(Settle(sum[1])) << 8) |
           (static_cast<Pixel>(Settle(sum[2])) << 16) | (static_cast<Pixel>(Settle(sum[3])) << 24);
}

void ResampleAcross(const SkinBitmap& src, SkinBitmap& dst, const ResampleWeights& weights) {
    for (int y = 0; y < src.Height(); ++y) {
        const Pixel* in = src.Row(y);
        Pixel* out = dst.Row(y);
        for (int x = 0; x < dst.Width(); ++x) {
            const Contribution& c = weights.outputs[static_cast<std::size_t>(x)];
            out[x] = Filter(in, 1, weights.taps.data() + c.first, c.count);
        }
    }
}

void ResampleDown(const SkinBitmap& src, SkinBitmap& dst, const ResampleWeights& weights) {
    // Whole rows at a time: each tap adds one source row into a row of sums, so the source is
    // read in the order it lies in memory.
    const int width = src.Width();
    std::vector<int> sums(static_cast<std::size_t>(width) * 4);
    for (int y = 0; y < dst.Height(); ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        const Contribution& c = weights.outputs[static_cast<std::size_t>(y)];
        for (int k = 0; k < c.count; ++k) {
            const Tap& tap = weights.taps[static_cast<std::size_t>(c.first + k)];
            const auto* in = reinterpret_cast<const std::uint8_t*>(src.Row(tap.index));
            for (int i = 0; i < width * 4; ++i)
                sums[static_cast<std::size_t>(i)] += in[i] * tap.weight;
        }
        auto* out = reinterpret_cast<std::uint8_t*>(dst.Row(y));
        for (int i = 0; i < width * 4; ++i)
            out[i] = Settle(sums[static_cast<std::size_t>(i)]);
    }
}

} // namespace

void ResampleFiltered(const SkinBitmap& src, SkinBitmap& dst, int new_width, FilterKind filter,
                      int new_height) {
    if (new_height <= 0 || new_width <= 0)
        return;
    if (src.Width() < 2 || src.Height() < 2)
        throw core::Error(u"Source bitmap is too small");
    if (new_width == src.Width() && new_height == src.Height()) {
        if (&dst != &src)
            dst = src.Clone();
        return;
    }
    SkinBitmap across(new_width, src.Height());
    ResampleAcross(src, across, MakeResampleWeights(src.Width(), new_width, filter));
    SkinBitmap result(new_width, new_height);
    ResampleDown(across, result, MakeResampleWeights(src.Height(), new_height, filter));
    dst = std::move(result);
}

} // namespace skin::render
