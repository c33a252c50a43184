#pragma once

// The skin options text: sections of key=value lines. Decoded as the ANSI code page unless it
// starts with a UTF-8 or UTF-16 byte order mark; lines split at CR, LF or CR LF and trimmed of
// control characters and spaces; ";" starts a comment line; "[NAME]" opens a section. A line
// without "=" is kept as a key that no lookup matches. Names are case-sensitive.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace skin::data {

struct OptionsKey {
    std::u16string Name;
    std::u16string Value;
    bool HasValue = false; // the line had "="
};

struct OptionsSection {
    std::u16string Name;
    std::vector<OptionsKey> Keys; // text order; a key written twice keeps its last value
};

// Hashes text of any string type alike, so that lookups by a view build no string.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view text) const {
        return std::hash<std::u16string_view>{}(text);
    }
};

class SkinOptions {
public:
    static SkinOptions Parse(std::span<const std::uint8_t> bytes);
    static SkinOptions ParseText(std::u16string_view text);

    // Section names in text order; a header that occurs twice is listed twice.
    const std::vector<std::u16string>& SectionNames() const { return order_; }
    // The section of that name; a header written twice reaches its last block only.
    const OptionsSection* FindSection(std::u16string_view name) const;
    // The value of a key, or none when the section or key is absent (or the line had no "=").
    std::optional<std::u16string_view> Value(std::u16string_view section,
                                             std::u16string_view key) const;

    std::u16string ReadString(std::u16string_view section, std::u16string_view key,
                              std::u16string_view absent) const;
    // An absent key or a value that is not an integer gives absent.
    std::int32_t ReadInteger(std::u16string_view section, std::u16string_view key,
                             std::int32_t absent) const;

private:
    friend class OptionsBuilder;

    std::vector<OptionsSection> blocks_; // the last block of every name
    std::vector<std::u16string> order_;
    std::unordered_map<std::u16string, std::size_t, TextHash, std::equal_to<>> index_;
};

// Integers of the options text: decimal with an optional "-", or hexadecimal after "$" or "0x"
// (hexadecimal words wrap into the 32-bit range). None when the text is not such an integer.
std::optional<std::int32_t> ParseInteger(std::u16string_view text);
// The same, raising core::Error "''%s'' is not a valid integer value" when it is not one.
std::int32_t StrictInteger(std::u16string_view text);
// A decimal number with "." as the separator; 0 when it is not one.
double ParseReal(std::u16string_view text);

// Letters a-z made upper case; other characters unchanged.
std::u16string UpperCase(std::u16string_view text);
// UpperCase(text) == upper and UpperCase(text) contains upper, without making the copy.
bool UpperEquals(std::u16string_view text, std::u16string_view upper);
bool UpperContains(std::u16string_view text, std::u16string_view upper);

} // namespace skin::data
