#include "skin/data/image_decoders.h"
#include "skin/data/mask_syntax.h"
#include "skin/data/tests/bmp_builder.h"
#include "skin/data/tests/test_skins.h"

#include <gtest/gtest.h>

namespace skin::data {
namespace {

using skin_generator::PackageEntry;
using test::InternalSkin;

const TsMaskData& Mask(const LoadedSkin& skin, std::u16string_view section,
                       std::u16string_view name) {
    int i = skin.GetMaskIndex(section, name);
    EXPECT_GE(i, 0) << core::ToUtf8(section) << " " << core::ToUtf8(name);
    return skin.ma.at(i);
}

std::string LoadError(const std::string& text, const std::vector<PackageEntry>& files = {}) {
    try {
        test::LoadPackage(test::MakePackage(text, files));
    } catch (const core::Error& e) {
        return test::MessageOf(e);
    }
    return "no error";
}

Bytes Bmp(int width, int height, Pixel fill) {
    return EncodeBmp24(MakeImage32(width, height, fill));
}

TEST(Masks, InternalSkinBorders) {
    const LoadedSkin& skin = InternalSkin();
    const TsMaskData& button = Mask(skin, u"BUTTON", u"BORDERSMASK");
    EXPECT_EQ(button.R, (Rect{0, 159, 84, 181}));
    EXPECT_EQ(button.ImageCount, 3);
    EXPECT_EQ(button.MaskType, 0);
    EXPECT_EQ(button.DrawMode, 5);
    EXPECT_EQ(button.BorderWidth, 1);
    EXPECT_EQ(button.ImgType, TacImgType::itisaBorder);
    EXPECT_EQ((std::array{button.WL, button.WT, button.WR, button.WB}),
              (std::array<std::int16_t, 4>{13, 9, 13, 12}));
    EXPECT_EQ(button.Bmp, nullptr);
    EXPECT_EQ(StateWidth(button), 28);
    EXPECT_EQ(StateHeight(button), 22);

    const TsMaskData& speed = Mask(skin, u"SPEEDBUTTON", u"BORDERSMASK");
    EXPECT_EQ(speed.MaskType, 1);
    EXPECT_EQ(StateWidth(speed), 8);
    EXPECT_EQ(StateHeight(speed), 9);
    EXPECT_EQ(speed.DrawMode, 5); // version 7.10 keeps the written draw mode

    const TsMaskData& edit = Mask(skin, u"EDIT", u"BORDERSMASK");
    EXPECT_EQ(edit.R, (Rect{12, 11, 18, 15}));
    EXPECT_EQ(StateWidth(edit), 3);
    EXPECT_EQ(edit.DrawMode, 1);
    EXPECT_EQ(Mask(skin, u"TOOLBUTTON", u"BORDERSMASK").DrawMode, 7);
    EXPECT_EQ(Mask(skin, u"BUTTON_HUGE", u"BORDERSMASK").CornerType, 2);
    EXPECT_EQ(Mask(skin, u"FORM", u"BORDERSMASK").R, (Rect{0, 16, 3, 19}));
    EXPECT_EQ(Mask(skin, u"FORMTITLE", u"BORDERSMASK").MaskType, 1);
    EXPECT_EQ(Mask(skin, u"GRIPH", u"PATTERN").MaskType, 1);
    EXPECT_EQ(Mask(skin, u"GRIPH", u"PATTERN").DrawMode, 10);
}

TEST(Masks, InternalSkinSeparateImages) {
    const LoadedSkin& skin = InternalSkin();
    const TsMaskData& ex = Mask(skin, u"GLOBALINFO", u"EXBORDER");
    ASSERT_NE(ex.Bmp, nullptr);
    EXPECT_EQ(ex.Bmp->width, 424);
    EXPECT_EQ(ex.Bmp->height, 148);
    EXPECT_EQ(StateWidth(ex), 212);
    EXPECT_EQ(ex.ImgType, TacImgType::itisaGlow);
    EXPECT_EQ((std::array{ex.WL, ex.WT, ex.WR, ex.WB}),
              (std::array<std::int16_t, 4>{88, 77, 88, 58}));
    EXPECT_EQ(ex.DrawMode, 1);
    // Version 7.10: PNG pixels keep their colour under partial alpha (not premultiplied).
    Image32 drawn = skin_generator::DrawExBorder();
    EXPECT_EQ(ex.Bmp->pixels, drawn.pixels);
    const TsMaskData& glow = Mask(skin, u"EDIT", u"GLOW0");
    EXPECT_EQ(glow.DrawMode, 1);
    EXPECT_EQ(glow.WL, 8);
    EXPECT_EQ(skin.ConstData.ExBorder, skin.GetMaskIndex(u"GLOBALINFO", u"EXBORDER"));
}

TEST(Masks, InternalSkinConstantData) {
    const LoadedSkin& skin = InternalSkin();
    const TConstantSkinData& c = skin.ConstData;
    EXPECT_EQ(c.IndexGLobalInfo, 0);
    EXPECT_EQ(c.CheckBoxChecked, skin.GetMaskIndex(u"GLOBALINFO", u"BOXCHECKED"));
    EXPECT_EQ(skin.ma[c.CheckBoxChecked].R, (Rect{0, 38, 54, 56}));
    EXPECT_EQ(c.IndexScrollBottom, skin.GetSkinIndex(u"SCROLLBTNBOTTOM"));
    // SCROLLBTNBOTTOM has no border of its own: its parent's is used.
    EXPECT_EQ(c.MaskScrollBottom, skin.GetMaskIndex(u"SCROLLBTNTOP", u"BORDERSMASK"));
    EXPECT_EQ(c.MaskScrollRight, c.MaskScrollTop);
    EXPECT_EQ(c.MaskArrowRight, skin.GetMaskIndex(u"SCROLLBTNRIGHT", u"GLYPHMASK"));
    EXPECT_EQ(c.MaskSliderVert, c.MaskSliderHorz);
    EXPECT_NE(c.MaskSliderGlyphVert, c.MaskSliderGlyphHorz);
    EXPECT_EQ(c.MaskScrollBar2V, c.MaskScrollBar1H);
    EXPECT_EQ(c.ComboGlyph, skin.GetMaskIndex(u"COMBOBOX", u"GLYPHMASK"));
    EXPECT_GE(c.ComboBtnBorder, 0);
    EXPECT_GE(c.GripRightBottom, 0);
    EXPECT_EQ(c.IndexWebBtn, skin.GetSkinIndex(u"WEBBUTTON"));
    EXPECT_EQ(c.IndexTabRight, skin.GetSkinIndex(u"TABRIGHT"));
    EXPECT_EQ(c.BGScrollBar1H, -1);
    // Section image indexes, with the parent fallback.
    const TsGeneralData& combo = skin.gd[skin.GetSkinIndex(u"COMBOBOX")];
    EXPECT_EQ(combo.BorderIndex, skin.GetMaskIndex(u"EDIT", u"BORDERSMASK"));
    EXPECT_EQ(skin.gd[skin.GetSkinIndex(u"PROGRESSH")].TextureNormal,
              skin.GetMaskIndex(u"PROGRESSH", u"PATTERN"));
    EXPECT_EQ(skin.gd[0].BorderIndex, -1); // GLOBALINFO gets none
}

TEST(Masks, LookupsFallBackToTheParentOnlyWithAValidIndex) {
    auto loaded = test::LoadPackage(
        test::MakePackage("[PANEL]\nPATTERN=~0000~0000~0002~0002~00\n"
                          "[GAUGE]\nPARENTCLASS=PANEL\n[LOOP1]\nPARENTCLASS=LOOP2\n"
                          "[LOOP2]\nPARENTCLASS=LOOP1\n"));
    const LoadedSkin& skin = loaded->skin;
    int panel = skin.GetMaskIndex(u"PANEL", u"PATTERN");
    ASSERT_GE(panel, 0);
    EXPECT_EQ(skin.GetMaskIndex(skin.GetSkinIndex(u"GAUGE"), u"GAUGE", u"PATTERN"), panel);
    EXPECT_EQ(skin.GetTextureIndex(skin.GetSkinIndex(u"GAUGE"), u"GAUGE", u"PATTERN"), panel);
    EXPECT_EQ(skin.GetMaskIndex(u"GAUGE", u"PATTERN"), -1);
    EXPECT_EQ(skin.GetMaskIndex(-1, u"PANEL", u"PATTERN"), -1);
    EXPECT_EQ(skin.GetMaskIndex(0, u"", u"PATTERN"), -1);
    EXPECT_EQ(skin.GetMaskIndex(skin.GetSkinIndex(u"LOOP1"), u"LOOP1", u"PATTERN"), -1);
    EXPECT_EQ(skin.gd[skin.GetSkinIndex(u"GAUGE")].TextureNormal, panel);
}

TEST(Masks, FixedPositionFieldsMustBeNumbers) {
    EXPECT_EQ(LoadError("[S]\nM=@00A0@0038@0054@0056@3@0\n"),
              "''00A0'' is not a valid integer value");
    EXPECT_EQ(LoadError("[S]\nM=^0000^0001\n"), "'''' is not a valid integer value");
    EXPECT_EQ(LoadError("[S]\nM=~0000~0000~0002~0002~ab\n"), "''ab'' is not a valid integer value");
    EXPECT_EQ(LoadError("[S]\nM=#(0,0,4,4) (1,0,x,1)\n"), "''x'' is not a valid integer value");
    EXPECT_EQ(LoadError("[S]\nM=!NONE.PNG!x!y\n"), "no error");
}

TEST(Masks, OlderSkinsDeriveTheStretchBitFromAOnePixelMiddle) {
    // 3 states of 7 x 7 over two bands: 7 - 3 - 3 = 1 both ways.
    auto loaded = test::LoadPackage(
        test::MakePackage("[GLOBALINFO]\nVERSION=7.3\n"
                          "[A]\nBORDERSMASK=^0000^0000^0021^0014^0003^0003^0003^0003^3^1^4^0\n"
                          "[B]\nBORDERSMASK=^0000^0000^0024^0014^0003^0003^0003^0003^3^1^5^0\n"
                          "[C]\nBORDERSMASK=^0000^0000^0021^0007^0003^0003^0003^0003^3^0^4^0\n"));
    const LoadedSkin& skin = loaded->skin;
    EXPECT_EQ(Mask(skin, u"A", u"BORDERSMASK").DrawMode, 5);
    EXPECT_EQ(Mask(skin, u"B", u"BORDERSMASK").DrawMode, 4); // a middle of 2 clears the bit
    EXPECT_EQ(Mask(skin, u"C", u"BORDERSMASK").DrawMode, 4); // mask type 0: as written
}

TEST(Masks, BorderWidthsWhenNoneAreGiven) {
    auto loaded = test::LoadPackage(
        test::MakePackage("[A]\nM=^0000^0000^0036^0018^0000^0000^0000^0000^3^0^1^0\n"
                          "[B]\nM=^0000^0000^0036^0018^0000^0000^0000^0000^3^0^1^5\n"
                          "[C]\nM=# (1,2,31,22) (2,-1,,)\n"
                          "[D]\nM=#\n"));
    const LoadedSkin& skin = loaded->skin;
    const TsMaskData& a = Mask(skin, u"A", u"M");
    EXPECT_EQ((std::array{a.WL, a.WT, a.WR, a.WB}), (std::array<std::int16_t, 4>{4, 6, 4, 6}));
    const TsMaskData& b = Mask(skin, u"B", u"M");
    EXPECT_EQ((std::array{b.WL, b.WT, b.WR, b.WB}), (std::array<std::int16_t, 4>{5, 5, 5, 5}));
    const TsMaskData& c = Mask(skin, u"C", u"M");
    EXPECT_EQ(c.R, (Rect{1, 2, 31, 22}));
    EXPECT_EQ(c.ImageCount, 2);
    EXPECT_EQ(c.MaskType, 0);
    EXPECT_EQ(c.DrawMode, 1);
    EXPECT_EQ((std::array{c.WL, c.WT}), (std::array<std::int16_t, 2>{5, 6}));
    EXPECT_EQ(skin.GetMaskIndex(u"D", u"M"), -1);
    EXPECT_EQ(skin.ma.size(), 3u);
}

TEST(Masks, ImageFilesAreFoundByTheirNameAsWritten) {
    Bytes png = EncodePng(MakeImage32(30, 12, 0x80FFFFFF));
    auto loaded = test::LoadPackage(test::MakePackage(
        "[S]\nUPPER=!PIC.PNG!2!1\nLOWER=!pic.png!2!1\nJPG=!PIC.JPG!1\nWHOLE=pic.bmp\n"
        "NOTHING=N/A\n",
        {{"Pic.png", png}, {"PIC.bmp", Bmp(18, 12, 0xFF102030)}}));
    const LoadedSkin& skin = loaded->skin;
    const TsMaskData& upper = Mask(skin, u"S", u"UPPER");
    ASSERT_NE(upper.Bmp, nullptr);
    EXPECT_EQ(upper.R, (Rect{0, 0, 30, 12}));
    EXPECT_EQ((std::array{upper.WL, upper.WT}), (std::array<std::int16_t, 2>{5, 2}));
    EXPECT_EQ(upper.DrawMode, 1);
    EXPECT_EQ(upper.ImgType, TacImgType::itisaBorder);
    EXPECT_EQ(upper.Bmp->At(0, 0), 0x80FFFFFFu); // not premultiplied at 7.45 or below
    EXPECT_EQ(skin.GetMaskIndex(u"S", u"LOWER"), -1);
    EXPECT_EQ(skin.GetMaskIndex(u"S", u"JPG"), -1);
    // A whole BMP file: its names upper-cased, three states over two bands.
    const TsMaskData& whole = Mask(skin, u"S", u"WHOLE");
    EXPECT_EQ(whole.MaskType, 1);
    EXPECT_EQ(whole.ImageCount, 3);
    EXPECT_EQ((std::array{whole.WL, whole.WT}), (std::array<std::int16_t, 2>{2, 2}));
    EXPECT_EQ(whole.Bmp->At(3, 3), 0xFF102030u);
}

TEST(Masks, VersionsCompareAsVersionNumbersEverywhere) {
    EXPECT_EQ(SkinVersion::Parse(u"7"), (SkinVersion{7, 0}));
    EXPECT_EQ(SkinVersion::Parse(u"seven"), (SkinVersion{}));
    EXPECT_EQ(SkinVersion::Parse(u"7.$A"), (SkinVersion{}));
    // Each text against the two thresholds the loader applies (draw modes recomputed below
    // 7.4, PNG cleaned up rather than premultiplied up to 7.45), as the loaded skin reports it.
    struct Row {
        const char* text;
        bool before_7_4;
        bool at_most_7_45;
        double shown;
    };
    const Row rows[] = {
        {"7.10", false, true, 7.1},  {"7.3", true, true, 7.3},     {"7.30", false, true, 7.3},
        {"7.4", false, true, 7.4},   {"7.45", false, true, 7.45},  {"7.5", false, true, 7.5},
        {"7.50", false, false, 7.5}, {"7.46", false, false, 7.46}, {"8", false, false, 8},
        {"6.99", true, true, 6.99},
    };
    for (const Row& row : rows) {
        auto loaded = test::LoadPackage(
            test::MakePackage(std::string("[GLOBALINFO]\nVERSION=") + row.text + "\n"));
        const TsSkinData& data = loaded->skin.SkinData;
        EXPECT_EQ(data.VersionParts, SkinVersion::Parse(core::FromUtf8(row.text))) << row.text;
        EXPECT_EQ(data.VersionParts < (SkinVersion{7, 4}), row.before_7_4) << row.text;
        EXPECT_EQ(data.VersionParts <= (SkinVersion{7, 45}), row.at_most_7_45) << row.text;
        EXPECT_DOUBLE_EQ(data.Version, row.shown) << row.text;
    }
}

TEST(Masks, PngPixelsArePremultipliedAbove745AndCleanedUpBelow) {
    Image32 image = MakeImage32(2, 1);
    image.pixels = {0x80FF8040, 0x00FFFFFF};
    Bytes png = EncodePng(image);
    auto old_skin = test::LoadPackage(
        test::MakePackage("[GLOBALINFO]\nVERSION=7.45\n[S]\nM=!A.PNG!1!0\n", {{"A.PNG", png}}));
    EXPECT_EQ(Mask(old_skin->skin, u"S", u"M").Bmp->pixels,
              (std::vector<Pixel>{0x80FF8040, 0x00000000}));
    auto new_skin = test::LoadPackage(
        test::MakePackage("[GLOBALINFO]\nVERSION=7.46\n[S]\nM=!A.PNG!1!0\n", {{"A.PNG", png}}));
    EXPECT_EQ(Mask(new_skin->skin, u"S", u"M").Bmp->pixels,
              (std::vector<Pixel>{0x80804020, 0x00000000}));
}

TEST(Masks, RunLengthMasterBitmapLoads) {
    test::BmpBuilder rle;
    rle.bits = 8;
    rle.compression = 1;
    rle.width = 3;
    rle.height = 2;
    rle.palette = {0xFF00FF, 0x123456};
    rle.rows = {3, 1, 0, 0,  // bottom row: three of the second colour
                1, 0, 0, 1}; // top row: one key pixel, the rest skipped
    auto loaded = test::LoadPackage(test::MakePackage("[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n",
                                                      {{"MASTER.BMP", rle.Build()}}));
    EXPECT_EQ(loaded->skin.MasterBitmap.pixels,
              (std::vector<Pixel>{kKeyPixel, 0xFF000000, 0xFF000000, 0xFF123456, 0xFF123456,
                                  0xFF123456}));
}

TEST(Masks, LargeJpegsArePatternsAndSmallOnesTextures) {
    auto loaded = test::LoadPackage(test::MakePackage(
        "[S]\nBIG=big.jpg\nSMALL=Small.JPEG\nMISSING=none.jpg\n",
        {{"BIG.JPG", test::MakeJpeg(1000, 1000)}, {"SMALL.JPEG", test::MakeJpeg(900, 999)}}));
    const LoadedSkin& skin = loaded->skin;
    ASSERT_EQ(skin.pa.size(), 1u);
    EXPECT_EQ(skin.pa[0].PropertyName, u"BIG");
    EXPECT_EQ(skin.pa[0].Img->width, 1000);
    EXPECT_EQ(skin.GetPatternIndex(skin.GetSkinIndex(u"S"), u"S", u"BIG"), 0);
    const TsMaskData& small = Mask(skin, u"S", u"SMALL");
    EXPECT_EQ(small.ImgType, TacImgType::itisaTexture);
    EXPECT_EQ(small.R, (Rect{}));
    EXPECT_EQ(small.ImageCount, 1);
    EXPECT_EQ(small.Bmp->At(0, 0) >> 24, 255u);
    EXPECT_EQ(skin.ma.size(), 1u);
}

TEST(Masks, CornerKeyTestLooksAtTheCornerPiecesOfTheFirstState) {
    Image32 source = MakeImage32(20, 10, 0xFF808080);
    TsMaskData m;
    m.R = {0, 0, 20, 10};
    m.ImageCount = 2;
    m.WL = m.WT = m.WR = m.WB = 3;
    EXPECT_EQ(CornerKeyTest(m, source), 0);
    source.At(8, 8) = kKeyPixel; // bottom-right corner of state 0
    EXPECT_EQ(CornerKeyTest(m, source), 1);
    source.At(8, 8) = 0xFF808080;
    source.At(12, 0) = kKeyPixel; // state 1 is not scanned
    EXPECT_EQ(CornerKeyTest(m, source), 0);
    m.R = {-50, -50, 5000, 5000}; // clipped to the image
    EXPECT_EQ(CornerKeyTest(m, source), 0);
    m.ImageCount = 0;
    m.MaskType = -1;
    EXPECT_EQ(CornerKeyTest(m, source), 0);
    EXPECT_EQ(CornerKeyTest(m, Image32{}), 0);
}

TEST(Masks, GeometryOfInvalidIndexesAndCountsIsZero) {
    LoadedSkin skin;
    TsMaskData m;
    m.R = {0, 0, 30, 20};
    m.ImageCount = -3;
    EXPECT_EQ(StateWidth(m), 0);
    m.ImageCount = 0;
    EXPECT_EQ(StateWidth(m), 0);
    skin.ma.push_back(std::move(m));
    for (const int index : {-1, 1, 1000}) {
        EXPECT_EQ(skin.MaskWidthLeft(index), 0) << index;
        EXPECT_EQ(skin.MaskWidthTop(index), 0) << index;
        EXPECT_EQ(skin.MaskWidthRight(index), 0) << index;
        EXPECT_EQ(skin.MaskWidthBottom(index), 0) << index;
    }
}

TEST(Masks, GeometryFunctions) {
    LoadedSkin skin;
    TsMaskData m;
    m.R = {0, 0, 30, 20};
    m.MaskType = 1;
    skin.ma.push_back(std::move(m));
    EXPECT_EQ(skin.MaskWidthLeft(0), 30); // ImageCount 0 becomes 1 first
    EXPECT_EQ(skin.ma[0].ImageCount, 1);
    EXPECT_EQ(skin.MaskWidthTop(0), 10);
    skin.ma[0].BorderWidth = 4;
    EXPECT_EQ(skin.MaskWidthRight(0), 4);
    skin.ma[0].WB = 2;
    EXPECT_EQ(skin.MaskWidthBottom(0), 2);
    skin.ma[0].MaskType = -1;
    EXPECT_EQ(StateHeight(skin.ma[0]), 0);
    skin.ma[0].MaskType = 3;
    EXPECT_EQ(StateHeight(skin.ma[0]), 5);
    EXPECT_TRUE(skin.IsValidImgIndex(0));
    EXPECT_FALSE(skin.IsValidImgIndex(1));
}

} // namespace
} // namespace skin::data
