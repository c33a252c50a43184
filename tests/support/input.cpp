#include "input.h"

#include "live_program.h"
#include "x_display.h"

#include <cstring>
#include <string>
#include <vector>

namespace testing_support {

namespace {

INPUT KeyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (key == VK_DELETE || key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN ||
        key == VK_HOME || key == VK_END)
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    return input;
}

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    // Let each key arrive on its own, as typing does.
    Sleep(15);
}

INPUT MouseInput(DWORD flags, POINT screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return input;
}

POINT ScreenPoint(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return point;
}

} // namespace

void PressKey(WORD key, bool control, bool shift) {
    std::vector<INPUT> inputs;
    if (control)
        inputs.push_back(KeyInput(VK_CONTROL, false));
    if (shift)
        inputs.push_back(KeyInput(VK_SHIFT, false));
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
    if (shift)
        inputs.push_back(KeyInput(VK_SHIFT, true));
    if (control)
        inputs.push_back(KeyInput(VK_CONTROL, true));
    Send(inputs);
}

void TypeText(const std::wstring& text) {
    for (wchar_t c : text) {
        const SHORT scan = VkKeyScanW(c);
        if (scan == -1)
            continue;
        PressKey(static_cast<WORD>(LOBYTE(scan)), (HIBYTE(scan) & 2) != 0, (HIBYTE(scan) & 1) != 0);
    }
}

void ClickAt(HWND window, int x, int y) {
    const POINT point = ScreenPoint(window, x, y);
    Send({MouseInput(MOUSEEVENTF_MOVE, point)});
    Send({MouseInput(MOUSEEVENTF_LEFTDOWN, point)});
    Send({MouseInput(MOUSEEVENTF_LEFTUP, point)});
}

void PressWithoutClick(HWND window, int x, int y) {
    const POINT point = ScreenPoint(window, x, y);
    const POINT away{point.x, point.y - 200};
    Send({MouseInput(MOUSEEVENTF_MOVE, point)});
    Send({MouseInput(MOUSEEVENTF_LEFTDOWN, point)});
    Send({MouseInput(MOUSEEVENTF_MOVE, away)});
    Send({MouseInput(MOUSEEVENTF_LEFTUP, away)});
}

void MoveMouse(HWND window, int x, int y) {
    Send({MouseInput(MOUSEEVENTF_MOVE, ScreenPoint(window, x, y))});
}

void MouseOnScreen(POINT screen, Button button) {
    const DWORD flags = button == Button::Down ? MOUSEEVENTF_LEFTDOWN
                        : button == Button::Up ? MOUSEEVENTF_LEFTUP
                                               : 0;
    Send({MouseInput(MOUSEEVENTF_MOVE | flags, screen)});
}

void TurnWheel(HWND window, int x, int y, int delta) {
    const POINT point = ScreenPoint(window, x, y);
    Send({MouseInput(MOUSEEVENTF_MOVE, point)});
    INPUT wheel = MouseInput(MOUSEEVENTF_WHEEL, point);
    wheel.mi.mouseData = static_cast<DWORD>(delta);
    wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
    Send({wheel});
}

void ClickCentre(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    ClickAt(window, client.right / 2, client.bottom / 2);
}

bool XMouseTo(POINT screen) {
    if (!Xdotool(L"mousemove " + std::to_wstring(screen.x) + L" " + std::to_wstring(screen.y)))
        return false;
    return WaitFor(
        [&] {
            POINT at{};
            return GetCursorPos(&at) && at.x == screen.x && at.y == screen.y;
        },
        5000);
}

bool XLeftButton(bool down) {
    if (!Xdotool(down ? L"mousedown 1" : L"mouseup 1"))
        return false;
    return WaitFor([&] { return ((GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0) == down; });
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void SetClipboardText(const std::wstring& text) {
    if (!OpenClipboard(nullptr))
        return;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (!memory) {
        CloseClipboard();
        return;
    }
    std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

} // namespace testing_support
