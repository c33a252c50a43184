#include "skin/render/resample.h"

#include "core/error.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

#if defined(__SSE2__)

// The vector loops take the taps two at a time: madd multiplies a pair of 16-bit samples by a
// pair of 16-bit weights and adds the products. A weight of up to 65536 does not fit in 16
// bits, so it is split into w >> 8 and w & 255, summed separately and joined at the end:
// p * w = (p * (w >> 8)) * 256 + p * (w & 255). Every sum stays exact.
struct TapPair {
    int first, second; // input indexes
    __m128i high, low; // (w0 >> 8, w1 >> 8) and (w0 & 255, w1 & 255), in every channel
};

std::vector<std::vector<TapPair>> PairTaps(const ResampleWeights& weights) {
    std::vector<std::vector<TapPair>> out(weights.outputs.size());
    for (std::size_t o = 0; o < weights.outputs.size(); ++o) {
        const Contribution& c = weights.outputs[o];
        for (int k = 0; k < c.count; k += 2) {
            const Tap& a = weights.taps[static_cast<std::size_t>(c.first + k)];
            // An odd last tap is paired with a weight of 0.
            const Tap b = k + 1 < c.count ? weights.taps[static_cast<std::size_t>(c.first + k + 1)]
                                          : Tap{a.index, 0};
            auto pair = [](int w0, int w1) {
                return _mm_set1_epi32(static_cast<int>((static_cast<unsigned>(w1) << 16) |
                                                       (static_cast<unsigned>(w0) & 0xFFFF)));
            };
            out[o].push_back({a.index, b.index, pair(a.weight >> 8, b.weight >> 8),
                              pair(a.weight & 0xFF, b.weight & 0xFF)});
        }
    }
    return out;
}

// Sums of one pixel's four channels joined, shifted and clamped as Settle does.
inline __m128i SettleSums(__m128i high, __m128i low) {
    return _mm_srai_epi32(_mm_add_epi32(_mm_slli_epi32(high, 8), low), 16);
}

void ResampleAcross(const SkinBitmap& src, SkinBitmap& dst, const ResampleWeights& weights) {
    const auto pairs = PairTaps(weights);
    const __m128i zero = _mm_setzero_si128();
    for (int y = 0; y < src.Height(); ++y) {
        const Pixel* in = src.Row(y);
        Pixel* out = dst.Row(y);
        for (int x = 0; x < dst.Width(); ++x) {
            __m128i high = zero, low = zero;
            for (const TapPair& t : pairs[static_cast<std::size_t>(x)]) {
                const __m128i a = _mm_cvtsi32_si128(static_cast<int>(in[t.first]));
                const __m128i b = _mm_cvtsi32_si128(static_cast<int>(in[t.second]));
                const __m128i samples = _mm_unpacklo_epi8(_mm_unpacklo_epi8(a, b), zero);
                high = _mm_add_epi32(high, _mm_madd_epi16(samples, t.high));
                low = _mm_add_epi32(low, _mm_madd_epi16(samples, t.low));
            }
            const __m128i words = _mm_packs_epi32(SettleSums(high, low), zero);
            out[x] = static_cast<Pixel>(_mm_cvtsi128_si32(_mm_packus_epi16(words, zero)));
        }
    }
}

void ResampleDown(const SkinBitmap& src, SkinBitmap& dst, const ResampleWeights& weights) {
    const auto pairs = PairTaps(weights);
    const int width = src.Width();
    const __m128i zero = _mm_setzero_si128();
    for (int y = 0; y < dst.Height(); ++y) {
        const auto& taps = pairs[static_cast<std::size_t>(y)];
        Pixel* out = dst.Row(y);
        int x = 0;
        // Four pixels at a time, each with its own pair of sums.
        for (; x + 4 <= width; x += 4) {
            __m128i high[4] = {zero, zero, zero, zero};
            __m128i low[4] = {zero, zero, zero, zero};
            for (const TapPair& t : taps) {
                const __m128i a =
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(src.Row(t.first) + x));
                const __m128i b =
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(src.Row(t.second) + x));
                const __m128i first_two = _mm_unpacklo_epi8(a, b);
                const __m128i last_two = _mm_unpackhi_epi8(a, b);
                const __m128i samples[4] = {
                    _mm_unpacklo_epi8(first_two, zero), _mm_unpackhi_epi8(first_two, zero),
                    _mm_unpacklo_epi8(last_two, zero), _mm_unpackhi_epi8(last_two, zero)};
                for (int i = 0; i < 4; ++i) {
                    high[i] = _mm_add_epi32(high[i], _mm_madd_epi16(samples[i], t.high));
                    low[i] = _mm_add_epi32(low[i], _mm_madd_epi16(samples[i], t.low));
                }
            }
            const __m128i first =
                _mm_packs_epi32(SettleSums(high[0], low[0]), SettleSums(high[1], low[1]));
            const __m128i second =
                _mm_packs_epi32(SettleSums(high[2], low[2]), SettleSums(high[3], low[3]));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_packus_epi16(first, second));
        }
        const Contribution& c = weights.outputs[static_cast<std::size_t>(y)];
        for (; x < width; ++x)
            out[x] = Filter(src.Row(0) + x, src.Stride(), weights.taps.data() + c.first, c.count);
    }
}

#else

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
    for (int y = 0; y < dst.Height(); ++y) {
        const Contribution& c = weights.outputs[static_cast<std::size_t>(y)];
        Pixel* out = dst.Row(y);
        for (int x = 0; x < src.Width(); ++x)
            out[x] = Filter(src.Row(0) + x, src.Stride(), weights.taps.data() + c.first, c.count);
    }
}

#endif

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
