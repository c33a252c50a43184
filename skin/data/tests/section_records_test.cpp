#include "skin/data/tests/test_skins.h"

#include <gtest/gtest.h>

namespace skin::data {
namespace {

using test::InternalSkin;

const TsGeneralData& Section(const LoadedSkin& skin, std::u16string_view name) {
    int i = skin.GetSkinIndex(name);
    EXPECT_GE(i, 0) << core::ToUtf8(name);
    return skin.gd.at(i);
}

// A skin made of an options text only.
std::unique_ptr<test::LoadedPackage> FromText(const std::string& text) {
    return test::LoadPackage(test::MakePackage(text));
}

std::string LoadError(const std::string& text) {
    try {
        FromText(text);
    } catch (const core::Error& e) {
        return test::MessageOf(e);
    }
    return "no error";
}

TEST(SectionRecords, InternalSkinHas65SectionsFoundByExactName) {
    const LoadedSkin& skin = InternalSkin();
    EXPECT_EQ(skin.gd.size(), 65u);
    EXPECT_EQ(skin.GetSkinIndex(u"GLOBALINFO"), 0);
    EXPECT_EQ(skin.GetSkinIndex(u"EDIT"), 3);
    EXPECT_EQ(skin.GetSkinIndex(u"edit"), -1);
    for (const char16_t* absent :
         {u"DIALOGTITLE", u"CAPTION", u"MDIAREA", u"TITLEBUTTON", u"TABSHEET"})
        EXPECT_EQ(skin.GetSkinIndex(absent), -1);
    EXPECT_EQ(skin.GetSkinSections().at(3), u"EDIT");
    EXPECT_TRUE(skin.IsValidSkinIndex(64));
    EXPECT_FALSE(skin.IsValidSkinIndex(65));
}

TEST(SectionRecords, InternalSkinGlobalSettings) {
    const TsSkinData& d = InternalSkin().SkinData;
    EXPECT_DOUBLE_EQ(d.Version, 7.1);
    EXPECT_EQ(d.ExBorderWidth, 4);
    EXPECT_EQ(d.ExTitleHeight, 27);
    EXPECT_EQ(d.ExMaxHeight, 24);
    EXPECT_EQ(d.ExContentOffs, 50);
    EXPECT_EQ(d.ExCenterOffs, 1);
    EXPECT_EQ(d.ExDrawMode, 1);
    EXPECT_EQ(d.BISpacing, 6);
    EXPECT_EQ(d.BILeftMargin, 2);
    EXPECT_EQ(d.BIRightMargin, 3);
    EXPECT_EQ(d.BIKeepHUE, 1);
    EXPECT_EQ(d.Shadow1Color, 7500402);
    EXPECT_EQ(d.Shadow1Offset, 1);
    EXPECT_EQ(d.Shadow1Blur, 3);
    EXPECT_EQ(d.Shadow1Transparency, 0);
    EXPECT_EQ(d.BorderColor, 12237498);
    EXPECT_FALSE(d.UseAeroBluring);
    EXPECT_EQ(InternalSkin().GetGlobalColor(), 14869218);
    EXPECT_EQ(InternalSkin().GetActiveEditColor(), 16777215);
    EXPECT_EQ(InternalSkin().GetGlobalFontColor(), 0);
}

TEST(SectionRecords, InternalSkinEditAndButton) {
    const TsGeneralData& edit = Section(InternalSkin(), u"EDIT");
    EXPECT_EQ(edit.States, 2);
    EXPECT_EQ(edit.Color, 16777215);
    EXPECT_EQ(edit.HotColor, 16777215);
    EXPECT_EQ(edit.GlowCount, 1);
    EXPECT_EQ(edit.GlowMargin, 3);
    EXPECT_EQ(edit.Transparency, 0);
    EXPECT_EQ(edit.FadingIterations, 5);
    EXPECT_EQ(edit.FontColor, (TsFontColor{0, -1, -1, -1, -1}));

    const TsGeneralData& button = Section(InternalSkin(), u"BUTTON");
    ASSERT_EQ(button.GradientArray.size(), 4u);
    EXPECT_EQ(button.GradientArray[0], (TsGradPie{16777215, 13684944, 52, 0, 0}));
    EXPECT_FALSE(button.ShowFocus);
    EXPECT_EQ(button.Transparency, 50);
    EXPECT_EQ(button.HotTransparency, 10);
    EXPECT_TRUE(button.FadingEnabled);
    EXPECT_EQ(button.FadingIterations, 20);
    EXPECT_EQ(button.Props[0].GradientArray, button.GradientArray);
    EXPECT_EQ(button.Props[1].Color, 16240300);
    EXPECT_EQ(button.Props[1].Transparency, 10);
    EXPECT_EQ(button.Props[1].GradientArray, button.HotGradientArray);
}

TEST(SectionRecords, InternalSkinInheritanceAndSingleState) {
    const LoadedSkin& skin = InternalSkin();
    const TsGeneralData& gauge = Section(skin, u"GAUGE");
    EXPECT_EQ(gauge.ParentClass, u"PANEL");
    EXPECT_EQ(gauge.Color, 12500670);
    EXPECT_EQ(Section(skin, u"BARPANEL").Color, 15263976); // PANEL's colour

    const TsGeneralData& menu = Section(skin, u"MAINMENU");
    EXPECT_EQ(menu.States, 1);
    EXPECT_EQ(menu.HotColor, 0); // written as 16777215, not read with one state
    EXPECT_EQ(menu.Props[1], menu.Props[0]);

    EXPECT_EQ(Section(skin, u"PROGRESSH").FontColor.Bottom, -16777214);
    const TsGeneralData& status = Section(skin, u"STATUSBAR");
    EXPECT_TRUE(status.GradientArray.empty());
    EXPECT_EQ(status.GradientPercent, 0);
    EXPECT_EQ(status.GradientData, u"N/A");
}

TEST(SectionRecords, ValuesFromAParentAreConvertedToRgbButOwnValuesAreNot) {
    auto loaded = FromText("[P]\nCOLOR=-16777201\nTCLEFT=-16777214\nTRANSPARENCY=-16777215\n"
                           "[C]\nPARENTCLASS=P\nTCRIGHT=-16777214\n");
    const TsGeneralData& c = Section(loaded->skin, u"C");
    EXPECT_EQ(c.Color, SystemColor(kColorButtonFace));
    EXPECT_EQ(c.FontColor.Left, SystemColor(kColorActiveCaption));
    EXPECT_EQ(c.FontColor.Right, -16777214);
    EXPECT_EQ(c.Transparency, SystemColor(1));
    // COLOR is converted even in its own section.
    EXPECT_EQ(Section(loaded->skin, u"P").Color, SystemColor(kColorButtonFace));
}

TEST(SectionRecords, DefaultsOfAnEmptySection) {
    auto loaded = FromText("[EMPTY]\n");
    const TsGeneralData& e = Section(loaded->skin, u"EMPTY");
    EXPECT_EQ(e.States, 4);
    EXPECT_EQ(e.Color, 16777215);
    EXPECT_EQ(e.HotColor, 16777215);
    EXPECT_EQ(e.GlowColor, 16777215);
    EXPECT_EQ(e.HotGlowColor, 16777215);
    EXPECT_EQ(e.FadingIterations, 5);
    EXPECT_EQ(e.GradientData, u" ");
    EXPECT_EQ(e.HotGradientData, u"");
    EXPECT_EQ(e.HotFontColor, (TsFontColor{0, -1, -1, -1, -1}));
    EXPECT_EQ(e.BorderIndex, -1);
    EXPECT_EQ(e.TextureNormal, -1);
    const TsSkinData& d = loaded->skin.SkinData;
    EXPECT_EQ(d.Shadow1Blur, -1);
    EXPECT_EQ(d.ExTitleHeight, 30);
    EXPECT_EQ(d.ExMaxHeight, 30);
    EXPECT_EQ(d.ExContentOffs, SizingFrameWidth());
    EXPECT_EQ(loaded->skin.GetGlobalColor(), SystemColor(kColorButtonFace));
    EXPECT_EQ(loaded->skin.GetGlobalFontColor(), kKeyColor);
    EXPECT_EQ(loaded->skin.GetActiveEditFontColor(), SystemColor(kColorWindowText));
}

TEST(SectionRecords, ParentChainsEndAtSelfAbsentQuestionMarkAndLoops) {
    auto loaded = FromText("[SELF]\nPARENTCLASS=SELF\n"
                           "[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=C\n[C]\nPARENTCLASS=A\n"
                           "[D]\nPARENTCLASS=NOWHERE\n"
                           "[E]\nPARENTCLASS=?\nGLOW=?\n"
                           "[F]\nPARENTCLASS=G\nGLOW=-1\nSHOWFOCUS=?\n[G]\nGLOW=7\nSHOWFOCUS=1\n");
    const LoadedSkin& skin = loaded->skin;
    EXPECT_EQ(Section(skin, u"A").GlowCount, 0);
    EXPECT_EQ(Section(skin, u"SELF").Color, 16777215);
    EXPECT_EQ(Section(skin, u"D").FadingIterations, 5);
    EXPECT_EQ(Section(skin, u"F").GlowCount, 7); // -1 counts as absent
    EXPECT_TRUE(Section(skin, u"F").ShowFocus);  // "?" counts as absent
    EXPECT_EQ(skin.GetMaskIndex(skin.GetSkinIndex(u"A"), u"A", u"X"), -1);
}

TEST(SectionRecords, FlagsAreOneOrTrueInAnyCase) {
    auto loaded = FromText("[A]\nSHOWFOCUS=tRuE\n[B]\nSHOWFOCUS=1\n[C]\nSHOWFOCUS=yes\n"
                           "[D]\nSHOWFOCUS=01\n[E]\nSHOWFOCUS=TRUEX\n[F]\nPARENTCLASS=A\n");
    const LoadedSkin& skin = loaded->skin;
    EXPECT_TRUE(Section(skin, u"A").ShowFocus);
    EXPECT_TRUE(Section(skin, u"B").ShowFocus);
    EXPECT_FALSE(Section(skin, u"C").ShowFocus);
    EXPECT_FALSE(Section(skin, u"D").ShowFocus);
    EXPECT_FALSE(Section(skin, u"E").ShowFocus);
    EXPECT_TRUE(Section(skin, u"F").ShowFocus);
}

// Twenty thousand sections each naming the next as parent: every section inherits from the far
// end of the chain. Each section is resolved once from its parent, so this loads in linear
// time (the load benchmark measures it; before, such a text took minutes).
TEST(SectionRecords, LongParentChainsAreFollowedToTheEnd) {
    constexpr int kChain = 20000;
    std::string text;
    text.reserve(kChain * 32);
    // Listed tail first, so a section's parent has not been read yet when the section is.
    for (int i = 0; i < kChain; ++i)
        text += "[S" + std::to_string(i) + "]\nPARENTCLASS=S" + std::to_string(i + 1) + "\n";
    text += "[S" + std::to_string(kChain) +
            "]\nGLOW=9\nCOLOR=-16777201\nGRADIENTDATA=255;0;100;1;0\nSTATES=1\n"
            "BORDERSMASK=^0000^0000^0003^0003^0001^0001^0001^0001^1^0^1^1\n"
            "[BUTTON]\nPARENTCLASS=S0\n";
    auto loaded = FromText(text);
    const LoadedSkin& skin = loaded->skin;
    const TsGeneralData& head = Section(skin, u"S0");
    EXPECT_EQ(head.GlowCount, 9);
    EXPECT_EQ(head.Color, SystemColor(kColorButtonFace));
    EXPECT_EQ(head.GradientData, u"255;0;100;1;0");
    EXPECT_EQ(head.States, 1);
    EXPECT_EQ(head.BorderIndex, 0);
    EXPECT_EQ(Section(skin, u"BUTTON").BorderIndex, 0);
    EXPECT_EQ(skin.GetMaskIndex(0, u"S0", u"BORDERSMASK"), 0);
}

TEST(SectionRecords, LoopsResolveWhereTheWalkEnteredThem) {
    // Whichever section of a loop is read first, its values come from the loop's members and a
    // loop never hangs the load; a section outside the loop inherits through it.
    auto loaded = FromText("[A]\nPARENTCLASS=B\nGLOW=1\n[B]\nPARENTCLASS=C\nGLOWMARGIN=2\n"
                           "[C]\nPARENTCLASS=A\nFADINGITERATIONS=3\n[D]\nPARENTCLASS=A\n");
    const LoadedSkin& skin = loaded->skin;
    const TsGeneralData& a = Section(skin, u"A");
    EXPECT_EQ(a.GlowCount, 1);
    EXPECT_EQ(a.GlowMargin, 2);
    EXPECT_EQ(a.FadingIterations, 3);
    EXPECT_EQ(Section(skin, u"D").GlowMargin, 2);
    EXPECT_EQ(Section(skin, u"C").FadingIterations, 3);
}

TEST(SectionRecords, Gradients) {
    auto loaded = FromText("[SEVEN]\nGRADIENTDATA=1;2;3;4;5;6;7\nGRADIENTPERCENT=40\n"
                           "[CLAMP]\nGRADIENTDATA=-5;;-1;150;9;0\n"
                           "[SHORT]\nGRADIENTDATA=1\nGRADIENTPERCENT=50\n"
                           "[NA]\nGRADIENTDATA=N/A\nGRADIENTPERCENT=50\n");
    const LoadedSkin& skin = loaded->skin;
    ASSERT_EQ(Section(skin, u"SEVEN").GradientArray.size(), 1u);
    EXPECT_EQ(Section(skin, u"SEVEN").GradientArray[0], (TsGradPie{1, 2, 3, 4, 0}));
    ASSERT_EQ(Section(skin, u"CLAMP").GradientArray.size(), 1u);
    EXPECT_EQ(Section(skin, u"CLAMP").GradientArray[0], (TsGradPie{0, 0, 100, 9, 0}));
    EXPECT_EQ(Section(skin, u"SHORT").GradientPercent, 0);
    EXPECT_TRUE(Section(skin, u"NA").GradientArray.empty());
    EXPECT_EQ(Section(skin, u"NA").GradientPercent, 50);
    EXPECT_EQ(LoadError("[S]\nGRADIENTDATA=1;2;x;4;5\n"), "''x'' is not a valid integer value");
    EXPECT_EQ(LoadError("[S]\nGRADIENTDATA=1;2;3;4;5;x\n"), "no error");
}

TEST(SectionRecords, BooleansAreOneOrTrueInAnyCase) {
    auto loaded = FromText("[Y]\nFADINGENABLED=yes\n[T]\nFADINGENABLED=true\n[O]\n"
                           "FADINGENABLED=1\n");
    EXPECT_FALSE(Section(loaded->skin, u"Y").FadingEnabled);
    EXPECT_TRUE(Section(loaded->skin, u"T").FadingEnabled);
    EXPECT_TRUE(Section(loaded->skin, u"O").FadingEnabled);
}

TEST(SectionRecords, StrictGlobalIntegersFailTheLoad) {
    for (const char* key : {"SHADOW1OFFSET", "SHADOW1BLUR", "SHADOW1TRANSPARENCY", "BICONCLOSEGLOW",
                            "BICONMINGLOWMARGIN"})
        EXPECT_EQ(LoadError(std::string("[GLOBALINFO]\n") + key + "=x\n"),
                  "''x'' is not a valid integer value")
            << key;
    // Other global integers just fall back.
    auto loaded = FromText("[GLOBALINFO]\nTITLEHEIGHT=tall\nVERSION=seven\nAUTHOR=?\n");
    EXPECT_EQ(loaded->skin.SkinData.Author, u"");
    EXPECT_EQ(loaded->skin.SkinData.ExTitleHeight, 30);
    EXPECT_EQ(loaded->skin.SkinData.Version, 0);
}

TEST(SectionRecords, HighlightColours) {
    const LoadedSkin& skin = InternalSkin();
    EXPECT_EQ(skin.GetHighLightColor(false), 16764316);
    EXPECT_EQ(skin.GetHighLightColor(true), 14449722);
    EXPECT_EQ(skin.GetHighLightFontColor(true), 16777215);
    EXPECT_EQ(skin.GetHighLightFontColor(false), 0);
    EXPECT_EQ(skin.GetActiveEditFontColor(), 0);

    auto menu = FromText("[MENUITEM]\nHOTCOLOR=255\nHOTFONTCOLOR=-16777202\n");
    EXPECT_EQ(menu->skin.GetHighLightColor(true), 255);
    EXPECT_EQ(menu->skin.GetHighLightFontColor(true), SystemColor(kColorHighlightText));
    auto white_menu = FromText("[SELECTION]\nCOLOR=16711935\n[MENUITEM]\nHOTCOLOR=16777215\n");
    EXPECT_EQ(white_menu->skin.GetHighLightColor(false), SystemColor(kColorHighlight));
    auto none = FromText("; nothing\n");
    EXPECT_EQ(none->skin.GetHighLightColor(false), SystemColor(kColorHighlight));
    EXPECT_EQ(none->skin.GetHighLightFontColor(false), SystemColor(kColorHighlightText));
}

} // namespace
} // namespace skin::data
