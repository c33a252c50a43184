// The skinned buttons of the real program under the mouse of the X server (xdotool): hovering,
// leaving, pressing and releasing "Create Folders" and "Scan...", each cross-fade counted frame
// by frame in the program's diagnostic trace (never timed), and the faces left as pictures for
// a person to judge.

#include "support/disk.h"
#include "support/input.h"
#include "support/live_program.h"
#include "support/screenshot.h"
#include "support/x_display.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using testing_support::FindDescendant;
using testing_support::LiveProgram;
using testing_support::ReadWholeFile;
using testing_support::RemoveTree;
using testing_support::SaveScreenArea;
using testing_support::ScreenshotsDirectory;
using testing_support::Unique;
using testing_support::WaitFor;
using testing_support::Xdotool;
using testing_support::XLeftButton;
using testing_support::XMouseTo;

// Client-area places of the main window: the "Scan..." speed button (which has no window of
// its own) and the "Quillmark" label below the buttons.
constexpr RECT kScan{8, 312, 8 + 81, 312 + 24};
constexpr RECT kQuillmark{212, 366, 300, 387};

struct Line {
    std::string event;
    long long frame = 0, value = 0;
};

class ButtonInput : public ::testing::Test {
protected:
    void SetUp() override {
        char name[MAX_PATH] = {};
        GetTempFileNameA(".", "btn", 0, name);
        char full[MAX_PATH] = {};
        GetFullPathNameA(name, MAX_PATH, full, nullptr);
        trace_ = full;
        SetEnvironmentVariableA("ARBORDIR_TRACE", full);
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        destination_ = std::wstring(temp) + Unique(L"arbordir-buttons-");
        RemoveTree(destination_);
        // Away from where the window opens, so that nothing starts hot.
        ASSERT_TRUE(XMouseTo({2, 2})) << "xdotool could not move the mouse";
        program = std::make_unique<LiveProgram>(L"\"" + destination_ + L"\"");
        ASSERT_NE(program->Window(), nullptr);
        window = program->Window();
        create = FindDescendant(window, L"Button", L"Create Folders");
        ASSERT_NE(create, nullptr);
        program->WaitIdle();
    }
    void TearDown() override {
        XLeftButton(false);
        if (program)
            program->Close();
        program.reset();
        SetEnvironmentVariableA("ARBORDIR_TRACE", nullptr);
        std::remove(trace_.c_str());
        RemoveTree(destination_);
    }

    // Every line of the component, in order.
    std::vector<Line> Lines(const std::string& component) const {
        std::vector<Line> lines;
        std::istringstream in(ReadWholeFile(std::wstring(trace_.begin(), trace_.end())));
        std::string text;
        while (std::getline(in, text)) {
            std::istringstream fields(text);
            std::string name;
            Line line;
            std::getline(fields, name, '\t');
            std::getline(fields, line.event, '\t');
            fields >> line.frame >> line.value;
            if (name == component)
                lines.push_back(line);
        }
        return lines;
    }
    int Count(const std::string& component, const std::string& event) const {
        int n = 0;
        for (const Line& line : Lines(component))
            n += line.event == event;
        return n;
    }
    bool WaitForEnds(const std::string& component, int ends) const {
        return WaitFor([&] { return Count(component, "fade-end") >= ends; });
    }
    // No fade of the component runs: its last fade event is an end or a stop.
    bool WaitUntilSettled(const std::string& component) const {
        return WaitFor([&] {
            std::string last = "fade-end";
            for (const Line& line : Lines(component))
                if (line.event.rfind("fade", 0) == 0 && line.event != "fade-offer")
                    last = line.event;
            return last == "fade-end" || last == "fade-stop";
        });
    }
    // The fade frames of the component from line `from` on: (frame, weight of the old face).
    std::vector<std::pair<long long, long long>> FramesFrom(const std::string& component,
                                                            std::size_t from) const {
        std::vector<std::pair<long long, long long>> frames;
        const std::vector<Line> lines = Lines(component);
        for (std::size_t i = from; i < lines.size(); ++i)
            if (lines[i].event == "fade")
                frames.emplace_back(lines[i].frame, lines[i].value);
        return frames;
    }

    POINT CentreOf(HWND control) const {
        RECT r{};
        GetWindowRect(control, &r);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    POINT OnClient(int x, int y) const {
        POINT p{x, y};
        ClientToScreen(window, &p);
        return p;
    }
    RECT ClientArea(RECT r) const {
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    RECT AroundCreate() const {
        RECT r{};
        GetWindowRect(create, &r);
        InflateRect(&r, 4, 4);
        return r;
    }
    void Picture(const std::wstring& name, const RECT& area, int zoom = 2) const {
        SaveScreenArea(ScreenshotsDirectory() + name + L".png", area, zoom);
    }
    // Closes the window the click opened (the completion message, the folder picker).
    void CloseOpened() {
        HWND opened = program->WaitForWindow();
        ASSERT_NE(opened, nullptr);
        PostMessageW(opened, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(opened) || !IsWindowVisible(opened); }));
        program->WaitIdle();
    }

    std::string trace_;
    std::wstring destination_;
    std::unique_ptr<LiveProgram> program;
    HWND window = nullptr;
    HWND create = nullptr;
};

void ExpectFullFade(const std::vector<std::pair<long long, long long>>& frames, int count) {
    ASSERT_EQ(frames.size(), static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        EXPECT_EQ(frames[k].first, k + 1);
        const long long alpha = std::max(0, 255 - (k + 1) * 256 / count);
        EXPECT_EQ(frames[k].second, alpha) << "frame " << k + 1;
    }
}

TEST_F(ButtonInput, CreateFoldersFadesOnHoverLeavePressAndRelease) {
    const std::string name = "CreateFolders";
    Picture(L"create-folders-normal", AroundCreate());

    // Hover: twenty frames, each offered to the button before it is shown.
    ASSERT_TRUE(XMouseTo(CentreOf(create)));
    ASSERT_TRUE(WaitForEnds(name, 1));
    ExpectFullFade(FramesFrom(name, 0), 20);
    EXPECT_EQ(Count(name, "fade-offer"), 20);
    program->WaitIdle();
    Picture(L"create-folders-hot", AroundCreate());

    // Leave: twenty frames back.
    std::size_t mark = Lines(name).size();
    ASSERT_TRUE(XMouseTo(OnClient(5, 5)));
    ASSERT_TRUE(WaitForEnds(name, 2));
    ExpectFullFade(FramesFrom(name, mark), 20);

    // Back over it and pressed: the press fades over ten frames and is shown held down.
    ASSERT_TRUE(XMouseTo(CentreOf(create)));
    ASSERT_TRUE(WaitForEnds(name, 3));
    mark = Lines(name).size();
    ASSERT_TRUE(XLeftButton(true));
    ASSERT_TRUE(WaitForEnds(name, 4));
    ExpectFullFade(FramesFrom(name, mark), 10);
    program->WaitIdle();
    Picture(L"create-folders-pressed", AroundCreate());

    // Released after the press fade ended: no hold, ten frames back to hot, and the click is
    // the command's (the folders are made and the completion message shows).
    mark = Lines(name).size();
    ASSERT_TRUE(XLeftButton(false));
    ASSERT_TRUE(WaitForEnds(name, 5));
    ExpectFullFade(FramesFrom(name, mark), 10);
    EXPECT_EQ(Count(name, "hold"), 0);
    CloseOpened();
    EXPECT_TRUE(testing_support::DirectoryExists(destination_ + L"\\New Folder"));

    // A quick click: the press fade is stopped, the pressed face held for 30 ms (an event of its
    // own), then the release fade runs its ten frames.
    ASSERT_TRUE(XMouseTo(CentreOf(create)));
    program->WaitIdle();
    ASSERT_TRUE(WaitUntilSettled(name));
    const int ends = Count(name, "fade-end");
    mark = Lines(name).size();
    ASSERT_TRUE(Xdotool(L"click 1"));
    ASSERT_TRUE(WaitForEnds(name, ends + 1));
    const std::vector<Line> lines = Lines(name);
    std::size_t stop = 0, hold = 0;
    for (std::size_t i = mark; i < lines.size(); ++i) {
        if (lines[i].event == "fade-stop" && stop == 0)
            stop = i;
        if (lines[i].event == "hold")
            hold = i;
    }
    ASSERT_NE(hold, 0u) << "the pressed face was not held";
    EXPECT_EQ(lines[hold].value, 30);
    ASSERT_NE(stop, 0u);
    EXPECT_LT(stop, hold);
    ExpectFullFade(FramesFrom(name, hold), 10);
    EXPECT_EQ(lines.back().event, "fade-end");
    CloseOpened();
}

TEST_F(ButtonInput, ScanFadesOnHoverAndLeaveAndStopsItsPressFadeOnAQuickRelease) {
    const std::string name = "scan";
    const RECT scan = ClientArea(kScan);
    RECT around = scan;
    InflateRect(&around, 4, 4);
    Picture(L"scan-normal", around);
    Picture(L"quillmark-400", ClientArea(kQuillmark), 4);

    ASSERT_TRUE(XMouseTo(OnClient(48, 324)));
    ASSERT_TRUE(WaitForEnds(name, 1));
    ExpectFullFade(FramesFrom(name, 0), 20);
    EXPECT_EQ(Count(name, "fade-offer"), 0) << "a window-less button shows its own frames";
    program->WaitIdle();
    Picture(L"scan-hot", around);

    std::size_t mark = Lines(name).size();
    ASSERT_TRUE(XMouseTo(OnClient(48, 290)));
    ASSERT_TRUE(WaitForEnds(name, 2));
    ExpectFullFade(FramesFrom(name, mark), 20);

    // Pressed and held: ten frames, the first at once.
    ASSERT_TRUE(XMouseTo(OnClient(48, 324)));
    ASSERT_TRUE(WaitForEnds(name, 3));
    mark = Lines(name).size();
    ASSERT_TRUE(XLeftButton(true));
    ASSERT_TRUE(WaitForEnds(name, 4));
    ExpectFullFade(FramesFrom(name, mark), 10);
    program->WaitIdle();
    Picture(L"scan-pressed", around);
    ASSERT_TRUE(XLeftButton(false));
    CloseOpened();

    // A quick click: the press fade stops at the release, the release fade follows.
    ASSERT_TRUE(XMouseTo(OnClient(48, 324)));
    program->WaitIdle();
    ASSERT_TRUE(WaitUntilSettled(name));
    const int stops = Count(name, "fade-stop");
    mark = Lines(name).size();
    const int ends = Count(name, "fade-end");
    ASSERT_TRUE(Xdotool(L"click 1"));
    ASSERT_TRUE(WaitFor([&] { return Count(name, "fade-stop") > stops; }));
    // The release fade runs while the folder picker the click opened is up.
    ASSERT_TRUE(WaitForEnds(name, ends + 1));
    CloseOpened();
    const std::vector<Line> lines = Lines(name);
    std::size_t stop = 0;
    for (std::size_t i = mark; i < lines.size() && stop == 0; ++i)
        if (lines[i].event == "fade-stop")
            stop = i;
    ASSERT_NE(stop, 0u);
    std::string told;
    for (std::size_t i = mark; i < lines.size(); ++i)
        told += lines[i].event + " " + std::to_string(lines[i].frame) + "; ";
    SCOPED_TRACE(told);
    // Before the stop only the press fade's first frames, never its end; after it the release
    // face composed at once and its fade from frame 1 (the folder picker coming up under the
    // mouse may carry it on into a leave fade, which continues proportionally).
    for (std::size_t i = mark; i < stop; ++i)
        EXPECT_NE(lines[i].event, "fade-end");
    ASSERT_LT(stop + 2, lines.size());
    EXPECT_EQ(lines[stop + 1].event, "compose");
    EXPECT_EQ(lines[stop + 1].frame, 1) << "composed in the hot state";
    const auto after = FramesFrom(name, stop);
    ASSERT_FALSE(after.empty());
    EXPECT_EQ(after.front().first, 1);
    EXPECT_EQ(Count(name, "hold"), 0);
}

} // namespace
