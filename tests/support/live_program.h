#pragma once

// Runs the real program and looks at its live windows from outside, as a person (or an
// accessibility tool) would: window texts, styles, sizes and tree view items.

#include <commctrl.h>
#include <string>
#include <vector>
#include <windows.h>

namespace testing_support {

// The program next to the test programs' folder: build/windows/arbordir.exe.
std::wstring ProgramPath();

class LiveProgram {
public:
    // Starts the program with the given command-line tail and waits for its top-level window
    // with the given caption. Fails the current test when it does not appear.
    LiveProgram(const std::wstring& arguments, const std::wstring& caption = L"Arbordir");
    ~LiveProgram();
    LiveProgram(const LiveProgram&) = delete;
    LiveProgram& operator=(const LiveProgram&) = delete;

    HWND Window() const { return window_; }
    bool Running() const;
    // Closes the window as the user would and waits for the process to end; returns its exit code.
    DWORD Close();

    // The index-th window of that class among the main window's own children, or none.
    HWND Child(const wchar_t* class_name, int index = 0) const;
    std::wstring TreeItemText(HWND tree, HTREEITEM item) const;
    // Every item's text in pre-order, children indented by two blanks a level.
    std::vector<std::wstring> TreeItems(HWND tree) const;

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

std::wstring WindowText(HWND window);
// Waits until the predicate holds, pumping this thread's messages; false on time-out.
template <class Predicate>
bool WaitFor(Predicate predicate, DWORD milliseconds = 10000) {
    const DWORD start = GetTickCount();
    while (!predicate()) {
        if (GetTickCount() - start > milliseconds)
            return false;
        Sleep(20);
    }
    return true;
}

} // namespace testing_support
