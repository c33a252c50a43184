#include "x_display.h"

#include "live_program.h"

#include <string>

namespace testing_support {

namespace {

// Wine starts a Linux program but hands back no process to wait for: the shell that runs it
// writes its exit status into a file of its own, which is waited for instead.
bool RunLinuxCommand(const std::wstring& command) {
    static int count = 0;
    const std::wstring status = L"/tmp/arbordir-x-" + std::to_wstring(GetCurrentProcessId()) +
                                L"-" + std::to_wstring(++count);
    std::wstring line = L"/bin/sh -c \"" + command + L"; echo $? > " + status + L".part; mv " +
                        status + L".part " + status + L"\"";
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(L"Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    if (process.hProcess)
        CloseHandle(process.hProcess);
    if (process.hThread)
        CloseHandle(process.hThread);
    const std::wstring status_file = L"Z:" + status;
    const DWORD start = GetTickCount();
    while (GetFileAttributesW(status_file.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start > 15000)
            return false;
        Sleep(10);
    }
    char code[8] = {};
    DWORD read = 0;
    HANDLE file = CreateFileW(status_file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        ReadFile(file, code, sizeof(code) - 1, &read, nullptr);
        CloseHandle(file);
    }
    DeleteFileW(status_file.c_str());
    return read > 0 && code[0] == '0' && (code[1] == '\n' || code[1] == 0);
}

std::wstring Coordinates(POINT p) {
    return std::to_wstring(p.x) + L" " + std::to_wstring(p.y);
}

} // namespace

bool Xdotool(const std::wstring& arguments) {
    return RunLinuxCommand(L"xdotool " + arguments);
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

} // namespace testing_support
