#pragma once

// An in-memory file system for the folder algorithms' tests: directories are a set of paths
// (case-insensitive like Windows), with names that may be refused.

#include "core/file_system.h"
#include "core/path.h"
#include "core/text.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace core::testing {

class FakeFileSystem : public FileSystem {
public:
    static constexpr std::uint32_t kPathNotFound = 3;
    static constexpr std::uint32_t kInvalidName = 123;

    explicit FakeFileSystem(std::vector<std::u16string> existing = {u"C:"}) {
        for (auto& path : existing)
            directories_.insert(Key(path));
    }

    bool DirectoryExists(const std::u16string& path) override {
        return directories_.count(Key(ExcludeTrailingPathDelimiter(path))) > 0;
    }

    std::uint32_t MakeDirectory(const std::u16string& path) override {
        const std::u16string name = ExtractFileName(path);
        if (name.find_first_of(u"?*<>|\"") != std::u16string::npos)
            return kInvalidName;
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
        return code == kInvalidName
                   ? u"The filename, directory name, or volume label syntax is incorrect.\r\n"
                   : u"The system cannot find the path specified.\r\n";
    }

    // Paths in the order they were created, doubled separators folded.
    std::vector<std::u16string> created;

private:
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

    std::set<std::u16string> directories_;
};

} // namespace core::testing
