#include "frame_test_forms.h"
#include "skin/frame/button_tracker.h"

#include <gtest/gtest.h>

namespace skin::frame {
namespace {

using namespace testing;
using Context = TitleButtonTracker::ReleaseContext;

TEST(ButtonTrackerTest, HoverPressAndRelease) {
    bool pressed = false;
    TitleButtonTracker t(pressed);
    EXPECT_EQ(t.SetHot(htMinButton), std::vector<int>{htMinButton});
    EXPECT_EQ(t.StateOf(htMinButton), 1);
    EXPECT_TRUE(t.SetHot(htMinButton).empty()) << "the same button again changes nothing";
    EXPECT_EQ(t.SetHot(htClose), (std::vector<int>{htMinButton, htClose}));
    EXPECT_EQ(t.StateOf(htMinButton), 0);
    EXPECT_EQ(t.SetHot(htCaption), std::vector<int>{htClose});
    EXPECT_EQ(t.CurrentHT(), 0);

    t.SetHot(htMinButton);
    t.Press(htMinButton, true);
    EXPECT_EQ(t.StateOf(htMinButton), 2);
    EXPECT_TRUE(pressed);
    Context c;
    c.CursorInMin = true;
    EXPECT_EQ(t.Release(htMinButton, c).Command, FrameCommand::MinimizeMainForm);
    EXPECT_FALSE(pressed);
    EXPECT_EQ(t.StateOf(htMinButton), 0);
}

TEST(ButtonTrackerTest, ReleaseOffTheButtonDoesNothing) {
    bool pressed = false;
    TitleButtonTracker t(pressed);
    t.Press(htMinButton, true);
    // Moving off: the button loses its pressed look only when the press ends.
    EXPECT_EQ(t.SetHot(htCaption), std::vector<int>{htMinButton});
    EXPECT_EQ(t.SetHot(htMinButton), std::vector<int>{}) << "no hot look while pressed";
    t.SetHot(htCaption);
    EXPECT_EQ(t.Release(htCaption, {}).Command, FrameCommand::PassOn);
    EXPECT_FALSE(pressed);
    // Released on the button's code but outside its rectangle.
    t.Press(htMinButton, true);
    EXPECT_EQ(t.Release(htMinButton, {}).Command, FrameCommand::None);
    // Pressed on close, released on minimise: neither.
    t.Press(htClose, true);
    Context in_min;
    in_min.CursorInMin = true;
    EXPECT_EQ(t.Release(htMinButton, in_min).Command, FrameCommand::PassOn);
}

TEST(ButtonTrackerTest, ReleaseTable) {
    bool pressed = false;
    TitleButtonTracker t(pressed);
    Context c;
    c.CursorInMin = true;
    c.IsMainForm = false;
    t.Press(htMinButton, true);
    EXPECT_EQ(t.Release(htMinButton, c).Command, FrameCommand::Minimize);
    c.Minimized = true;
    t.Press(htMinButton, true);
    EXPECT_EQ(t.Release(htMinButton, c).Command, FrameCommand::Restore);
    t.Press(htMaxButton, true);
    EXPECT_EQ(t.Release(htMaxButton, c).Command, FrameCommand::Maximize);
    c.Maximized = true;
    t.Press(htMaxButton, true);
    EXPECT_EQ(t.Release(htMaxButton, c).Command, FrameCommand::Restore);
    c.MaxOrRestoreEnabled = false;
    t.Press(htMaxButton, false);
    EXPECT_FALSE(pressed) << "a disabled maximise button is not pressed";
    EXPECT_EQ(t.Release(htMaxButton, c).Command, FrameCommand::None);
    t.Press(htClose, true);
    EXPECT_EQ(t.Release(htClose, c).Command, FrameCommand::Close);
    EXPECT_EQ(t.Release(htClose, c).Command, FrameCommand::None) << "no press, no close";
    t.Press(htHelp, true);
    EXPECT_EQ(t.Release(htHelp, c).Command, FrameCommand::ContextHelp);
    t.Press(htUserButton + 2, true);
    EXPECT_EQ(t.Release(htUserButton + 2, c), (FrameAction{FrameCommand::UserButtonUp, 2}));
    EXPECT_FALSE(pressed);
}

TEST(ButtonTrackerTest, LostCaptureResetsEverything) {
    bool pressed = false;
    TitleButtonTracker t(pressed);
    t.Press(htClose, true);
    EXPECT_EQ(t.Reset(), std::vector<int>{htClose});
    EXPECT_FALSE(pressed);
    EXPECT_EQ(t.CurrentHT(), 0);
    // Hot tracking works again at once.
    EXPECT_EQ(t.SetHot(htMinButton), std::vector<int>{htMinButton});
    EXPECT_EQ(t.StateOf(htMinButton), 1);
    // The flag is shared: another form's press stops this form's hot tracking.
    bool shared = false;
    TitleButtonTracker a(shared), b(shared);
    a.Press(htClose, true);
    b.SetHot(htMinButton);
    EXPECT_EQ(b.StateOf(htMinButton), 0);
}

TEST(ButtonTrackerTest, DoubleAndRightClicks) {
    const WindowRules main = RulesFor(MainWindow(), true, true, true);
    EXPECT_EQ(DoubleClickAction(htSysMenu, main, true).Command, FrameCommand::Close);
    EXPECT_EQ(DoubleClickAction(htCaption, main, true).Command, FrameCommand::None)
        << "the main window cannot be maximised";
    FormFrameState picker = FormOfClient(300, 300, BorderStyle::bsSizeable);
    EXPECT_EQ(DoubleClickAction(htCaption, RulesFor(picker, true, true, true), true).Command,
              FrameCommand::Maximize);
    picker.Maximized = true;
    EXPECT_EQ(DoubleClickAction(htCaption, RulesFor(picker, true, true, true), true).Command,
              FrameCommand::Restore);
    EXPECT_EQ(DoubleClickAction(htClient, main, true).Command, FrameCommand::PassOn);
    EXPECT_EQ(RightButtonAction(htCaption, true).Command, FrameCommand::Swallow);
    EXPECT_EQ(RightButtonAction(htSysMenu, false).Command, FrameCommand::OpenSystemMenuAtCursor);
    EXPECT_EQ(RightButtonAction(htClose, false).Command, FrameCommand::PassOn);
    EXPECT_TRUE(KeyMenuOpensSystemMenu(u' '));
    EXPECT_FALSE(KeyMenuOpensSystemMenu(u'f'));
}

} // namespace
} // namespace skin::frame
