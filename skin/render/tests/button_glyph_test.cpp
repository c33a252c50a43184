#include "bitmap_test_util.h"
#include "skin/render/button_glyph.h"

#include <gtest/gtest.h>

namespace skin::render {
namespace {

using testing::Filled;
using testing::Hex;

// A strip of three 2 x 2 images: red, green, blue, each with alpha a.
SkinBitmap Strip(Pixel alpha) {
    SkinBitmap s(6, 2);
    const Pixel colours[3] = {0xFF0000, 0x00FF00, 0x0000FF};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 6; ++x)
            s.At(x, y) = (alpha << 24) | colours[x / 2];
    return s;
}

TEST(ButtonGlyphTest, AlphaGlyphCompositeBlendAndTint) {
    SkinBitmap face = Filled(4, 4, 0xFF000000);
    CompositeAlphaGlyph(face, Strip(128), 0, 2, {1, 1}, 0, std::nullopt);
    // red: ((255 - 0) * 128 + 0) >> 8 = 127
    EXPECT_EQ(face.At(1, 1), 0xFF7F0000u) << Hex(face.At(1, 1));
    EXPECT_EQ(face.At(0, 0), 0xFF000000u);
    EXPECT_EQ(face.At(3, 3), 0xFF000000u);

    // Blend 50 (the normal state): x = 50 * 255 div 100 = 127.
    SkinBitmap blended = Filled(2, 2, 0x00FFFFFF);
    CompositeAlphaGlyph(blended, Strip(255), 2, 2, {0, 0}, 50, std::nullopt);
    // blue 255 stays, red: ((0 - 255) * 127 + 255 * 256) >> 8 = 128; destination alpha kept.
    EXPECT_EQ(blended.At(0, 0), 0x008080FFu) << Hex(blended.At(0, 0));

    // A tint replaces the source by grey x tint / 255: grey of pure red is 85.
    EXPECT_EQ(TintGlyphPixel(0xFFFF0000, 0x0000FF /* red */), 0xFF550000u);
    EXPECT_EQ(TintGlyphPixel(0x80FFFFFF, 0xFFFFFF), 0x80FFFFFFu);
    SkinBitmap tinted = Filled(2, 2, 0xFF000000);
    CompositeAlphaGlyph(tinted, Strip(255), 1, 2, {0, 0}, 0, Color{0xC0C0C0});
    EXPECT_EQ(tinted.At(1, 1), 0xFF3F3F3Fu) << Hex(tinted.At(1, 1));

    EXPECT_EQ(AlphaStripIndex(2, 3), 2);
    EXPECT_EQ(AlphaStripIndex(2, 1), 0);
    EXPECT_EQ(AlphaStripIndex(1, 0), 0);
}

TEST(ButtonGlyphTest, GlyphsLargerThanTheFaceAreClipped) {
    SkinBitmap face = Filled(3, 3, 0xFF000000);
    SkinBitmap big = Filled(8, 8, 0xFFFFFFFF);
    CompositeAlphaGlyph(face, big, 0, 8, {-2, -3}, 0, std::nullopt);
    // Full alpha still keeps 1/256 of the face: ((255 - 0) * 255 + 0) >> 8 = 254.
    EXPECT_EQ(face.At(2, 2), 0xFFFEFEFEu);
    CompositeAlphaGlyph(face, big, 5, 8, {0, 0}, 0, std::nullopt); // index beyond the strip
    ReflectAlphaGlyph(face, big, 0, 8, {-4, -6}, 0);
    ReflectAlphaGlyph(face, big, 0, 8, {1, 1}, 0); // no room below
    KeyedGlyphLook look;
    DrawKeyedGlyph(face, big, 0, 8, {-5, 1}, look);
    DrawKeyedGlyph(face, big, 3, 8, {0, 0}, look);
    SUCCEED();
}

TEST(ButtonGlyphTest, ReflectionRowsAndWeights) {
    // A 4 x 8 glyph of opaque white at the top of a black face 4 x 14.
    SkinBitmap face = Filled(4, 14, 0xFF000000);
    SkinBitmap glyph = Filled(4, 8, 0xFFFFFFFF);
    ReflectAlphaGlyph(face, glyph, 0, 4, {0, 0}, 0);
    // Rows k = 1 .. gh div 2 - 1 = 3 below row 7; opacity 255, 192, 129 (step 255 div 4 = 63);
    // weight = opacity * (255 div 3) div 255.
    EXPECT_EQ(face.At(0, 7), 0xFF000000u);
    EXPECT_EQ(face.At(0, 8), 0xFF545454u) << Hex(face.At(0, 8));
    EXPECT_EQ(face.At(0, 9), 0xFF3F3F3Fu) << Hex(face.At(0, 9));
    EXPECT_EQ(face.At(0, 10), 0xFF2A2A2Au) << Hex(face.At(0, 10));
    EXPECT_EQ(face.At(0, 11), 0xFF000000u);
    // With Blend: (100 - t) * a div 300 * opacity div 255.
    SkinBitmap faded = Filled(4, 14, 0xFF000000);
    ReflectAlphaGlyph(faded, glyph, 0, 4, {0, 0}, 40);
    EXPECT_EQ(faded.At(0, 8), 0xFF323232u) << Hex(faded.At(0, 8));
    // Glyphs under 2 pixels high have no mirror and divide by nothing.
    SkinBitmap flat = Filled(4, 1, 0xFFFFFFFF);
    ReflectAlphaGlyph(face, flat, 0, 4, {0, 12}, 0);
    SkinBitmap empty;
    ReflectAlphaGlyph(face, empty, 0, 4, {0, 0}, 0);
}

TEST(ButtonGlyphTest, KeyedFallbackStripIndexesAndKeyedLooks) {
    EXPECT_FALSE(HasOpaquePixel(Strip(254)));
    EXPECT_TRUE(HasOpaquePixel(Strip(255)));

    EXPECT_EQ(KeyedStripIndex(0, 4, true, false, false), 0);
    EXPECT_EQ(KeyedStripIndex(1, 4, true, false, false), 1);
    EXPECT_EQ(KeyedStripIndex(2, 4, true, false, false), 2);
    EXPECT_EQ(KeyedStripIndex(2, 4, true, true, false), 3);
    EXPECT_EQ(KeyedStripIndex(2, 2, true, false, false), 1);
    EXPECT_EQ(KeyedStripIndex(2, 2, true, false, true), 0);
    EXPECT_EQ(KeyedStripIndex(2, 4, false, false, false), 0);
    EXPECT_EQ(KeyedStripIndex(1, 1, true, false, false), 0);

    // A 3 x 2 image whose bottom-left pixel (magenta) is the key.
    SkinBitmap strip(3, 2);
    strip.At(0, 0) = 0x00FF0000;
    strip.At(1, 0) = 0x00000000;
    strip.At(2, 0) = 0x00FF00FF;
    strip.At(0, 1) = 0x00FF00FF;
    strip.At(1, 1) = 0x00FFFFFF;
    strip.At(2, 1) = 0x00FF00FF;
    SkinBitmap face = Filled(3, 2, 0xFF808080);
    KeyedGlyphLook look;
    DrawKeyedGlyph(face, strip, 0, 3, {0, 0}, look);
    EXPECT_EQ(face.At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(face.At(2, 0), 0xFF808080u);
    EXPECT_EQ(face.At(1, 1), 0xFFFFFFFFu);

    // Blend 50 only in the normal state.
    look.Blend = 50;
    SkinBitmap normal = Filled(3, 2, 0xFF000000);
    DrawKeyedGlyph(normal, strip, 0, 3, {0, 0}, look);
    EXPECT_EQ(normal.At(1, 1), 0xFF808080u) << Hex(normal.At(1, 1));
    look.State = 1;
    SkinBitmap hot = Filled(3, 2, 0xFF000000);
    DrawKeyedGlyph(hot, strip, 0, 3, {0, 0}, look);
    EXPECT_EQ(hot.At(1, 1), 0xFFFFFFFFu);

    // Disabled and greyed: red becomes grey 85, then half over the face.
    KeyedGlyphLook disabled;
    disabled.Enabled = false;
    disabled.DisabledGrayed = true;
    SkinBitmap off = Filled(3, 2, 0xFF000000);
    DrawKeyedGlyph(off, strip, 0, 3, {0, 0}, disabled);
    EXPECT_EQ(off.At(0, 0), 0xFF2A2A2Au) << Hex(off.At(0, 0));
    EXPECT_EQ(strip.At(0, 0), 0x00FF0000u); // the strip itself is untouched
}

TEST(ButtonGlyphTest, DisabledLookSixtyFortyOrHalfTint) {
    SkinBitmap background = Filled(10, 10, 0xFFC8C8C8);
    TCacheInfo behind{&background, 3, 4, kKeyColor, true};
    SkinBitmap face = Filled(4, 3, 0xFF000000 | 0x505050);
    ApplyDisabledLook(face, {}, behind, 0);
    // 0.6 * 200 + 0.4 * 80 = 152
    EXPECT_EQ(face.At(0, 0), 0xFF989898u) << Hex(face.At(0, 0));
    EXPECT_EQ(face.At(3, 2), 0xFF989898u);

    SkinBitmap plain = Filled(2, 2, 0xFF000000 | 0x404040);
    ApplyDisabledLook(plain, {}, EmptyCacheInfo, 0xC0C0C0);
    EXPECT_EQ(plain.At(1, 1), 0xFF808080u) << Hex(plain.At(1, 1));

    SkinBitmap grey = Filled(2, 2, 0xFFFF0000);
    ApplyDisabledLook(grey, {true, false}, EmptyCacheInfo, 0);
    EXPECT_EQ(grey.At(0, 0), 0xFF555555u);
}

TEST(ButtonGlyphTest, FocusDotPattern) {
    SkinBitmap face = Filled(12, 8, 0xFF123456);
    const Color face_colour = 0xF0F0F0;
    DrawFocusDots(face, {2, 2, 9, 6}, 1, face_colour);
    // The frame runs from (1, 1) to (9, 6) inclusive.
    const Pixel black = 0xFF000000, light = 0xFFF0F0F0, none = 0xFF123456;
    const Pixel top[] = {none, black, none, light, black, none, light, black, none, black, none};
    for (int x = 0; x < 11; ++x)
        EXPECT_EQ(face.At(x, 1), top[x]) << x;
    EXPECT_EQ(face.At(1, 6), black);
    EXPECT_EQ(face.At(1, 3), light);
    EXPECT_EQ(face.At(1, 4), black);
    EXPECT_EQ(face.At(9, 4), black);
    EXPECT_EQ(face.At(9, 3), light);
    EXPECT_EQ(face.At(9, 6), none);
    EXPECT_EQ(face.At(5, 4), none);
    DrawFocusDots(face, {-5, -5, 40, 40}, 2, face_colour); // clipped
}

} // namespace
} // namespace skin::render
