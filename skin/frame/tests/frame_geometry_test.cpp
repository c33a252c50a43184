#include "frame_test_forms.h"
#include "skin/frame/frame_geometry.h"

#include <gtest/gtest.h>

namespace skin::frame {
namespace {

using namespace testing;

TEST(FrameGeometryTest, ExtendedMainWindowMatchesTheWorkedValues) {
    const FrameGeometry g = Extended(MainWindow(400, 300));
    EXPECT_EQ(g.BorderWidth(true), 4);
    EXPECT_EQ(g.BorderWidth(false), 3);
    EXPECT_EQ(g.CaptionHeight(true), 27);
    EXPECT_EQ(g.CaptionHeight(false), 19);
    EXPECT_EQ(g.DeltaW(), 1);
    EXPECT_EQ(g.DeltaH(), 5);
    EXPECT_EQ(g.OffsetX(), 54);
    EXPECT_EQ(g.OffsetY(), 77);
    EXPECT_EQ(g.CaptionWidth(), 400 + 108);
    EXPECT_EQ(g.CacheHeight(), 300 + 131);
    EXPECT_EQ(g.HeaderHeight(), 27);
    EXPECT_EQ(g.IconRect(), (Rect{56, 56, 72, 72}));
    EXPECT_EQ(g.BorderFormOffset(), (Point{51, 55}));
    EXPECT_EQ(g.FrameRect(), (Rect{50, 50, 458, 381}));
    EXPECT_EQ(g.TitleBandRect(), (Rect{50, 50, 458, 77}));
    // The layered window's client hole lies exactly over the form's client area.
    const Point o = g.BorderFormOffset();
    EXPECT_EQ(o.X + kF, g.OffsetX());
    EXPECT_EQ(o.Y + kF + kC, g.OffsetY());
    // The visible frame: client + 8 wide and client + 31 high inside 50 pixels of shadow.
    EXPECT_EQ(g.FrameRect().Width(), 408);
    EXPECT_EQ(g.FrameRect().Height(), 331);
}

TEST(FrameGeometryTest, PlainFrameUsesThePlatformFrame) {
    const FrameGeometry g = Plain(MainWindow(400, 300));
    EXPECT_EQ(g.ShadowSize(), Margins{});
    EXPECT_EQ(g.BorderWidth(true), 3);
    EXPECT_EQ(g.BorderHeight(true), 3);
    EXPECT_EQ(g.CaptionHeight(true), 19);
    EXPECT_EQ(g.DeltaW(), 0);
    EXPECT_EQ(g.CaptionWidth(), 406);
    EXPECT_EQ(g.CacheHeight(), 325);
    EXPECT_EQ(g.OffsetX(), 3);
    EXPECT_EQ(g.OffsetY(), 22);
    EXPECT_EQ(g.HeaderHeight(), 22);
    EXPECT_EQ(g.ClientRect(), (Rect{3, 22, 403, 322}));
    // Icon by the caption height 19: 16 x 16, vertically centred in the caption.
    EXPECT_EQ(g.IconRect(), (Rect{5, 3, 21, 19}));
}

TEST(FrameGeometryTest, FormsWithoutCaptionOrFrame) {
    FormFrameState none = FormOfClient(200, 100, BorderStyle::bsNone);
    none.HasCaptionStyle = false;
    none.HasBorderBit = false;
    none.Width = 200;
    none.Height = 100;
    const FrameGeometry g = Plain(none);
    EXPECT_FALSE(g.HasFrame());
    EXPECT_EQ(g.CaptionHeight(true), 0);
    EXPECT_EQ(g.HeaderHeight(), 0);
    EXPECT_EQ(g.OffsetY(), 0);
    // A minimised form gets a caption even without the style.
    none.Minimized = true;
    EXPECT_EQ(Plain(none).CaptionHeight(true), 19);
}

TEST(FrameGeometryTest, IconSizeFollowsTheTitleHeight) {
    struct Case {
        int title, size;
    } cases[] = {{1, 1}, {8, 1}, {9, 8}, {16, 8}, {17, 16}, {27, 16}, {40, 16}};
    for (const Case& c : cases) {
        SkinFrameSettings s = InternalSkinFrame();
        s.TitleHeight = c.title;
        const FrameGeometry g(s, MainWindow(), true, kF, kC, kShadow);
        EXPECT_EQ(g.IconSize(), c.size) << c.title;
        EXPECT_EQ(g.IconRect().Width(), c.size);
    }
    // An own title icon size wins.
    EXPECT_EQ(Extended(MainWindow()).IconRect(24, 20).Width(), 24);
}

TEST(FrameGeometryTest, IconShownOnlyForSingleAndSizeableFormsWithSystemMenu) {
    FormFrameState f = MainWindow();
    EXPECT_TRUE(Extended(f).IconShown(true));
    EXPECT_FALSE(Extended(f).IconShown(false));
    f.Icons.SystemMenu = false;
    EXPECT_FALSE(Extended(f).IconShown(true));
    f = MainWindow();
    f.Style = BorderStyle::bsDialog;
    EXPECT_FALSE(Extended(f).IconShown(true));
}

TEST(FrameGeometryTest, MaximisedExtendedFormMovesIconAndCaption) {
    FormFrameState normal = MainWindow();
    FormFrameState maximised = normal;
    maximised.Maximized = true;
    const FrameGeometry gn = Extended(normal);
    const FrameGeometry gm = Extended(maximised);
    EXPECT_EQ(gm.CaptionHeight(true), 27);
    EXPECT_EQ(gm.IconRect().Top, gn.IconRect().Top - 1);
    const Rect tn = gn.CaptionTextRect(true, 16, false, 40);
    const Rect tm = gm.CaptionTextRect(true, 16, false, 40);
    EXPECT_EQ(tn.Top, 50 + 3);
    EXPECT_EQ(tm.Top, 50 + 3);
    EXPECT_EQ(tm.Bottom, tn.Bottom + 1);
    // The system height applies when the skin's maximised title is too low.
    maximised.SysExHeight = true;
    SkinFrameSettings low = InternalSkinFrame();
    low.TitleHeight = 18;
    EXPECT_EQ(FrameGeometry(low, maximised, true, kF, kC, kShadow).CaptionHeight(true), 23);
}

TEST(FrameGeometryTest, CaptionTextRectangle) {
    const FrameGeometry g = Extended(MainWindow(400, 300));
    // left = 4 + 16 + 2 + 50 + 4, right = 508 - 40 - 50 - 12, top 50 + 2 + 1, bottom 77 + 1
    EXPECT_EQ(g.CaptionTextRect(true, 16, false, 40), (Rect{76, 53, 406, 78}));
    EXPECT_EQ(g.CaptionTextRect(false, 16, true, 40).Left, 62);
    const FrameGeometry p = Plain(MainWindow(400, 300));
    EXPECT_EQ(p.CaptionTextRect(true, 16, false, 40), (Rect{25, 2, 354, 22}));
}

TEST(FrameGeometryTest, CaptionAlignment) {
    const Rect r{10, 0, 110, 20};
    EXPECT_EQ(AlignCaption(r, CaptionAlignment::taLeftJustify, false, 30, 0), r);
    EXPECT_EQ(AlignCaption(r, CaptionAlignment::taRightJustify, false, 30, 10).Left, 110 - 44);
    // A text that does not fit stays left-aligned.
    EXPECT_EQ(AlignCaption(r, CaptionAlignment::taRightJustify, false, 120, 0), r);
    const Rect c = AlignCaption(r, CaptionAlignment::taCenter, false, 30, 0);
    EXPECT_EQ(c.Left, 10 + (100 - 34) / 2);
    EXPECT_EQ(c.Right, c.Left + 30);
    EXPECT_EQ(AlignCaption(r, CaptionAlignment::taCenter, false, 300, 0).Left, 10);
    // Right to left swaps left and right.
    EXPECT_EQ(AlignCaption(r, CaptionAlignment::taLeftJustify, true, 30, 0).Left, 76);
}

TEST(FrameGeometryTest, MinimisedSecondaryFormIsATitleBarOnly) {
    FormFrameState f = MainWindow(400, 300);
    f.IsMainForm = false;
    f.Minimized = true;
    f.Width = 160;
    const FrameGeometry g = Plain(f);
    EXPECT_EQ(g.CaptionWidth(), 160);
    EXPECT_EQ(g.CacheHeight(), 3 + 19 + 2);
    EXPECT_EQ(g.TitleBandRect(), g.FrameRect());
}

TEST(FrameGeometryTest, MaximizedPlacement) {
    const Rect work{0, 0, 1024, 740};
    const MaximizedPlacement plain = MaximizedPlacementFor(Plain(MainWindow()), work);
    EXPECT_EQ(plain.Position, (Point{-3, -3}));
    EXPECT_EQ(plain.Size, (Point{1030, 746}));
    // Extended, BORDERMODE 1: b = (27 - 24) + BITOP - (27 - 19 - 4) = -1 with BITOP 0.
    const MaximizedPlacement ext = MaximizedPlacementFor(Extended(MainWindow()), work);
    EXPECT_EQ(ext.Position, (Point{-3, -2}));
    EXPECT_EQ(ext.Size, (Point{1030, 745}));
}

TEST(FrameGeometryTest, SettingsFromTheSkin) {
    data::TsSkinData d;
    d.ExBorderWidth = 4;
    d.ExTitleHeight = 27;
    d.ExMaxHeight = 0;
    d.BIRightMargin = 3;
    d.BISpacing = 6;
    const SkinFrameSettings s = FrameSettingsOf(d);
    EXPECT_EQ(s.MaxHeight, 27) << "no MAXHEIGHT means the title height";
    EXPECT_EQ(s.BIRight, 3);
    EXPECT_EQ(s.BISpace, 6);
    EXPECT_EQ(SystemFrameWidth(true, true, 4, 3), 4);
    EXPECT_EQ(SystemFrameWidth(false, true, 4, 3), 3);
    EXPECT_EQ(SystemFrameWidth(false, false, 4, 3), 0);
}

} // namespace
} // namespace skin::frame
