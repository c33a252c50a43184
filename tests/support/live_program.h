#pragma once

// Runs the real program and looks at its live windows from outside, as a person (or an
// accessibility tool) would: window texts, styles, sizes and tree view items.

// clang-format off
#include <windows.h> // before <commctrl.h>, which needs its types
#include <commctrl.h>
// clang-format on
#include <string>
#include <vector>

namespace testing_support {

// The program next to the test programs' folder: build/windows/arbordir.exe.
std::wstring ProgramPath();

class LiveProgram {
public:
    // Starts the program (the build's, unless another is named) with the given command-line
    // tail and waits for its top-level window with the given caption. Fails the current test
    // when it does not appear.
    LiveProgram(const std::wstring& arguments, const std::wstring& caption = L"Arbordir",
                const std::wstring& program = ProgramPath());
    ~LiveProgram();
    LiveProgram(const LiveProgram&) = delete;
    LiveProgram& operator=(const LiveProgram&) = delete;

    HWND Window() const { return window_; }
    HANDLE Process() const { return process_.hProcess; }
    bool Running() const;
    // Waits until the program has handled its input and waits for more.
    void WaitIdle() const;
    // The program's focused window and active window, as its GUI thread sees them.
    HWND Focus() const;
    HWND Active() const;
    // The visible top-level windows of the program other than the main window.
    std::vector<HWND> OtherWindows() const;
    // Waits for another visible top-level window of the program with the caption (any caption
    // when empty) and returns it, or none after the time-out.
    HWND WaitForWindow(const std::wstring& caption = L"", DWORD milliseconds = 10000) const;
    // Closes the window as the user would and waits for the process to end; returns its exit code.
    DWORD Close();

    // The index-th window of that class among the main window's own children, or none.
    HWND Child(const wchar_t* class_name, int index = 0) const;
    std::wstring TreeItemText(HWND tree, HTREEITEM item) const;
    // Every item's text in pre-order, children indented by two blanks a level.
    std::vector<std::wstring> TreeItems(HWND tree) const;
    // The same, each item followed by " +" when it has children and is expanded and " -" when
    // it has children and is collapsed.
    std::vector<std::wstring> TreeOutline(HWND tree) const;
    // The text of the selected item, or "(none)".
    std::wstring SelectedItem(HWND tree) const;
    // The text in the tree's open name editor, or "(closed)".
    std::wstring EditorText(HWND tree) const;
    // The item of the tree with this text, searched in pre-order, or none.
    HTREEITEM FindItem(HWND tree, const std::wstring& text) const;
    // The index of the picture the item shows in the tree's image list.
    int TreeItemImage(HWND tree, HTREEITEM item) const;
    // The item's text, in the tree's client coordinates.
    RECT TreeItemRect(HWND tree, HTREEITEM item) const;

private:
    // Every item in pre-order, indented by level, with the expansion marks when asked.
    std::vector<std::wstring> TreeLines(HWND tree, bool expansion_marks) const;

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
// The first descendant of the window with that class (and that text, unless empty).
HWND FindDescendant(HWND window, const wchar_t* class_name, const std::wstring& text = L"");
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
