// The skinned frame of the real program, used as a person would: the shadow and frame around
// the main window, its title buttons, the system menu, moving it by its title band, clicking the
// shadow and the client area through the X server, activation, minimising and closing.

#include "support/input.h"
#include "support/live_program.h"
#include "support/screenshot.h"
#include "support/trace.h"
#include "support/x_display.h"

#include <cstdio>
#include <cstdlib>
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
using testing_support::WaitFor;
using testing_support::Xdotool;

// Cache-bitmap places of the internal skin's main window (client 488 x 387): the client area at
// (54, 77), the minimise button at W - 91 .. W - 77 and y 56 .. 72 with W = 488 + 108, the
// close button right of it; the shadow is 50 pixels wide on every side.
constexpr int kCacheWidth = 488 + 108;
constexpr int kCacheHeight = 387 + 131;
constexpr POINT kMinimise{kCacheWidth - 84, 64};
constexpr POINT kClose{kCacheWidth - 64, 64};
constexpr POINT kTitleBand{250, 62};
constexpr POINT kShadowPoints[] = {{25, 250}, {40, 300}, {300, 30}, {300, kCacheHeight - 25}};

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

std::wstring At(POINT p) {
    return std::to_wstring(p.x) + L" " + std::to_wstring(p.y);
}

// The border window lies at the form's top-left minus (51, 55).
testing::AssertionResult Aligned(HWND form) {
    HWND border = BorderOf(form);
    if (!border)
        return testing::AssertionFailure() << "no border window";
    RECT w{}, b{};
    GetWindowRect(form, &w);
    GetWindowRect(border, &b);
    if (b.left != w.left - 51 || b.top != w.top - 55)
        return testing::AssertionFailure()
               << "border at " << b.left << "," << b.top << ", form at " << w.left << "," << w.top;
    return testing::AssertionSuccess();
}

// The lines of one event of the program's trace: frame and value.
std::vector<std::pair<long long, long long>> TraceOf(const std::string& path,
                                                     const std::string& event) {
    return testing_support::TraceLines(std::wstring(path.begin(), path.end()), event);
}

std::string WholeFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

// Keeps this thread's own windows answering while the program works.
template <class Predicate>
bool PumpUntil(Predicate predicate, DWORD milliseconds = 10000) {
    const DWORD start = GetTickCount();
    while (!predicate()) {
        if (GetTickCount() - start > milliseconds)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    PumpUntil([&] { return GetTickCount() - start > milliseconds; }, milliseconds + 100);
}

// A plain window of one colour, of this test's own: a backdrop under the program's window, or
// another window to activate.
class ColouredWindow {
public:
    ColouredWindow(RECT r, COLORREF colour, bool behind) : brush_(CreateSolidBrush(colour)) {
        static const ATOM registered = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = Procedure;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"FrameTestColour";
            return RegisterClassW(&wc);
        }();
        (void)registered;
        window_ = CreateWindowExW(behind ? WS_EX_NOACTIVATE : 0, L"FrameTestColour", L"Other",
                                  WS_POPUP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowPos(window_, behind ? HWND_BOTTOM : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        RedrawWindow(window_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW);
        Pump(200);
    }
    ~ColouredWindow() {
        DestroyWindow(window_);
        DeleteObject(brush_);
    }
    ColouredWindow(const ColouredWindow&) = delete;
    ColouredWindow& operator=(const ColouredWindow&) = delete;
    HWND Window() const { return window_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<ColouredWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && msg == WM_ERASEBKGND) {
            RECT r{};
            GetClientRect(window, &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, self->brush_);
            return 1;
        }
        return DefWindowProcW(window, msg, wParam, lParam);
    }

    HBRUSH brush_ = nullptr;
    HWND window_ = nullptr;
};

// What the screen shows (composited) at the shadow points.
std::vector<COLORREF> ShadowPixels(HWND border) {
    std::vector<COLORREF> pixels;
    HDC screen = GetDC(nullptr);
    for (POINT p : kShadowPoints) {
        const POINT s = OnBorder(border, p);
        pixels.push_back(GetPixel(screen, s.x, s.y));
    }
    ReleaseDC(nullptr, screen);
    return pixels;
}

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        BeforeStart();
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
    virtual void BeforeStart() {}
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
    EXPECT_EQ(b.right - b.left, kCacheWidth);
    EXPECT_EQ(b.bottom - b.top, kCacheHeight);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(window, region), SIMPLEREGION) << "the window is its client area";
    RECT box{};
    GetRgnBox(region, &box);
    DeleteObject(region);
    EXPECT_EQ(box.right - box.left, 488);
    EXPECT_EQ(box.bottom - box.top, 387);
}

TEST_F(FrameTest, ClickInTheClientAreaReachesTheControlUnderIt) {
    HWND window = program->Window();
    HWND field = program->Child(L"Edit");
    ASSERT_TRUE(field);
    ASSERT_NE(program->Focus(), field) << "the tree's first name is being edited";
    // The border window lies above the form, over its client area too.
    bool border_above = false;
    for (HWND w = GetWindow(window, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
        border_above = border_above || w == border;
    EXPECT_TRUE(border_above);
    RECT r{};
    GetWindowRect(field, &r);
    ASSERT_TRUE(Xdotool(L"mousemove " + At({(r.left + r.right) / 2, (r.top + r.bottom) / 2}) +
                        L" click 1"));
    program->WaitIdle();
    EXPECT_TRUE(WaitFor([&] { return program->Focus() == field; }));
}

TEST_F(FrameTest, HoveringTheCloseButtonMakesItHot) {
    MouseOnScreen(OnBorder(border, kClose));
    program->WaitIdle();
    EXPECT_TRUE(WaitFor([&] {
        for (const auto& [code, state] : TraceOf(trace, "button"))
            if (code == HTCLOSE && state == 1)
                return true;
        return false;
    }));
}

TEST_F(FrameTest, MinimiseAnimatesDropsTheBorderAndRestoreBringsItBack) {
    HWND window = program->Window();
    // Pressed on the button, released away from it: each step handled before the next, so that
    // the release comes to the window that holds the mouse.
    const POINT on = OnBorder(border, kMinimise);
    const POINT away{on.x, on.y - 200};
    for (const auto& [point, button] :
         {std::pair{on, Button::Keep}, std::pair{on, Button::Down}, std::pair{away, Button::Keep},
          std::pair{away, Button::Up}}) {
        MouseOnScreen(point, button);
        program->WaitIdle();
    }
    Sleep(200);
    EXPECT_FALSE(IsIconic(window)) << "released away from the button";

    const HWND before = BorderOf(window);
    ASSERT_TRUE(Xdotool(L"mousemove " + At(OnBorder(border, kMinimise))));
    program->WaitIdle();
    ASSERT_TRUE(Xdotool(L"click 1"));
    ASSERT_TRUE(WaitFor([&] { return IsIconic(window) != FALSE; })) << WholeFile(trace);
    ASSERT_TRUE(WaitFor([&] { return TraceOf(trace, "minimize").size() >= 13; }));
    Sleep(100);
    const auto down = TraceOf(trace, "minimize");
    ASSERT_EQ(down.size(), 13u) << "200 ms in steps of 15 ms";
    for (std::size_t i = 1; i < down.size(); ++i)
        EXPECT_LT(down[i].second, down[i - 1].second) << "fading, tick " << i;
    EXPECT_EQ(down.back().second, 0);
    EXPECT_FALSE(IsWindow(before)) << "the border window is destroyed, not hidden";
    EXPECT_EQ(BorderOf(window), nullptr);

    // No taskbar here: restored by another program's message, as a taskbar would.
    PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsIconic(window) && BorderOf(window) != nullptr; }));
    ASSERT_TRUE(WaitFor([&] { return TraceOf(trace, "restore").size() >= 13; }));
    const auto up = TraceOf(trace, "restore");
    EXPECT_EQ(up.size(), 13u);
    EXPECT_EQ(up.back().second, 255);
    program->WaitIdle();
    EXPECT_TRUE(Aligned(window));
}

TEST_F(FrameTest, DraggingTheTitleBandMovesTheWindowAndTheBorderLinesUp) {
    HWND window = program->Window();
    RECT before{};
    GetWindowRect(window, &before);
    const POINT grab = OnBorder(border, kTitleBand);
    ASSERT_TRUE(testing_support::XDrag(grab, {grab.x + 40, grab.y + 30}, 5));
    program->WaitIdle();
    RECT after{};
    EXPECT_TRUE(WaitFor([&] {
        GetWindowRect(window, &after);
        return after.left - before.left == 40 && after.top - before.top == 30;
    })) << after.left - before.left
        << ", " << after.top - before.top;
    EXPECT_TRUE(WaitFor([&] { return Aligned(window); })) << Aligned(window).message();
}

TEST_F(FrameTest, ClickOnTheShadowLeavesTheActivationAloneAndCutsAHole) {
    HWND window = program->Window();
    ASSERT_EQ(program->Active(), window);
    const POINT shadow = OnBorder(border, {20, 200});
    ASSERT_TRUE(Xdotool(L"mousemove " + At(shadow)));
    program->WaitIdle();
    ASSERT_TRUE(Xdotool(L"click 1"));
    program->WaitIdle();
    Sleep(100);
    EXPECT_EQ(program->Active(), window);
    EXPECT_EQ(GetForegroundWindow(), window);
    const auto hits = TraceOf(trace, "border-hit");
    ASSERT_FALSE(hits.empty());
    EXPECT_EQ(hits.back().second, -1) << "transparent over the shadow";
    const auto holes = TraceOf(trace, "shadow-hole");
    ASSERT_FALSE(holes.empty()) << WholeFile(trace);
    EXPECT_EQ(holes.back(), (std::pair<long long, long long>{20, 200}));
    // Back over the frame, the hole closes again.
    ASSERT_TRUE(Xdotool(L"mousemove " + At(OnBorder(border, kTitleBand))));
    program->WaitIdle();
    EXPECT_TRUE(WaitFor([&] {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        const bool whole =
            GetWindowRgn(border, region) != ERROR && PtInRegion(region, 20, 200) != FALSE;
        DeleteObject(region);
        return whole;
    }));
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

// The program over a coloured window of this test's, which shows through the shadow. It is made
// before the program starts: Wine stacks a newly shown window above the other programs' windows
// whatever position it asks for.
class FrameOverBackdropTest : public FrameTest {
protected:
    void BeforeStart() override {
        backdrop = std::make_unique<ColouredWindow>(
            RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
            RGB(70, 130, 180), true);
    }
    void TearDown() override {
        FrameTest::TearDown();
        backdrop.reset();
    }
    std::unique_ptr<ColouredWindow> backdrop;
};

// Another window taking the activation: the shadow switches to its inactive template, and back.
// The screenshots over a coloured window are left for a person to judge the shadow.
TEST_F(FrameOverBackdropTest, ActivationSwitchesTheShadowTemplate) {
    HWND window = program->Window();
    SetForegroundWindow(window);
    program->WaitIdle();
    Pump(300);
    const std::wstring folder = testing_support::ScreenshotsDirectory();
    const std::vector<COLORREF> active = ShadowPixels(border);
    testing_support::SaveScreenshot(folder + L"frame-active.png");

    ColouredWindow other({10, 10, 130, 130}, RGB(200, 180, 60), false);
    ASSERT_TRUE(Xdotool(L"mousemove 70 70 click 1"));
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other.Window(); }));
    program->WaitIdle();
    Pump(300);
    const auto activation = TraceOf(trace, "activate");
    ASSERT_FALSE(activation.empty());
    EXPECT_EQ(activation.back().second, 0);
    const std::vector<COLORREF> inactive = ShadowPixels(border);
    testing_support::SaveScreenshot(folder + L"frame-inactive.png");
    int changed = 0;
    for (std::size_t i = 0; i < active.size(); ++i)
        changed += active[i] != inactive[i];
    EXPECT_GE(changed, 3) << "the inactive template shows in the shadow";

    ASSERT_TRUE(Xdotool(L"mousemove " + At(OnBorder(border, kTitleBand)) + L" click 1"));
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window; }));
    program->WaitIdle();
    Pump(300);
    EXPECT_EQ(ShadowPixels(border), active) << "the active template again";
}

TEST_F(FrameOverBackdropTest, ClosingShrinksAndFadesTheWindowInEightSteps) {
    SetForegroundWindow(program->Window());
    program->WaitIdle();
    const std::wstring mid_hide = testing_support::ScreenshotsDirectory() + L"frame-mid-hide.png";
    ASSERT_TRUE(Xdotool(L"mousemove " + At(OnBorder(border, kClose)) + L" click 1"));
    // Half way through, for a person to look at. The picture has taken the frame's place.
    if (PumpUntil([&] { return TraceOf(trace, "hide").size() >= 3; }, 5000)) {
        EXPECT_FALSE(IsWindowVisible(border)) << "the frame stays behind the shrinking picture";
        testing_support::SaveScreenshot(mid_hide);
    }
    ASSERT_EQ(WaitForSingleObject(program->Process(), 10000), WAIT_OBJECT_0);
    const auto hide = TraceOf(trace, "hide");
    ASSERT_EQ(hide.size(), 9u) << WholeFile(trace);
    for (std::size_t i = 0; i < hide.size(); ++i)
        EXPECT_EQ(hide[i].first, static_cast<int>(i));
    // o - o / 8 on every tick, before the tick is drawn: 0 from tick 7 on.
    EXPECT_EQ(hide.front().second, 223);
    for (std::size_t i = 1; i < hide.size(); ++i)
        EXPECT_LE(hide[i].second, hide[i - 1].second) << "fading, tick " << i;
    EXPECT_EQ(hide.back().second, 0);
}

// With drag-full-windows on (set in the prefix before the program starts), the window and its
// border move during the drag, not only at the release. (Wine 8 moves windows during the drag
// whatever the setting says; a plain captioned window does too.)
class FullWindowDragTest : public FrameTest {
protected:
    void BeforeStart() override {
        SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &saved_, 0);
        SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, SPIF_UPDATEINIFILE);
    }
    void TearDown() override {
        FrameTest::TearDown();
        SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, saved_, nullptr, SPIF_UPDATEINIFILE);
    }
    BOOL saved_ = FALSE;
};

TEST_F(FullWindowDragTest, TheBorderFollowsDuringTheDrag) {
    HWND window = program->Window();
    RECT before{};
    GetWindowRect(window, &before);
    const POINT grab = OnBorder(border, kTitleBand);
    ASSERT_TRUE(Xdotool(L"mousemove " + At(grab) + L" mousedown 1"));
    program->WaitIdle();
    for (int step = 1; step <= 3; ++step) {
        Sleep(60);
        ASSERT_TRUE(Xdotool(L"mousemove " + At({grab.x + 12 * step, grab.y + 9 * step})));
    }
    RECT during{};
    const bool moved = WaitFor(
        [&] {
            GetWindowRect(window, &during);
            return during.left - before.left == 36 && during.top - before.top == 27;
        },
        3000);
    const bool aligned = moved && WaitFor([&] { return Aligned(window); }, 3000);
    ASSERT_TRUE(Xdotool(L"mouseup 1"));
    EXPECT_TRUE(moved) << "the form follows the pointer while the button is down: "
                       << during.left - before.left << ", " << during.top - before.top;
    EXPECT_TRUE(aligned) << Aligned(window).message();
    program->WaitIdle();
    EXPECT_TRUE(WaitFor([&] { return Aligned(window); }));
}

} // namespace
