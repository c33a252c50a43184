#include "frame_test_forms.h"
#include "skin/frame/title_buttons.h"

#include <gtest/gtest.h>

namespace skin::frame {
namespace {

using namespace testing;

// The internal skin's masks: 42 x 16 with three images.
ButtonMasks InternalMasks() {
    ButtonMasks m;
    m.Close = m.Max = m.Min = m.Help = MaskButtonSize(true, 42, 16, 3, 0);
    m.TopAligned = true;
    return m;
}

WindowRules RulesOf(const FormFrameState& f) {
    return RulesFor(f, true, true, true);
}

TEST(TitleButtonsTest, MainWindowLayoutMatchesTheWorkedValues) {
    const FormFrameState f = MainWindow(400, 300);
    const FrameGeometry g = Extended(f);
    const int w = g.CaptionWidth();
    const TitleButtonLayout l = LayOutTitleButtons(g, RulesOf(f), InternalMasks());
    ASSERT_EQ(l.Buttons.size(), 4u);
    EXPECT_EQ(l.Buttons[0].R, (Rect{w - 71, 56, w - 57, 72}));
    EXPECT_FALSE(l.Buttons[1].Shown) << "no maximise button without biMaximize";
    EXPECT_EQ(l.Buttons[2].R, (Rect{w - 91, 56, w - 77, 72}));
    EXPECT_FALSE(l.Buttons[3].Shown);
    EXPECT_EQ(l.Buttons[0].Image, ButtonImage::Close);
    EXPECT_EQ(l.Buttons[2].Image, ButtonImage::Min);
    EXPECT_EQ(l.StripWidth, 3 + 14 + 6 + 14 + 6);
}

TEST(TitleButtonsTest, PickerShowsCloseMaximiseMinimise) {
    FormFrameState f = FormOfClient(300, 350, BorderStyle::bsSizeable);
    const FrameGeometry g = Extended(f);
    const int w = g.CaptionWidth();
    const TitleButtonLayout l = LayOutTitleButtons(g, RulesOf(f), InternalMasks());
    EXPECT_EQ(l.Buttons[1].R, (Rect{w - 91, 56, w - 77, 72}));
    EXPECT_EQ(l.Buttons[2].R, (Rect{w - 111, 56, w - 97, 72}));
    EXPECT_EQ(l.Buttons[1].Image, ButtonImage::Max);
    f.Maximized = true;
    const TitleButtonLayout m = LayOutTitleButtons(Extended(f), RulesOf(f), InternalMasks());
    EXPECT_EQ(m.Buttons[1].Image, ButtonImage::Norm);
    EXPECT_TRUE(m.Buttons[1].Enabled) << "restore is enabled when maximised";
}

TEST(TitleButtonsTest, DialogFormsHaveNoGapsAndCloseAlone) {
    FormFrameState f = FormOfClient(300, 200, BorderStyle::bsDialog);
    ButtonMasks masks = InternalMasks();
    masks.HasCloseAlone = true;
    masks.CloseAlone = MaskButtonSize(true, 60, 16, 3, 0);
    const FrameGeometry g = Plain(f);
    const TitleButtonLayout l = LayOutTitleButtons(g, RulesOf(f), masks);
    EXPECT_EQ(l.Buttons[0].Image, ButtonImage::CloseAlone);
    EXPECT_EQ(l.Buttons[0].R.Width(), 20);
    EXPECT_EQ(l.StripWidth, 3 + 20) << "BISPACE is ignored for bsDialog";
    // A help button sits 6 pixels further left.
    f.Icons.Help = true;
    const TitleButtonLayout h = LayOutTitleButtons(g, RulesOf(f), InternalMasks());
    EXPECT_EQ(h.Buttons[3].R.Right, h.Buttons[0].R.Left - 6);
}

TEST(TitleButtonsTest, UserButtonsAndMissingMasks) {
    const FormFrameState f = MainWindow();
    const FrameGeometry g = Extended(f);
    ButtonMasks masks = InternalMasks();
    masks.Min = MaskButtonSize(false, 0, 0, 0, 0);
    std::vector<UserButtonInfo> user(2);
    user[0].Size = MaskButtonSize(true, 20, 18, 1, 0);
    user[1].Visible = false;
    const TitleButtonLayout l = LayOutTitleButtons(g, RulesOf(f), masks, user);
    EXPECT_FALSE(l.Buttons[2].Shown) << "a button without a mask is neither placed nor drawn";
    // ... but leaves 21 pixels to the caption.
    EXPECT_EQ(l.Buttons[4].R.Right, l.Buttons[0].R.Left - 6 - 21 - 6 - 8);
    EXPECT_EQ(l.Buttons[4].HitCode, htUserButton);
    EXPECT_FALSE(l.Buttons[5].Shown);
}

TEST(TitleButtonsTest, MaskSizesNeverDivideByZero) {
    EXPECT_EQ(MaskButtonSize(true, 42, 16, 3, 0).Width, 14);
    EXPECT_EQ(MaskButtonSize(true, 42, 32, 3, 1).Height, 16);
    const ButtonSize broken = MaskButtonSize(true, 42, 16, 0, -1);
    EXPECT_EQ(broken.Width, 42);
    EXPECT_EQ(broken.Height, 16);
    const ButtonSize missing = MaskButtonSize(false, 42, 16, 3, 0);
    EXPECT_EQ(missing.Width, 21);
    EXPECT_EQ(missing.Height, 21);
}

TEST(TitleButtonsTest, VerticalPosition) {
    const FrameGeometry ext = Extended(MainWindow());
    EXPECT_EQ(ButtonTop(ext, 16, true), 56);
    EXPECT_EQ(ButtonTop(ext, 14, true), (27 - 14) / 2 + 51 + 2) << "low buttons move 2 down";
    const FrameGeometry plain = Plain(MainWindow());
    EXPECT_EQ(ButtonTop(plain, 16, true), (3 + 19 - 16) / 2);
    SkinFrameSettings top = InternalSkinFrame();
    top.BIVAlign = 1;
    top.BITop = 4;
    EXPECT_EQ(ButtonTop(FrameGeometry(top, MainWindow(), true, kF, kC, kShadow), 16, true), 54);
    EXPECT_EQ(ButtonTop(FrameGeometry(top, MainWindow(), false, kF, kC, kShadow), 16, true), 0);
    EXPECT_EQ(ButtonTop(FrameGeometry(top, MainWindow(), true, kF, kC, kShadow), 16, false), 56);
}

struct RuleCase {
    const char* name;
    BorderStyle style;
    BorderIcons icons;
    bool minimized, maximized;
    bool visible_close, visible_max, visible_min, visible_restore, visible_size;
    bool enabled_max, enabled_min, enabled_restore, enabled_move, enabled_size;
};

TEST(TitleButtonsTest, VisibleAndEnabledRules) {
    const BorderIcons main_icons{true, true, false, false};
    const BorderIcons all{true, true, true, false};
    const RuleCase cases[] = {
        {"main window", BorderStyle::bsSingle, main_icons, false, false, //
         true, false, true, true, true, false, true, false, true, false},
        {"picker", BorderStyle::bsSizeable, all, false, false, //
         true, true, true, true, true, true, true, false, true, true},
        {"picker maximised", BorderStyle::bsSizeable, all, false, true, //
         true, true, true, true, true, false, true, true, false, true},
        {"dialog", BorderStyle::bsDialog, all, false, false, //
         true, false, false, false, false, false, true, false, true, true},
        {"tool window", BorderStyle::bsToolWindow, all, false, false, //
         true, false, false, false, false, false, true, false, true, true},
        {"sizeable tool window", BorderStyle::bsSizeToolWin, all, false, false, //
         true, false, false, false, true, false, true, false, true, true},
    };
    for (const RuleCase& c : cases) {
        FormFrameState f = FormOfClient(100, 100, c.style);
        f.Icons = c.icons;
        f.Minimized = c.minimized;
        f.Maximized = c.maximized;
        const WindowRules r = RulesOf(f);
        EXPECT_EQ(r.VisibleClose(), c.visible_close) << c.name;
        EXPECT_EQ(r.VisibleMax(), c.visible_max) << c.name;
        EXPECT_EQ(r.VisibleMin(), c.visible_min) << c.name;
        EXPECT_EQ(r.VisibleRestore(), c.visible_restore) << c.name;
        EXPECT_EQ(r.VisibleSize(), c.visible_size) << c.name;
        EXPECT_EQ(r.EnabledMax(), c.enabled_max) << c.name;
        EXPECT_EQ(r.EnabledMin(), c.enabled_min) << c.name;
        EXPECT_EQ(r.EnabledRestore(), c.enabled_restore) << c.name;
        EXPECT_EQ(r.EnabledMove(), c.enabled_move) << c.name;
        EXPECT_EQ(r.EnabledSize(), c.enabled_size) << c.name;
    }
    // Without the system menu nothing is shown.
    FormFrameState f = MainWindow();
    const WindowRules none = RulesFor(f, false, true, true);
    EXPECT_FALSE(none.VisibleClose() || none.VisibleMin() || none.VisibleMax());
    EXPECT_TRUE(LayOutTitleButtons(Extended(f), none, InternalMasks()).Buttons[0].R.IsEmpty());
    // A minimised secondary form shows the maximise button and may not minimise again.
    f.IsMainForm = false;
    f.Minimized = true;
    const WindowRules min = RulesFor(f, true, true, false);
    EXPECT_TRUE(min.VisibleMax());
    EXPECT_FALSE(min.EnabledMin());
    EXPECT_TRUE(min.EnabledRestore());
}

TEST(TitleButtonsTest, HitCodeByPosition) {
    FormFrameState picker = FormOfClient(300, 300, BorderStyle::bsSizeable);
    const TitleButtonLayout none;
    WindowRules r = RulesOf(picker);
    EXPECT_EQ(ButtonHitCode(1, r, none, false), htClose);
    EXPECT_EQ(ButtonHitCode(2, r, none, false), htMaxButton);
    EXPECT_EQ(ButtonHitCode(3, r, none, false), htMinButton);
    EXPECT_EQ(ButtonHitCode(4, r, none, false), htClient);
    EXPECT_EQ(ButtonHitCode(4, r, none, true), htTransparent);
    // Maximised: maximise is disabled but restore is not.
    picker.Maximized = true;
    EXPECT_EQ(ButtonHitCode(2, RulesOf(picker), none, false), htMaxButton);
    // Minimise disabled: the caption.
    FormFrameState f = MainWindow();
    f.Icons.Minimize = false;
    f.Icons.Maximize = false;
    r = RulesOf(f);
    EXPECT_EQ(ButtonHitCode(2, r, none, false), htClient);
    // The main window: position 2 is the empty maximise slot, position 3 the minimise button.
    r = RulesOf(MainWindow());
    EXPECT_EQ(ButtonHitCode(2, r, none, false), htMinButton);
    EXPECT_EQ(ButtonHitCode(3, r, none, false), htMinButton);
    EXPECT_EQ(ButtonHitCode(1, RulesFor(MainWindow(), false, true, true), none, false), htClient);
}

TEST(TitleButtonsTest, PlainHitTestOfTheWindow) {
    const FormFrameState f = FormOfClient(300, 200, BorderStyle::bsSizeable);
    const FrameGeometry g = Plain(f);
    const WindowRules r = RulesOf(f);
    const TitleButtonLayout l = LayOutTitleButtons(g, r, InternalMasks());
    HitTestInputs in;
    in.Sizable = true;
    in.Icon = g.IconRect();
    in.Grip = {g.CaptionWidth() - 20, g.CacheHeight() - 20, g.CaptionWidth() - 3,
               g.CacheHeight() - 3};
    const int w = g.CaptionWidth(), h = g.CacheHeight();
    struct Case {
        Point p;
        int code;
    } cases[] = {
        {{l.Buttons[0].R.Left + 1, l.Buttons[0].R.Top + 1}, htClose},
        {{l.Buttons[1].R.Left, l.Buttons[1].R.Top}, htMaxButton},
        {{l.Buttons[2].R.Right - 1, l.Buttons[2].R.Bottom - 1}, htMinButton},
        {{0, 0}, htTopLeft},
        {{w - 1, 0}, htTopRight},
        {{0, h - 1}, htBottomLeft},
        {{w - 1, h - 1}, htBottomRight},
        {{100, 1}, htTop},
        {{100, h - 2}, htBottom},
        {{1, 100}, htLeft},
        {{w - 2, 100}, htRight},
        {{8, 10}, htSysMenu},
        {{100, 10}, htCaption},
        {{100, 100}, htClient},
        {{w - 10, h - 10}, htBottomRight},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlainHitTest(c.p, g, r, l, in), c.code) << c.p.X << "," << c.p.Y;
    // Not sizable or maximised: the edges are client or caption.
    in.Sizable = false;
    EXPECT_EQ(PlainHitTest({1, 100}, g, r, l, in), htClient);
    EXPECT_EQ(PlainHitTest({100, 1}, g, r, l, in), htCaption);
}

TEST(TitleButtonsTest, ExtendedHitTestOfTheLayeredWindow) {
    const FormFrameState f = FormOfClient(300, 200, BorderStyle::bsSizeable);
    const FrameGeometry g = Extended(f);
    const WindowRules r = RulesOf(f);
    const TitleButtonLayout l = LayOutTitleButtons(g, r, InternalMasks());
    HitTestInputs in;
    in.Sizable = true;
    in.Icon = g.IconRect();
    const int w = g.CaptionWidth(), h = g.CacheHeight();
    struct Case {
        Point p;
        int code;
        bool shadow;
    } cases[] = {
        {{10, 10}, htCaption, true}, // above the frame: the border window answers -1 first
        {{200, 200}, htTransparent, false},  {{w - 91 + 2, 60}, htMaxButton, false},
        {{60, 60}, htSysMenu, false},        {{120, 60}, htCaption, false},
        {{120, 50}, htTop, false},           {{50, 200}, htLeft, false},
        {{w - 51, 200}, htRight, false},     {{200, h - 51}, htBottom, false},
        {{50, h - 51}, htBottomLeft, false}, {{w - 51, 53}, htTopRight, false},
        {{49, 200}, htTransparent, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtendedHitTest(c.p, g, r, l, in), c.code) << c.p.X << "," << c.p.Y;
        EXPECT_EQ(PointAboveShadow(c.p, g), c.shadow) << c.p.X << "," << c.p.Y;
    }
    FormFrameState maximised = f;
    maximised.Maximized = true;
    EXPECT_FALSE(PointAboveShadow({1, 1}, Extended(maximised)));
}

} // namespace
} // namespace skin::frame
