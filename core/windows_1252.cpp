#include "core/ansi_code_page.h"

#include <array>

namespace core {
namespace {

// Bytes 0x80 to 0x9F; every other byte has the code point of its own value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

class Windows1252Page final : public AnsiCodePage {
public:
    std::u16string Decode(std::string_view bytes) const override {
        std::u16string text(bytes.size(), u'\0');
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            text[i] = byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
        }
        return text;
    }

    std::optional<std::string> Encode(std::u16string_view text) const override {
        std::string bytes(text.size(), '\0');
        for (std::size_t i = 0; i < text.size(); ++i) {
            const int byte = ByteOf(text[i]);
            if (byte < 0)
                return std::nullopt;
            bytes[i] = static_cast<char>(byte);
        }
        return bytes;
    }

private:
    static int ByteOf(char16_t c) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
            return c;
        for (std::size_t i = 0; i < kHighControls.size(); ++i)
            if (kHighControls[i] == c)
                return static_cast<int>(0x80 + i);
        return -1;
    }
};

} // namespace

const AnsiCodePage& Windows1252() {
    static const Windows1252Page page;
    return page;
}

} // namespace core
