#pragma once

// The file system as the folder algorithms see it. Paths use backslashes; error codes are the
// platform's (Windows error codes in the Win32 implementation). The Win32 implementation is in
// core/win32; tests supply their own. Method names avoid the names that <windows.h> defines as
// macros (CreateDirectory, CreateFile, FindFirstFile, MoveFile, ...).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// Attribute bits of directory entries, with the values Windows gives them.
inline constexpr std::uint32_t kAttributeReadOnly = 0x01;
inline constexpr std::uint32_t kAttributeHidden = 0x02;
inline constexpr std::uint32_t kAttributeSystem = 0x04;
inline constexpr std::uint32_t kAttributeDirectory = 0x10;
inline constexpr std::uint32_t kAttributeReparsePoint = 0x400;

struct DirectoryEntry {
    std::u16string name;
    std::uint32_t attributes = 0;

    bool IsDirectory() const { return (attributes & kAttributeDirectory) != 0; }
};

class FileSystem {
public:
    // ERROR_NOT_SUPPORTED.
    static constexpr std::uint32_t kNotSupported = 50;

    virtual ~FileSystem() = default;

    virtual bool DirectoryExists(const std::u16string& path) = 0;
    // Creates one directory whose parent exists. Returns 0 or the platform's error code.
    virtual std::uint32_t MakeDirectory(const std::u16string& path) = 0;
    // The platform's message for an error code, as it gives it.
    virtual std::u16string ErrorText(std::uint32_t code) = 0;

    // The operations below answer kNotSupported unless an implementation provides them, so
    // that file systems written for folder creation alone keep working.

    // Every entry of the directory, "." and ".." included, in the order the file system keeps
    // them, with their attributes; nothing is filtered. `entries` is replaced. Returns 0 or the
    // error code of a directory that cannot be enumerated (missing, denied, path too long).
    virtual std::uint32_t ListDirectory(const std::u16string& /*directory*/,
                                        std::vector<DirectoryEntry>& /*entries*/) {
        return kNotSupported;
    }
    // Reads the whole file into `bytes`. Returns 0 or the error code.
    virtual std::uint32_t ReadWholeFile(const std::u16string& /*path*/, std::string& /*bytes*/) {
        return kNotSupported;
    }
    // Creates the file, or truncates an existing one, and writes all the bytes through to the
    // disk. A failure may leave a partly written file behind. Returns 0 or the error code.
    virtual std::uint32_t WriteWholeFile(const std::u16string& /*path*/,
                                         std::string_view /*bytes*/) {
        return kNotSupported;
    }
    // Renames `source` to `target` in one step, replacing an existing file `target`.
    virtual std::uint32_t RenameReplacing(const std::u16string& /*source*/,
                                          const std::u16string& /*target*/) {
        return kNotSupported;
    }
    virtual std::uint32_t RemoveFile(const std::u16string& /*path*/) { return kNotSupported; }
};

// The platform's message for an error code, ready to follow a sentence of ours: trailing
// spaces, line breaks and full stops removed.
std::u16string ErrorMessage(FileSystem& fs, std::uint32_t code);

// The platform's file system (Win32 build only).
FileSystem& SystemFileSystem();

} // namespace core
