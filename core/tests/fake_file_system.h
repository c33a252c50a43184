#pragma once

// An in-memory file system for the folder algorithms' tests: directories are a set of paths
// (case-insensitive like Windows), with names that may be refused. Directories added with
// AddDirectory also have listings in insertion order, with attributes, links and refusals,
// and files hold bytes, with failures that tests switch on.

#include "core/file_system.h"
#include "core/path.h"
#include "core/text.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace core::testing {

class FakeFileSystem : public FileSystem {
public:
    static constexpr std::uint32_t kFileNotFound = 2;
    static constexpr std::uint32_t kPathNotFound = 3;
    static constexpr std::uint32_t kAccessDenied = 5;
    static constexpr std::uint32_t kDiskFull = 112;
    static constexpr std::uint32_t kInvalidName = 123;
    static constexpr std::uint32_t kPathTooLong = 206;

    explicit FakeFileSystem(std::vector<std::u16string> existing = {u"C:"}) {
        for (auto& path : existing)
            directories_.insert(Key(path));
    }

    bool DirectoryExists(const std::u16string& path) override {
        return directories_.count(Key(ExcludeTrailingPathDelimiter(path))) > 0;
    }

    std::uint32_t MakeDirectory(const std::u16string& path) override {
        const std::u16string name = ExtractFileName(path);
        if (!ValidName(name))
            return kInvalidName;
        if (refused_.count(Key(path)))
            return kAccessDenied;
        std::u16string parent = ExcludeTrailingPathDelimiter(ExtractFilePath(path));
        // Windows folds doubled separators: "X:\Out\\A" has the parent "X:\Out".
        while (!parent.empty() && parent.back() == u'\\')
            parent.pop_back();
        if (!parent.empty() && !directories_.count(Key(parent)))
            return kPathNotFound;
        std::u16string key = Key(path);
        if (!directories_.insert(key).second)
            return 183; // already exists
        created.push_back(Normalise(path));
        return 0;
    }

    std::u16string ErrorText(std::uint32_t code) override {
        switch (code) {
        case kInvalidName:
            return u"The filename, directory name, or volume label syntax is incorrect.\r\n";
        case kFileNotFound:
            return u"The system cannot find the file specified.\r\n";
        case kAccessDenied:
            return u"Access is denied.\r\n";
        case kDiskFull:
            return u"There is not enough space on the disk.\r\n";
        default:
            return u"The system cannot find the path specified.\r\n";
        }
    }

    // Listings, as FindFirstFile gives them: "." and ".." first, then the entries in the order
    // they were added.
    std::uint32_t ListDirectory(const std::u16string& directory,
                                std::vector<DirectoryEntry>& entries) override {
        entries.clear();
        ++listings_made;
        if (IncludeTrailingPathDelimiter(directory).size() + 1 >= max_path)
            return kPathTooLong;
        const std::u16string key = Key(Resolve(directory));
        if (denied_.count(key))
            return kAccessDenied;
        auto listing = listings_.find(key);
        if (listing == listings_.end())
            return kPathNotFound;
        entries.push_back({u".", kAttributeDirectory});
        entries.push_back({u"..", kAttributeDirectory});
        entries.insert(entries.end(), listing->second.begin(), listing->second.end());
        return 0;
    }

    std::uint32_t ReadWholeFile(const std::u16string& path, std::string& bytes) override {
        bytes.clear();
        auto file = files_.find(Key(path));
        if (file == files_.end())
            return DirectoryExists(path) ? kAccessDenied : kFileNotFound;
        bytes = file->second;
        return 0;
    }

    std::uint32_t WriteWholeFile(const std::u16string& path, std::string_view bytes) override {
        if (!ValidName(ExtractFileName(path)))
            return kInvalidName;
        if (!directories_.count(Key(ExcludeTrailingPathDelimiter(ExtractFilePath(path)))))
            return kPathNotFound;
        if (DirectoryExists(path) || read_only_.count(Key(path)))
            return kAccessDenied;
        std::string& file = files_[Key(path)];
        if (space_left && bytes.size() > *space_left) {
            file.assign(bytes.substr(0, *space_left)); // what fitted stays behind
            return kDiskFull;
        }
        file.assign(bytes);
        return 0;
    }

    std::uint32_t RenameReplacing(const std::u16string& source,
                                  const std::u16string& target) override {
        if (rename_error)
            return rename_error;
        auto file = files_.find(Key(source));
        if (file == files_.end())
            return kFileNotFound;
        if (DirectoryExists(target) || read_only_.count(Key(target)))
            return kAccessDenied;
        files_[Key(target)] = std::move(file->second);
        files_.erase(Key(source));
        return 0;
    }

    std::uint32_t RemoveFile(const std::u16string& path) override {
        return files_.erase(Key(path)) ? 0 : kFileNotFound;
    }

    // Adds a directory, and its missing ancestors, to the listings.
    void AddDirectory(const std::u16string& path, std::uint32_t attributes = 0) {
        const std::u16string key = Key(path);
        if (listings_.count(key))
            return;
        listings_[key];
        directories_.insert(key);
        AddEntry(path, attributes | kAttributeDirectory);
    }
    // A directory entry that leads to another directory (a symbolic link or a junction).
    void AddLink(const std::u16string& path, const std::u16string& target) {
        links_[Key(path)] = Normalise(target);
        AddEntry(path, kAttributeDirectory | kAttributeReparsePoint);
    }
    void AddFile(const std::u16string& path, std::string bytes = {}, std::uint32_t attributes = 0) {
        files_[Key(path)] = std::move(bytes);
        AddEntry(path, attributes);
    }
    void DenyListing(const std::u16string& path) { denied_.insert(Key(path)); }
    void RefuseCreating(const std::u16string& path) { refused_.insert(Key(path)); }
    void MakeReadOnly(const std::u16string& path) { read_only_.insert(Key(path)); }

    std::optional<std::string> File(const std::u16string& path) const {
        auto file = files_.find(Key(path));
        return file == files_.end() ? std::nullopt : std::optional<std::string>(file->second);
    }
    std::size_t FileCount() const { return files_.size(); }

    // Paths in the order they were created, doubled separators folded.
    std::vector<std::u16string> created;
    // Listing a path this long (with "\*") fails as on Windows without long-path support.
    std::size_t max_path = 260;
    std::size_t listings_made = 0;
    // Writes beyond this many bytes fail with kDiskFull.
    std::optional<std::size_t> space_left;
    std::uint32_t rename_error = 0;

private:
    static bool ValidName(const std::u16string& name) {
        return name.find_first_of(u"?*<>|\"") == std::u16string::npos;
    }
    static std::u16string Normalise(std::u16string path) {
        std::u16string out;
        for (char16_t c : path)
            if (!(c == u'\\' && !out.empty() && out.back() == u'\\'))
                out += c;
        return ExcludeTrailingPathDelimiter(out);
    }
    static std::u16string Key(const std::u16string& path) {
        std::u16string key = Normalise(path);
        std::transform(key.begin(), key.end(), key.begin(),
                       [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; });
        return key;
    }

    void AddEntry(const std::u16string& path, std::uint32_t attributes) {
        const std::u16string normal = Normalise(path);
        const std::u16string parent = ExcludeTrailingPathDelimiter(ExtractFilePath(normal));
        if (parent.empty() || Key(parent) == Key(normal))
            return; // a drive has no parent listing
        AddDirectory(parent);
        auto& siblings = listings_[Key(parent)];
        siblings.push_back({ExtractFileName(normal), attributes});
    }

    // Follows links component by component, as the platform does.
    std::u16string Resolve(const std::u16string& path) const {
        const std::u16string normal = Normalise(path);
        std::u16string resolved;
        std::size_t start = 0;
        while (start <= normal.size()) {
            std::size_t end = normal.find(u'\\', start);
            if (end == std::u16string::npos)
                end = normal.size();
            if (!resolved.empty())
                resolved += u'\\';
            resolved += normal.substr(start, end - start);
            auto link = links_.find(Key(resolved));
            if (link != links_.end())
                resolved = link->second;
            start = end + 1;
        }
        return resolved;
    }

    std::set<std::u16string> directories_;
    std::map<std::u16string, std::vector<DirectoryEntry>> listings_;
    std::map<std::u16string, std::u16string> links_;
    std::map<std::u16string, std::string> files_;
    std::set<std::u16string> denied_;
    std::set<std::u16string> refused_;
    std::set<std::u16string> read_only_;
};

} // namespace core::testing
