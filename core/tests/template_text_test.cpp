#include "core/template_text.h"

#include <gtest/gtest.h>
#include <vector>

namespace core {
namespace {

TEST(Windows1252, EveryByteDecodesAndEncodesBackToItself) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    const std::u16string text = Windows1252().Decode(all);
    EXPECT_EQ(text[0x80], u'\u20AC');
    EXPECT_EQ(text[0x81], u'\u0081');
    EXPECT_EQ(text[0x9F], u'\u0178');
    EXPECT_EQ(text[0xE9], u'\u00E9');
    EXPECT_EQ(Windows1252().Encode(text), all);
    // Look-alikes are not representations: "ā" must not become "a".
    for (std::u16string_view foreign : {u"\u0101", u"\u03A9", u"\u4E2D", u"\u0080", u"\xD800"})
        EXPECT_EQ(Windows1252().Encode(foreign), std::nullopt);
}

TEST(DecodeTemplateText, ByteOrderMarksSelectTheEncodingAndNulEndsTheText) {
    struct Case {
        std::string bytes;
        std::u16string text;
    };
    const std::vector<Case> cases = {
        {"\xEF\xBB\xBF\xC3\xA9t\xC3\xA9", u"\u00E9t\u00E9"},
        {"\xC3\xA9t\xC3\xA9", u"\u00C3\u00A9t\u00C3\u00A9"}, // no mark: the ANSI code page
        {std::string("\xFF\xFE\xA9\x03\n\x00", 6), u"\u03A9\n"},
        {std::string("\xFE\xFF\x03\xA9\x00\n", 6), u"\u03A9\n"},
        {std::string("\xFF\xFE"
                     "A\x00\x00\x00"
                     "B\x00",
                     8),
         u"A"},
        {std::string("A\x00"
                     "B",
                     3),
         u"A"},
        {std::string("\xFF\xFE"
                     "A\x00"
                     "B",
                     5),
         u"A"},                        // an odd last byte has no partner
        {"\xEF\xBB", u"\u00EF\u00BB"}, // a cut mark is text
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeTemplateText(c.bytes, Windows1252()), c.text) << c.bytes;
}

TEST(EncodeTemplateText, AnsiWhenEveryCharacterFitsElseUtf8WithItsMark) {
    EXPECT_EQ(EncodeTemplateText(u"Caf\u00E9 \u20AC\r\n", Windows1252()), "Caf\xE9 \x80\r\n");
    EXPECT_EQ(EncodeTemplateText(u"Caf\u00E9\r\n\u0391\r\n", Windows1252()),
              "\xEF\xBB\xBF"
              "Caf\xC3\xA9\r\n\xCE\x91\r\n");
    // In ANSI, "ÿþ" would read back as a UTF-16 mark.
    EXPECT_EQ(EncodeTemplateText(u"\u00FF\u00FEx\r\n", Windows1252()),
              "\xEF\xBB\xBF\xC3\xBF\xC3\xBEx\r\n");
}

std::vector<std::pair<std::size_t, std::u16string>> Lines(std::u16string_view text) {
    std::vector<std::pair<std::size_t, std::u16string>> lines;
    TemplateLineReader reader(text);
    TemplateLine line;
    while (reader.Next(line))
        lines.emplace_back(line.level, std::u16string(line.name));
    return lines;
}

TEST(TemplateLineReader, LineEndsLevelsAndBlankLines) {
    using L = std::vector<std::pair<std::size_t, std::u16string>>;
    EXPECT_EQ(Lines(u""), L{});
    EXPECT_EQ(Lines(u"\r\n"), (L{{0, u""}}));
    EXPECT_EQ(Lines(u"A\r\n\tB\r\tC\n D"), (L{{0, u"A"}, {1, u"B"}, {1, u"C"}, {1, u"D"}}));
    EXPECT_EQ(Lines(u"A\r\r\nB\n\n"), (L{{0, u"A"}, {0, u""}, {0, u"B"}, {0, u""}}));
    EXPECT_EQ(Lines(u"\t \tX y \t\r\n\t\t"), (L{{3, u"X y \t"}, {2, u""}}));
}

} // namespace
} // namespace core
