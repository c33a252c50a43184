#include "core/template_text.h"

#include "core/text.h"

namespace core {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// A trailing odd byte has no partner and is dropped.
std::u16string DecodeUtf16(std::string_view bytes, bool big_endian) {
    std::u16string text(bytes.size() / 2, u'\0');
    const int high = big_endian ? 0 : 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto hi = static_cast<unsigned char>(bytes[2 * i + high]);
        const auto lo = static_cast<unsigned char>(bytes[2 * i + 1 - high]);
        text[i] = static_cast<char16_t>(hi << 8 | lo);
    }
    return text;
}

std::u16string Decode(std::string_view bytes, const AnsiCodePage& ansi) {
    if (bytes.starts_with(kUtf8Mark))
        return FromUtf8(bytes.substr(kUtf8Mark.size()));
    if (bytes.starts_with(kUtf16LeMark))
        return DecodeUtf16(bytes.substr(kUtf16LeMark.size()), false);
    if (bytes.starts_with(kUtf16BeMark))
        return DecodeUtf16(bytes.substr(kUtf16BeMark.size()), true);
    return ansi.Decode(bytes);
}

} // namespace

std::u16string DecodeTemplateText(std::string_view bytes, const AnsiCodePage& ansi) {
    std::u16string text = Decode(bytes, ansi);
    const std::size_t end = text.find(u'\0');
    if (end != std::u16string::npos)
        text.resize(end);
    return text;
}

std::string EncodeTemplateText(std::u16string_view text, const AnsiCodePage& ansi) {
    // ANSI bytes that happen to begin like a byte-order mark ("ÿþ" in Windows-1252) would be
    // read back in another encoding.
    std::optional<std::string> bytes = ansi.Encode(text);
    if (bytes && !bytes->starts_with(kUtf8Mark) && !bytes->starts_with(kUtf16LeMark) &&
        !bytes->starts_with(kUtf16BeMark))
        return std::move(*bytes);
    return std::string(kUtf8Mark) + ToUtf8(text);
}

bool TemplateLineReader::Next(TemplateLine& line) {
    if (rest_.empty())
        return false;
    const char16_t* const begin = rest_.data();
    const char16_t* const end = begin + rest_.size();
    const char16_t* p = begin;
    while (p != end && (*p == u'\t' || *p == u' '))
        ++p;
    const char16_t* const name = p;
    while (p != end && *p != u'\r' && *p != u'\n')
        ++p;
    line.level = static_cast<std::size_t>(name - begin);
    line.name = std::u16string_view(name, static_cast<std::size_t>(p - name));
    if (p != end)
        p += *p == u'\r' && p + 1 != end && p[1] == u'\n' ? 2 : 1;
    rest_.remove_prefix(static_cast<std::size_t>(p - begin));
    return true;
}

} // namespace core
