// The skin manager in one run under Wine, each figure beside its yardstick:
// - load: setting the internal skin's name on a skin manager (choice of source, unpacking,
//   options, images, records, indexes, hue and shadow data, the announcement) beside the data
//   layer's own load of the same package (unpack, parse, LoadSkin);
// - start-up: launching the program until its skinned main window is shown, painted and idle,
//   beside a bare window program launched and waited for the same way.
//
//   skin_manager_bench [ROUNDS] [PROGRAM.exe BARE.exe [BARE_WITH_LIBRARIES.exe]]

#include "skin/data/skin_loader.h"
#include "skin/data/skin_package.h"
#include "skin/engine/skin_manager.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Pair {
    const char* name;
    std::function<void()> ours;
    std::function<void()> yardstick;
};

void Measure(const Pair& pair, int rounds) {
    std::vector<double> ours, yardstick;
    for (int i = 0; i < rounds; ++i) {
        double start = Now();
        pair.ours();
        ours.push_back(Now() - start);
        start = Now();
        pair.yardstick();
        yardstick.push_back(Now() - start);
    }
    // The machines are shared: a round preempted by another process shows as a spike of a
    // scheduler slice, so the fastest rounds are printed beside the medians.
    const double a = Median(ours), b = Median(yardstick);
    const double fa = *std::min_element(ours.begin(), ours.end());
    const double fb = *std::min_element(yardstick.begin(), yardstick.end());
    std::printf("%-18s median %8.2f ms  yardstick %8.2f ms  ratio %5.2f | fastest %8.2f ms  "
                "yardstick %8.2f ms  ratio %5.2f\n",
                pair.name, a, b, a / b, fa, fb, fa / fb);
    std::fflush(stdout);
}

struct Search {
    DWORD process;
    HWND found = nullptr;
};

HWND VisibleWindowOf(DWORD process) {
    Search search{process};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->process && IsWindowVisible(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Launches the program and returns once its window is shown and the program idles, its first
// frame painted; then ends it.
void LaunchToFirstFrame(const std::wstring& program) {
    std::wstring command = L"\"" + program + L"\"";
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        std::fprintf(stderr, "cannot start %ls\n", program.c_str());
        std::exit(1);
    }
    const double deadline = Now() + 30000;
    HWND window = nullptr;
    while (!(window = VisibleWindowOf(info.dwProcessId)) && Now() < deadline)
        Sleep(1);
    DWORD_PTR answer = 0;
    if (window)
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer);
    WaitForInputIdle(info.hProcess, 10000);
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, 10000);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 15;
    std::ifstream in(ARBORDIR_INTERNAL_SKIN_PACKAGE, std::ios::binary);
    const std::vector<std::uint8_t> package{std::istreambuf_iterator<char>(in), {}};
    if (package.empty()) {
        std::fprintf(stderr, "cannot read %s\n", ARBORDIR_INTERNAL_SKIN_PACKAGE);
        return 1;
    }

    skin::engine::TsSkinManager manager(nullptr);
    manager.OnMessage = [](const std::u16string&, bool) { std::exit(2); };
    manager.InternalSkins.push_back({u"Glacier (internal)", package});
    manager.SetSkinDirectory(u"c:\\NoSkinsHere");
    manager.SetExtendedBorders(true);
    Measure({"load", [&] { manager.SetSkinName(u"Glacier (internal)"); },
             [&] {
                 auto reader = std::make_unique<skin::data::TacSkinConvertor>();
                 reader->PackedData = package;
                 skin::data::UnpackSkinPackage(reader);
                 const skin::data::SkinOptions options =
                     skin::data::SkinOptions::Parse(*reader->Options);
                 auto skin = std::make_unique<skin::data::LoadedSkin>();
                 skin::data::PackageFileSource files(*reader);
                 skin::data::LoadSkin(*skin, options, files);
                 // Kept until the next load replaces it, as the manager keeps its skin.
                 static std::unique_ptr<skin::data::LoadedSkin> kept;
                 kept = std::move(skin);
             }},
            rounds);

    if (argc > 3) {
        const std::wstring program = argv[2], bare = argv[3];
        Measure(
            {"start-up", [&] { LaunchToFirstFrame(program); }, [&] { LaunchToFirstFrame(bare); }},
            std::max(1, rounds / 3));
    }
    if (argc > 4) {
        const std::wstring program = argv[2], libraries = argv[4];
        Measure({"start-up/libraries", [&] { LaunchToFirstFrame(program); },
                 [&] { LaunchToFirstFrame(libraries); }},
                std::max(1, rounds / 3));
    }
    return 0;
}
