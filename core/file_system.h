#pragma once

// The file system as the folder algorithms see it. Paths use backslashes; error codes are the
// platform's (Windows error codes in the Win32 implementation). The Win32 implementation is in
// core/win32; tests supply their own. Method names avoid the names that <windows.h> defines as
// macros (CreateDirectory, CreateFile, ...).

#include <cstdint>
#include <string>

namespace core {

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual bool DirectoryExists(const std::u16string& path) = 0;
    // Creates one directory whose parent exists. Returns 0 or the platform's error code.
    virtual std::uint32_t MakeDirectory(const std::u16string& path) = 0;
    // The platform's message for an error code, as it gives it.
    virtual std::u16string ErrorText(std::uint32_t code) = 0;
};

// The platform's file system (Win32 build only).
FileSystem& SystemFileSystem();

} // namespace core
