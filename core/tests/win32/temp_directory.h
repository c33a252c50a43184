#pragma once

// A fresh directory below the system's temporary folder, removed with everything in it.

#include "core/text.h"

#include <string>
#include <windows.h>

namespace core::testing {

class TempDirectory {
public:
    TempDirectory() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        path_ = reinterpret_cast<const char16_t*>(base);
        path_ += u"arbordir-" + Ascii(std::to_string(GetCurrentProcessId())) + u"-" +
                 Ascii(std::to_string(counter_++));
        CreateDirectoryW(Wide(path_), nullptr);
    }
    ~TempDirectory() { Remove(path_); }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    std::u16string operator/(std::u16string_view name) const {
        return path_ + u"\\" + std::u16string(name);
    }
    const std::u16string& Path() const { return path_; }

    static const wchar_t* Wide(const std::u16string& text) {
        return reinterpret_cast<const wchar_t*>(text.c_str());
    }

private:
    static void Remove(const std::u16string& path) {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW(Wide(path + u"\\*"), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::u16string name = reinterpret_cast<const char16_t*>(data.cFileName);
                if (name == u"." || name == u"..")
                    continue;
                const std::u16string child = path + u"\\" + name;
                SetFileAttributesW(Wide(child), FILE_ATTRIBUTE_NORMAL);
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    Remove(child);
                else
                    DeleteFileW(Wide(child));
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
        RemoveDirectoryW(Wide(path));
    }

    static inline int counter_ = 0;
    std::u16string path_;
};

} // namespace core::testing
