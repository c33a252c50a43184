#include "skin/data/ansi_text.h"

namespace skin::data {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80 .. 0x9F; the five unassigned codes map to
// the C1 control characters of the same value, as the platform's conversion does.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

std::u16string AnsiToUtf16(std::string_view bytes) {
    std::u16string text(bytes.size(), u'\0');
    char16_t* out = text.data();
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        *out++ = byte - 0x80u < 0x20u ? kHighControls[byte - 0x80] : char16_t(byte);
    }
    return text;
}

} // namespace skin::data
