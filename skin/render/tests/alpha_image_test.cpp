#include "bitmap_test_util.h"
#include "core/error.h"
#include "skin/data/image_decoders.h"
#include "skin/render/alpha_image.h"

#include <gtest/gtest.h>

namespace skin::render {
namespace {

using testing::Hex;

std::vector<std::uint8_t> Png(int w, int h, data::Pixel (*pixel)(int x, int y)) {
    data::Image32 image = data::MakeImage32(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.At(x, y) = pixel(x, y);
    return data::EncodePng(image);
}

// A 16 x 16 folder-like picture: a soft-edged square in the middle, clear around it.
data::Pixel Folder(int x, int y) {
    if (x < 2 || y < 3 || x > 13 || y > 12)
        return 0;
    const data::Pixel alpha = (x == 2 || x == 13) ? 0x80 : 0xFF;
    return (alpha << 24) | 0xE0B040;
}

TEST(AlphaImageTest, FormatDetectionAndMessage) {
    const auto png = Png(2, 2, [](int, int) -> data::Pixel { return 0xFF000000; });
    EXPECT_EQ(DetectImageFormat(png, u"x.ico"), TsImageFormat::ifPNG);
    const std::vector<std::uint8_t> icon{0, 0, 1, 0, 1, 0};
    EXPECT_EQ(DetectImageFormat(icon, u"C:\\a\\Folder.ICO"), TsImageFormat::ifICO);
    EXPECT_EQ(DetectImageFormat(icon, u"folder.icon"), std::nullopt);
    EXPECT_EQ(DetectImageFormat(icon, u"c:\\x.ico\\folder"), std::nullopt);
    EXPECT_EQ(DetectImageFormat(std::vector<std::uint8_t>{0x89, 0x50}, u"a.png"), std::nullopt);
    EXPECT_EQ(DetectImageFormat({}, u"a.ico"), std::nullopt);
    EXPECT_EQ(CannotLoadMessage(u"a.bmp"),
              u"Cannot load a.bmp\r\nInvalid or unexpected image format.");
}

TEST(AlphaImageTest, DecodingKeepsAlphaOrKeysAPngWithout) {
    SkinBitmap folder = DecodeAlphaPng(Png(16, 16, Folder));
    EXPECT_EQ(folder.At(0, 0), 0u);
    EXPECT_EQ(folder.At(2, 5), 0x80E0B040u) << Hex(folder.At(2, 5)); // straight, not premultiplied
    EXPECT_EQ(folder.At(7, 7), 0xFFE0B040u);

    SkinBitmap keyed = DecodeAlphaPng(
        Png(2, 1, [](int x, int) -> data::Pixel { return x == 0 ? 0xFFFF00FF : 0xFF102030; }));
    EXPECT_EQ(keyed.At(0, 0), kKeyPixel);
    EXPECT_EQ(keyed.At(1, 0), 0xFF102030u);
    EXPECT_THROW(DecodeAlphaPng(std::vector<std::uint8_t>{0x89, 0x50, 0x4E, 0x47}), core::Error);

    // Alpha from the bottom-left pixel, only when no pixel has any alpha.
    SkinBitmap plain = testing::FromRows(2, 2, {0x00112233, 0x00FFFFFF, 0x00FFFFFF, 0x00112233});
    DeriveAlphaFromBottomLeft(plain);
    EXPECT_EQ(plain.At(0, 0), 0xFF112233u);
    EXPECT_EQ(plain.At(1, 0), 0x00FFFFFFu);
    EXPECT_EQ(plain.At(1, 1), 0xFF112233u);
    SkinBitmap with_alpha = testing::FromRows(2, 1, {0x01000000, 0x00FFFFFF});
    DeriveAlphaFromBottomLeft(with_alpha);
    EXPECT_EQ(with_alpha.At(1, 0), 0x00FFFFFFu);
}

TEST(AlphaImageTest, IconMaskIsTransparentExactlyWhereAlphaIsZero) {
    SkinBitmap folder = DecodeAlphaPng(Png(16, 16, Folder));
    const auto mask = IconMaskFromAlpha(folder);
    ASSERT_EQ(mask.size(), 16u * 2u);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool transparent = (mask[y * 2 + x / 8] >> (7 - x % 8)) & 1;
            EXPECT_EQ(transparent, (folder.At(x, y) >> 24) == 0) << x << "," << y;
        }
    // Rows pad to 16 bits.
    EXPECT_EQ(IconMaskFromAlpha(SkinBitmap(17, 1)).size(), 4u);
}

TEST(AlphaImageTest, RenderingSizesAndTheCache) {
    AlphaImageItem item(TsImageFormat::ifPNG, Png(16, 16, Folder));
    // The decoded size equals the list's: the decoded image whatever size was asked for.
    SkinBitmap at32 = item.Render(16, 16, 32, 32);
    EXPECT_EQ(at32.Width(), 16);
    EXPECT_EQ(item.OrigWidth(), 16);
    ASSERT_NE(item.CacheBmp(), nullptr);
    EXPECT_EQ(item.CacheBmp()->Width(), 16);
    SkinBitmap again = item.Render(16, 16, 16, 16);
    EXPECT_EQ(testing::FirstDifference(again, at32), "");

    // On a 24 x 24 list the picture is resampled to the size asked for, and the cache follows.
    SkinBitmap big = item.Render(24, 24, 24, 24);
    EXPECT_EQ(big.Width(), 24);
    EXPECT_EQ(big.Height(), 24);
    EXPECT_EQ(item.CacheBmp()->Width(), 24);
    EXPECT_EQ(big.At(0, 0) >> 24, 0u);
    EXPECT_GT(big.At(12, 12) >> 24, 0xF0u);
    SkinBitmap small = item.Render(24, 24, 8, 8);
    EXPECT_EQ(small.Width(), 8);
    EXPECT_EQ(item.CacheBmp()->Width(), 8);

    AlphaImageItem icon(TsImageFormat::ifICO, {0, 0, 1, 0});
    EXPECT_TRUE(icon.Render(16, 16, 16, 16).IsEmpty());
    AlphaImageItem empty(TsImageFormat::ifPNG, {});
    EXPECT_TRUE(empty.Render(16, 16, 16, 16).IsEmpty());
}

} // namespace
} // namespace skin::render
