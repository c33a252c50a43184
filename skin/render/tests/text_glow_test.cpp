#include "bitmap_test_util.h"
#include "skin/render/text_glow.h"

#include <gtest/gtest.h>

namespace skin::render {
namespace {

// Every character is 5 pixels wide; ink is a solid block of the text's width, 8 rows high.
class BlockText : public TextRenderer {
public:
    int TextWidth(const std::u16string& text) override { return 5 * static_cast<int>(text.size()); }
    void DrawInk(GrayBitmap& mask, const std::u16string& text, const Rect& r, unsigned) override {
        ++draws;
        for (int y = r.Top; y < r.Top + 8 && y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Left + TextWidth(text) && x < r.Right; ++x)
                if (x >= 0 && y >= 0 && x < mask.Width() && y < mask.Height())
                    mask.At(x, y) = 0;
    }
    int draws = 0;
};

TEST(EllipsisTest, ShortensUntilTheDotsFit) {
    BlockText text;
    EXPECT_EQ(FitTextEllipsis(text, u"Folder", 30), u"Folder");
    // "Fol..." is 30 pixels.
    EXPECT_EQ(FitTextEllipsis(text, u"Folders", 30), u"Fol...");
    // Not even "F..." fits: empty, never "..." alone.
    EXPECT_EQ(FitTextEllipsis(text, u"Folders", 19), u"");
    EXPECT_EQ(FitTextEllipsis(text, u"Folders", 0), u"");
    EXPECT_EQ(FitTextEllipsis(text, u"", 10), u"");
}

TEST(GlowTest, MaskIsDrawnOncePerSizeWithItsOutlines) {
    BlockText text;
    SkinBitmap b = testing::Filled(40, 30, 0xFF000000);
    GrayBitmap cache;
    DrawTextGlow(b, text, u"ab", {10, 10, 30, 20}, cache, 0xFFFFFF, 2, goAll, 0);
    EXPECT_EQ(text.draws, 5);
    EXPECT_EQ(cache.Width(), 20 + 2 * 6);
    EXPECT_EQ(cache.Height(), 10 + 2 * 6);
    DrawTextGlow(b, text, u"ab", {10, 10, 30, 20}, cache, 0xFFFFFF, 2, goAll, 0);
    EXPECT_EQ(text.draws, 5) << "an unchanged size reuses the mask";
    DrawTextGlow(b, text, u"ab", {10, 10, 31, 20}, cache, 0xFFFFFF, 2, goLeft | goDown, 0);
    EXPECT_EQ(text.draws, 8);
}

TEST(GlowTest, InkTakesTheGlowColourAndGrowsAlpha) {
    BlockText text;
    SkinBitmap b = testing::Filled(30, 30, 0x00000000);
    GrayBitmap cache;
    DrawTextGlow(b, text, u"abc", {5, 5, 25, 15}, cache, 0x0000FF, 1, 0, 0);
    // Inside the ink the mask stays 0 after a small blur: full glow colour, full alpha.
    EXPECT_EQ(b.At(10, 8), 0xFFFF0000u) << testing::Hex(b.At(10, 8));
    // Far from the ink the mask is 255: nothing changes.
    EXPECT_EQ(b.At(28, 28), 0u);
    // Where the mask is m, red = 255 + m x (0 - 255) div 255 and alpha = 255 - m.
    const int m = cache.At(20 - 5 + 5, 8 - 5 + 5);
    ASSERT_GT(m, 0);
    ASSERT_LT(m, 255);
    EXPECT_EQ(testing::Byte(b.At(20, 8), 2), 255 + m * (0 - 255) / 255);
    EXPECT_EQ(testing::Byte(b.At(20, 8), 3), (255 - m) * 255 / 255);
}

} // namespace
} // namespace skin::render
