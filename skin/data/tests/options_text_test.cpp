#include "skin/data/options_text.h"
#include "skin/data/tests/test_skins.h"

#include <gtest/gtest.h>

namespace skin::data {
namespace {

SkinOptions Parse(std::string_view text) {
    return SkinOptions::Parse({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

TEST(OptionsText, LinesAreTrimmedCommentsSkippedAndLastKeyWins) {
    auto o = Parse("KEY=before any section\r\n"
                   "  [ ONE ]  \r"
                   "\tA = 1 \n"
                   "; A=2\n"
                   "\n"
                   "B=x=y\r\n"
                   "A=3\n"
                   "lone line\n"
                   "[TWO]\n"
                   "=empty name");
    ASSERT_EQ(o.SectionNames(), (std::vector<std::u16string>{u"ONE", u"TWO"}));
    EXPECT_EQ(o.Value(u"ONE", u"A"), u"3");
    EXPECT_EQ(o.Value(u"ONE", u"B"), u"x=y");
    EXPECT_EQ(o.Value(u"ONE", u"lone line"), std::nullopt);
    EXPECT_EQ(o.Value(u"ONE", u"KEY"), std::nullopt);
    EXPECT_EQ(o.Value(u"TWO", u""), u"empty name");
    EXPECT_EQ(o.Value(u"one", u"A"), std::nullopt); // names are case-sensitive
    EXPECT_EQ(o.FindSection(u"ONE")->Keys.size(), 3u);
}

TEST(OptionsText, RepeatedSectionIsListedTwiceButReadFromItsLastBlock) {
    auto o = Parse("[S]\nA=1\nB=2\n[T]\n[S]\nA=9\n");
    EXPECT_EQ(o.SectionNames(), (std::vector<std::u16string>{u"S", u"T", u"S"}));
    EXPECT_EQ(o.Value(u"S", u"A"), u"9");
    EXPECT_EQ(o.Value(u"S", u"B"), std::nullopt);
}

TEST(OptionsText, ByteOrderMarksChooseTheEncoding) {
    std::string utf8 = "\xEF\xBB\xBF[S]\nA=\xC3\xA9";
    EXPECT_EQ(Parse(utf8).Value(u"S", u"A"), u"\u00e9");
    std::string ansi = "[S]\nA=\xE9\x80";
    EXPECT_EQ(Parse(ansi).Value(u"S", u"A"), u"\u00e9\u20ac");
    std::string utf16le("\xFF\xFE[\0S\0]\0\n\0A\0=\0\x01\x04", 16);
    EXPECT_EQ(Parse(utf16le).Value(u"S", u"A"), u"\u0401");
    std::string utf16be("\xFE\xFF\0[\0S\0]\0\n\0A\0=\x04\x01", 16);
    EXPECT_EQ(Parse(utf16be).Value(u"S", u"A"), u"\u0401");
}

TEST(OptionsText, UpperCaseComparisonsMatchTheUpperCaseCopy) {
    const std::u16string texts[] = {
        u"",           u"a.bmp",    u"A.BmP",       u"x.bm",    u"..bmp",  u"bmp.",
        u"\u00e9.bmp", u"sky.jpeg", u"SKY.JPG.txt", u"abcBMPd", u".b.bmpx"};
    const std::u16string parts[] = {u".BMP", u".JPG", u".JPEG", u"BMP", u"A.BMP", u""};
    for (const auto& text : texts)
        for (const auto& part : parts) {
            const std::u16string upper = UpperCase(text);
            EXPECT_EQ(UpperEquals(text, part), upper == part);
            EXPECT_EQ(UpperContains(text, part), upper.find(part) != std::u16string::npos);
        }
}

TEST(OptionsText, IntegersAcceptDecimalAndHexadecimalOnly) {
    EXPECT_EQ(ParseInteger(u"0"), 0);
    EXPECT_EQ(ParseInteger(u"-16777214"), -16777214);
    EXPECT_EQ(ParseInteger(u"2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger(u"-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseInteger(u"$FF00FF"), 0xFF00FF);
    EXPECT_EQ(ParseInteger(u"0x1f"), 31);
    EXPECT_EQ(ParseInteger(u"$FFFFFFFF"), -1);
    for (const char16_t* bad : {u"", u"-", u"2147483648", u"-2147483649", u"$", u"0x", u"1.5",
                                u" 1", u"1 ", u"12a", u"$100000000", u"yes", u"+-1"})
        EXPECT_EQ(ParseInteger(bad), std::nullopt) << core::ToUtf8(bad);
    try {
        StrictInteger(u"x");
        ADD_FAILURE();
    } catch (const core::Error& e) {
        EXPECT_EQ(test::MessageOf(e), "''x'' is not a valid integer value");
    }
}

TEST(OptionsText, RealsUseAFullStopAndReadZeroWhenInvalid) {
    EXPECT_DOUBLE_EQ(ParseReal(u"7.10"), 7.1);
    EXPECT_DOUBLE_EQ(ParseReal(u"7"), 7);
    EXPECT_DOUBLE_EQ(ParseReal(u"7,10"), 0);
    EXPECT_DOUBLE_EQ(ParseReal(u""), 0);
}

TEST(OptionsText, ReadIntegerFallsBackOnAbsentOrInvalidValues) {
    auto o = Parse("[S]\nA=12\nB=twelve\n");
    EXPECT_EQ(o.ReadInteger(u"S", u"A", -1), 12);
    EXPECT_EQ(o.ReadInteger(u"S", u"B", -1), -1);
    EXPECT_EQ(o.ReadInteger(u"S", u"C", 5), 5);
    EXPECT_EQ(o.ReadString(u"X", u"A", u"?"), u"?");
}

} // namespace
} // namespace skin::data
