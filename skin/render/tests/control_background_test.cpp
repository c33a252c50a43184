#include "bitmap_test_util.h"
#include "skin/render/control_background.h"

#include <gtest/gtest.h>

namespace skin::render {
namespace {

using testing::Byte;
using testing::Filled;

// The record as the loader leaves it: both states' values also in Props, a one-state section's
// hot values those of its normal state.
data::LoadedSkin SkinWith(data::TsGeneralData section) {
    data::TsGeneralData& s = section;
    s.Props[0] = {s.Color,        s.FontColor, s.GradientPercent, s.GradientData, s.GradientArray,
                  s.ImagePercent, s.GlowColor, s.GlowSize,        s.Transparency};
    s.Props[1] = s.States < 2
                     ? s.Props[0]
                     : data::TsGenState{s.HotColor,        s.HotFontColor,     s.HotGradientPercent,
                                        s.HotGradientData, s.HotGradientArray, s.HotImagePercent,
                                        s.HotGlowColor,    s.HotGlowSize,      s.HotTransparency};
    data::LoadedSkin skin;
    skin.gd.push_back(std::move(section));
    return skin;
}

data::TsGeneralData Button() {
    data::TsGeneralData button;
    button.ClassName = u"BUTTON";
    button.States = 2;
    button.Color = 0x404040;
    button.Transparency = 50;
    button.HotColor = 0x808080;
    button.HotTransparency = 10;
    return button;
}

// A form's cached background: a vertical ramp, each row a different grey.
SkinBitmap Ramp(int width, int height) {
    SkinBitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.At(x, y) = 0xFF000000u | Pixel(y * 10) * 0x010101u;
    return b;
}

int Blended(int background, int fill, int alpha) {
    return (background * alpha + fill * (255 - alpha) + 127) >> 8;
}

TEST(ControlBackgroundTest, PartlyTransparentFaceBlendsOverTheParentsImageExactly) {
    const data::LoadedSkin skin = SkinWith(Button());
    const SkinBitmap form = Ramp(40, 30);
    const TCacheInfo ci{&form, 5, 7, kKeyColor, true};
    ControlSkinState control;
    control.SkinIndex = 0;

    for (int state : {0, 1}) {
        SkinBitmap face = Filled(10, 8, 0);
        ComposeControlImage(skin, control, ci, true, face, {0, 0}, Bounds(10, 8), state);
        const int alpha = state == 0 ? 127 : 25;
        const int fill = state == 0 ? 0x40 : 0x80;
        for (int y = 0; y < 8; ++y) {
            const int behind = (y + 7) * 10;
            ASSERT_EQ(Byte(face.At(3, y), 0), Blended(behind, fill, alpha)) << state << " " << y;
            ASSERT_EQ(Byte(face.At(9, y), 2), Blended(behind, fill, alpha));
        }
    }
}

TEST(ControlBackgroundTest, SingleStateSectionPaintsItsNormalValuesInEveryState) {
    data::TsGeneralData panel = Button();
    panel.States = 1;
    panel.Transparency = 0;
    const data::LoadedSkin skin = SkinWith(panel);
    ControlSkinState control;
    control.SkinIndex = 0;
    SkinBitmap face = Filled(4, 4, 0);
    ComposeControlImage(skin, control, EmptyCacheInfo, true, face, {0, 0}, Bounds(4, 4), 3);
    EXPECT_EQ(face.At(2, 2) & 0xFFFFFFu, 0x404040u);
    EXPECT_EQ(StateValuesOf(panel, 1).Color, 0x404040u);
}

TEST(ControlBackgroundTest, TransparentSectionShowsTheBackgroundAtItsOffset) {
    data::TsGeneralData panel = Button();
    panel.Transparency = 100;
    const data::LoadedSkin skin = SkinWith(panel);
    const SkinBitmap form = Ramp(40, 30);
    ControlSkinState control;
    control.SkinIndex = 0;
    SkinBitmap image = Filled(6, 6, 0);
    ComposeControlImage(skin, control, {&form, 2, 3, kKeyColor, true}, true, image, {0, 1},
                        {0, 0, 6, 5}, 0);
    EXPECT_EQ(Byte(image.At(0, 0), 1), 40); // row 3 + 1
    EXPECT_EQ(Byte(image.At(5, 4), 1), 80);
    EXPECT_EQ(image.At(0, 5), 0u); // outside r: untouched

    // Nothing known behind a partly transparent face without gradient: the mix of colours.
    image = Filled(2, 2, 0);
    panel.Transparency = 50;
    ComposeControlImage(SkinWith(panel), control, {nullptr, 0, 0, 0xC0C0C0, false}, true, image,
                        {0, 0}, Bounds(2, 2), 0);
    EXPECT_EQ(Byte(image.At(1, 1), 0), 0x80);
}

TEST(ControlBackgroundTest, OutOfBoundsOrInvalidCompositionLeavesTheBitmapAlone) {
    const data::LoadedSkin skin = SkinWith(Button());
    ControlSkinState control;
    control.SkinIndex = 0;
    SkinBitmap image = Filled(4, 4, 0x12345678);
    ComposeControlImage(skin, control, EmptyCacheInfo, true, image, {0, 0}, {0, 0, 5, 4}, 0);
    ComposeControlImage(skin, control, EmptyCacheInfo, true, image, {0, 0}, {-1, 0, 2, 2}, 0);
    control.SkinIndex = 1;
    ComposeControlImage(skin, control, EmptyCacheInfo, true, image, {0, 0}, Bounds(4, 4), 0);
    EXPECT_EQ(image.At(0, 0), 0x12345678u);
    EXPECT_EQ(image.At(3, 3), 0x12345678u);
}

TEST(ControlBackgroundTest, ChildrenLearnWhatLiesBehindAControl) {
    BackgroundFacts facts;
    facts.Transparency = 100;
    facts.HasCache = false;
    EXPECT_EQ(AnswerBackground(facts).Source, BackgroundSource::AskParent);
    facts.HasCache = true;
    EXPECT_EQ(AnswerBackground(facts).Source, BackgroundSource::CacheImage);
    facts.BGChanged = true;
    EXPECT_EQ(AnswerBackground(facts).Source, BackgroundSource::AskParent);

    facts = {};
    facts.Transparency = 40;
    EXPECT_EQ(AnswerBackground(facts).Source, BackgroundSource::PlainColor);
    EXPECT_EQ(AnswerBackground(facts).Color, kKeyColor);

    facts = {};
    facts.Effective = 0x123456;
    EXPECT_EQ(AnswerBackground(facts).Color, 0x123456u);
    facts.GradientPercent = 30;
    EXPECT_EQ(AnswerBackground(facts).Color, kKeyColor);
    facts.HasCache = true;
    EXPECT_EQ(AnswerBackground(facts).Source, BackgroundSource::CacheImage);

    EXPECT_EQ(ColorSeenThrough(0, 0x102030, 0xFFFFFF), 0x102030u);
    EXPECT_EQ(ColorSeenThrough(100, 0x102030, 0xFFFFFF), 0xFFFFFFu);
    EXPECT_EQ(ColorSeenThrough(25, 0x000000, 0xC8C8C8), 0x323232u);
    EXPECT_EQ(TransparencyAlpha(50), 127);
    EXPECT_EQ(TransparencyAlpha(10), 25);
    EXPECT_EQ(TransparencyAlpha(140), 255);
}

} // namespace
} // namespace skin::render
