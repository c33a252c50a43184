#include "bitmap_test_util.h"
#include "skin/render/color_mix.h"

#include <gtest/gtest.h>

namespace skin::render {
namespace {

using testing::Hex;

TEST(MixTest, MixHalfLeansOneUnitTowardTheSecondColour) {
    EXPECT_EQ(MixHalf(0xFFFFFFFF, 0), 0x007E7E7Eu);
    EXPECT_EQ(MixHalf(0, 0xFFFFFF), 0x00808080u);
}

TEST(MixTest, MixRatioRoundsToEvenAndKeepsTheFirstColoursTopByte) {
    EXPECT_EQ(MixRatio(0x12FFFFFF, 0, 0.4), 0x12666666u);
    EXPECT_EQ(MixRatio(0x000301, 0, 0.5), 0x000200u);
    EXPECT_EQ(MixRatio(0xABCDEF, 0x123456, 1.0), 0xABCDEFu);
    EXPECT_EQ(MixRatio(0xABCDEF, 0x123456, 0.0), 0x123456u);
}

TEST(GrayscaleTest, AveragesChannelsAndOptionallyKeepsKeyPixels) {
    SkinBitmap b = testing::FromRows(2, 1, {0x80FF0102, kKeyPixel});
    SkinBitmap keyed = b.Clone();
    Grayscale(b);
    EXPECT_EQ(b.At(0, 0), 0x80565656u);
    EXPECT_EQ(b.At(1, 0), 0x00AAAAAAu);
    Grayscale(keyed, kKeyColor);
    EXPECT_EQ(keyed.At(1, 0), kKeyPixel);
}

TEST(HueTest, RotatesPrimariesAndLeavesGreyAndKeyAlone) {
    SkinBitmap b = testing::FromRows(4, 1, {0x80FF0000, 0xFF808080, kKeyPixel, 0xFFFF8000});
    ShiftHue(b, 120);
    EXPECT_EQ(b.At(0, 0), 0x8000FF00u) << Hex(b.At(0, 0));
    EXPECT_EQ(b.At(1, 0), 0xFF808080u);
    EXPECT_EQ(b.At(2, 0), kKeyPixel);
    // Orange (hue 30) turns to 150: red p = 0, green v = 255, blue t = 128.
    EXPECT_EQ(b.At(3, 0), 0xFF00FF80u) << Hex(b.At(3, 0));
    ShiftHue(b, -120);
    EXPECT_EQ(b.At(0, 0), 0x80FF0000u);
    // A colour value keeps red in byte 0.
    EXPECT_EQ(ShiftHue(Color{0x0000FF}, 120), 0x00FF00u);
    EXPECT_EQ(ShiftHue(Color{0x0000FF}, 480), 0x00FF00u);
}

TEST(SaturationTest, MovesChannelsAwayFromOrTowardTheirMean) {
    SkinBitmap b = testing::FromRows(2, 1, {0xFFC86400, 0xFFC86400});
    ChangeSaturation(b, 50);
    // Mean 100: red 200 + 50 = 250, green stays, blue 0 - 50 clamps to 0.
    EXPECT_EQ(b.At(0, 0), 0xFFFA6400u) << Hex(b.At(0, 0));
    EXPECT_EQ(ChangeSaturation(Color{0x0064C8}, -100), 0x646464u);
    EXPECT_EQ(ChangeSaturation(Color{0x777777}, 80), 0x777777u);
}

} // namespace
} // namespace skin::render
