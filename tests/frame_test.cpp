// The skinned frame of the real program, used as a person would: the shadow and frame around
// the main window, its title buttons, the system menu, moving it by its title band, closing it.

#include "support/input.h"
#include "support/live_program.h"
#include "support/trace.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using testing_support::Button;
using testing_support::LiveProgram;
using testing_support::MouseOnScreen;
using testing_support::PressWithoutClick;
using testing_support::WaitFor;

// Cache-bitmap places of the internal skin's main window (client 488 x 387): the client area at
// (54, 77), the minimise button at W - 91 .. W - 77 and y 56 .. 72 with W = 488 + 108.
constexpr int kCacheWidth = 488 + 108;
constexpr POINT kMinimise{kCacheWidth - 84, 64};
constexpr POINT kTitleBand{250, 62};

HWND BorderOf(HWND form) {
    struct Search {
        HWND form;
        HWND found = nullptr;
    } search{form};
    EnumWindows(
        [](HWND w, LPARAM data) -> BOOL {
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

POINT OnBorder(HWND border, POINT cache) {
    RECT b{};
    GetWindowRect(border, &b);
    return {b.left + cache.x, b.top + cache.y};
}

// The lines of one event of the program's trace: frame and value.
std::vector<std::pair<long long, long long>> TraceOf(const std::string& path,
                                                     const std::string& event) {
    return testing_support::TraceLines(std::wstring(path.begin(), path.end()), event);
}

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[MAX_PATH] = {};
        GetTempFileNameA(".", "trc", 0, name);
        trace = name;
        char full[MAX_PATH] = {};
        GetFullPathNameA(name, MAX_PATH, full, nullptr);
        SetEnvironmentVariableA("ARBORDIR_TRACE", full);
        program = std::make_unique<LiveProgram>(L"");
        ASSERT_NE(program->Window(), nullptr);
        SetForegroundWindow(program->Window());
        program->WaitIdle();
        ASSERT_TRUE(WaitFor([&] { return BorderOf(program->Window()) != nullptr; }));
        border = BorderOf(program->Window());
    }
    void TearDown() override {
        program.reset();
        SetEnvironmentVariableA("ARBORDIR_TRACE", nullptr);
        std::remove(trace.c_str());
    }
    std::string trace;
    std::unique_ptr<LiveProgram> program;
    HWND border = nullptr;
};

TEST_F(FrameTest, ShadowAndFrameLieAroundTheClippedWindow) {
    HWND window = program->Window();
    RECT w{}, b{};
    GetWindowRect(window, &w);
    GetWindowRect(border, &b);
    EXPECT_EQ(b.left, w.left - 51);
    EXPECT_EQ(b.top, w.top - 55);
    EXPECT_EQ(b.right - b.left, 488 + 108);
    EXPECT_EQ(b.bottom - b.top, 387 + 131);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(window, region), SIMPLEREGION) << "the window is its client area";
    RECT box{};
    GetRgnBox(region, &box);
    DeleteObject(region);
    EXPECT_EQ(box.right - box.left, 488);
    EXPECT_EQ(box.bottom - box.top, 387);
}

TEST_F(FrameTest, HoveringTheCloseButtonMakesItHot) {
    MouseOnScreen(OnBorder(border, {kCacheWidth - 64, 64}));
    program->WaitIdle();
    EXPECT_TRUE(WaitFor([&] {
        for (const auto& [code, state] : TraceOf(trace, "button"))
            if (code == HTCLOSE && state == 1)
                return true;
        return false;
    }));
}

TEST_F(FrameTest, MinimiseOnlyWhenReleasedOverTheButton) {
    HWND window = program->Window();
    PressWithoutClick(border, kMinimise.x, kMinimise.y);
    program->WaitIdle();
    Sleep(200);
    EXPECT_FALSE(IsIconic(window)) << "released away from the button";

    const POINT on = OnBorder(border, kMinimise);
    MouseOnScreen(on);
    program->WaitIdle();
    MouseOnScreen(on, Button::Down);
    program->WaitIdle();
    MouseOnScreen(on, Button::Up);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(window) != FALSE; })) << [&] {
        std::ifstream in(trace);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }();
    // No taskbar here: restored by message, as a taskbar would.
    PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(window) && BorderOf(window) != nullptr; }));
    RECT w{}, b{};
    GetWindowRect(window, &w);
    GetWindowRect(BorderOf(window), &b);
    EXPECT_EQ(b.left, w.left - 51);
    EXPECT_EQ(b.top, w.top - 55);
}

TEST_F(FrameTest, DraggingTheTitleBandMovesTheWindow) {
    HWND window = program->Window();
    RECT before{};
    GetWindowRect(window, &before);
    const POINT grab = OnBorder(border, kTitleBand);
    MouseOnScreen(grab);
    MouseOnScreen(grab, Button::Down);
    for (int step = 1; step <= 5; ++step)
        MouseOnScreen({grab.x + 8 * step, grab.y + 6 * step});
    MouseOnScreen({grab.x + 40, grab.y + 30}, Button::Up);
    program->WaitIdle();
    RECT after{};
    EXPECT_TRUE(WaitFor([&] {
        GetWindowRect(window, &after);
        return after.left - before.left == 40 && after.top - before.top == 30;
    }));
    RECT b{};
    GetWindowRect(BorderOf(window), &b);
    EXPECT_EQ(b.left, after.left - 51);
    EXPECT_EQ(b.top, after.top - 55);
}

TEST_F(FrameTest, AltSpaceOpensTheSystemMenu) {
    INPUT keys[4] = {};
    for (INPUT& key : keys)
        key.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_MENU;
    keys[1].ki.wVk = VK_SPACE;
    keys[2].ki.wVk = VK_SPACE;
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_MENU;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, keys, sizeof(INPUT));
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        menu = FindWindowW(L"#32768", nullptr);
        return menu && IsWindowVisible(menu);
    })) << "the system menu's popup";
    auto items = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
    EXPECT_NE(items, nullptr);
    if (GetMenuItemCount(items) > 0) {
        // Restore (disabled), Move, Size (disabled), Minimize, a separator and Close.
        std::vector<UINT> ids;
        for (int i = 0; i < GetMenuItemCount(items); ++i)
            ids.push_back(GetMenuItemID(items, i));
        EXPECT_EQ(ids, (std::vector<UINT>{SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, 0, SC_CLOSE}));
    }
    testing_support::PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }));
    EXPECT_FALSE(IsIconic(program->Window()));
}

TEST_F(FrameTest, ClosingShrinksAndFadesTheWindowInEightSteps) {
    EXPECT_EQ(program->Close(), 0u);
    const auto hide = TraceOf(trace, "hide");
    ASSERT_EQ(hide.size(), 9u);
    for (std::size_t i = 0; i < hide.size(); ++i)
        EXPECT_EQ(hide[i].first, static_cast<int>(i));
    EXPECT_EQ(hide.back().second, 0);
}

} // namespace
