// The file system of the platform, through the wide-character Win32 calls.

#include "core/file_system.h"

#include <windows.h>

namespace core {
namespace {

const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

class Win32FileSystem final : public FileSystem {
public:
    bool DirectoryExists(const std::u16string& path) override {
        const DWORD attributes = GetFileAttributesW(Wide(path));
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    std::uint32_t MakeDirectory(const std::u16string& path) override {
        return CreateDirectoryW(Wide(path), nullptr) ? 0 : GetLastError();
    }

    std::u16string ErrorText(std::uint32_t code) override {
        wchar_t* buffer = nullptr;
        const DWORD length =
            FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
        std::u16string text(reinterpret_cast<const char16_t*>(buffer), length);
        LocalFree(buffer);
        return text;
    }
};

} // namespace

FileSystem& SystemFileSystem() {
    static Win32FileSystem file_system;
    return file_system;
}

} // namespace core
