#include "bitmap_test_util.h"
#include "skin/render/keyed_copy.h"

#include <gtest/gtest.h>

namespace skin::render {
namespace {

using testing::Filled;
using testing::Hex;

// A 2 x 2 source: key, painted magenta, half-alpha red, key.
SkinBitmap Source() {
    return testing::FromRows(2, 2, {kKeyPixel, 0xFFFF00FF, 0x80FF0000, kKeyPixel});
}

TEST(KeyedCopyTest, CopyKeyedSkipsOnlyTheWholeKeyWord) {
    SkinBitmap dst = Filled(3, 3, 0xFF111111);
    CopyKeyed(dst, Source(), 1, 1, kKeyColor);
    EXPECT_EQ(dst.At(1, 1), 0xFF111111u);
    EXPECT_EQ(dst.At(2, 1), 0xFFFF00FFu);
    EXPECT_EQ(dst.At(1, 2), 0xFFFF0000u); // alpha forced to 255
    EXPECT_EQ(dst.At(2, 2), 0xFF111111u);
    CopyKeyed(dst, Source(), -1, -1, kKeyColor);
    EXPECT_EQ(dst.At(0, 0), 0xFF111111u);
}

TEST(KeyedCopyTest, WithoutReadyCacheKeyPixelsTakeTheFillColour) {
    SkinBitmap dst = Filled(2, 2, 0);
    const TCacheInfo ci{nullptr, 0, 0, 0x0000FF, false};
    // Right and Bottom inclusive: the whole source.
    CopyKeyedRect(dst, Source(), 0, true, ci, kKeyColor, {0, 0, 1, 1}, 0);
    EXPECT_EQ(dst.At(0, 0), 0xFFFF0000u); // red fill in pixel order, alpha 255
    EXPECT_EQ(dst.At(1, 0), 0xFFFF00FFu);
    EXPECT_EQ(dst.At(0, 1), 0x80FF0000u); // copied as it is
}

TEST(KeyedCopyTest, WithReadyCacheKeyPixelsShowTheBackground) {
    SkinBitmap background = Filled(3, 3, 0x00ABCDEF);
    background.At(2, 2) = 0x00010203;
    const TCacheInfo ci{&background, 1, 1, kKeyColor, true};
    SkinBitmap dst = Filled(2, 2, 0);
    CopyKeyedRect(dst, Source(), 0, true, ci, kKeyColor, {0, 0, 1, 1}, 0);
    EXPECT_EQ(dst.At(0, 0), 0xFFABCDEFu);
    EXPECT_EQ(dst.At(1, 1), 0xFF010203u);
    EXPECT_EQ(dst.At(0, 1), 0xFFFF0000u) << "every written pixel gets alpha 255";
    // The same cache not used: key pixels are skipped, the others copied unchanged.
    SkinBitmap plain = Filled(2, 2, 0x12);
    CopyKeyedRect(plain, Source(), 0, false, ci, kKeyColor, {0, 0, 1, 1}, 0);
    EXPECT_EQ(plain.At(0, 0), 0x12u);
    EXPECT_EQ(plain.At(0, 1), 0x80FF0000u);
}

TEST(KeyedCopyTest, IntoTheCacheBitmapItselfKeyPixelsStay) {
    SkinBitmap dst = Filled(2, 2, 0x33);
    const TCacheInfo ci{&dst, 0, 0, kKeyColor, true};
    CopyKeyedRect(dst, Source(), 0, true, ci, kKeyColor, {0, 0, 1, 1}, 0);
    EXPECT_EQ(dst.At(0, 0), 0x33u);
    EXPECT_EQ(dst.At(0, 1), 0xFFFF0000u);
    // The same through another object wrapping the cache's pixels.
    SkinBitmap cache = Filled(2, 2, 0x44);
    const TCacheInfo cache_info{&cache, 0, 0, kKeyColor, true};
    SkinBitmap view = SkinBitmap::Adopt(cache.Row(0), 2, 2, 2, nullptr, nullptr);
    CopyKeyedRect(view, Source(), 0, true, cache_info, kKeyColor, {0, 0, 1, 1}, 0);
    EXPECT_EQ(cache.At(0, 0), 0x44u);
    EXPECT_EQ(cache.At(0, 1), 0xFFFF0000u);
}

TEST(KeyedCopyTest, BackgroundSmallerThanTheAreaStillGetsTheRestOfTheRowCopied) {
    SkinBitmap background = Filled(1, 1, 0x00ABCDEF);
    const TCacheInfo ci{&background, 0, 0, kKeyColor, true};
    const SkinBitmap src = testing::FromRows(3, 1, {kKeyPixel, kKeyPixel, 0xFF00FF00});
    SkinBitmap dst = Filled(3, 1, 0x44);
    CopyKeyedRect(dst, src, 0, true, ci, kKeyColor, {0, 0, 2, 0}, 0);
    EXPECT_EQ(dst.At(0, 0), 0xFFABCDEFu);
    EXPECT_EQ(dst.At(1, 0), 0x44u);
    EXPECT_EQ(dst.At(2, 0), 0xFF00FF00u);
}

TEST(KeyedCopyTest, ClipsToBothBitmapsAndMovesNegativeOrigins) {
    SkinBitmap dst = Filled(2, 2, 0);
    const TCacheInfo ci{nullptr, 0, 0, 0xFFFFFF, false};
    CopyKeyedRect(dst, Source(), 1, true, ci, kKeyColor, {-1, 0, 9, 9}, 1);
    // Source column -1 does not exist: the copy starts one column further right.
    EXPECT_EQ(dst.At(0, 0), 0u);
    EXPECT_EQ(dst.At(1, 0), 0u);
    EXPECT_EQ(dst.At(1, 1), 0u);
    SkinBitmap wide = Filled(4, 4, 0);
    CopyKeyedRect(wide, Source(), -1, true, ci, kKeyColor, {0, 0, 1, 1}, 3);
    EXPECT_EQ(wide.At(0, 3), 0xFFFF00FFu);
    EXPECT_EQ(wide.At(1, 3), 0u);
}

TEST(KeyedCopyTest, PlainVariantSkipsKeyPixels) {
    SkinBitmap dst = Filled(2, 2, 7);
    CopyKeyedRectPlain(dst, Source(), 0, 0, kKeyColor, {0, 0, 1, 1});
    EXPECT_EQ(dst.At(0, 0), 7u);
    EXPECT_EQ(dst.At(1, 0), 0xFFFF00FFu);
    EXPECT_EQ(dst.At(0, 1), 0x80FF0000u);
}

} // namespace
} // namespace skin::render
