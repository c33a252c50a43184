// The internal skin's push and speed buttons composed as the buttons compose them.

#include "bitmap_test_util.h"
#include "skin/data/colors.h"
#include "skin/data/skin_loader.h"
#include "skin/data/testing/internal_skin.h"
#include "skin/render/blends.h"
#include "skin/render/button_face.h"
#include "skin/render/section_fill.h"

#include <gtest/gtest.h>

namespace skin::render {
namespace {

const data::LoadedSkin& Skin() {
    return data::testing::InternalSkinFromPackage();
}

// Inks nothing: the faces are compared without a caption.
class NoText : public TextRenderer {
public:
    int TextWidth(const std::u16string& text) override { return 6 * int(text.size()); }
    void DrawInk(GrayBitmap&, const std::u16string&, const Rect&, unsigned) override { ++draws; }
    int draws = 0;
};

SkinBitmap FormBackground(int width, int height) {
    const data::LoadedSkin& skin = Skin();
    SkinBitmap form(width, height);
    FillSection(form, form.Bounds(), SectionFillFor(skin.gd[skin.GetSkinIndex(u"FORM")], 0), skin,
                EmptyCacheInfo);
    return form;
}

TEST(ButtonFaceTest, HotCreateFoldersIsTheHotGradientWithTenPercentOfTheForm) {
    const data::LoadedSkin& skin = Skin();
    const int button = skin.GetSkinIndex(u"BUTTON");
    ASSERT_GE(button, 0);
    const data::TsGeneralData& gd = skin.gd[button];
    ASSERT_EQ(gd.HotTransparency, 10);
    ASSERT_TRUE(gd.FadingEnabled);
    ASSERT_EQ(gd.FadingIterations, 20);

    const SkinBitmap form = FormBackground(488, 387);
    const TCacheInfo behind{&form, 350, 338, kKeyColor, true};
    SkinBitmap background(137, 34);
    PaintButtonBackground(background, background.Bounds(), skin, button, 1, behind);

    // The hot fill alone, then 10 % of the form under it: alpha 25.
    SkinBitmap hot(137, 34);
    SectionFillParams fill = SectionFillFor(gd, 1);
    fill.TextureMask = skin.GetTextureIndex(button, u"BUTTON", u"HOTPATTERN");
    FillSection(hot, hot.Bounds(), fill, skin, EmptyCacheInfo);
    for (Point p : {Point{68, 17}, Point{20, 8}, Point{120, 26}, Point{0, 0}}) {
        const Pixel under = form.At(350 + p.X, 338 + p.Y);
        const Pixel own = hot.At(p.X, p.Y);
        for (int shift = 0; shift <= 16; shift += 8) {
            const int expected =
                (int((under >> shift) & 0xFF) * 25 + int((own >> shift) & 0xFF) * 230 + 127) >> 8;
            EXPECT_EQ(int((background.At(p.X, p.Y) >> shift) & 0xFF), expected)
                << p.X << "," << p.Y << " shift " << shift;
        }
    }

    // The whole face: the border holds the face, and its keyed corner shows the form.
    SkinBitmap face(137, 34);
    ButtonFace b;
    b.Skin = &skin;
    b.Section = button;
    b.State = 1; // focused: hot
    b.Behind = behind;
    NoText text;
    ComposeButtonFace(face, b, text);
    EXPECT_EQ(face.At(0, 0) & 0xFFFFFF, form.At(350, 338) & 0xFFFFFF);
    EXPECT_NE(testing::FirstDifference(face, background), "");
    // No focus frame in this skin (SHOWFOCUS is off for buttons).
    b.ShowFocus = true;
    b.Caption = u"Create Folders";
    b.CaptionRect = {30, 10, 106, 24};
    SkinBitmap focused(137, 34);
    ComposeButtonFace(focused, b, text);
    EXPECT_EQ(testing::FirstDifference(focused, face), "");
    EXPECT_GT(text.draws, 0);
}

TEST(ButtonFaceTest, StatesDifferAndDisabledIsSixtyPercentBackground) {
    const data::LoadedSkin& skin = Skin();
    const SkinBitmap form = FormBackground(300, 100);
    ButtonFace b;
    b.Skin = &skin;
    b.Section = skin.GetSkinIndex(u"SPEEDBUTTON");
    b.PushButton = false;
    b.Behind = {&form, 10, 10, kKeyColor, true};
    NoText text;
    SkinBitmap faces[3] = {SkinBitmap(81, 24), SkinBitmap(81, 24), SkinBitmap(81, 24)};
    for (int s = 0; s < 3; ++s) {
        b.State = s;
        ComposeButtonFace(faces[s], b, text);
    }
    EXPECT_NE(testing::FirstDifference(faces[0], faces[1]), "");
    EXPECT_NE(testing::FirstDifference(faces[1], faces[2]), "");

    b.State = 0;
    b.Enabled = false;
    SkinBitmap disabled(81, 24);
    ComposeButtonFace(disabled, b, text);
    const Pixel under = form.At(10 + 40, 10 + 12);
    const Pixel own = faces[0].At(40, 12);
    for (int shift = 0; shift <= 16; shift += 8) {
        const double expected = 0.6 * ((under >> shift) & 0xFF) + 0.4 * ((own >> shift) & 0xFF);
        EXPECT_NEAR(double((disabled.At(40, 12) >> shift) & 0xFF), expected, 0.51);
    }
}

TEST(ButtonFaceTest, GlyphsOnTheFaceAndNarrowButtons) {
    const data::LoadedSkin& skin = Skin();
    const SkinBitmap form = FormBackground(100, 100);
    SkinBitmap glyph = testing::Filled(48, 16, 0xFF0000FF); // three blue images
    ButtonFace b;
    b.Skin = &skin;
    b.Section = skin.GetSkinIndex(u"SPEEDBUTTON");
    b.Behind = {&form, 0, 0, kKeyColor, true};
    b.Glyph = &glyph;
    b.NumGlyphs = 3;
    b.GlyphAt = {-4, 2}; // a button narrower than its glyph
    b.Blend = 50;
    NoText text;
    SkinBitmap normal(10, 20);
    ComposeButtonFace(normal, b, text);
    b.State = 1;
    SkinBitmap hot(10, 20);
    ComposeButtonFace(hot, b, text);
    // Half the glyph in the normal state, all of it when hot.
    ButtonFace plain_look = b;
    plain_look.State = 0;
    plain_look.Glyph = nullptr;
    SkinBitmap plain(10, 20);
    ComposeButtonFace(plain, plain_look, text);
    const Pixel face_red = (plain.At(5, 10) >> 16) & 0xFF;
    EXPECT_NEAR(double((normal.At(5, 10) >> 16) & 0xFF), face_red / 2.0, 2.0);
    EXPECT_LE((hot.At(5, 10) >> 16) & 0xFF, 1u);
    EXPECT_EQ(hot.At(5, 10) >> 24, 0xFFu);
}

TEST(ButtonFaceTest, StylesSeparatorDividerDropDownAndSplit) {
    const data::LoadedSkin& skin = Skin();
    const int speed = skin.GetSkinIndex(u"SPEEDBUTTON");
    const SkinBitmap form = FormBackground(200, 100);
    const TCacheInfo behind{&form, 40, 30, kKeyColor, true};
    NoText text;
    ButtonFace b;
    b.Skin = &skin;
    b.Section = speed;
    b.Behind = behind;
    b.PushButton = false;

    // Separator and divider (the internal DIVIDER has no border): what lies behind, whatever
    // the state.
    for (TToolButtonStyle style : {TToolButtonStyle::tbsSeparator, TToolButtonStyle::tbsDivider}) {
        SkinBitmap face(30, 24);
        b.Style = style;
        b.State = 1;
        ComposeButtonFace(face, b, text);
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 30; ++x)
                ASSERT_EQ(face.At(x, y), form.At(40 + x, 30 + y) | 0xFF000000u) << x << "," << y;
    }

    // Drop-down: the arrow part is the face of its own state, the rest the face of the
    // button's state, each composed as a button of its width.
    b.Style = TToolButtonStyle::tbsDropDown;
    b.State = 0;
    b.ArrowState = 1;
    SkinBitmap face(60, 24);
    ComposeButtonFace(face, b, text);
    ButtonFace plain = b;
    plain.Style = TToolButtonStyle::tbsButton;
    SkinBitmap left(44, 24);
    ComposeButtonFace(left, plain, text);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 44; ++x)
            ASSERT_EQ(face.At(x, y), left.At(x, y)) << x << "," << y;
    plain.State = 1;
    plain.Behind.X += 44;
    SkinBitmap right(16, 24);
    ComposeButtonFace(right, plain, text);
    DrawDownArrow(right, right.Bounds(), false, 0);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(face.At(44 + x, y), right.At(x, y)) << x << "," << y;

    // Split push button: a line at Width - 15 from 4 to Height - 4 in the font colour.
    const int button = skin.GetSkinIndex(u"BUTTON");
    ButtonFace split;
    split.Skin = &skin;
    split.Section = button;
    split.Split = true;
    split.Behind = behind;
    SkinBitmap split_face(80, 30);
    ComposeButtonFace(split_face, split, text);
    const Pixel ink =
        ColorToPixel(static_cast<Color>(data::ColorToRGB(skin.gd[button].FontColor.Color))) |
        0xFF000000u;
    for (int y = 4; y < 26; ++y)
        EXPECT_EQ(split_face.At(65, y), ink) << y;
}

TEST(ButtonFaceTest, TheDownArrowIsFourCentredRowsShiftedWhenPressed) {
    SkinBitmap face(16, 10);
    DrawDownArrow(face, face.Bounds(), false, 0x102030);
    const char* expected[] = {"................", "................", "................",
                              "....########....", ".....######.....", "......####......",
                              ".......##.......", "................", "................",
                              "................"};
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(face.At(x, y) == (ColorToPixel(0x102030) | 0xFF000000u),
                      expected[y][x] == '#')
                << x << "," << y;
    SkinBitmap pressed(16, 10);
    DrawDownArrow(pressed, pressed.Bounds(), true, 0x102030);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 15; ++x)
            ASSERT_EQ(pressed.At(x + 1, y + 1), face.At(x, y)) << x << "," << y;
    // Clipped to a face too small for it.
    SkinBitmap tiny(3, 2);
    DrawDownArrow(tiny, {-6, -1, 10, 3}, true, 0x102030);
}

} // namespace
} // namespace skin::render
