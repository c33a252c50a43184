#include "disk.h"

#include <windows.h>

namespace testing_support {

bool DirectoryExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + L"\\" + name);
            else
                DeleteFileW((path + L"\\" + name).c_str());
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

namespace {

void AddFolders(const std::wstring& path, const std::wstring& prefix,
                std::set<std::wstring>& folders) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L".." || !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        folders.insert(prefix + name);
        AddFolders(path + L"\\" + name, prefix + name + L"\\", folders);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}

} // namespace

std::set<std::wstring> FoldersBelow(const std::wstring& path) {
    std::set<std::wstring> folders;
    AddFolders(path, L"", folders);
    return folders;
}

} // namespace testing_support
