#include "bitmap_test_util.h"
#include "core/error.h"
#include "skin/render/resample.h"

#include <cmath>
#include <gtest/gtest.h>

namespace skin::render {
namespace {

using testing::Byte;
using testing::FirstDifference;

// The resampler by its definition, one output sample at a time, with 64-bit sums.
int Mirror(int j, int n) {
    const int m = j < 0 ? -j : j >= n ? 2 * n - 1 - j : j;
    return m < 0 ? 0 : m >= n ? n - 1 : m;
}

std::uint8_t ReferenceSample(int n, int m, int i, FilterKind filter,
                             const std::function<int(int)>& input) {
    const double scale = m < n ? static_cast<double>(m) / n : 1.0;
    const double support = FilterSupport(filter);
    const double centre = static_cast<double>(i) * n / m;
    std::int64_t sum = 0;
    for (int j = static_cast<int>(std::floor(centre - support / scale));
         j <= static_cast<int>(std::ceil(centre + support / scale)); ++j) {
        const double x = std::abs(centre - j) * scale;
        if (x >= support)
            continue;
        const double f = filter == fkBox
                             ? ((centre - j) * scale > -0.5 && (centre - j) * scale <= 0.5)
                             : FilterValue(filter, x);
        sum += std::llround(f * scale * 65536) * input(Mirror(j, n));
    }
    return sum < 0 ? 0 : sum > 0xFF0000 ? 255 : static_cast<std::uint8_t>(sum >> 16);
}

SkinBitmap ReferenceResample(const SkinBitmap& src, int w, int h, FilterKind filter) {
    SkinBitmap across(w, src.Height());
    for (int y = 0; y < src.Height(); ++y)
        for (int x = 0; x < w; ++x) {
            Pixel p = 0;
            for (int c = 0; c < 4; ++c)
                p |= static_cast<Pixel>(ReferenceSample(
                         src.Width(), w, x, filter, [&](int j) { return Byte(src.At(j, y), c); }))
                     << (8 * c);
            across.At(x, y) = p;
        }
    SkinBitmap out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Pixel p = 0;
            for (int c = 0; c < 4; ++c)
                p |= static_cast<Pixel>(
                         ReferenceSample(src.Height(), h, y, filter,
                                         [&](int j) { return Byte(across.At(x, j), c); }))
                     << (8 * c);
            out.At(x, y) = p;
        }
    return out;
}

TEST(ResampleTest, EveryFilterMatchesTheDefinitionOverRandomSizes) {
    std::mt19937 rng(1234);
    for (int filter = fkBox; filter <= fkMitchell; ++filter) {
        for (int round = 0; round < 25; ++round) {
            const SkinBitmap src = testing::Random(2 + rng() % 14, 2 + rng() % 14, rng);
            const int w = 1 + static_cast<int>(rng() % 30);
            const int h = 1 + static_cast<int>(rng() % 30);
            SkinBitmap dst;
            ResampleFiltered(src, dst, w, static_cast<FilterKind>(filter), h);
            const SkinBitmap want = ReferenceResample(src, w, h, static_cast<FilterKind>(filter));
            ASSERT_EQ(FirstDifference(dst, want), "")
                << "filter " << filter << " " << src.Width() << "x" << src.Height() << " -> " << w
                << "x" << h;
        }
    }
}

TEST(ResampleTest, MitchellKeepsAFlatColourWithinTwoUnits) {
    // When shrinking, the kernel is sampled at fractional steps and its weights no longer add
    // up to exactly one; together with the truncating shift that costs up to two units.
    const SkinBitmap src = testing::Filled(7, 5, 0xFF80C040);
    for (const auto& [w, h] : {std::pair{20, 13}, std::pair{3, 2}, std::pair{7, 11}}) {
        SkinBitmap dst;
        ResampleFiltered(src, dst, w, fkMitchell, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < 4; ++c)
                    ASSERT_LE(std::abs(Byte(dst.At(x, y), c) - Byte(src.At(0, 0), c)), 2);
    }
}

TEST(ResampleTest, ChecksComeInTheirOrder) {
    const SkinBitmap line = testing::Filled(5, 1, 0);
    SkinBitmap dst;
    // A new height of 0 does nothing, even for a source that is too small.
    EXPECT_NO_THROW(ResampleFiltered(line, dst, 5, fkMitchell, 0));
    try {
        ResampleFiltered(line, dst, 5, fkMitchell, 1);
        ADD_FAILURE() << "a one-row source must be refused even at its own size";
    } catch (const core::Error& e) {
        EXPECT_EQ(e.Message(), u"Source bitmap is too small");
    }
    std::mt19937 rng(5);
    SkinBitmap src = testing::Random(4, 3, rng);
    ResampleFiltered(src, dst, 4, fkMitchell, 3);
    EXPECT_EQ(FirstDifference(dst, src), "");
    const Pixel first = src.At(0, 0);
    ResampleFiltered(src, src, 4, fkMitchell, 3);
    EXPECT_EQ(src.At(0, 0), first);
    // Into itself at another size.
    ResampleFiltered(src, src, 8, fkTriangle, 6);
    EXPECT_EQ(src.Width(), 8);
    EXPECT_EQ(src.Height(), 6);
}

TEST(ResampleTest, WideFiltersOnTinySourcesStayInside) {
    // The sine window reaches three pixels (more when shrinking): on a 2-pixel line the
    // mirrored indexes would fall outside it.
    std::mt19937 rng(8);
    const SkinBitmap src = testing::Random(2, 2, rng);
    for (const auto& [w, h] : {std::pair{9, 9}, std::pair{1, 1}, std::pair{2, 7}}) {
        SkinBitmap dst;
        ResampleFiltered(src, dst, w, fkSineWindow, h);
        EXPECT_EQ(FirstDifference(dst, ReferenceResample(src, w, h, fkSineWindow)), "");
    }
}

TEST(ResampleTest, WeightsOfAnUpscaleAreSymmetricAroundAnInputPixel) {
    // Output 4 of 2x sits exactly on input 2: Mitchell weights 1/18, 16/18, 1/18 of 65536.
    const ResampleWeights weights = MakeResampleWeights(8, 16, fkMitchell);
    const Contribution& c = weights.outputs[4];
    ASSERT_EQ(c.count, 3);
    EXPECT_EQ(weights.taps[c.first].index, 1);
    EXPECT_EQ(weights.taps[c.first].weight, 3641);
    EXPECT_EQ(weights.taps[c.first + 1].weight, 58254);
    EXPECT_EQ(weights.taps[c.first + 2].weight, 3641);
}

} // namespace
} // namespace skin::render
