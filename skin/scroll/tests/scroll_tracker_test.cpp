#include "skin/scroll/scroll_tracker.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace skin::scroll {
namespace {

// Records what the tracker asks of its window, one line each.
struct FakeHost : TrackerHost {
    std::vector<std::string> log;
    int repaints = 0;
    bool captured = false;

    void SendScroll(BarKind bar, int code, int pos) override {
        log.push_back(std::string(bar == BarKind::Vertical ? "V" : "H") + " code " +
                      std::to_string(code) + " pos " + std::to_string(pos));
    }
    void StartTimer(unsigned id, unsigned ms) override {
        log.push_back("start " + std::to_string(id) + " " + std::to_string(ms));
    }
    void StopTimer(unsigned id) override { log.push_back("stop " + std::to_string(id)); }
    void Capture(bool on) override {
        captured = on;
        log.push_back(on ? "capture" : "release");
    }
    void RepaintBars() override { ++repaints; }
    std::vector<std::string> Take() { return std::exchange(log, {}); }
};

BarView VerticalBar() {
    BarView bar;
    bar.Kind = BarKind::Vertical;
    bar.Metrics = {200, 16, 10};
    bar.Record = {0, 99, 10, 0, 0};
    bar.Thumb = ThumbOf(bar.Metrics, bar.Record); // 17 pixels at 16
    return bar;
}

using Log = std::vector<std::string>;

TEST(ScrollTrackerTest, ArrowSendsOnceThenRepeatsAfterTheFirstDelay) {
    FakeHost host;
    ScrollTracker t;
    ASSERT_TRUE(t.Press(host, VerticalBar(), 190));
    EXPECT_EQ(host.Take(), (Log{"capture", "V code 1 pos 0", "start 65533 300"}));
    EXPECT_EQ(t.PartState(BarKind::Vertical, bpLineDown), 2);

    t.RepeatTick(host, kFirstRepeatTimer, bpLineDown);
    EXPECT_EQ(host.Take(), (Log{"stop 65533", "start 65534 55", "V code 1 pos 0"}));
    for (int i = 0; i < 3; ++i)
        t.RepeatTick(host, kRepeatTimer, bpLineDown);
    EXPECT_EQ(host.Take(), (Log{"V code 1 pos 0", "V code 1 pos 0", "V code 1 pos 0"}));

    t.RepeatTick(host, kFirstRepeatTimer, bpLineDown);
    EXPECT_TRUE(host.Take().empty()) << "a stale tick of the first timer does nothing";

    t.Release(host);
    EXPECT_EQ(host.Take(), (Log{"stop 65534", "release", "V code 8 pos 0"}));
    EXPECT_FALSE(t.Tracking());
    EXPECT_EQ(t.PartState(BarKind::Vertical, bpLineDown), 0);
}

TEST(ScrollTrackerTest, RepeatPausesOffThePartAndResumesOnIt) {
    FakeHost host;
    ScrollTracker t;
    t.Press(host, VerticalBar(), 150); // track after the thumb
    host.Take();
    t.RepeatTick(host, kFirstRepeatTimer, bpThumb);
    EXPECT_EQ(host.Take(), (Log{"stop 65533", "start 65534 55"}));
    EXPECT_EQ(t.PartState(BarKind::Vertical, bpPageDown), 0) << "shown unpressed while off";
    t.RepeatTick(host, kRepeatTimer, bpNone);
    EXPECT_TRUE(host.Take().empty());
    t.RepeatTick(host, kRepeatTimer, bpPageDown);
    EXPECT_EQ(host.Take(), (Log{"V code 3 pos 0"}));
    EXPECT_EQ(t.PartState(BarKind::Vertical, bpPageDown), 2);
}

TEST(ScrollTrackerTest, PressesThatAreRefused) {
    FakeHost host;
    ScrollTracker t;
    BarView bar = VerticalBar();
    bar.Enabled = false;
    EXPECT_FALSE(t.Press(host, bar, 5)) << "disabled bar";
    bar = VerticalBar();
    bar.UpArrowDisabled = true;
    EXPECT_FALSE(t.Press(host, bar, 5)) << "disabled arrow";
    EXPECT_TRUE(t.Press(host, bar, 190)) << "the other arrow still works";
    t.Release(host);
    bar.Metrics.Length = 500;
    EXPECT_FALSE(t.Press(host, VerticalBar(), 250)) << "outside the bar";
    EXPECT_FALSE(host.captured);
}

TEST(ScrollTrackerTest, ThumbDragSendsTrackPositionsThenPositionAndEnd) {
    FakeHost host;
    ScrollTracker t;
    BarView bar = VerticalBar();
    ASSERT_TRUE(t.Press(host, bar, 20)); // grabbed 4 pixels into the thumb
    EXPECT_EQ(host.Take(), (Log{"capture"}));
    EXPECT_TRUE(t.ThumbTracking());
    t.Drag(host, bar, 24);
    EXPECT_EQ(host.Take(), (Log{"V code 5 pos 2"}));
    t.Drag(host, bar, 24);
    EXPECT_TRUE(host.Take().empty()) << "the same position is not sent twice";
    t.Drag(host, bar, 5000);
    EXPECT_EQ(t.DraggedThumbStart(), 167) << "pinned to the end";
    EXPECT_EQ(host.Take(), (Log{"V code 5 pos 91"}));
    t.Drag(host, bar, -300);
    EXPECT_EQ(t.DraggedThumbStart(), 16);
    EXPECT_EQ(host.Take(), (Log{"V code 5 pos 0"}));
    t.Release(host);
    EXPECT_EQ(host.Take(), (Log{"release", "V code 4 pos 0", "V code 8 pos 0"}));
    EXPECT_FALSE(t.ThumbTracking());
}

TEST(ScrollTrackerTest, CancelClearsTheTrackingAndItsTimers) {
    FakeHost host;
    ScrollTracker t;
    t.Press(host, VerticalBar(), 5);
    t.RepeatTick(host, kFirstRepeatTimer, bpLineUp);
    host.Take();
    t.Cancel(host);
    EXPECT_EQ(host.Take(), (Log{"stop 65534", "release"}));
    EXPECT_FALSE(t.Tracking());
    t.RepeatTick(host, kRepeatTimer, bpLineUp);
    t.Release(host);
    EXPECT_TRUE(host.Take().empty()) << "nothing left to repeat or release";

    t.Press(host, VerticalBar(), 20);
    host.Take();
    t.Cancel(host);
    EXPECT_EQ(host.Take(), (Log{"release", "V code 8 pos 0"})) << "a drag is ended";
    EXPECT_FALSE(t.ThumbTracking());
}

TEST(ScrollTrackerTest, HoverFollowsThePartAndStopsWhenTheCursorLeaves) {
    FakeHost host;
    ScrollTracker t;
    t.HoverOver(host, BarKind::Horizontal);
    EXPECT_EQ(host.Take(), (Log{"start 65522 20"}));
    t.HoverOver(host, BarKind::Horizontal);
    EXPECT_TRUE(host.Take().empty());
    const int repaints = host.repaints;
    t.HoverTick(host, bpLineUp);
    t.HoverTick(host, bpLineUp);
    EXPECT_EQ(host.repaints, repaints + 1) << "repainted only when the part changes";
    EXPECT_EQ(t.PartState(BarKind::Horizontal, bpLineUp), 1);
    EXPECT_EQ(t.PartState(BarKind::Vertical, bpLineUp), 0);
    t.HoverTick(host, std::nullopt);
    EXPECT_EQ(host.Take(), (Log{"stop 65522"}));
    EXPECT_FALSE(t.HotBar());
    EXPECT_EQ(t.PartState(BarKind::Horizontal, bpLineUp), 0);
}

} // namespace
} // namespace skin::scroll
