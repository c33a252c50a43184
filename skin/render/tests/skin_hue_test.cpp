// A whole skin turned by hue and saturation at load, checked against the colour arithmetic
// worked out by hand: (200, 100, 50) has hue 20, value 200 and saturation 0.75, so 100 degrees
// more give (50, 200, 50); a saturation of 50 moves (200, 100, 0) away from its mean 100 by half
// of each distance, to (250, 100, 0).

#include "skin/render/skin_hue.h"

#include <gtest/gtest.h>

namespace skin::render {
namespace {

constexpr data::Pixel Px(int r, int g, int b) {
    return 0xFF000000u | (data::Pixel(r) << 16) | (data::Pixel(g) << 8) | data::Pixel(b);
}
constexpr data::TColor Tc(int r, int g, int b) {
    return data::TColor(r | (g << 8) | (b << 16));
}

constexpr data::Pixel kWarm = Px(200, 100, 50);
constexpr data::Pixel kTurned = Px(50, 200, 50);

void AddMask(data::LoadedSkin& skin, std::u16string section, std::u16string property, data::Rect r,
             bool own_image) {
    data::TsMaskData mask;
    mask.ClassName = std::move(section);
    mask.PropertyName = std::move(property);
    mask.R = r;
    mask.ImageCount = 1;
    if (own_image)
        mask.Bmp = std::make_unique<data::Image32>(data::MakeImage32(2, 1, kWarm));
    skin.ma.push_back(std::move(mask));
}

// Master pixels 0..3: the close glyph, the maximise glyph, a grey pixel, an ordinary one.
// Own images: the minimise glyph, its glow, and a border of a section.
data::LoadedSkin MakeSkin(int keep_hue) {
    data::LoadedSkin skin;
    skin.SkinData.BIKeepHUE = std::int16_t(keep_hue);
    skin.SkinData.BorderColor = Tc(200, 100, 50);
    skin.SkinData.Shadow1Color = -2147483633; // a system colour: not a colour value
    skin.MasterBitmap = data::MakeImage32(5, 1, kWarm);
    skin.MasterBitmap.At(2, 0) = Px(90, 90, 90);
    skin.MasterBitmap.At(4, 0) = data::kKeyPixel;
    AddMask(skin, u"GLOBALINFO", u"BICONCLOSE", {0, 0, 1, 1}, false);
    AddMask(skin, u"GlobalInfo", u"biconmax", {1, 0, 2, 1}, false);
    AddMask(skin, u"GLOBALINFO", u"BICONMIN", {}, true);
    AddMask(skin, u"GLOBALINFO", u"BICONMINGLOW0", {}, true);
    AddMask(skin, u"BUTTON", u"BORDERS", {}, true);
    data::TsGeneralData section;
    section.ClassName = u"BUTTON";
    section.Color = Tc(200, 100, 50);
    section.FontColor.Color = Tc(200, 100, 50);
    section.HotFontColor.Left = -1;
    section.GradientArray.push_back({Tc(200, 100, 50), Tc(90, 90, 90), 100, 0, 0});
    section.Props[1].Color = Tc(200, 100, 50);
    skin.gd.push_back(section);
    return skin;
}

TEST(SkinHue, TurnsImagesAndColoursAndKeepsTheGlyphsTheSettingProtects) {
    data::LoadedSkin all_kept = MakeSkin(1);
    ApplySkinHueAndSaturation(all_kept, 100, 0);
    const data::Image32& master = all_kept.MasterBitmap;
    EXPECT_EQ(master.At(0, 0), kWarm) << "close glyph";
    EXPECT_EQ(master.At(1, 0), kWarm) << "maximise glyph";
    EXPECT_EQ(master.At(2, 0), Px(90, 90, 90)) << "grey";
    EXPECT_EQ(master.At(3, 0), kTurned);
    EXPECT_EQ(master.At(4, 0), data::kKeyPixel);
    EXPECT_EQ(all_kept.ma[2].Bmp->At(0, 0), kWarm) << "own image of a protected glyph";
    EXPECT_EQ(all_kept.ma[3].Bmp->At(0, 0), kWarm) << "its glow";
    EXPECT_EQ(all_kept.ma[4].Bmp->At(0, 0), kTurned);
    const data::TsGeneralData& section = all_kept.gd[0];
    EXPECT_EQ(section.Color, Tc(50, 200, 50));
    EXPECT_EQ(section.FontColor.Color, Tc(50, 200, 50));
    EXPECT_EQ(section.HotFontColor.Left, -1);
    EXPECT_EQ(section.GradientArray[0].Color1, Tc(50, 200, 50));
    EXPECT_EQ(section.GradientArray[0].Color2, Tc(90, 90, 90));
    EXPECT_EQ(section.Props[1].Color, Tc(50, 200, 50));
    EXPECT_EQ(all_kept.SkinData.BorderColor, Tc(50, 200, 50));
    EXPECT_EQ(all_kept.SkinData.Shadow1Color, -2147483633);

    data::LoadedSkin close_kept = MakeSkin(2);
    ApplySkinHueAndSaturation(close_kept, 100, 0);
    EXPECT_EQ(close_kept.MasterBitmap.At(0, 0), kWarm);
    EXPECT_EQ(close_kept.MasterBitmap.At(1, 0), kTurned);
    EXPECT_EQ(close_kept.ma[2].Bmp->At(0, 0), kTurned);

    data::LoadedSkin none_kept = MakeSkin(0);
    ApplySkinHueAndSaturation(none_kept, 100, 0);
    EXPECT_EQ(none_kept.MasterBitmap.At(0, 0), kTurned);
}

TEST(SkinHue, SaturationReachesEveryImageAndWrapsAt101) {
    for (int amount : {50, 151}) {
        data::LoadedSkin skin = MakeSkin(1);
        skin.MasterBitmap.At(3, 0) = Px(200, 100, 0);
        skin.gd[0].Color = Tc(200, 100, 0);
        ApplySkinHueAndSaturation(skin, 0, amount);
        EXPECT_EQ(skin.MasterBitmap.At(3, 0), Px(250, 100, 0)) << amount;
        EXPECT_EQ(skin.gd[0].Color, Tc(250, 100, 0)) << amount;
        // No glyph is exempt from saturation: (200, 100, 50), mean 116.67, moves to
        // (241.67, 91.67, 16.67), rounded.
        EXPECT_EQ(skin.MasterBitmap.At(0, 0), Px(242, 92, 17)) << amount;
        EXPECT_EQ(skin.ma[2].Bmp->At(0, 0), Px(242, 92, 17)) << amount;
    }
    data::LoadedSkin untouched = MakeSkin(1);
    ApplySkinHueAndSaturation(untouched, 0, 101);
    EXPECT_EQ(untouched.MasterBitmap.At(3, 0), kWarm);
    EXPECT_EQ(untouched.gd[0].Color, Tc(200, 100, 50));
}

TEST(SkinHue, SettingNamesTheProtectedGlyphs) {
    EXPECT_FALSE(KeepsHue(u"BICONCLOSE", 0));
    EXPECT_TRUE(KeepsHue(u"SICONCLOSE", 3));
    EXPECT_FALSE(KeepsHue(u"SICONMIN", 3));
    EXPECT_TRUE(KeepsHue(u"siconnorm", 1));
    EXPECT_FALSE(KeepsHue(u"TITLEBUTTON", 1));
}

} // namespace
} // namespace skin::render
