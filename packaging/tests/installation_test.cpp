// The installed Arbordir, looked at from inside the Wine prefix the installer ran in. The
// installer test (installer_test.sh) runs these in two rounds: Installed.* after a silent
// installation, Uninstalled.* after the silent uninstallation. The unpacked portable package
// says what must be installed: ARBORDIR_PORTABLE_DIR names it, ARBORDIR_INSTALLER the installer.

#include "support/disk.h"
#include "support/input.h"
#include "support/live_program.h"

#include <gtest/gtest.h>
#include <knownfolders.h>
#include <shlobj.h>
#include <string>

namespace {

using testing_support::FilesBelow;
using testing_support::LiveProgram;
using testing_support::PathExists;
using testing_support::ReadWholeFile;
using testing_support::WaitFor;
using testing_support::WriteWholeFile;
// Relative path (folders end in a backslash) to content (empty for folders).
using Files = testing_support::FileContents;

constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Arbordir";
constexpr wchar_t kVersion[] = ARBORDIR_VERSION;

// What the user does with the installed program: a template under a name of their own, one
// saved over an example, and an example edited by hand to the same size.
constexpr wchar_t kOwnTemplate[] = L"Kept by the user";
constexpr wchar_t kSavedOverExample[] = L"Software project";
constexpr wchar_t kEditedExample[] = L"Photo shoot";
constexpr char kUserTree[] = "Mine\r\n\tSub\r\n";

// Client-area centre of the Save Template speed button, which has no window of its own.
constexpr POINT kSaveTemplate{279, 324};

std::wstring Environment(const wchar_t* name) {
    wchar_t value[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? value : L"";
}

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
    wchar_t* path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &path)))
        folder = path;
    CoTaskMemFree(path);
    return folder;
}

// The user's own programs folder: Local\Programs in the user's application data.
std::wstring InstallFolder() {
    return KnownFolder(FOLDERID_LocalAppData) + L"\\Programs\\Arbordir";
}

std::wstring StartMenuEntry() {
    return KnownFolder(FOLDERID_Programs) + L"\\Arbordir.lnk";
}

// A template's file relative to the program's folder.
std::wstring TemplateFile(const std::wstring& name) {
    return L"templates\\" + name + L".arbordir";
}

std::string Names(const Files& files) {
    std::string names;
    for (const auto& [name, content] : files)
        names += std::string(name.begin(), name.end()) + "; ";
    return names;
}

// The files whose content differs between the two.
std::string Changed(const Files& files, const Files& wanted) {
    std::string names;
    for (const auto& [name, content] : files) {
        const auto other = wanted.find(name);
        if (other != wanted.end() && other->second != content)
            names += std::string(name.begin(), name.end()) + "; ";
    }
    return names;
}

// The example as the user left it after editing it by hand: same size, other bytes.
std::string HandEdited(std::string example) {
    if (!example.empty())
        example[0] = static_cast<char>(example[0] ^ 0x20); // the first letter's case
    return example;
}

std::wstring RegistryText(HKEY root, const wchar_t* value) {
    wchar_t text[1024];
    DWORD size = sizeof(text);
    if (RegGetValueW(root, kUninstallKey, value, RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS)
        return L"(none)";
    return text;
}

DWORD RegistryNumber(const wchar_t* value) {
    DWORD number = 0xFFFFFFFF;
    DWORD size = sizeof(number);
    RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, value, RRF_RT_REG_DWORD, nullptr, &number,
                 &size);
    return number;
}

bool KeyExists(HKEY root) {
    HKEY key;
    if (RegOpenKeyExW(root, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

struct VersionInfo {
    std::wstring fixed;   // "major.minor.patch.build" of the fixed part
    std::wstring product; // the ProductVersion text
};

VersionInfo ReadVersion(const std::wstring& file) {
    VersionInfo version;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), nullptr);
    std::string data(size, '\0');
    if (!size || !GetFileVersionInfoW(file.c_str(), 0, size, data.data()))
        return version;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)) {
        version.fixed = std::to_wstring(HIWORD(fixed->dwProductVersionMS)) + L"." +
                        std::to_wstring(LOWORD(fixed->dwProductVersionMS)) + L"." +
                        std::to_wstring(HIWORD(fixed->dwProductVersionLS)) + L"." +
                        std::to_wstring(LOWORD(fixed->dwProductVersionLS));
    }
    WORD* translation = nullptr;
    if (VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                       reinterpret_cast<void**>(&translation), &length) &&
        length >= 4) {
        wchar_t query[64];
        swprintf(query, 64, L"\\StringFileInfo\\%04x%04x\\ProductVersion", translation[0],
                 translation[1]);
        wchar_t* text = nullptr;
        if (VerQueryValueW(data.data(), query, reinterpret_cast<void**>(&text), &length))
            version.product = text;
    }
    return version;
}

struct Shortcut {
    std::wstring target;
    std::wstring folder;
};

Shortcut ReadShortcut(const std::wstring& path) {
    Shortcut shortcut;
    CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            wchar_t text[MAX_PATH] = L"";
            if (SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
                if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, 0)))
                    shortcut.target = text;
                if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH)))
                    shortcut.folder = text;
            }
            file->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return shortcut;
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

TEST(Installed, TheFilesOfThePortablePackageAndAnUninstallerInTheUsersProgramsFolder) {
    const Files portable = FilesBelow(Environment(L"ARBORDIR_PORTABLE_DIR"));
    ASSERT_TRUE(portable.count(L"arbordir.exe")) << Names(portable);
    Files installed = FilesBelow(InstallFolder());
    ASSERT_TRUE(installed.count(L"Uninstall.exe")) << Names(installed);
    installed.erase(L"Uninstall.exe");
    EXPECT_EQ(Names(installed), Names(portable));
    EXPECT_EQ(Changed(installed, portable), "");
}

TEST(Installed, OneVersionInTheProgramTheInstallerAndTheUninstallEntry) {
    const std::wstring four_parts = std::wstring(kVersion) + L".0";
    const VersionInfo program = ReadVersion(InstallFolder() + L"\\arbordir.exe");
    EXPECT_EQ(Narrow(program.fixed), Narrow(four_parts));
    EXPECT_EQ(Narrow(program.product), Narrow(kVersion));
    const VersionInfo installer = ReadVersion(Environment(L"ARBORDIR_INSTALLER"));
    EXPECT_EQ(Narrow(installer.fixed), Narrow(four_parts));
    EXPECT_EQ(Narrow(installer.product), Narrow(kVersion));
    EXPECT_EQ(Narrow(RegistryText(HKEY_CURRENT_USER, L"DisplayVersion")), Narrow(kVersion));
    EXPECT_EQ(RegistryNumber(L"VersionMajor"), ARBORDIR_VERSION_MAJOR);
    EXPECT_EQ(RegistryNumber(L"VersionMinor"), ARBORDIR_VERSION_MINOR);
}

TEST(Installed, TheUninstallEntryIsTheUsersAndNamesTheUninstaller) {
    const std::wstring folder = InstallFolder();
    const std::wstring uninstaller = folder + L"\\Uninstall.exe";
    EXPECT_EQ(Narrow(RegistryText(HKEY_CURRENT_USER, L"DisplayName")), "Arbordir");
    EXPECT_EQ(Narrow(RegistryText(HKEY_CURRENT_USER, L"Publisher")), "Quillmark");
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, L"InstallLocation"), folder);
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, L"DisplayIcon"), folder + L"\\arbordir.exe");
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, L"UninstallString"), L"\"" + uninstaller + L"\"");
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, L"QuietUninstallString"),
              L"\"" + uninstaller + L"\" /S");
    EXPECT_EQ(RegistryNumber(L"NoModify"), 1u);
    EXPECT_EQ(RegistryNumber(L"NoRepair"), 1u);
    // In kilobytes: the program alone is larger than 100 KB.
    EXPECT_GT(RegistryNumber(L"EstimatedSize"), 100u);
    EXPECT_LT(RegistryNumber(L"EstimatedSize"), 100000u);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE)) << "nothing for all users";
}

TEST(Installed, TheStartMenuEntryStartsTheInstalledProgramInItsFolder) {
    const Shortcut shortcut = ReadShortcut(StartMenuEntry());
    EXPECT_EQ(shortcut.target, InstallFolder() + L"\\arbordir.exe");
    EXPECT_EQ(shortcut.folder, InstallFolder());
    EXPECT_FALSE(PathExists(KnownFolder(FOLDERID_CommonPrograms) + L"\\Arbordir.lnk"));
}

// The templates folder of a per-user installation is the user's: the program saves there.
TEST(Installed, TheProgramSavesTemplatesBesideItself) {
    const std::wstring folder = InstallFolder();
    LiveProgram program(L"", L"Arbordir", folder + L"\\arbordir.exe");
    ASSERT_NE(program.Window(), nullptr);
    program.WaitIdle();
    testing_support::TypeText(L"Mine");
    testing_support::PressKey(VK_TAB);
    program.WaitIdle();
    testing_support::TypeText(L"Sub");
    program.WaitIdle();

    for (const std::wstring name : {kOwnTemplate, kSavedOverExample}) {
        const std::wstring file = TemplateFile(name);
        testing_support::ClickAt(program.Window(), kSaveTemplate.x, kSaveTemplate.y);
        ASSERT_NE(program.WaitForWindow(L"Save Template"), nullptr);
        program.WaitIdle();
        testing_support::TypeText(name);
        testing_support::PressKey(VK_RETURN);
        EXPECT_TRUE(WaitFor([&] { return ReadWholeFile(folder + L"\\" + file) == kUserTree; }))
            << Narrow(file);
        program.WaitIdle();
    }
    program.Close();

    // And one example edited in a text editor.
    const std::wstring edited = folder + L"\\" + TemplateFile(kEditedExample);
    ASSERT_TRUE(WriteWholeFile(edited, HandEdited(ReadWholeFile(edited))));
}

TEST(Uninstalled, OnlyTheTemplatesTheUserSavedAreLeft) {
    const std::string example =
        ReadWholeFile(Environment(L"ARBORDIR_PORTABLE_DIR") + L"\\" + TemplateFile(kEditedExample));
    ASSERT_FALSE(example.empty());
    const Files expected{{L"templates\\", ""},
                         {TemplateFile(kOwnTemplate), kUserTree},
                         {TemplateFile(kSavedOverExample), kUserTree},
                         {TemplateFile(kEditedExample), HandEdited(example)}};
    const Files left = FilesBelow(InstallFolder());
    EXPECT_EQ(Names(left), Names(expected));
    EXPECT_EQ(Changed(left, expected), "");
}

TEST(Uninstalled, TheStartMenuEntryAndTheUninstallEntryAreGone) {
    EXPECT_FALSE(PathExists(StartMenuEntry()));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER));
}

} // namespace
