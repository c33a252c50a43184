#include "x_display.h"

#include "live_program.h"

#include <string>

namespace testing_support {

namespace {

bool RunLinuxProgram(const std::wstring& program, const std::wstring& arguments) {
    std::wstring command = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return false;
    const bool ended = WaitForSingleObject(process.hProcess, 15000) == WAIT_OBJECT_0;
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return ended && code == 0;
}

std::wstring Coordinates(POINT p) {
    return std::to_wstring(p.x) + L" " + std::to_wstring(p.y);
}

} // namespace

bool Xdotool(const std::wstring& arguments) {
    return RunLinuxProgram(L"Z:\\usr\\bin\\xdotool", arguments);
}

bool XDrag(POINT from, POINT to, int steps) {
    bool ok = Xdotool(L"mousemove " + Coordinates(from)) && Xdotool(L"mousedown 1");
    for (int i = 1; ok && i <= steps; ++i) {
        Sleep(60);
        const POINT p{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
        ok = Xdotool(L"mousemove " + Coordinates(p));
    }
    Sleep(60);
    return Xdotool(L"mouseup 1") && ok;
}

std::string UnixPathOf(const std::wstring& windows_path) {
    if (windows_path.size() < 3 || (windows_path[0] != L'Z' && windows_path[0] != L'z') ||
        windows_path[1] != L':')
        return {};
    std::string path;
    for (wchar_t c : windows_path.substr(2))
        path += c == L'\\' ? '/' : static_cast<char>(c);
    return path;
}

std::string ScreenshotsDirectory() {
    // The program lies in build/windows; the screenshots go to build/screenshots.
    const std::wstring program = ProgramPath();
    std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
    folder = folder.substr(0, folder.find_last_of(L'\\') + 1) + L"screenshots";
    CreateDirectoryW(folder.c_str(), nullptr);
    return UnixPathOf(folder) + "/";
}

} // namespace testing_support
