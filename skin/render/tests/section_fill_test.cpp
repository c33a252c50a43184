#include "bitmap_test_util.h"
#include "skin/data/gradient.h"
#include "skin/render/section_fill.h"
#include "skin/render/texture.h"

#include <gtest/gtest.h>

namespace skin::render {
namespace {

using testing::Filled;
using testing::Hex;

// A skin whose master bitmap holds one 2 x 2 texture (black and white checks) at (0, 0) and,
// below it, a banded 2 x 2 texture (colour row, mask row) at (0, 2).
struct TinySkin {
    data::LoadedSkin skin;
    TinySkin() {
        skin.MasterBitmap = data::MakeImage32(4, 6, 0xFF000000);
        skin.MasterBitmap.At(1, 0) = skin.MasterBitmap.At(0, 1) = 0xFFFFFFFF;
        skin.MasterBitmap.At(0, 2) = 0xFFC80000;
        skin.MasterBitmap.At(1, 2) = data::kKeyPixel;
        skin.MasterBitmap.At(0, 3) = 0x00404040;
        skin.MasterBitmap.At(1, 3) = 0;
        AddTexture({0, 0, 2, 2}, 0, 0);
        AddTexture({0, 2, 2, 4}, 1, 0);
    }
    int AddTexture(data::Rect r, int mask_type, int draw_mode) {
        data::TsMaskData m;
        m.R = r;
        m.ImageCount = 1;
        m.MaskType = static_cast<std::int16_t>(mask_type);
        m.DrawMode = static_cast<std::int16_t>(draw_mode);
        m.ImgType = data::TacImgType::itisaTexture;
        skin.ma.push_back(std::move(m));
        return static_cast<int>(skin.ma.size()) - 1;
    }
};

SectionFillParams Fill(int img, int grad, int texture, const char16_t* gradient = u"") {
    SectionFillParams f;
    f.Color = 0x0000FF; // red
    f.ImagePercent = img;
    f.GradientPercent = grad;
    f.TextureMask = texture;
    f.GradientData = gradient;
    f.Gradient = data::ParseGradient(gradient);
    return f;
}

TEST(SectionFillTest, PlainColourWhenNothingElseWeighs) {
    TinySkin t;
    SkinBitmap b = Filled(4, 4, 0);
    FillSection(b, {1, 1, 3, 3}, Fill(0, 0, -1), t.skin, EmptyCacheInfo);
    EXPECT_EQ(b.At(1, 1), 0xFFFF0000u);
    EXPECT_EQ(b.At(3, 3), 0u);
}

TEST(SectionFillTest, TextureAloneIsTintedKeepingItsPercent) {
    // Img 30 + Grad 0: the texture keeps 30 %, the colour takes the rest; nothing outside r.
    TinySkin t;
    SkinBitmap b = Filled(5, 5, 0x12345678);
    FillSection(b, {0, 0, 4, 4}, Fill(30, 0, 0), t.skin, EmptyCacheInfo);
    // White: 0.3 x 255 is just below 76.5, so green and blue are 76; red 255. Black: red
    // 0.7 x 255 is just below 178.5.
    EXPECT_EQ(b.At(1, 0), 0xFFFF4C4Cu) << Hex(b.At(1, 0));
    EXPECT_EQ(b.At(0, 0), 0xFFB20000u) << Hex(b.At(0, 0));
    EXPECT_EQ(b.At(4, 4), 0x12345678u);
    EXPECT_EQ(b.At(4, 0), 0x12345678u);
}

TEST(SectionFillTest, TextureAndGradientAddingToHundredMixInOnePass) {
    TinySkin t;
    SkinBitmap b = Filled(4, 4, 0);
    FillSection(b, {0, 0, 4, 4}, Fill(15, 85, 0, u"0;0;100;0;0"), t.skin, EmptyCacheInfo);
    // Black gradient, white texel: (38 x 255 + 0) >> 8 = 37; black texel stays 0.
    EXPECT_EQ(b.At(1, 0), 0xFF252525u) << Hex(b.At(1, 0));
    EXPECT_EQ(b.At(0, 0), 0xFF000000u);
}

TEST(SectionFillTest, GradientOverTextureKeepsTheTexturesShare) {
    // A stretched texture (mode 1) is not mixed in one pass: the gradient layer is blended
    // over it with alpha 50 x 255 div 100 = 127, then the sum 100 adds no colour.
    TinySkin t;
    const int stretched = t.AddTexture({0, 0, 2, 2}, 0, 1);
    SkinBitmap b = Filled(4, 4, 0);
    FillSection(b, {0, 0, 4, 4}, Fill(50, 50, stretched, u"0;0;100;0;0"), t.skin, EmptyCacheInfo);
    // White texel: (255 x 127 + 0 x 128 + 127) >> 8 = 127, alpha (255 x 255 + 127) >> 8 = 254.
    EXPECT_EQ(b.At(2, 0), 0xFE7F7F7Fu) << Hex(b.At(2, 0));
}

TEST(SectionFillTest, GradientWithoutTextureAndTintForPartialWeights) {
    TinySkin t;
    SkinBitmap b = Filled(3, 3, 0);
    FillSection(b, {0, 0, 3, 3}, Fill(0, 100, -1, u"16777215;16777215;100;0;0"), t.skin,
                EmptyCacheInfo);
    EXPECT_EQ(b.At(2, 2), 0xFFFFFFFFu);
    // Grad 60: the white gradient keeps 60 %, red takes 40 %.
    FillSection(b, {0, 0, 3, 3}, Fill(0, 60, -1, u"16777215;16777215;100;0;0"), t.skin,
                EmptyCacheInfo);
    EXPECT_EQ(b.At(1, 1), 0xFFFF9999u) << Hex(b.At(1, 1));
    // Grad above 0 without gradient text paints the colour.
    FillSection(b, {0, 0, 3, 3}, Fill(0, 100, -1), t.skin, EmptyCacheInfo);
    EXPECT_EQ(b.At(1, 1), 0xFFFF0000u);
}

TEST(SectionFillTest, SimplifiedFillPaintsColourAboveHundred) {
    TinySkin t;
    SkinBitmap b = Filled(3, 3, 0);
    FillSection(b, {0, 0, 3, 3}, Fill(0, 120, -1, u"16777215;16777215;100;0;0"), t.skin,
                EmptyCacheInfo, true);
    EXPECT_EQ(b.At(1, 1), 0xFFFF0000u);
    FillSection(b, {0, 0, 3, 3}, Fill(0, 120, -1, u"16777215;16777215;100;0;0"), t.skin,
                EmptyCacheInfo, false);
    EXPECT_EQ(b.At(1, 1), 0xFFFFFFFFu);
}

// Gradients that paint nothing: no segments, too few words, an unknown direction, a vertical
// gradient over one row, a horizontal one over one column. The face must be what the plain
// colour gives, whatever the bitmap held before, with and without a texture under it.
TEST(SectionFillTest, GradientsThatPaintNothingLeaveThePlainColour) {
    struct Case {
        const char16_t* gradient;
        Rect r;
    };
    const Case cases[] = {
        {u"N/A", {0, 0, 4, 4}},
        {u"255;255;100", {0, 0, 4, 4}},
        {u"255;16711680;100;7;0", {0, 0, 4, 4}},
        {u"255;16711680;100;0;0", {0, 1, 4, 2}},
        {u"255;16711680;100;1;0", {2, 0, 3, 4}},
    };
    TinySkin t;
    const int stretched = t.AddTexture({0, 0, 2, 2}, 0, 1);
    struct Weights {
        int img, grad, texture;
    };
    // Without texture; over a stretched texture (blended layer); over a tiled one (one pass).
    const Weights weights[] = {{0, 100, -1}, {0, 60, -1}, {50, 50, stretched}, {15, 85, 0}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        for (const Weights& w : weights) {
            SkinBitmap expected = Filled(4, 4, 0x00ABCDEF);
            FillSection(expected, c.r, Fill(w.img, w.grad, w.texture), t.skin, EmptyCacheInfo);
            for (const Pixel before : {0xDE9E9E9Eu, 0x00000000u, 0xFFFFFFFFu}) {
                SkinBitmap b = Filled(4, 4, before);
                FillSection(b, c.r, Fill(w.img, w.grad, w.texture, c.gradient), t.skin,
                            EmptyCacheInfo);
                for (int y = c.r.Top; y < c.r.Bottom; ++y)
                    for (int x = c.r.Left; x < c.r.Right; ++x)
                        ASSERT_EQ(b.At(x, y), expected.At(x, y))
                            << "case " << i << " img " << w.img << " at " << x << "," << y
                            << " over " << Hex(before);
            }
        }
    }
}

TEST(SectionFillTest, NewBitmapsStartClear) {
    const SkinBitmap b(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(b.At(x, y), 0u);
}

TEST(TextureTest, FillModesLeaveTheRightPartToTheColour) {
    TinySkin t;
    const MaskSource base = MaskFromSkin(&t.skin, 0);
    const struct {
        int mode;
        Rect left;
    } cases[] = {{tfTile, kNothingLeft},       {tfStretch, kNothingLeft},
                 {tfTileTop, {0, 2, 7, 5}},    {tfTileLeft, {2, 0, 7, 5}},
                 {tfStretchTop, {0, 2, 7, 5}}, {tfStretchLeft, {2, 0, 7, 5}},
                 {tfTileBottom, {0, 0, 7, 3}}, {tfTileRight, {0, 0, 5, 5}},
                 {tfWholeTiles, kNothingLeft}, {8, {5, 0, 7, 5}}};
    for (const auto& c : cases) {
        SkinBitmap b = Filled(7, 5, 0x11);
        MaskSource mask = base;
        Rect r{0, 0, 7, 5};
        PaintTexture(b, r, c.mode, mask);
        EXPECT_EQ(r, c.left) << "mode " << c.mode;
    }
    // Mode 10 paints whole rows of tiles only: rows 0 .. 3 of a 5-row rectangle.
    SkinBitmap b = Filled(7, 5, 0x11);
    Rect r{0, 0, 7, 5};
    PaintTexture(b, r, tfWholeTiles, base);
    // The last column holds only the first texel column of the tile.
    EXPECT_EQ(b.At(6, 3), 0xFFFFFFFFu);
    EXPECT_EQ(b.At(5, 3), 0xFF000000u);
    EXPECT_EQ(b.At(0, 4), 0x11u);
}

TEST(TextureTest, BandedTextureShowsBackgroundInKeyPixelsAndStrips) {
    TinySkin t;
    const MaskSource mask = MaskFromSkin(&t.skin, 1);
    SkinBitmap b = Filled(5, 3, 0x80000064);
    SkinBitmap background = Filled(10, 10, 0x00ABCDEF);
    const TCacheInfo ci{&background, 0, 0, kKeyColor, true};
    Rect r{0, 0, 5, 3};
    PaintMaskedTexture(b, r, ci, tfWholeTiles, mask);
    EXPECT_EQ(r, kNothingLeft);
    // Tiles are 2 x 1. The texel blends with mask 64; the key texel and the uncovered column
    // show the background.
    EXPECT_EQ(b.At(0, 0), 0x80960019u) << Hex(b.At(0, 0));
    EXPECT_EQ(b.At(1, 0), 0xFFABCDEFu);
    EXPECT_EQ(b.At(4, 0), 0xFFABCDEFu);
    EXPECT_EQ(b.At(0, 2), 0x80960019u);
    EXPECT_EQ(b.At(4, 2), 0xFFABCDEFu);
    Rect other{0, 0, 5, 3};
    SkinBitmap untouched = Filled(5, 3, 7);
    PaintMaskedTexture(untouched, other, ci, tfStretch, mask);
    EXPECT_EQ(untouched.At(0, 0), 7u);
}

} // namespace
} // namespace skin::render
