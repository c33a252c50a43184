#include "live_program.h"

#include <gtest/gtest.h>

namespace testing_support {

std::wstring ProgramPath() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L'\\'));     // .../build/windows/tests
    folder.resize(folder.find_last_of(L'\\') + 1); // .../build/windows/
    return folder + L"arbordir.exe";
}

std::wstring WindowText(HWND window) {
    // GetWindowText does not ask another process's controls; WM_GETTEXT does, and the
    // platform carries the text across.
    const auto length = static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied = SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(length + 1),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[128];
    const int length = GetClassNameW(window, name, 128);
    return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

HWND FindDescendant(HWND window, const wchar_t* class_name, const std::wstring& text) {
    struct Find {
        const wchar_t* class_name;
        const std::wstring& text;
        HWND found;
    } find{class_name, text, nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            auto* find = reinterpret_cast<Find*>(data);
            if (lstrcmpiW(ClassName(child).c_str(), find->class_name) == 0 &&
                (find->text.empty() || WindowText(child) == find->text)) {
                find->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.found;
}

namespace {

struct Search {
    DWORD process_id;
    std::wstring caption;
    HWND found;
};

BOOL CALLBACK FindTopWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process_id && IsWindowVisible(window) &&
        WindowText(window) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

LiveProgram::LiveProgram(const std::wstring& arguments, const std::wstring& caption,
                         const std::wstring& program) {
    std::wstring command = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{sizeof(startup)};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
        ADD_FAILURE() << "cannot start the program, error " << GetLastError();
        return;
    }
    Search search{process_.dwProcessId, caption, nullptr};
    WaitFor(
        [&] {
            EnumWindows(FindTopWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        30000);
    window_ = search.found;
    if (!window_) {
        ADD_FAILURE() << "the program's window did not appear";
        return;
    }
    // The skinned form dresses itself (border window, shadow, fades) after it first shows; a
    // person acts on it once it has settled, and so do the tests.
    WaitIdle();
}

LiveProgram::~LiveProgram() {
    if (process_.hProcess) {
        if (Running()) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

bool LiveProgram::Running() const {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

void LiveProgram::WaitIdle() const {
    // The idle state flickers while posted messages arrive; settle on two calm readings.
    for (int calm = 0; calm < 2;) {
        WaitForInputIdle(process_.hProcess, 2000);
        Sleep(40);
        calm = WaitForInputIdle(process_.hProcess, 0) == 0 ? calm + 1 : 0;
    }
}

namespace {

GUITHREADINFO ThreadInfo(HWND window) {
    GUITHREADINFO info{sizeof(info)};
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

} // namespace

HWND LiveProgram::Focus() const {
    return ThreadInfo(window_).hwndFocus;
}

HWND LiveProgram::Active() const {
    return ThreadInfo(window_).hwndActive;
}

namespace {

// The skin's own windows around a form (its shadow and frame, button overlays, the pictures of
// its animations): layered tool windows that never take the activation. They belong to a form,
// they are not windows of their own.
bool IsSkinDecoration(HWND window) {
    const LONG_PTR needed = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & needed) == needed;
}

} // namespace

std::vector<HWND> LiveProgram::OtherWindows() const {
    struct Collect {
        DWORD process_id;
        HWND main;
        std::vector<HWND> found;
    } collect{process_.dwProcessId, window_, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* collect = reinterpret_cast<Collect*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == collect->process_id && window != collect->main &&
                IsWindowVisible(window) && !IsSkinDecoration(window))
                collect->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&collect));
    return collect.found;
}

HWND LiveProgram::WaitForWindow(const std::wstring& caption, DWORD milliseconds) const {
    HWND found = nullptr;
    WaitFor(
        [&] {
            for (HWND window : OtherWindows())
                if (caption.empty() || WindowText(window) == caption) {
                    found = window;
                    return true;
                }
            return false;
        },
        milliseconds);
    if (!found) {
        std::string seen;
        for (HWND window : OtherWindows()) {
            const std::wstring text = WindowText(window) + L" [" + ClassName(window) + L"]; ";
            seen += std::string(text.begin(), text.end());
        }
        ADD_FAILURE() << "no window \"" << std::string(caption.begin(), caption.end())
                      << "\" appeared; the program shows: " << seen;
    }
    return found;
}

DWORD LiveProgram::Close() {
    if (window_)
        PostMessageW(window_, WM_CLOSE, 0, 0);
    WaitForSingleObject(process_.hProcess, 10000);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

HWND LiveProgram::Child(const wchar_t* class_name, int index) const {
    struct Find {
        HWND parent;
        const wchar_t* class_name;
        int index;
        HWND found;
    } find{window_, class_name, index, nullptr};
    EnumChildWindows(
        window_,
        [](HWND child, LPARAM data) -> BOOL {
            auto* find = reinterpret_cast<Find*>(data);
            wchar_t name[64];
            GetClassNameW(child, name, 64);
            if (GetParent(child) == find->parent && lstrcmpiW(name, find->class_name) == 0 &&
                find->index-- == 0) {
                find->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.found;
}

std::wstring LiveProgram::TreeItemText(HWND tree, HTREEITEM item) const {
    // The item record and its text buffer must live in the program's own address space.
    constexpr SIZE_T kTextLength = 512;
    const SIZE_T size = sizeof(TVITEMW) + kTextLength * sizeof(wchar_t);
    auto* remote = static_cast<BYTE*>(
        VirtualAllocEx(process_.hProcess, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    if (!remote)
        return L"";
    TVITEMW query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(TVITEMW));
    query.cchTextMax = kTextLength;
    WriteProcessMemory(process_.hProcess, remote, &query, sizeof(query), nullptr);
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote));
    std::wstring text(kTextLength, L'\0');
    ReadProcessMemory(process_.hProcess, remote + sizeof(TVITEMW), text.data(),
                      kTextLength * sizeof(wchar_t), nullptr);
    VirtualFreeEx(process_.hProcess, remote, 0, MEM_RELEASE);
    text.resize(wcsnlen(text.c_str(), kTextLength));
    return text;
}

std::vector<std::wstring> LiveProgram::TreeOutline(HWND tree) const {
    return TreeLines(tree, true);
}

std::wstring LiveProgram::SelectedItem(HWND tree) const {
    HTREEITEM selected = TreeView_GetSelection(tree);
    return selected ? TreeItemText(tree, selected) : L"(none)";
}

std::wstring LiveProgram::EditorText(HWND tree) const {
    HWND editor = TreeView_GetEditControl(tree);
    return editor ? WindowText(editor) : L"(closed)";
}

HTREEITEM LiveProgram::FindItem(HWND tree, const std::wstring& text) const {
    struct Walk {
        const LiveProgram& program;
        HWND tree;
        const std::wstring& text;
        HTREEITEM Visit(HTREEITEM item) {
            for (; item; item = TreeView_GetNextSibling(tree, item)) {
                if (program.TreeItemText(tree, item) == text)
                    return item;
                if (HTREEITEM found = Visit(TreeView_GetChild(tree, item)))
                    return found;
            }
            return nullptr;
        }
    } walk{*this, tree, text};
    return walk.Visit(TreeView_GetRoot(tree));
}

int LiveProgram::TreeItemImage(HWND tree, HTREEITEM item) const {
    auto* remote =
        VirtualAllocEx(process_.hProcess, nullptr, sizeof(TVITEMW), MEM_COMMIT, PAGE_READWRITE);
    if (!remote)
        return -1;
    TVITEMW query{};
    query.mask = TVIF_IMAGE;
    query.hItem = item;
    query.iImage = -1;
    WriteProcessMemory(process_.hProcess, remote, &query, sizeof(query), nullptr);
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process_.hProcess, remote, &query, sizeof(query), nullptr);
    VirtualFreeEx(process_.hProcess, remote, 0, MEM_RELEASE);
    return query.iImage;
}

RECT LiveProgram::TreeItemRect(HWND tree, HTREEITEM item) const {
    // The item goes in and the rectangle comes back in the same place, in the program's memory.
    RECT rect{};
    auto* remote =
        VirtualAllocEx(process_.hProcess, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    if (!remote)
        return rect;
    WriteProcessMemory(process_.hProcess, remote, &item, sizeof(item), nullptr);
    SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process_.hProcess, remote, &rect, sizeof(rect), nullptr);
    VirtualFreeEx(process_.hProcess, remote, 0, MEM_RELEASE);
    return rect;
}

std::vector<std::wstring> LiveProgram::TreeItems(HWND tree) const {
    return TreeLines(tree, false);
}

std::vector<std::wstring> LiveProgram::TreeLines(HWND tree, bool expansion_marks) const {
    std::vector<std::wstring> items;
    struct Walk {
        const LiveProgram& program;
        HWND tree;
        bool marks;
        std::vector<std::wstring>& items;
        void Visit(HTREEITEM item, int depth) {
            for (; item; item = TreeView_GetNextSibling(tree, item)) {
                std::wstring line = std::wstring(static_cast<std::size_t>(depth) * 2, L' ') +
                                    program.TreeItemText(tree, item);
                HTREEITEM child = TreeView_GetChild(tree, item);
                if (child && marks)
                    line += (TreeView_GetItemState(tree, item, TVIS_EXPANDED) & TVIS_EXPANDED)
                                ? L" +"
                                : L" -";
                items.push_back(line);
                Visit(child, depth + 1);
            }
        }
    } walk{*this, tree, expansion_marks, items};
    walk.Visit(TreeView_GetRoot(tree), 0);
    return items;
}

} // namespace testing_support
