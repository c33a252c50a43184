#include "skin/scroll/scroll_geometry.h"

#include <gtest/gtest.h>

namespace skin::scroll {
namespace {

TEST(ScrollGeometryTest, MulDivRoundsHalvesAwayFromZero) {
    struct Case {
        std::int64_t x, y, z;
        int expected;
    };
    for (const Case& c :
         {Case{5, 1, 2, 3}, Case{-5, 1, 2, -3}, Case{7, 1, 2, 4}, Case{5, -1, 2, -3},
          Case{4, 1, 3, 1}, Case{5, 1, 3, 2}, Case{10, 168, 100, 17}, Case{1, 1, 0, -1}}) {
        EXPECT_EQ(MulDiv(c.x, c.y, c.z), c.expected) << c.x << "*" << c.y << "/" << c.z;
    }
    EXPECT_EQ(MulDiv(2000000000, 2000000000, 4000000000), 1000000000) << "64-bit product";
}

TEST(ScrollGeometryTest, ThumbSizeAndPlace) {
    const BarMetrics m{200, 16, 10}; // track 168
    struct Case {
        const char* what;
        ScrollRecord r;
        ThumbPlace expected;
    };
    const Case cases[] = {
        {"share of the track, rounded", {0, 99, 10, 0, 0}, {17, 0}},
        {"last position pinned to the end", {0, 99, 10, 90, 0}, {17, 151}},
        {"beyond the last position stays pinned", {0, 99, 10, 500, 0}, {17, 151}},
        {"before the first position stays at the start", {0, 99, 10, -40, 0}, {17, 0}},
        {"page 0 gives a square thumb", {0, 99, 0, 0, 0}, {16, 0}},
        {"never shorter than the minimum", {0, 9999, 1, 0, 0}, {10, 0}},
        {"positions count from Min", {100, 199, 10, 190, 0}, {17, 151}},
        {"middle", {0, 99, 10, 45, 0}, {17, 76}},
        {"page wider than the range: no division by zero", {0, 5, 10, 3, 0}, {280, 0}},
        {"page one past the range: denominator zero", {0, 9, 11, 3, 0}, {185, 0}},
        {"huge range has no thumb", {-2000000000, 2000000000, 10, 5, 0}, {0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ThumbOf(m, c.r), c.expected) << c.what;
}

TEST(ScrollGeometryTest, HitTestAlongTheBar) {
    const BarMetrics m{200, 16, 10};
    const ThumbPlace thumb{17, 50}; // 66 .. 83
    struct Case {
        int p;
        BarPart part;
    };
    for (const Case& c :
         {Case{-1, bpNone}, Case{0, bpLineUp}, Case{15, bpLineUp}, Case{16, bpPageUp},
          Case{65, bpPageUp}, Case{66, bpThumb}, Case{82, bpThumb}, Case{83, bpPageDown},
          Case{183, bpPageDown}, Case{184, bpLineDown}, Case{199, bpLineDown}, Case{200, bpNone}})
        EXPECT_EQ(HitPart(m, thumb, c.p), c.part) << c.p;

    // A thumb as long as the track leaves only the arrows.
    EXPECT_EQ(HitPart(m, {168, 0}, 100), bpNone);
    EXPECT_EQ(HitPart(m, {168, 0}, 5), bpLineUp);
}

TEST(ScrollGeometryTest, ShortBarIsTwoHalfButtons) {
    const BarMetrics m{30, 16, 10};
    ASSERT_TRUE(m.Short());
    const ThumbPlace thumb = ThumbOf(m, {0, 99, 10, 0, 0});
    EXPECT_EQ(HitPart(m, thumb, 0), bpLineUp);
    EXPECT_EQ(HitPart(m, thumb, 14), bpLineUp);
    EXPECT_EQ(HitPart(m, thumb, 15), bpLineDown);
    EXPECT_EQ(HitPart(m, thumb, 29), bpLineDown);
    EXPECT_EQ(TrackSplit(m, thumb), 15);
    const BarMetrics exact{32, 16, 10};
    EXPECT_TRUE(exact.Short()) << "2a = L is short too";
    EXPECT_EQ(HitPart(exact, ThumbOf(exact, {0, 99, 10, 0, 0}), 16), bpLineDown);
}

TEST(ScrollGeometryTest, DraggedThumbIsPinnedAndPositionsRunOverTheirRange) {
    const BarMetrics m{200, 16, 10};
    const ScrollRecord r{0, 99, 10, 0, 0};
    const int s = ThumbOf(m, r).Size; // 17: room 151
    EXPECT_EQ(DraggedThumbStart(m, s, -500, 5), 16);
    EXPECT_EQ(DraggedThumbStart(m, s, 5000, 5), 167);
    EXPECT_EQ(DraggedThumbStart(m, s, 100, 5), 95);

    EXPECT_EQ(DragPosition(BarKind::Horizontal, m, r, s, 16), 0);
    EXPECT_EQ(DragPosition(BarKind::Horizontal, m, r, s, 167), 90) << "range - page + 1";
    EXPECT_EQ(DragPosition(BarKind::Vertical, m, r, s, 167), 91) << "range - page + 2";

    const ScrollRecord from_ten{10, 109, 10, 10, 0};
    EXPECT_EQ(DragPosition(BarKind::Horizontal, m, from_ten, s, 16), 10) << "counts from Min";
    EXPECT_EQ(DragPosition(BarKind::Horizontal, m, from_ten, s, 167), 100);

    // A thumb that fills the track: no division by zero, the position is Min.
    EXPECT_EQ(DragPosition(BarKind::Vertical, m, {5, 20, 30, 5, 0}, 168, 16), 5);
    // No range: the pixels moved.
    EXPECT_EQ(DragPosition(BarKind::Vertical, m, {0, 0, 0, 0, 0}, 16, 20), 4);

    EXPECT_EQ(SentPosition(70000), 65535);
    EXPECT_EQ(SentPosition(12), 12);
}

TEST(ScrollGeometryTest, GripOnlyInTheTopLevelClientCorner) {
    EXPECT_TRUE(GripInCorner(300, 200, 300, 200));
    EXPECT_FALSE(GripInCorner(300, 190, 300, 200));
    EXPECT_FALSE(GripInCorner(290, 200, 300, 200));
}

} // namespace
} // namespace skin::scroll
