#include "bitmap_test_util.h"
#include "skin/render/pixel_rows.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace skin::render {
namespace {

using testing::Byte;
using testing::Hex;

// The formulas in real arithmetic, one byte at a time.
Pixel ReferenceWeighted(Pixel d, Pixel s, int alpha) {
    Pixel out = 0;
    for (int i = 0; i < 4; ++i)
        out |= static_cast<Pixel>(
                   std::floor((Byte(d, i) * alpha + Byte(s, i) * (255.0 - alpha) + 127) / 256))
               << (8 * i);
    // Colour bytes by the weights; two opaque pixels give an opaque one.
    if (Byte(d, 3) == 255 && Byte(s, 3) == 255)
        out |= 0xFF000000u;
    return out;
}

Pixel ReferenceComposite(Pixel d, Pixel s) {
    const double sa = Byte(s, 3);
    if (sa == 0)
        return d;
    Pixel out = 0;
    for (int i = 0; i < 3; ++i)
        out |= static_cast<Pixel>(
                   std::floor((Byte(d, i) * 256.0 + (Byte(s, i) - Byte(d, i)) * sa) / 256))
               << (8 * i);
    const double da = Byte(d, 3);
    out |= static_cast<Pixel>(da + std::floor(sa * (255 - da) / 255)) << 24;
    return out;
}

Pixel ReferenceMask(Pixel d, Pixel s, Pixel m) {
    Pixel out = d & 0xFF000000u;
    for (int i = 0; i < 3; ++i)
        out |=
            static_cast<Pixel>(std::floor(
                ((Byte(d, i) - Byte(s, i)) * static_cast<double>(Byte(m, i)) + Byte(s, i) * 256.0) /
                256))
            << (8 * i);
    return out;
}

class PixelRowsTest : public ::testing::Test {
protected:
    std::mt19937 rng{20240611};
    std::vector<Pixel> RandomRow(int n, bool ui_like = false) {
        std::vector<Pixel> row(static_cast<std::size_t>(n));
        for (Pixel& p : row)
            p = ui_like ? testing::UiLikePixel(rng) : static_cast<Pixel>(rng());
        return row;
    }
};

// Row lengths around the vector width catch the tails the vector loop leaves to the plain one.
TEST_F(PixelRowsTest, WeightedBlendMatchesTheRealFormulaForEveryWeight) {
    for (int alpha = 0; alpha < 256; ++alpha) {
        const int n = 1 + static_cast<int>(rng() % 19);
        // Interface-like rows are mostly opaque, where the alpha rule matters.
        const auto src = RandomRow(n, alpha % 2 == 0);
        auto fast = RandomRow(n, alpha % 2 == 0);
        auto plain = fast;
        const auto before = fast;
        rows::WeightedBlend(fast.data(), src.data(), n, alpha);
        rows::scalar::WeightedBlend(plain.data(), src.data(), n, alpha);
        for (int i = 0; i < n; ++i) {
            const Pixel want = ReferenceWeighted(before[i], src[i], alpha);
            ASSERT_EQ(fast[i], want) << "alpha " << alpha << " at " << i;
            ASSERT_EQ(plain[i], want) << "alpha " << alpha << " at " << i;
        }
    }
}

TEST_F(PixelRowsTest, WeightedBlendExtremesLoseAtMostOneUnit) {
    Pixel d[4] = {0xFFFFFFFF, 0, 0x80808080, 0x01020304};
    const Pixel s[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0, 0};
    rows::WeightedBlend(d, s, 4, 0);
    // With alpha 0 the result is (s * 255 + 127) >> 8: 255 becomes 254, 0 stays 0; but two
    // opaque pixels stay opaque.
    EXPECT_EQ(d[0], 0xFFFEFEFEu);
    EXPECT_EQ(d[1], 0xFEFEFEFEu);
    EXPECT_EQ(d[2], 0u);
    Pixel keep[1] = {0x80FF0001};
    const Pixel other[1] = {0x12345678};
    // With alpha 255 the destination stays, less up to one unit: (d x 255 + 127) >> 8.
    rows::WeightedBlend(keep, other, 1, 255);
    EXPECT_EQ(keep[0], 0x7FFE0001u) << Hex(keep[0]);
}

TEST_F(PixelRowsTest, AlphaCompositeMatchesTheRealFormula) {
    for (int round = 0; round < 400; ++round) {
        const int n = 1 + static_cast<int>(rng() % 23);
        const auto src = RandomRow(n, round % 2 == 0);
        auto fast = RandomRow(n);
        // Opaque destinations (every painted surface) take a short cut for the alpha.
        if (round % 3 == 0)
            for (Pixel& p : fast)
                p |= 0xFF000000u;
        auto plain = fast;
        const auto before = fast;
        rows::AlphaComposite(fast.data(), src.data(), n);
        rows::scalar::AlphaComposite(plain.data(), src.data(), n);
        for (int i = 0; i < n; ++i) {
            const Pixel want = ReferenceComposite(before[i], src[i]);
            ASSERT_EQ(fast[i], want) << Hex(before[i]) << " under " << Hex(src[i]);
            ASSERT_EQ(plain[i], want) << Hex(before[i]) << " under " << Hex(src[i]);
        }
    }
}

TEST_F(PixelRowsTest, AlphaCompositeOfOpaqueAndClearRunsMatchesTheRealFormula) {
    // Whole groups of opaque or clear source pixels take the short cuts of the vector loop.
    for (int round = 0; round < 300; ++round) {
        const int n = 4 + static_cast<int>(rng() % 13);
        std::vector<Pixel> src = RandomRow(n);
        for (int i = 0; i < n; ++i)
            // Whole rows of one kind, or each pixel clear or opaque at random.
            src[static_cast<std::size_t>(i)] =
                (src[static_cast<std::size_t>(i)] & 0x00FFFFFFu) |
                ((round % 3 == 2 ? rng() % 2 : round % 3) ? 0xFF000000u : 0);
        auto d = RandomRow(n);
        const auto before = d;
        rows::AlphaComposite(d.data(), src.data(), n);
        for (int i = 0; i < n; ++i)
            ASSERT_EQ(d[static_cast<std::size_t>(i)],
                      ReferenceComposite(before[static_cast<std::size_t>(i)],
                                         src[static_cast<std::size_t>(i)]));
    }
}

TEST_F(PixelRowsTest, AlphaCompositeOfEveryAlphaPair) {
    // Every source alpha over every destination alpha, with extreme colours.
    for (int sa = 0; sa < 256; ++sa) {
        std::vector<Pixel> d(256), s(256);
        for (int da = 0; da < 256; ++da) {
            d[static_cast<std::size_t>(da)] = static_cast<Pixel>(da) << 24 | 0x00FF00u;
            s[static_cast<std::size_t>(da)] = static_cast<Pixel>(sa) << 24 | 0xFF00FFu;
        }
        const auto before = d;
        rows::AlphaComposite(d.data(), s.data(), 256);
        for (int da = 0; da < 256; ++da)
            ASSERT_EQ(d[static_cast<std::size_t>(da)],
                      ReferenceComposite(before[static_cast<std::size_t>(da)],
                                         s[static_cast<std::size_t>(da)]))
                << "sa " << sa << " da " << da;
    }
}

TEST_F(PixelRowsTest, AlphaCompositeOfEveryMixOfPixelKindsInAGroup) {
    // The vector loop sorts each group of four by what its pixels are: clear, opaque or soft
    // source; opaque destination or not (alpha 254 and 128 sit next to 255 in the tests the
    // loop makes). Every mix of those kinds over four pixels, each group shifted by one to
    // three pixels so that it also straddles two groups. Red bytes of 0x80 and above put a
    // set sign bit beside the alpha byte.
    const Pixel source_alpha[] = {0, 255, 1, 128, 254};
    const Pixel destination_alpha[] = {255, 254, 128, 0};
    constexpr int kKinds = 5 * 4;
    for (int mix = 0; mix < kKinds * kKinds * kKinds * kKinds; ++mix) {
        const int shift = mix % 4;
        std::vector<Pixel> src = RandomRow(4 + shift);
        std::vector<Pixel> dst = RandomRow(4 + shift);
        int kinds = mix;
        for (int i = shift; i < 4 + shift; ++i, kinds /= kKinds) {
            const auto at = static_cast<std::size_t>(i);
            src[at] = (src[at] & 0x00FFFFFFu) | source_alpha[kinds % kKinds % 5] << 24;
            dst[at] = (dst[at] & 0x00FFFFFFu) | destination_alpha[kinds % kKinds / 5] << 24;
        }
        const auto before = dst;
        rows::AlphaComposite(dst.data(), src.data(), 4 + shift);
        for (std::size_t i = 0; i < dst.size(); ++i)
            ASSERT_EQ(dst[i], ReferenceComposite(before[i], src[i]))
                << Hex(before[i]) << " under " << Hex(src[i]) << ", mix " << mix;
    }
}

TEST_F(PixelRowsTest, MaskBlendMatchesTheRealFormulaAndKeepsAlpha) {
    for (int round = 0; round < 400; ++round) {
        const int n = 1 + static_cast<int>(rng() % 23);
        const auto src = RandomRow(n);
        const auto mask = RandomRow(n);
        auto fast = RandomRow(n);
        auto plain = fast;
        const auto before = fast;
        rows::MaskBlend(fast.data(), src.data(), mask.data(), n);
        rows::scalar::MaskBlend(plain.data(), src.data(), mask.data(), n);
        for (int i = 0; i < n; ++i) {
            const Pixel want = ReferenceMask(before[i], src[i], mask[i]);
            ASSERT_EQ(fast[i], want);
            ASSERT_EQ(plain[i], want);
        }
    }
}

TEST_F(PixelRowsTest, FillWritesExactlyTheCountGiven) {
    for (int n = 0; n < 20; ++n) {
        std::vector<Pixel> row(24, 0x11111111);
        rows::Fill(row.data() + 1, n, 0xFF00FF00);
        EXPECT_EQ(row[0], 0x11111111u);
        for (int i = 1; i <= n; ++i)
            ASSERT_EQ(row[static_cast<std::size_t>(i)], 0xFF00FF00u);
        EXPECT_EQ(row[static_cast<std::size_t>(n) + 1], 0x11111111u);
    }
}

#if defined(__x86_64__) || defined(_M_X64)
TEST(PixelRowsBuildTest, VectorRowsAreCompiledOnX86_64) {
    EXPECT_TRUE(rows::HasVectorRows());
}
#endif

} // namespace
} // namespace skin::render
