#include "frame_test_forms.h"
#include "skin/frame/form_animation.h"
#include "skin/frame/screen_snap.h"

#include <gtest/gtest.h>

namespace skin::frame {
namespace {

using namespace testing;

TEST(ScreenSnapTest, EdgesWithinTheBufferLandOnTheWorkArea) {
    const Rect work{0, 0, 1024, 740};
    const Point old{300, 300};
    auto moved = [](int x, int y) { return Rect{x, y, x + 200, y + 100}; };
    EXPECT_EQ(SnapToWorkArea(moved(7, 300), old, work, 10), (Point{0, 300}));
    EXPECT_EQ(SnapToWorkArea(moved(10, 300), old, work, 10), (Point{10, 300}));
    EXPECT_EQ(SnapToWorkArea(moved(-9, 300), old, work, 10), (Point{0, 300}));
    EXPECT_EQ(SnapToWorkArea(moved(820, 635), old, work, 10), (Point{824, 640}));
    EXPECT_EQ(SnapToWorkArea(moved(400, 5), old, work, 10), (Point{400, 0}));
    // Nothing snaps without a move, or at (0, 0).
    EXPECT_EQ(SnapToWorkArea(moved(5, 5), {5, 5}, work, 10), (Point{5, 5}));
    EXPECT_EQ(SnapToWorkArea(moved(0, 0), old, work, 10), (Point{0, 0}));
    // A work area narrower than the buffer allows both: left and top win.
    const Rect tiny{0, 0, 205, 105};
    EXPECT_EQ(SnapToWorkArea(moved(3, 3), old, tiny, 10), (Point{0, 0}));
}

TEST(ScreenSnapTest, ExtendedFramesSnapTheirVisibleFrame) {
    const FrameGeometry g = Extended(MainWindow());
    const Margins m = SnapMargins(g);
    EXPECT_EQ(m, (Margins{1, 5, 1, 1}));
    const Rect work{0, 0, 1024, 740};
    // The frame's left edge lies 1 pixel left of the window: a window at x 8 shows it at 7.
    EXPECT_EQ(SnapToWorkArea({8, 300, 208, 400}, {300, 300}, work, 10, m), (Point{1, 300}));
    EXPECT_EQ(SnapToWorkArea({8, 8, 208, 108}, {300, 300}, work, 10, m), (Point{1, 5}));
    EXPECT_EQ(SnapMargins(Plain(MainWindow())), Margins{});
}

TEST(ScreenSnapTest, DoubleClickedEdgesStretchAndGiveBack) {
    const Rect work{0, 0, 1024, 740};
    const Rect bounds{100, 120, 400, 420};
    StretchResult wide = ToggleStretch(bounds, {}, work, true, 1, 5);
    EXPECT_EQ(wide.Bounds, (Rect{1, 120, 1023, 420}));
    EXPECT_EQ(wide.Normal.Left, 100);
    EXPECT_EQ(wide.Normal.Right, 400);
    // Stretched downwards too, then back across: the height stays stretched.
    StretchResult tall = ToggleStretch(wide.Bounds, wide.Normal, work, false, 1, 5);
    EXPECT_EQ(tall.Bounds, (Rect{1, 5, 1023, 5 + 740 - 6}));
    StretchResult back = ToggleStretch(tall.Bounds, tall.Normal, work, true, 1, 5);
    EXPECT_EQ(back.Bounds, (Rect{100, 5, 400, 739}));
    StretchResult home = ToggleStretch(back.Bounds, back.Normal, work, false, 1, 5);
    EXPECT_EQ(home.Bounds, bounds);
    EXPECT_EQ(home.Normal, Rect{});
}

TEST(FormAnimationTest, HideShrinksAndFadesInEightSteps) {
    const auto frames = HideFrames(800, 400, 100, 255, AnimationMode::atAero);
    ASSERT_EQ(frames.size(), 9u) << "ticks 0 .. 8";
    EXPECT_EQ(frames[0], (AnimationFrame{{0, 0, 800, 400}, 223}));
    EXPECT_EQ(frames[1].Draw, (Rect{13, 6, 788, 394})) << "800 / 64 = 12.5 per side";
    EXPECT_EQ(frames[7].Opacity, 0);
    EXPECT_EQ(frames[8].Opacity, 0);
    for (std::size_t i = 1; i < frames.size(); ++i)
        EXPECT_LE(frames[i].Opacity, frames[i - 1].Opacity);
    // The last picture is shrunk by one eighth per side.
    EXPECT_EQ(frames[8].Draw, (Rect{100, 50, 700, 350}));
    const auto fading = HideFrames(800, 400, 100, 200, AnimationMode::atFading);
    EXPECT_EQ(fading[4].Draw, (Rect{0, 0, 800, 400}));
    EXPECT_EQ(fading[0].Opacity, 175);
    EXPECT_TRUE(HideFrames(800, 400, 11, 255, AnimationMode::atAero).empty());
    EXPECT_TRUE(HideFrames(800, 400, 0, 255, AnimationMode::atAero).empty());
}

TEST(FormAnimationTest, ShowIsTheReverseAndNoneWithoutTime) {
    EXPECT_TRUE(ShowFrames(800, 400, 0, 255, AnimationMode::atAero).empty());
    const auto frames = ShowFrames(800, 400, 96, 255, AnimationMode::atAero);
    ASSERT_EQ(frames.size(), 9u);
    EXPECT_EQ(frames[0], (AnimationFrame{{100, 50, 700, 350}, 0}));
    EXPECT_EQ(frames[8], (AnimationFrame{{0, 0, 800, 400}, 255}));
}

TEST(FormAnimationTest, MinimiseTakesThirteenStepsAndRestoreReturns) {
    const Rect from{100, 100, 500, 400};
    const Rect to{300, 740, 300, 740};
    const auto down = MinimizeFrames(from, to, 200, 255, false);
    ASSERT_EQ(down.size(), 13u);
    EXPECT_EQ(down.back(), (AnimationFrame{to, 0}));
    EXPECT_GT(down.front().Opacity, down.back().Opacity);
    const auto up = MinimizeFrames(from, to, 200, 255, true);
    ASSERT_EQ(up.size(), 13u);
    EXPECT_EQ(up.back(), (AnimationFrame{from, 255}));
    EXPECT_EQ(up.front(), down[11]);
    EXPECT_EQ(MinimizeFrames(from, to, 10, 255, false).size(), 1u) << "at least one step";
}

TEST(FormAnimationTest, NearestEdgeWithoutTaskbar) {
    const Rect screen{0, 0, 1024, 768};
    EXPECT_EQ(NearestEdgeTarget(screen, {400, 600, 600, 700}), (Rect{500, 768, 500, 768}));
    EXPECT_EQ(NearestEdgeTarget(screen, {0, 300, 100, 400}), (Rect{0, 350, 0, 350}));
    EXPECT_EQ(NearestEdgeTarget(screen, {900, 300, 1000, 400}), (Rect{1024, 350, 1024, 350}));
    EXPECT_EQ(NearestEdgeTarget(screen, {400, 0, 600, 100}), (Rect{500, 0, 500, 0}));
}

TEST(ButtonFadeTest, HotFadesInOverTenStepsThenWatchesTheCursor) {
    ButtonFade fade;
    EXPECT_FALSE(fade.StartTowards(0)) << "already normal";
    ASSERT_TRUE(fade.StartTowards(1));
    std::vector<int> opacity;
    for (int i = 0; i < 10; ++i) {
        const ButtonFade::Step s = fade.Tick();
        EXPECT_FALSE(s.CheckCursor);
        EXPECT_EQ(s.RebuildImage, i == 0);
        opacity.push_back(s.Opacity);
    }
    EXPECT_EQ(opacity, (std::vector<int>{25, 50, 75, 100, 125, 150, 175, 200, 225, 250}));
    ButtonFade::Step s = fade.Tick();
    EXPECT_EQ(s.Opacity, 255);
    EXPECT_FALSE(s.CheckCursor);
    s = fade.Tick();
    EXPECT_TRUE(s.CheckCursor);
    EXPECT_FALSE(s.Finished);
}

TEST(ButtonFadeTest, PressedAtOnceAndFadeOutFromTheCurrentLevel) {
    ButtonFade fade;
    fade.StartTowards(1);
    for (int i = 0; i < 4; ++i)
        fade.Tick();
    ASSERT_TRUE(fade.StartTowards(0));
    std::vector<int> out;
    for (;;) {
        const ButtonFade::Step s = fade.Tick();
        out.push_back(s.Opacity);
        if (s.Finished) {
            EXPECT_TRUE(s.FreeOverlay);
            break;
        }
    }
    EXPECT_EQ(out, (std::vector<int>{75, 50, 25, 0}));

    fade.StartTowards(1);
    fade.Tick();
    ASSERT_TRUE(fade.StartTowards(2));
    ButtonFade::Step s = fade.Tick();
    EXPECT_EQ(s.Opacity, 255);
    EXPECT_TRUE(s.RebuildImage);
    fade.Tick();
    EXPECT_FALSE(fade.Tick().CheckCursor) << "a pressed button waits for its release";
    // Released: back to normal fades out over the ten steps.
    fade.StartTowards(0);
    EXPECT_EQ(fade.Tick().Opacity, 225);
}

} // namespace
} // namespace skin::frame
