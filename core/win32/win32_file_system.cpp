// The file system of the platform, through the wide-character Win32 calls.

#include "core/file_system.h"

#include <algorithm>
#include <cstdint>
#include <new>
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

    std::uint32_t ListDirectory(const std::u16string& directory,
                                std::vector<DirectoryEntry>& entries) override {
        entries.clear();
        std::u16string pattern = directory;
        if (pattern.empty() || pattern.back() != u'\\')
            pattern += u'\\';
        pattern += u'*';
        WIN32_FIND_DATAW data;
        // The basic level leaves out the short names, which nobody here reads.
        HANDLE find = FindFirstFileExW(Wide(pattern), FindExInfoBasic, &data, FindExSearchNameMatch,
                                       nullptr, FIND_FIRST_EX_LARGE_FETCH);
        if (find == INVALID_HANDLE_VALUE)
            return GetLastError();
        do {
            entries.push_back({std::u16string(reinterpret_cast<const char16_t*>(data.cFileName)),
                               data.dwFileAttributes});
        } while (FindNextFileW(find, &data));
        const DWORD error = GetLastError();
        FindClose(find);
        return error == ERROR_NO_MORE_FILES ? 0 : error;
    }

    std::uint32_t ReadWholeFile(const std::u16string& path, std::string& bytes) override {
        bytes.clear();
        HANDLE file = CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return GetLastError();
        std::uint32_t error = 0;
        LARGE_INTEGER size;
        if (!GetFileSizeEx(file, &size))
            error = GetLastError();
        else if (static_cast<unsigned long long>(size.QuadPart) > SIZE_MAX / 2)
            error = ERROR_NOT_ENOUGH_MEMORY;
        else
            error = ReadAll(file, static_cast<std::size_t>(size.QuadPart), bytes);
        CloseHandle(file);
        return error;
    }

    std::uint32_t WriteWholeFile(const std::u16string& path, std::string_view bytes) override {
        HANDLE file = CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return GetLastError();
        std::uint32_t error = 0;
        while (!bytes.empty() && !error) {
            const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kPiece));
            DWORD written = 0;
            if (!WriteFile(file, bytes.data(), piece, &written, nullptr))
                error = GetLastError();
            else if (written == 0)
                error = ERROR_WRITE_FAULT;
            bytes.remove_prefix(written);
        }
        // The new content must be on the disk before it replaces the old file.
        if (!error && !FlushFileBuffers(file))
            error = GetLastError();
        if (!CloseHandle(file) && !error)
            error = GetLastError();
        return error;
    }

    std::uint32_t RenameReplacing(const std::u16string& source,
                                  const std::u16string& target) override {
        // A read-only file refuses to be overwritten; Windows also refuses to be replaced by
        // a rename, but not every implementation of the calls does, so ask first.
        const DWORD attributes = GetFileAttributesW(Wide(target));
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            return ERROR_ACCESS_DENIED;
        return MoveFileExW(Wide(source), Wide(target),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                   ? 0
                   : GetLastError();
    }

    std::uint32_t RemoveFile(const std::u16string& path) override {
        return DeleteFileW(Wide(path)) ? 0 : GetLastError();
    }

private:
    static constexpr std::size_t kPiece = 1 << 24;

    // Reads up to `size` bytes; a file that shrinks meanwhile gives what it still has.
    static std::uint32_t ReadAll(HANDLE file, std::size_t size, std::string& bytes) {
        try {
            bytes.resize(size);
        } catch (const std::bad_alloc&) {
            return ERROR_NOT_ENOUGH_MEMORY;
        }
        std::size_t done = 0;
        while (done < size) {
            const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(size - done, kPiece));
            DWORD read = 0;
            if (!ReadFile(file, bytes.data() + done, piece, &read, nullptr))
                return GetLastError();
            if (read == 0)
                break;
            done += read;
        }
        bytes.resize(done);
        return 0;
    }
};

} // namespace

FileSystem& SystemFileSystem() {
    static Win32FileSystem file_system;
    return file_system;
}

} // namespace core
