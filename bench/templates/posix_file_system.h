#pragma once

// The core's file system on POSIX, for benchmarks only: backslashes become slashes and names
// UTF-8. Symbolic links to directories list as directories, as Windows lists its links.
// Nothing is synced to the disk, so that the figures measure our work, not the device.

#include "core/file_system.h"

namespace bench {

class PosixFileSystem final : public core::FileSystem {
public:
    bool DirectoryExists(const std::u16string& path) override;
    std::uint32_t MakeDirectory(const std::u16string& path) override;
    std::u16string ErrorText(std::uint32_t code) override;
    std::uint32_t ListDirectory(const std::u16string& directory,
                                std::vector<core::DirectoryEntry>& entries) override;
    std::uint32_t ReadWholeFile(const std::u16string& path, std::string& bytes) override;
    std::uint32_t WriteWholeFile(const std::u16string& path, std::string_view bytes) override;
    std::uint32_t RenameReplacing(const std::u16string& source,
                                  const std::u16string& target) override;
    std::uint32_t RemoveFile(const std::u16string& path) override;
};

// The POSIX form of a backslash path.
std::string NativePath(const std::u16string& path);

} // namespace bench
