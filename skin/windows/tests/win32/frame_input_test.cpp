// The skinned frame under real input: the mouse moved and clicked through the platform's input
// stream, as a person would, over the title band, the title buttons and the shadow.

#include "skin/windows/tests/win32/skinned_form.h"
#include "ui/trace.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>

namespace skin::windows {
namespace {

using namespace testing;

// The input comes from a thread of its own, as from a person: the window's thread keeps
// processing messages meanwhile, also inside the platform's modal move loop.
void Input(const std::function<void()>& script) {
    std::atomic<bool> done = false;
    std::thread person([&] {
        script();
        Sleep(100);
        done = true;
    });
    const DWORD start = GetTickCount();
    while (!done && GetTickCount() - start < 10000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        ui::Application::Instance().ProcessMessages();
    }
    person.join();
    Settle(100);
}

void MouseTo(frame::Point p) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv(p.X, 65535, width - 1);
    move.mi.dy = MulDiv(p.Y, 65535, height - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof(move));
    Sleep(60);
}

void Button(bool down) {
    INPUT click{};
    click.type = INPUT_MOUSE;
    click.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &click, sizeof(click));
    Sleep(120);
}

HWND BorderWindowOf(HWND form) {
    struct Search {
        HWND form;
        HWND found = nullptr;
    } search{form};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM data) {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t name[64] = {};
            GetClassNameW(w, name, 64);
            if (std::wstring(name) == L"ArbordirBorderFrame" && GetWindow(w, GW_OWNER) == s->form &&
                IsWindowVisible(w))
                s->found = w;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Drags the form by its title band, 40 right and 32 down, by hand; the form's rectangle before.
RECT DragTitleBand(SkinnedForm& f) {
    RECT before{};
    GetWindowRect(f.Window(), &before);
    const frame::Point grab = f.ScreenOf({250, 62});
    Input([&] {
        MouseTo(grab);
        Button(true);
        for (int step = 1; step <= 4; ++step)
            MouseTo({grab.X + 10 * step, grab.Y + 8 * step});
        Button(false);
    });
    return before;
}

class FrameInputTest : public ui::FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        char name[MAX_PATH] = {};
        GetTempFileNameA(".", "trc", 0, name);
        path = name;
        ui::RedirectTrace(path);
    }
    void TearDown() override {
        ui::RedirectTrace("");
        std::remove(path.c_str());
        FrameworkTest::TearDown();
    }
    std::string path;
};

TEST_F(FrameInputTest, DraggingTheTitleBandMovesTheWindowAndItsBorder) {
    SkinnedForm f(true);
    SetForegroundWindow(f.Window());
    Settle();
    const RECT before = DragTitleBand(f);
    RECT after{};
    GetWindowRect(f.Window(), &after);
    EXPECT_EQ(after.left - before.left, 40);
    EXPECT_EQ(after.top - before.top, 32);
    HWND border = BorderWindowOf(f.Window());
    ASSERT_TRUE(border);
    RECT b{};
    GetWindowRect(border, &b);
    EXPECT_EQ(b.left, after.left - 51);
    EXPECT_EQ(b.top, after.top - 55);
}

TEST_F(FrameInputTest, WithBlendOnMovingTheDraggedWindowShowsTranslucent) {
    FrameSkinSource source = MakeFrameSkinSource(Skin(), true);
    source.MoveBlend = 170;
    SkinnedForm f(true, ui::BorderStyle::bsSingle, &source);
    SetForegroundWindow(f.Window());
    Settle();
    const RECT before = DragTitleBand(f);
    EXPECT_EQ(TraceOf(path, "move-blend"), (std::vector<std::pair<long long, long long>>{{0, 170}, {1, 255}}));
    // The whole window went out at the blend value, then the frame opaque again.
    const auto images = TraceOf(path, "border-image");
    EXPECT_TRUE(std::any_of(images.begin(), images.end(),
                            [](const auto& image) { return image.second == 170; }));
    ASSERT_FALSE(images.empty());
    EXPECT_EQ(images.back().second, 255);
    RECT after{};
    GetWindowRect(f.Window(), &after);
    EXPECT_EQ(after.left - before.left, 40);
    EXPECT_EQ(after.top - before.top, 32);
    HWND border = BorderWindowOf(f.Window());
    ASSERT_TRUE(border);
    RECT b{};
    GetWindowRect(border, &b);
    EXPECT_EQ(b.left, after.left - 51);
    EXPECT_EQ(b.top, after.top - 55);
    EXPECT_TRUE(RegionIsTheClientArea(f)) << "the client area again";
}

TEST_F(FrameInputTest, MinimiseActsOnlyWhenReleasedOverTheButton) {
    SkinnedForm f(true);
    SetForegroundWindow(f.Window());
    Settle();
    const frame::Rect min = f.provider->Layout().Buttons[2].R;
    const frame::Point on = f.ScreenOf({min.Left + 4, min.Top + 5});
    Input([&] { MouseTo(on); });
    EXPECT_EQ(f.provider->Buttons().StateOf(frame::htMinButton), 1) << "hot under the mouse";
    Input([&] { Button(true); });
    EXPECT_EQ(f.provider->Buttons().StateOf(frame::htMinButton), 2);
    Input([&] {
        MouseTo({on.X - 150, on.Y});
        Button(false);
    });
    EXPECT_FALSE(IsIconic(f.Window()));
    EXPECT_FALSE(TsSkinProvider::ButtonPressedFlag());

    Input([&] {
        MouseTo(on);
        Button(true);
        Button(false);
    });
    EXPECT_TRUE(IsIconic(f.Window()));
    // No taskbar here: restored by message, as a taskbar would.
    SendMessageW(f.Window(), WM_SYSCOMMAND, SC_RESTORE, 0);
    Settle();
    EXPECT_FALSE(IsIconic(f.Window()));
    EXPECT_TRUE(BorderWindowOf(f.Window())) << "the border comes back with the window";
}

TEST_F(FrameInputTest, HoveringTheCloseButtonMakesItHot) {
    SkinnedForm f(true);
    SetForegroundWindow(f.Window());
    Settle();
    const frame::Rect close = f.provider->Layout().Buttons[0].R;
    Input([&] { MouseTo(f.ScreenOf({close.Left + 5, close.Top + 5})); });
    const auto buttons = TraceOf(path, "button");
    ASSERT_FALSE(buttons.empty());
    EXPECT_EQ(buttons.back(), (std::pair<long long, long long>{frame::htClose, 1}));
    Input([&] { MouseTo(f.ScreenOf({150, 200})); });
    EXPECT_EQ(f.provider->Buttons().StateOf(frame::htClose), 0);
}

TEST_F(FrameInputTest, ClickOnTheShadowLeavesTheActivationAlone) {
    ui::Form behind{nullptr};
    behind.SetBounds({0, 0, 800, 600});
    behind.Show();
    SkinnedForm f(true);
    SetForegroundWindow(f.Window());
    Settle();
    const frame::Point shadow = f.ScreenOf({20, 200});
    Input([&] {
        MouseTo(shadow);
        Button(true);
        Button(false);
    });
    const auto hits = TraceOf(path, "border-hit");
    ASSERT_FALSE(hits.empty());
    EXPECT_EQ(hits.back().second, frame::htTransparent);
    EXPECT_NE(GetForegroundWindow(), BorderWindowOf(f.Window()));
}

} // namespace
} // namespace skin::windows
