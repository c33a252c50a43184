#include "skin/data/options_text.h"

#include "core/error.h"
#include "core/text.h"
#include "skin/data/ansi_text.h"

#include <charconv>

namespace skin::data {

namespace {

std::u16string DecodeUtf16(std::span<const std::uint8_t> bytes, bool big_endian) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        unsigned a = bytes[i], b = bytes[i + 1];
        text += static_cast<char16_t>(big_endian ? (a << 8) | b : (b << 8) | a);
    }
    return text;
}

std::u16string DecodeText(std::span<const std::uint8_t> bytes) {
    auto starts = [&](std::initializer_list<std::uint8_t> bom) {
        return bytes.size() >= bom.size() && std::equal(bom.begin(), bom.end(), bytes.begin());
    };
    if (starts({0xEF, 0xBB, 0xBF})) {
        auto rest = bytes.subspan(3);
        return core::FromUtf8({reinterpret_cast<const char*>(rest.data()), rest.size()});
    }
    if (starts({0xFF, 0xFE}))
        return DecodeUtf16(bytes.subspan(2), false);
    if (starts({0xFE, 0xFF}))
        return DecodeUtf16(bytes.subspan(2), true);
    return AnsiToUtf16({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

// Trimmed of every character up to and including the space (controls included).
std::u16string_view Trim(std::u16string_view text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && text[begin] <= u' ')
        ++begin;
    while (end > begin && text[end - 1] <= u' ')
        --end;
    return text.substr(begin, end - begin);
}

char16_t Upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

int DigitValue(char16_t c, int base) {
    int value = c >= u'0' && c <= u'9'   ? c - u'0'
                : c >= u'a' && c <= u'f' ? c - u'a' + 10
                : c >= u'A' && c <= u'F' ? c - u'A' + 10
                                         : 99;
    return value < base ? value : -1;
}

} // namespace

// Builds the sections while reading lines; keeps the key index of the block being filled.
class OptionsBuilder {
public:
    explicit OptionsBuilder(SkinOptions& options) : options_(options) {}

    void Line(std::u16string_view line) {
        line = Trim(line);
        if (line.empty() || line.front() == u';')
            return;
        if (line.front() == u'[' && line.back() == u']' && line.size() >= 2) {
            OpenSection(std::u16string(Trim(line.substr(1, line.size() - 2))));
            return;
        }
        if (current_ == kNone)
            return;
        auto equals = line.find(u'=');
        if (equals == std::u16string_view::npos) {
            options_.blocks_[current_].Keys.push_back({std::u16string(line), {}, false});
            return;
        }
        AddKey(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    void OpenSection(std::u16string name) {
        options_.order_.push_back(name);
        keys_.clear();
        auto found = options_.index_.find(name);
        if (found != options_.index_.end()) {
            // A header written again starts over: lookups reach the last block only.
            current_ = found->second;
            options_.blocks_[current_].Keys.clear();
            return;
        }
        current_ = options_.blocks_.size();
        options_.index_.emplace(name, current_);
        options_.blocks_.push_back({std::move(name), {}});
    }

    // The name is a view of the text being read, which outlives the builder.
    void AddKey(std::u16string_view name, std::u16string_view value) {
        auto& keys = options_.blocks_[current_].Keys;
        auto [found, added] = keys_.try_emplace(name, keys.size());
        if (!added) {
            keys[found->second].Value = value;
            return;
        }
        keys.push_back({std::u16string(name), std::u16string(value), true});
    }

    SkinOptions& options_;
    std::size_t current_ = kNone;
    std::unordered_map<std::u16string_view, std::size_t> keys_;
};

SkinOptions SkinOptions::Parse(std::span<const std::uint8_t> bytes) {
    return ParseText(DecodeText(bytes));
}

SkinOptions SkinOptions::ParseText(std::u16string_view text) {
    SkinOptions options;
    OptionsBuilder builder(options);
    const std::size_t size = text.size();
    std::size_t start = 0;
    while (true) {
        std::size_t end = start;
        while (end < size && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        builder.Line(text.substr(start, end - start));
        if (end == size)
            break;
        start = end + (text[end] == u'\r' && end + 1 < size && text[end + 1] == u'\n' ? 2 : 1);
    }
    return options;
}

const OptionsSection* SkinOptions::FindSection(std::u16string_view name) const {
    auto found = index_.find(name);
    return found == index_.end() ? nullptr : &blocks_[found->second];
}

std::optional<std::u16string_view> SkinOptions::Value(std::u16string_view section,
                                                      std::u16string_view key) const {
    const OptionsSection* block = FindSection(section);
    if (!block)
        return std::nullopt;
    for (const OptionsKey& k : block->Keys)
        if (k.HasValue && k.Name == key)
            return k.Value;
    return std::nullopt;
}

std::u16string SkinOptions::ReadString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view absent) const {
    auto value = Value(section, key);
    return std::u16string(value ? *value : absent);
}

std::int32_t SkinOptions::ReadInteger(std::u16string_view section, std::u16string_view key,
                                      std::int32_t absent) const {
    auto value = Value(section, key);
    if (!value)
        return absent;
    return ParseInteger(*value).value_or(absent);
}

std::optional<std::int32_t> ParseInteger(std::u16string_view text) {
    bool negative = !text.empty() && text.front() == u'-';
    if (negative)
        text.remove_prefix(1);
    int base = 10;
    if (!text.empty() && text.front() == u'$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;
    // Decimal must fit the signed range; hexadecimal may use all 32 bits.
    std::uint64_t limit = base == 16 ? 0xFFFFFFFFu : negative ? 0x80000000u : 0x7FFFFFFFu;
    std::uint64_t value = 0;
    for (char16_t c : text) {
        int digit = DigitValue(c, base);
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
        if (value > limit)
            return std::nullopt;
    }
    auto bits = static_cast<std::uint32_t>(value);
    if (negative)
        bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
}

std::int32_t StrictInteger(std::u16string_view text) {
    auto value = ParseInteger(text);
    if (!value)
        throw core::Error(core::Format(u"''%s'' is not a valid integer value", {text}));
    return *value;
}

double ParseReal(std::u16string_view text) {
    std::string ascii;
    for (char16_t c : text) {
        if (c > 0x7F)
            return 0;
        ascii += static_cast<char>(c);
    }
    double value = 0;
    auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error != std::errc() || end != ascii.data() + ascii.size())
        return 0;
    return value;
}

std::u16string UpperCase(std::u16string_view text) {
    std::u16string upper(text);
    for (char16_t& c : upper)
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
    return upper;
}

bool UpperEquals(std::u16string_view text, std::u16string_view upper) {
    if (text.size() != upper.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (Upper(text[i]) != upper[i])
            return false;
    return true;
}

bool UpperContains(std::u16string_view text, std::u16string_view upper) {
    if (upper.empty())
        return true;
    const char16_t first = upper.front();
    if (first >= u'A' && first <= u'Z') {
        for (std::size_t at = 0; at + upper.size() <= text.size(); ++at)
            if (UpperEquals(text.substr(at, upper.size()), upper))
                return true;
        return false;
    }
    // Not a letter: only places holding that very character can start a match.
    for (auto at = text.find(first); at != std::u16string_view::npos; at = text.find(first, at + 1))
        if (UpperEquals(text.substr(at, upper.size()), upper))
            return true;
    return false;
}

} // namespace skin::data
