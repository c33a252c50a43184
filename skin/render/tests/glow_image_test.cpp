// The glow halo: its size, crop and place around a control, and its image from the internal
// skin's edit glow (GLOW0 with 8-pixel borders, GLOWMARGIN 3).

#include "skin/data/testing/internal_skin.h"
#include "skin/render/glow_image.h"

#include <gtest/gtest.h>

namespace skin::render {
namespace {

constexpr GlowMaskWidths kEdit{8, 8, 8, 8};

TEST(GlowImageTest, AFullyVisibleControlGetsTheWholeHaloAroundIt) {
    const Rect control{100, 50, 300, 71}; // 200 x 21 on the screen
    const GlowPlacement p = PlaceGlow(control, {0, 0, 200, 21}, kEdit, 3);
    EXPECT_EQ(p.Width, 200 + 8 + 8 - 6);
    EXPECT_EQ(p.Height, 21 + 8 + 8 - 6);
    EXPECT_EQ(p.Kept, (Rect{0, 0, 210, 31}));
    EXPECT_EQ(p.Position, (Point{100 + 3 - 8, 50 + 3 - 8}));

    const GlowPlacement unequal = PlaceGlow(control, {0, 0, 200, 21}, {2, 4, 6, 10}, 1);
    EXPECT_EQ(unequal.Width, 200 + 2 + 6 - 2);
    EXPECT_EQ(unequal.Height, 21 + 4 + 10 - 2);
    EXPECT_EQ(unequal.Position, (Point{100 + 1 - 2, 50 + 1 - 4}));
}

TEST(GlowImageTest, APartlyHiddenControlKeepsTheHaloOfItsVisiblePart) {
    const Rect control{0, 0, 200, 21};
    // Cut off at the right by 50 pixels: the right cut is 200 + 8 - 150 - 3 = 55.
    GlowPlacement p = PlaceGlow(control, {0, 0, 150, 21}, kEdit, 3);
    EXPECT_EQ(p.Kept, (Rect{0, 0, 210 - 55, 31}));
    EXPECT_EQ(p.Position, (Point{-5, -5}));
    // Cut off at the left by 40: dx = 8 + 40 - 3 = 45; the right edge is visible, no cut there.
    p = PlaceGlow(control, {40, 0, 200, 21}, kEdit, 3);
    EXPECT_EQ(p.Kept, (Rect{45, 0, 210, 31}));
    // Cut off on both sides: the far cut keeps the visible width, 210 - 45 - 100 = 65.
    p = PlaceGlow(control, {40, 0, 140, 21}, kEdit, 3);
    EXPECT_EQ(p.Kept, (Rect{45, 0, 145, 31}));
    EXPECT_EQ(p.Position, (Point{-5 + 45, -5}));
    // Cut off at the top by 10 and the bottom by 5: dy = 8 + 10 - 3 = 15, bottom cut
    // = 31 - 15 - 6 = 10.
    p = PlaceGlow(control, {0, 10, 200, 16}, kEdit, 3);
    EXPECT_EQ(p.Kept, (Rect{0, 15, 210, 21}));
    EXPECT_EQ(p.Position, (Point{-5, -5 + 15}));
    // Nothing visible: nothing kept.
    p = PlaceGlow(control, {200, 0, 200, 21}, kEdit, 3);
    EXPECT_TRUE(p.Kept.IsEmpty());
}

TEST(GlowImageTest, TheImageIsTheMaskBorderOverClearBlack) {
    const data::LoadedSkin& skin = data::testing::InternalSkinFromPackage();
    const int edit = skin.GetSkinIndex(u"EDIT");
    ASSERT_GE(edit, 0);
    ASSERT_EQ(skin.gd[edit].GlowMargin, 3);
    const int glow = skin.GetMaskIndex(edit, u"EDIT", u"GLOW0");
    ASSERT_GE(glow, 0);
    const SkinBitmap image = MakeGlowImage(skin, glow, 210, 31);
    ASSERT_EQ(image.Width(), 210);
    ASSERT_EQ(image.Height(), 31);
    // The centre piece is not painted: the middle stays clear black.
    EXPECT_EQ(image.At(105, 15), 0u);
    // The border carries some alpha.
    bool some_alpha = false;
    for (int x = 0; x < 210; ++x)
        some_alpha |= (image.At(x, 4) >> 24) != 0;
    EXPECT_TRUE(some_alpha);

    EXPECT_TRUE(MakeGlowImage(skin, glow, 0, 31).IsEmpty());
    EXPECT_TRUE(MakeGlowImage(skin, -1, 210, 31).IsEmpty());
}

} // namespace
} // namespace skin::render
