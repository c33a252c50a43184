#pragma once

// The reader of skin packages: a magic "ASzf", an entry count, then entries of a name, an
// unpacked size and a zlib stream each, back to back (all integers 32-bit little-endian). The
// entry named Options.dat (any letter case) is the options text; every other entry is a file.
// Packages are untrusted: every length is checked against the bytes that are really there.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace skin::data {

using Bytes = std::vector<std::uint8_t>;

struct TacImageItem {
    std::u16string FileName; // as stored, converted from the ANSI code page
    bool IsBitmap = false;   // the extension is ".BMP" in any letter case
    Bytes FileStream;        // the unpacked bytes
};

class TacSkinConvertor {
public:
    std::int32_t ImageCount = 0; // entry count minus one
    std::vector<TacImageItem> Files;
    std::unique_ptr<Bytes> Options; // the options text, when the package has one
    // The package bytes being read: either OwnedData (loaded from a file) or bytes lent by the
    // caller (an internal skin), which the reader never frees.
    std::span<const std::uint8_t> PackedData;
    std::unique_ptr<Bytes> OwnedData;

    // Removes the files from the last to the first, then the options text and the package bytes
    // (lent bytes are only forgotten).
    void Clear();

    // The first file whose upper-cased name equals name (compared as given); null when none.
    const TacImageItem* FindFile(std::u16string_view name) const;
};

// Unpacks reader->PackedData into the reader's Files and Options. On a bad magic the reader is
// freed and the reference emptied before core::Error "Loaded data is not a packed Brelune file"
// is raised. A corrupt zlib stream raises zlib's text for its error code; an entry holding less
// than its stated size, or header fields cut short, raise "Stream read error". What was
// unpacked before an error stays with the reader.
void UnpackSkinPackage(std::unique_ptr<TacSkinConvertor>& reader);

// Reads a package file and unpacks it. A missing file does nothing and leaves the reference as
// it is. Otherwise an existing reader is cleared (or a new one made), and with drop_packed_data
// the package bytes are freed after unpacking.
void LoadSkinPackageFile(const std::filesystem::path& file,
                         std::unique_ptr<TacSkinConvertor>& reader, bool drop_packed_data);

} // namespace skin::data
