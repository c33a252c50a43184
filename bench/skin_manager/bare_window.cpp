// The start-up yardstick: a plain top-level window of the main window's size with a title, a
// minimise box and the platform's frame, shown and painted, then a message loop. Built a second
// time as bare_window_libraries, which first loads and starts the system libraries the program
// imports (common controls, COM, the shell, common dialogs), so that the platform's own start-up
// cost of those is told apart from the program's.

#include <windows.h>
#ifdef WITH_PROGRAM_LIBRARIES
#include <commctrl.h>
#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlwapi.h>
#endif

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
#ifdef WITH_PROGRAM_LIBRARIES
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (CommDlgExtendedError() != 0 || !PathIsRootW(L"C:\\"))
        return 1;
    SHFILEINFOW info{};
    SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_ATTRIBUTES);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, 0};
    HDC screen = GetDC(nullptr);
    AlphaBlend(screen, 0, 0, 0, 0, screen, 0, 0, 0, 0, blend);
    ReleaseDC(nullptr, screen);
#endif
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = Procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window_class.lpszClassName = L"BareWindow";
    RegisterClassW(&window_class);
    HWND window = CreateWindowW(
        L"BareWindow", L"Arbordir", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
        CW_USEDEFAULT, CW_USEDEFAULT, 494, 412, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
