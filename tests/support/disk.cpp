#include "disk.h"

#include "live_program.h"

#include <windows.h>

namespace testing_support {

namespace {

// Calls visit(name, is_folder) for every entry of the folder but "." and "..".
template <class Visit>
void ForEachEntry(const std::wstring& folder, Visit visit) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..")
            visit(name, (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}

void AddFolders(const std::wstring& path, const std::wstring& prefix,
                std::set<std::wstring>& folders) {
    ForEachEntry(path, [&](const std::wstring& name, bool is_folder) {
        if (!is_folder)
            return;
        folders.insert(prefix + name);
        AddFolders(path + L"\\" + name, prefix + name + L"\\", folders);
    });
}

void AddFiles(const std::wstring& path, const std::wstring& prefix, FileContents& files) {
    ForEachEntry(path, [&](const std::wstring& name, bool is_folder) {
        if (is_folder) {
            files[prefix + name + L"\\"] = "";
            AddFiles(path + L"\\" + name, prefix + name + L"\\", files);
        } else {
            files[prefix + name] = ReadWholeFile(path + L"\\" + name);
        }
    });
}

} // namespace

bool PathExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool DirectoryExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void RemoveTree(const std::wstring& path) {
    ForEachEntry(path, [&](const std::wstring& name, bool is_folder) {
        if (is_folder)
            RemoveTree(path + L"\\" + name);
        else
            DeleteFileW((path + L"\\" + name).c_str());
    });
    RemoveDirectoryW(path.c_str());
}

std::set<std::wstring> FoldersBelow(const std::wstring& path) {
    std::set<std::wstring> folders;
    AddFolders(path, L"", folders);
    return folders;
}

FileContents FilesBelow(const std::wstring& path) {
    FileContents files;
    AddFiles(path, L"", files);
    return files;
}

std::string ReadWholeFile(const std::wstring& path) {
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    CloseHandle(file);
    return ok;
}

std::wstring TemplatesDirectory() {
    const std::wstring program = ProgramPath();
    return program.substr(0, program.find_last_of(L'\\') + 1) + L"templates\\";
}

std::wstring Unique(const std::wstring& stem) {
    return stem + std::to_wstring(GetCurrentProcessId());
}

} // namespace testing_support
