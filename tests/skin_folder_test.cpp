// The program's skin from outside: the skin folder C:\Skins, the engine's version switch, and
// skin commands and editor records that other processes send it.

#include "support/live_program.h"
#include "tools/skin_generator/internal_skin.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr UINT kSkinCommand = 0xA100;

struct Started {
    PROCESS_INFORMATION info{};
    ~Started() {
        if (!info.hProcess)
            return;
        TerminateProcess(info.hProcess, 0);
        WaitForSingleObject(info.hProcess, 5000);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
};

void Start(Started& started, const std::wstring& arguments) {
    std::wstring command = L"\"" + testing_support::ProgramPath() + L"\" " + arguments;
    STARTUPINFOW startup{sizeof(startup)};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &started.info));
}

struct Search {
    DWORD process;
    std::wstring class_name;
    bool other_class = false;
    HWND found = nullptr;
};

// A visible top-level window of the process with that class (or, with other_class, of any
// other class).
HWND WaitForClass(DWORD process, const std::wstring& class_name, bool other_class = false,
                  DWORD milliseconds = 15000) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    Search search{process, class_name, other_class};
    while (GetTickCount64() < end) {
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                wchar_t name[64] = {};
                GetClassNameW(window, name, 64);
                if (owner == s->process && IsWindowVisible(window) &&
                    (s->class_name == name) != s->other_class &&
                    (!s->other_class || testing_support::WindowText(window) == L"Arbordir")) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        // Messages sent to this thread's windows (a stand-in editor) are answered meanwhile.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    return nullptr;
}

std::wstring TextsOf(HWND box) {
    std::wstring texts = testing_support::WindowText(box);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        texts += L"|" + testing_support::WindowText(child);
    return texts;
}

HWND MainWindow(DWORD process) {
    return WaitForClass(process, L"#32770", true);
}

class SkinFolder : public testing::Test {
protected:
    void SetUp() override { CreateDirectoryW(L"C:\\Skins", nullptr); }
    void TearDown() override {
        DeleteFileW(package_.c_str());
        RemoveDirectoryW(L"C:\\Skins");
    }
    void WritePackage(const std::string& bytes) {
        HANDLE file = CreateFileW(package_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    const std::wstring package_ = L"C:\\Skins\\Glacier (internal).asz";
};

TEST_F(SkinFolder, DamagedPackageOfTheSkinsNameShowsItsMessageAndTheInternalSkinStays) {
    WritePackage("this is no skin package at all");
    Started program;
    Start(program, L"");
    HWND box = WaitForClass(program.info.dwProcessId, L"#32770");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(TextsOf(box).find(L"Loaded data is not a packed Brelune file"), std::wstring::npos)
        << TextsOf(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    HWND main = MainWindow(program.info.dwProcessId);
    ASSERT_NE(main, nullptr);
    // The skinned frame of the internal skin: the provider cuts the window to its region.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(main, region), ERROR);
    DeleteObject(region);
}

// The internal skin's package with the EDIT section's colour changed.
std::string InternalSkinWithEditColor(int color) {
    std::vector<skin_generator::PackageEntry> files = skin_generator::InternalSkinFiles();
    for (skin_generator::PackageEntry& file : files) {
        if (file.name != "Options.dat")
            continue;
        std::string text(file.bytes.begin(), file.bytes.end());
        const size_t section = text.find("[EDIT]");
        const size_t key = text.find("\nCOLOR=", section);
        const size_t end = text.find_first_of("\r\n", key + 1);
        text.replace(key + 7, end - key - 7, std::to_string(color));
        file.bytes.assign(text.begin(), text.end());
    }
    const skin_generator::Bytes package = skin_generator::WritePackage(files);
    return std::string(package.begin(), package.end());
}

TEST_F(SkinFolder, ValidPackageOfTheSkinsNameWinsOverTheInternalSkin) {
    constexpr COLORREF kLightYellow = RGB(255, 255, 224);
    WritePackage(InternalSkinWithEditColor(int(kLightYellow)));
    testing_support::LiveProgram program(L"");
    ASSERT_NE(program.Window(), nullptr);
    HWND edit = program.Child(L"Edit");
    ASSERT_NE(edit, nullptr);
    program.WaitIdle();
    Sleep(200);
    program.WaitIdle();
    // The bottom row of the field's own area, left of its button, on screen: the package's
    // colour.
    RECT client{};
    GetClientRect(edit, &client);
    POINT origin{0, client.bottom - 1};
    ClientToScreen(edit, &origin);
    HDC screen = GetDC(nullptr);
    int yellow = 0;
    for (int x = 0; x < client.right / 2; ++x)
        yellow += GetPixel(screen, origin.x + x, origin.y) == kLightYellow;
    const COLORREF sample = GetPixel(screen, origin.x + 2, origin.y);
    ReleaseDC(nullptr, screen);
    EXPECT_GT(yellow, client.right / 4) << std::hex << sample;
    program.Close();
}

TEST(EngineSwitches, VersionSwitchShowsTheEnginesVersion) {
    Started program;
    Start(program, L"/ACVER");
    HWND box = WaitForClass(program.info.dwProcessId, L"#32770");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(TextsOf(box).find(L"Corvane v7.65"), std::wstring::npos) << TextsOf(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_NE(MainWindow(program.info.dwProcessId), nullptr);
}

bool Responds(HWND window) {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer) != 0;
}

TEST(HostileInput, ForeignSkinCommandsAndEditorRecordsAreRefused) {
    testing_support::LiveProgram program(L"");
    HWND main = program.Window();
    HWND edit = program.Child(L"Edit");
    const LPARAM garbage = 0x7FFF1234;
    for (HWND target : {main, edit}) {
        if (!target)
            continue;
        for (WORD command : {34, 15, 26, 37, 38, 60, 1, 2, 3}) {
            DWORD_PTR answer = 12345;
            SendMessageTimeoutW(target, kSkinCommand, MAKEWPARAM(0, command), garbage,
                                SMTO_ABORTIFHUNG, 5000, &answer);
            if (command >= 15) {
                EXPECT_EQ(answer, 0u) << command;
            }
            PostMessageW(target, kSkinCommand, MAKEWPARAM(0, command), garbage);
        }
    }
    program.WaitIdle();
    ASSERT_TRUE(Responds(main));

    std::vector<char> record(30646, 0);
    const DWORD identifier = 0xA400;
    memcpy(record.data(), &identifier, 4);
    std::vector<char> unterminated = record;
    memset(unterminated.data() + 4, 'x', 128);
    std::vector<char> wrong = record;
    wrong[0] = 1;
    struct Case {
        const std::vector<char>* bytes;
        DWORD size;
    };
    for (Case c : {Case{&record, 100}, Case{&unterminated, 30646}, Case{&wrong, 30646},
                   Case{&record, 30646}}) {
        COPYDATASTRUCT data{0, c.size, const_cast<char*>(c.bytes->data())};
        DWORD_PTR answer = 12345;
        SendMessageTimeoutW(main, WM_COPYDATA, 7, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                            5000, &answer);
        EXPECT_EQ(answer, 0u) << c.size;
    }
    EXPECT_TRUE(Responds(main));
    EXPECT_TRUE(program.Running());
}

// A stand-in for the skin editor: a window titled as the editor's that answers its question.
struct FakeEditor {
    static inline HWND offered = nullptr;
    static inline int questions = 0;
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == 0xA400 && wParam == 3) {
            ++questions;
            offered = reinterpret_cast<HWND>(lParam);
            return 1;
        }
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    static HWND Create() {
        WNDCLASSW window_class{};
        window_class.lpfnWndProc = Procedure;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = L"ArbordirTestEditor";
        RegisterClassW(&window_class);
        return CreateWindowW(L"ArbordirTestEditor", L"Brelunes Editor", WS_OVERLAPPED, 0, 0, 10, 10,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
};

std::vector<char> EditorRecord(const std::string& name, const std::string& directory) {
    std::vector<char> record(30646, 0);
    const DWORD identifier = 0xA400;
    memcpy(record.data(), &identifier, 4);
    memcpy(record.data() + 4, name.data(), name.size());
    memcpy(record.data() + 132, directory.data(), directory.size());
    return record;
}

LRESULT SendRecord(HWND main, std::vector<char>& record, DWORD size) {
    COPYDATASTRUCT data{0, size, record.data()};
    DWORD_PTR answer = 12345;
    SendMessageTimeoutW(main, WM_COPYDATA, 7, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                        10000, &answer);
    return LRESULT(answer);
}

TEST(SkinEditorLink, PreviewSwitchOffersTheMainWindowAndOpensTheLink) {
    HWND editor = FakeEditor::Create();
    ASSERT_NE(editor, nullptr);
    Started program;
    Start(program, L"/acpreview");
    HWND main = MainWindow(program.info.dwProcessId);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(FakeEditor::questions, 1);
    EXPECT_EQ(FakeEditor::offered, main);

    std::vector<char> record = EditorRecord("Glacier (internal)", "c:\\NoSkinsHere");
    std::vector<char> wrong = record;
    wrong[1] = 0x55;
    EXPECT_EQ(SendRecord(main, wrong, 30646), 0);
    EXPECT_EQ(SendRecord(main, record, 30645), 0);
    EXPECT_EQ(SendRecord(main, record, 30646), 1);
    EXPECT_TRUE(Responds(main));
    DestroyWindow(editor);
}

TEST(SkinEditorLink, HungEditorNeverHoldsUpTheProgram) {
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE created = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    struct Hang {
        HANDLE release, created;
    } hang{release, created};
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](void* data) -> DWORD {
            auto* h = static_cast<Hang*>(data);
            HWND editor = FakeEditor::Create();
            SetEvent(h->created);
            WaitForSingleObject(h->release, INFINITE); // never answers
            DestroyWindow(editor);
            return 0;
        },
        &hang, 0, nullptr);
    WaitForSingleObject(created, 5000);
    const ULONGLONG start = GetTickCount64();
    Started program;
    Start(program, L"/acpreview");
    HWND main = MainWindow(program.info.dwProcessId);
    EXPECT_NE(main, nullptr);
    EXPECT_LT(GetTickCount64() - start, 12000u);
    if (main) {
        EXPECT_TRUE(Responds(main));
        std::vector<char> record = EditorRecord("Glacier (internal)", "c:\\NoSkinsHere");
        EXPECT_EQ(SendRecord(main, record, 30646), 0) << "no link without the editor's answer";
    }
    SetEvent(release);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    CloseHandle(release);
    CloseHandle(created);
}

} // namespace
