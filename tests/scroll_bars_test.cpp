// The main window's tree with more folders than it shows, used with the real mouse: its skinned
// scroll bar on screen pixel for pixel, the arrows (one step at once, then repeats counted in the
// diagnostic trace), the track, the thumb dragged, the wheel; the selected folder's look with
// and without the focus; and the destination field's border, hot with the mouse or the focus.

#include "skin/data/testing/internal_skin.h"
#include "skin/scroll/scroll_painter.h"
#include "support/disk.h"
#include "support/input.h"
#include "support/live_program.h"
#include "support/screenshot.h"
#include "support/trace.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using testing_support::Button;
using testing_support::ClickAt;
using testing_support::LiveProgram;
using testing_support::MouseOnScreen;
using testing_support::PressKey;
using testing_support::TypeText;
using testing_support::WaitFor;
namespace scroll = skin::scroll;

constexpr POINT kLoadTemplate{151, 324};
constexpr int kFolders = 60;

// Scroll codes as the trace records them.
constexpr int kLineDown = 1;
constexpr int kPageDown = 3;
constexpr int kThumbPosition = 4;
constexpr int kThumbTrack = 5;
constexpr int kEndScroll = 8;

std::wstring FolderName(int i) {
    wchar_t name[32];
    swprintf(name, 32, L"Folder %02d", i);
    return name;
}

class ScrollBars : public ::testing::Test {
protected:
    void SetUp() override {
        stem = testing_support::Unique(L"e2e-scroll-");
        file = testing_support::TemplatesDirectory() + stem + L".arbordir";
        std::string bytes;
        for (int i = 1; i <= kFolders; ++i) {
            const std::wstring name = FolderName(i);
            bytes += std::string(name.begin(), name.end()) + "\r\n";
        }
        ASSERT_TRUE(testing_support::WriteWholeFile(file, bytes));
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        trace = std::wstring(temp) + stem + L".trace";
        DeleteFileW(trace.c_str());
        SetEnvironmentVariableW(L"ARBORDIR_TRACE", trace.c_str());
        program = std::make_unique<LiveProgram>(L"");
        SetEnvironmentVariableW(L"ARBORDIR_TRACE", nullptr);
        ASSERT_NE(program->Window(), nullptr);
        window = program->Window();
        tree = program->Child(WC_TREEVIEWW);
        ASSERT_NE(tree, nullptr);
        program->WaitIdle();

        ClickAt(window, kLoadTemplate.x, kLoadTemplate.y);
        HWND open = program->WaitForWindow();
        ASSERT_NE(open, nullptr);
        program->WaitIdle();
        TypeText(stem + L".arbordir");
        PressKey(VK_RETURN);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(open); }));
        program->WaitIdle();
        ASSERT_EQ(static_cast<int>(TreeView_GetCount(tree)), kFolders);
        Rest();
    }
    void TearDown() override {
        program.reset();
        DeleteFileW(file.c_str());
        DeleteFileW(trace.c_str());
    }

    // The mouse over the tree's text, away from the bar, and the bar's hover over.
    void Rest() {
        RECT client;
        GetClientRect(tree, &client);
        POINT p{client.right / 2, client.bottom / 2};
        ClientToScreen(tree, &p);
        MouseOnScreen(p);
        Settle();
    }
    void Settle() {
        program->WaitIdle();
        Sleep(150);
        program->WaitIdle();
    }

    // The index of the first item shown: the vertical scroll position of the tree.
    int FirstShown() const {
        const auto first =
            reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
        int index = 0;
        for (auto item = TreeView_GetRoot(tree); item && item != first;
             item = TreeView_GetNextSibling(tree, item))
            ++index;
        return index;
    }
    scroll::ScrollRecord Record() const {
        return {0, kFolders - 1, static_cast<int>(TreeView_GetVisibleCount(tree)), FirstShown(), 0};
    }

    // The vertical bar on screen: the tree's right edge, as wide as the platform's bar.
    RECT BarOnScreen() const {
        RECT w;
        GetWindowRect(tree, &w);
        return {w.right - GetSystemMetrics(SM_CXVSCROLL), w.top, w.right, w.bottom};
    }
    scroll::BarMetrics Metrics() const {
        const RECT bar = BarOnScreen();
        const skin::data::LoadedSkin& skin = skin::data::testing::InternalSkinFromPackage();
        return {static_cast<int>(bar.bottom - bar.top),
                scroll::SkinArrowLength(skin, scroll::BarKind::Vertical,
                                        GetSystemMetrics(SM_CXHSCROLL)),
                10};
    }
    scroll::ThumbPlace Thumb() const { return scroll::ThumbOf(Metrics(), Record()); }
    // A point on the bar's middle line, `along` pixels from its top.
    POINT OnBar(int along) const {
        const RECT bar = BarOnScreen();
        return {(bar.left + bar.right) / 2, bar.top + along};
    }

    // Pixels of the bar's middle column on screen that differ from the bar painted from the
    // tree's scroll state, nothing hot or pressed.
    int BarDifferences() const {
        const skin::data::LoadedSkin& skin = skin::data::testing::InternalSkinFromPackage();
        const RECT bar = BarOnScreen();
        scroll::BarLook look;
        look.Kind = scroll::BarKind::Vertical;
        look.Metrics = Metrics();
        look.Thumb = Thumb();
        look.GlyphSquare = GetSystemMetrics(SM_CXHSCROLL);
        look.Behind = {nullptr, 0, 0,
                       static_cast<skin::render::Color>(TreeView_GetBkColor(tree)) & 0xFFFFFF,
                       false};
        skin::render::SkinBitmap expected(bar.right - bar.left, look.Metrics.Length);
        scroll::PaintBar(expected, skin, scroll::BarSkinOf(skin, scroll::BarKind::Vertical), look);
        HDC screen = GetDC(nullptr);
        const int x = expected.Width() / 2;
        int differences = 0;
        for (int y = 0; y < expected.Height(); ++y) {
            const skin::render::Pixel p = expected.At(x, y);
            if (GetPixel(screen, bar.left + x, bar.top + y) !=
                RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF))
                ++differences;
        }
        ReleaseDC(nullptr, screen);
        return differences;
    }

    // The tree's lines of one event in the trace: (frame, value).
    std::vector<std::pair<long long, long long>> Traced(const std::string& event) const {
        return testing_support::TraceLines(trace, event, "TreeView1");
    }
    std::size_t Sent(int code) const {
        std::size_t n = 0;
        for (const auto& [sent, pos] : Traced("scroll"))
            n += sent == code;
        return n;
    }

    std::wstring stem, file, trace;
    std::unique_ptr<LiveProgram> program;
    HWND window = nullptr;
    HWND tree = nullptr;
};

TEST_F(ScrollBars, LongTreeShowsTheSkinnedBarAndNeverThePlatformsOwn) {
    EXPECT_EQ(GetWindowLongW(tree, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);
    RECT w, client;
    GetWindowRect(tree, &w);
    GetClientRect(tree, &client);
    EXPECT_EQ((w.right - w.left) - client.right, GetSystemMetrics(SM_CXVSCROLL))
        << "room for the vertical bar only";
    EXPECT_EQ((w.bottom - w.top), client.bottom);
    EXPECT_EQ(FirstShown(), 0);
    EXPECT_EQ(BarDifferences(), 0);
    testing_support::SaveScreenshot(testing_support::ArtefactsDirectory() +
                                    L"scroll_long_tree.png");
    // Expanding, selecting and scrolling by the keyboard keep the skinned bar in place.
    ClickAt(tree, 40, 10);
    PressKey(VK_END);
    Settle();
    EXPECT_EQ(FirstShown(), kFolders - Record().Page);
    EXPECT_EQ(GetWindowLongW(tree, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);
    EXPECT_EQ(BarDifferences(), 0);
}

TEST_F(ScrollBars, ArrowStepsOnceThenRepeatsWhileHeldAndPausesOffThePart) {
    const scroll::BarMetrics m = Metrics();
    const POINT down_arrow = OnBar(m.Length - m.Arrow / 2);
    MouseOnScreen(OnBar(Thumb().Start(m) + Thumb().Size / 2));
    Settle();
    testing_support::SaveScreenshot(testing_support::ArtefactsDirectory() +
                                    L"scroll_hot_thumb.png");

    MouseOnScreen(down_arrow, Button::Down);
    MouseOnScreen(down_arrow, Button::Up);
    Settle();
    EXPECT_EQ(Sent(kLineDown), 1u) << "one line step for a click";
    EXPECT_EQ(FirstShown(), 1);
    Rest();
    EXPECT_EQ(BarDifferences(), 0);

    // Held: the first repeat waits for the first-repeat timer, then the repeat timer's ticks
    // each step again. Counted in ticks, never in time.
    MouseOnScreen(down_arrow, Button::Down);
    ASSERT_TRUE(WaitFor([&] { return Traced("scroll-tick").size() >= 5; }));
    const auto ticks = Traced("scroll-tick");
    EXPECT_EQ(ticks.front().first, 0xFFFD) << "the first repeat's timer";
    EXPECT_EQ(ticks.back().first, 0xFFFE) << "then the repeat timer";

    // Off the arrow the ticks go on, sending nothing; back on it they send again.
    Rest();
    const std::size_t sent_before_off = Sent(kLineDown);
    const std::size_t ticks_before_off = Traced("scroll-tick").size();
    ASSERT_TRUE(WaitFor([&] { return Traced("scroll-tick").size() >= ticks_before_off + 3; }));
    EXPECT_EQ(Sent(kLineDown), sent_before_off) << "paused off the part";
    MouseOnScreen(down_arrow);
    ASSERT_TRUE(WaitFor([&] { return Sent(kLineDown) >= sent_before_off + 2; }));
    MouseOnScreen(down_arrow, Button::Up);
    Settle();

    // Every line step moved the tree by one, as far as it goes.
    const std::size_t steps = Sent(kLineDown);
    EXPECT_EQ(FirstShown(), std::min<int>(static_cast<int>(steps), kFolders - Record().Page));
    const std::size_t ticks_after = Traced("scroll-tick").size();
    Settle();
    EXPECT_EQ(Traced("scroll-tick").size(), ticks_after) << "the timers stopped";
    EXPECT_EQ(Sent(kEndScroll), 2u) << "one end for each press";
    Rest();
    EXPECT_EQ(BarDifferences(), 0);
}

TEST_F(ScrollBars, ThumbDraggedToTheEndTrackClickedAndWheelTurned) {
    // The track below the thumb pages down.
    const scroll::BarMetrics m = Metrics();
    MouseOnScreen(OnBar(m.Length - m.Arrow - 3), Button::Down);
    MouseOnScreen(OnBar(m.Length - m.Arrow - 3), Button::Up);
    Settle();
    EXPECT_EQ(Sent(kPageDown), 1u);
    EXPECT_EQ(FirstShown(), Record().Page);
    Rest();
    EXPECT_EQ(BarDifferences(), 0);

    // The thumb grabbed in its middle and dragged past the bar's end: the last page shows.
    const scroll::ThumbPlace thumb = Thumb();
    const int grab = thumb.Start(m) + thumb.Size / 2;
    MouseOnScreen(OnBar(grab), Button::Down);
    for (int along = grab + 20; along < m.Length + 40; along += 20)
        MouseOnScreen(OnBar(along));
    Settle();
    EXPECT_GT(Sent(kThumbTrack), 0u);
    EXPECT_EQ(FirstShown(), kFolders - Record().Page) << "while still held";
    MouseOnScreen(OnBar(m.Length + 40), Button::Up);
    Settle();
    const auto sent = Traced("scroll");
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[sent.size() - 2].first, kThumbPosition);
    EXPECT_EQ(sent.back().first, kEndScroll);
    EXPECT_EQ(FirstShown(), kFolders - Record().Page);
    EXPECT_EQ(Thumb().End(m), m.Length - m.Arrow) << "the thumb at the track's end";
    Rest();
    EXPECT_EQ(BarDifferences(), 0);

    // A wheel notch towards the user, then two away: the bar follows the tree.
    const int last = FirstShown();
    testing_support::TurnWheel(tree, 40, 40, 2 * WHEEL_DELTA);
    Settle();
    EXPECT_LT(FirstShown(), last);
    EXPECT_EQ(BarDifferences(), 0);
}

TEST_F(ScrollBars, SelectedFolderIsWhiteOnTheGradientWithFocusAndLightBlueWithout) {
    ClickAt(tree, 40, 10); // selects the first folder, the tree takes the focus
    Settle();
    ASSERT_EQ(program->Focus(), tree);
    ASSERT_EQ(program->SelectedItem(tree), FolderName(1));
    const RECT text = program->TreeItemRect(tree, TreeView_GetRoot(tree));
    const auto pixel = [&](int x, int y) {
        POINT p{x, y};
        ClientToScreen(tree, &p);
        HDC screen = GetDC(nullptr);
        const COLORREF c = GetPixel(screen, p.x, p.y);
        ReleaseDC(nullptr, screen);
        return c;
    };
    // Focused: the blue gradient, the name in white.
    const COLORREF edge = pixel(text.right - 2, text.top + 1);
    EXPECT_GT(GetBValue(edge), GetRValue(edge)) << "blue gradient";
    bool white = false;
    for (int x = text.left + 2; x < text.right - 1 && !white; ++x)
        for (int y = text.top + 1; y < text.bottom - 1 && !white; ++y)
            white = pixel(x, y) == RGB(255, 255, 255);
    EXPECT_TRUE(white) << "the name in white";
    testing_support::SaveScreenshot(testing_support::ArtefactsDirectory() +
                                    L"scroll_selection_focused.png");

    // The destination field takes the focus: the selection stays, light blue.
    testing_support::ClickCentre(program->Child(L"Edit"));
    Settle();
    ASSERT_EQ(program->Focus(), program->Child(L"Edit"));
    EXPECT_EQ(pixel(text.right - 2, (text.top + text.bottom) / 2), RGB(156, 205, 255));
    testing_support::SaveScreenshot(testing_support::ArtefactsDirectory() +
                                    L"scroll_selection_unfocused.png");
}

// The border states the destination field was painted in, in order.
std::vector<long long> BorderStates(const std::wstring& trace) {
    std::vector<long long> states;
    for (const auto& [state, unused] :
         testing_support::TraceLines(trace, "edit-border", "sDirectoryEdit1"))
        states.push_back(state);
    return states;
}

TEST(DestinationField, BorderIsHotWhileTheMouseIsOverItOrItHasTheFocus) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring trace =
        std::wstring(temp) + testing_support::Unique(L"e2e-edit-border-") + L".trace";
    DeleteFileW(trace.c_str());
    SetEnvironmentVariableW(L"ARBORDIR_TRACE", trace.c_str());
    LiveProgram program(L"");
    SetEnvironmentVariableW(L"ARBORDIR_TRACE", nullptr);
    ASSERT_NE(program.Window(), nullptr);
    HWND edit = program.Child(L"Edit");
    HWND tree = program.Child(WC_TREEVIEWW);
    ASSERT_NE(edit, nullptr);
    program.WaitIdle();
    const auto settle = [&] {
        program.WaitIdle();
        Sleep(150);
        program.WaitIdle();
    };
    // The frame's outer two rings of pixels on screen.
    const auto frame = [&] {
        RECT w;
        GetWindowRect(edit, &w);
        std::vector<COLORREF> pixels;
        HDC screen = GetDC(nullptr);
        for (int ring = 0; ring < 2; ++ring) {
            for (int x = w.left + ring; x < w.right - ring; ++x) {
                pixels.push_back(GetPixel(screen, x, w.top + ring));
                pixels.push_back(GetPixel(screen, x, w.bottom - 1 - ring));
            }
            for (int y = w.top + ring; y < w.bottom - ring; ++y) {
                pixels.push_back(GetPixel(screen, w.left + ring, y));
                pixels.push_back(GetPixel(screen, w.right - 1 - ring, y));
            }
        }
        ReleaseDC(nullptr, screen);
        return pixels;
    };
    testing_support::MoveMouse(tree, 100, 100);
    settle();
    ASSERT_FALSE(BorderStates(trace).empty()) << "the border is the skin's";
    EXPECT_EQ(BorderStates(trace).back(), 0);
    const std::vector<COLORREF> normal = frame();

    testing_support::MoveMouse(edit, 20, 8);
    settle();
    EXPECT_EQ(BorderStates(trace).back(), 1) << "hot under the mouse";
    testing_support::SaveScreenshot(testing_support::ArtefactsDirectory() + L"edit_hot.png");
    EXPECT_NE(frame(), normal);
    testing_support::MoveMouse(tree, 100, 100);
    settle();
    EXPECT_EQ(BorderStates(trace).back(), 0) << "the mouse gone";
    EXPECT_EQ(frame(), normal);

    ClickAt(edit, 20, 8);
    testing_support::MoveMouse(tree, 100, 100);
    settle();
    ASSERT_EQ(program.Focus(), edit);
    EXPECT_EQ(BorderStates(trace).back(), 1) << "hot with the focus";
    EXPECT_NE(frame(), normal);
    program.Close();
    DeleteFileW(trace.c_str());
}

} // namespace
