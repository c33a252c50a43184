#include "frame_test_forms.h"
#include "skin/frame/frame_region.h"

#include <gtest/gtest.h>

namespace skin::frame {
namespace {

using namespace testing;
using render::kKeyPixel;
using render::MaskSource;
using render::SkinBitmap;

// A border mask of one 10 x 10 state image with 3-pixel borders whose top-left corner has key
// runs (0..2 on row 0, 0 on row 1) and whose bottom-right corner has a run on the last row.
MaskSource CornerMask(SkinBitmap& storage) {
    storage = SkinBitmap(10, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            storage.At(x, y) = 0xFF808080;
    storage.At(0, 0) = storage.At(1, 0) = storage.At(2, 0) = kKeyPixel;
    storage.At(0, 1) = kKeyPixel;
    storage.At(8, 9) = storage.At(9, 9) = kKeyPixel;
    MaskSource m;
    m.Image = storage.View();
    m.OwnBitmap = true;
    m.R = {0, 0, 10, 10};
    m.ImageCount = 1;
    m.WL = m.WT = m.WR = m.WB = 3;
    m.CornerType = 1;
    m.HasManager = true;
    return m;
}

TEST(FrameRegionTest, CornerHolesFromTheBorderMasks) {
    SkinBitmap storage;
    const MaskSource form = CornerMask(storage);
    const MaskSource no_title;
    const std::vector<Rect> holes = CornerHoles(100, 50, form, no_title);
    const std::vector<Rect> expected = {{0, 0, 3, 1}, {0, 1, 1, 2}, {98, 49, 100, 50}};
    EXPECT_EQ(holes, expected);
    // The title mask adds its own top corners.
    const std::vector<Rect> both = CornerHoles(100, 50, form, form);
    EXPECT_EQ(both.size(), 5u);
}

TEST(FrameRegionTest, HolesAreClippedToTheWindow) {
    SkinBitmap storage;
    const MaskSource form = CornerMask(storage);
    // A window narrower and lower than the mask's corners.
    for (const Rect& r : CornerHoles(2, 2, form, MaskSource{})) {
        EXPECT_GE(r.Left, 0);
        EXPECT_LE(r.Right, 2);
        EXPECT_GE(r.Top, 0);
        EXPECT_LE(r.Bottom, 2);
        EXPECT_FALSE(r.IsEmpty());
    }
    EXPECT_EQ(ClipToWindow({{-5, 0, 3, 1}, {10, 10, 12, 11}, {1, 1, 1, 2}}, 8, 8),
              (std::vector<Rect>{{0, 0, 3, 1}}));
}

TEST(FrameRegionTest, FormRegions) {
    FormFrameState f = MainWindow(400, 300);
    EXPECT_EQ(FormRegionRect(Extended(f)), (Rect{3, 22, 403, 322})) << "exactly the client area";
    EXPECT_EQ(FormRegionRect(Plain(f)), (Rect{0, 0, 406, 325}));
    f.Maximized = true;
    EXPECT_EQ(FormRegionRect(Plain(f)), (Rect{3, 3, 403, 322}));
}

TEST(FrameRegionTest, BorderWindowRegionCutsTheClientHole) {
    FormFrameState f = MainWindow(400, 300);
    BorderRegion r = BorderWindowRegion(Extended(f), 400, 300, false);
    EXPECT_EQ(r.Outer, (Rect{0, 0, 508, 431}));
    EXPECT_EQ(r.Hole, (Rect{54, 77, 454, 377}));
    // The pending size while resizing.
    EXPECT_EQ(BorderWindowRegion(Extended(f), 420, 280, false).Hole, (Rect{54, 77, 474, 357}));
    EXPECT_TRUE(BorderWindowRegion(Extended(f), 400, 300, true).Hole.IsEmpty());
    f.VScrollWidth = 17;
    EXPECT_EQ(BorderWindowRegion(Extended(f), 400, 300, false).Hole.Right, 54 + 417);
    f.VScrollWidth = 0;
    f.Maximized = true;
    r = BorderWindowRegion(Extended(f), 400, 300, false);
    EXPECT_EQ(r.Outer, (Rect{54, 54, 454, 377}));
}

} // namespace
} // namespace skin::frame
