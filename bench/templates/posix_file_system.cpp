#include "posix_file_system.h"

#include "core/text.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bench {

std::string NativePath(const std::u16string& path) {
    std::string native = core::ToUtf8(path);
    for (char& c : native)
        if (c == '\\')
            c = '/';
    return native;
}

bool PosixFileSystem::DirectoryExists(const std::u16string& path) {
    struct stat info;
    return stat(NativePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::uint32_t PosixFileSystem::MakeDirectory(const std::u16string& path) {
    return mkdir(NativePath(path).c_str(), 0777) == 0 ? 0 : errno;
}

std::u16string PosixFileSystem::ErrorText(std::uint32_t code) {
    return core::FromUtf8(std::strerror(static_cast<int>(code)));
}

std::uint32_t PosixFileSystem::ListDirectory(const std::u16string& directory,
                                             std::vector<core::DirectoryEntry>& entries) {
    entries.clear();
    const std::string native = NativePath(directory);
    DIR* dir = opendir(native.c_str());
    if (!dir)
        return errno;
    while (const dirent* entry = readdir(dir)) {
        bool is_directory = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat info;
            const std::string child = native + '/' + entry->d_name;
            is_directory = stat(child.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        }
        entries.push_back(
            {core::FromUtf8(entry->d_name), is_directory ? core::kAttributeDirectory : 0u});
    }
    closedir(dir);
    return 0;
}

std::uint32_t PosixFileSystem::ReadWholeFile(const std::u16string& path, std::string& bytes) {
    bytes.clear();
    const int file = open(NativePath(path).c_str(), O_RDONLY);
    if (file < 0)
        return errno;
    struct stat info;
    std::uint32_t error = fstat(file, &info) == 0 ? 0 : errno;
    if (!error) {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t got = read(file, bytes.data() + done, bytes.size() - done);
            if (got < 0) {
                error = errno;
                break;
            }
            if (got == 0)
                break;
            done += static_cast<std::size_t>(got);
        }
        bytes.resize(done);
    }
    close(file);
    return error;
}

std::uint32_t PosixFileSystem::WriteWholeFile(const std::u16string& path, std::string_view bytes) {
    const int file = open(NativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (file < 0)
        return errno;
    std::uint32_t error = 0;
    while (!bytes.empty()) {
        const ssize_t put = write(file, bytes.data(), bytes.size());
        if (put <= 0) {
            error = put < 0 ? errno : ENOSPC;
            break;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    if (close(file) != 0 && !error)
        error = errno;
    return error;
}

std::uint32_t PosixFileSystem::RenameReplacing(const std::u16string& source,
                                               const std::u16string& target) {
    return rename(NativePath(source).c_str(), NativePath(target).c_str()) == 0 ? 0 : errno;
}

std::uint32_t PosixFileSystem::RemoveFile(const std::u16string& path) {
    return unlink(NativePath(path).c_str()) == 0 ? 0 : errno;
}

} // namespace bench
