// The glow window on the platform: where it goes, its size and z-order, that the mouse passes
// through it, and that the list of glows keeps its slots.

#include "skin/controls/glow_effect.h"
#include "skin/data/testing/internal_skin.h"
#include "ui/form.h"
#include "ui/tests/win32/framework_fixture.h"

namespace skin::controls {
namespace {

class GlowEffectTest : public ui::FrameworkTest {
protected:
    void TearDown() override {
        HideAllGlows();
        FrameworkTest::TearDown();
    }
    data::LoadedSkin& skin = data::testing::InternalSkinFromPackage();
    int edit = skin.GetSkinIndex(u"EDIT");
};

TEST_F(GlowEffectTest, AGlowSurroundsTheControlAboveItsFormAndLetsClicksThrough) {
    ui::Form form(nullptr);
    form.SetBounds({200, 150, 300, 200});
    form.Show();
    ui::PumpUntil([] { return false; });
    HWND owner = form.Handle();
    RECT client{};
    GetClientRect(owner, &client);
    POINT origin{0, 0};
    ClientToScreen(owner, &origin);
    const RECT r{origin.x + 20, origin.y + 30, origin.x + 220, origin.y + 51}; // 200 x 21

    int id = ShowGlow(r, {0, 0, 200, 21}, skin, edit, owner, 255, 3, u"GLOW");
    ASSERT_GE(id, 0);
    HWND glow = GlowAt(id)->Wnd();
    ASSERT_NE(glow, nullptr);
    RECT placed{};
    GetWindowRect(glow, &placed);
    // GLOW0 has borders of 8 and GLOWMARGIN 3: 5 pixels out on each side.
    EXPECT_EQ(placed.left, r.left - 5);
    EXPECT_EQ(placed.top, r.top - 5);
    EXPECT_EQ(placed.right - placed.left, 210);
    EXPECT_EQ(placed.bottom - placed.top, 31);
    const LONG ex = GetWindowLongW(glow, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_LAYERED);
    EXPECT_TRUE(ex & WS_EX_TRANSPARENT);
    EXPECT_TRUE(ex & WS_EX_NOACTIVATE);
    EXPECT_TRUE(IsWindowVisible(glow));
    EXPECT_NE(GetForegroundWindow(), glow);
    // Just above the form in the z-order.
    HWND below = GetWindow(glow, GW_HWNDNEXT);
    while (below && !IsWindowVisible(below))
        below = GetWindow(below, GW_HWNDNEXT);
    EXPECT_EQ(below, owner);
    // The mouse passes through: the point on the glow's border over the form finds the form.
    EXPECT_EQ(WindowFromPoint({r.left - 2, r.top + 10}), owner);

    // Slots: a hidden glow leaves its place empty, the next one is appended.
    int second = ShowGlow(r, {0, 0, 200, 21}, skin, edit, owner, 255, 3, u"GLOW");
    ASSERT_EQ(second, id + 1);
    HideGlow(id);
    EXPECT_EQ(id, -1);
    EXPECT_FALSE(IsWindow(glow));
    EXPECT_NE(GlowAt(second), nullptr);
    HideAllGlows();
    EXPECT_EQ(GlowAt(second), nullptr);
}

TEST_F(GlowEffectTest, APartlyHiddenControlGetsACroppedGlowAndAMissingMaskNone) {
    const RECT r{100, 100, 300, 121};
    // The right 50 pixels hidden: the right cut is 200 + 8 - 150 - 3 = 55.
    int id = ShowGlow(r, {0, 0, 150, 21}, skin, edit, nullptr, 255, 3, u"GLOW");
    ASSERT_GE(id, 0);
    RECT placed{};
    GetWindowRect(GlowAt(id)->Wnd(), &placed);
    EXPECT_EQ(placed.left, 95);
    EXPECT_EQ(placed.right - placed.left, 210 - 55);
    HideGlow(id);

    EXPECT_EQ(ShowGlow(r, {0, 0, 200, 21}, skin, edit, nullptr, 255, 3, u"NOGLOW"), -1);
    EXPECT_EQ(ShowGlow(r, {0, 0, 200, 21}, skin, -1, nullptr, 255, 3, u"GLOW"), -1);
    EXPECT_EQ(ShowGlow(r, {200, 0, 200, 21}, skin, edit, nullptr, 255, 3, u"GLOW"), -1);
}

} // namespace
} // namespace skin::controls
