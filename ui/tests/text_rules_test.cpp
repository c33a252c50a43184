#include "ui/text_rules.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

using Args = std::vector<std::u16string>;

TEST(SplitCommandLine, QuotedArgumentsKeepTheirBlanksAndLoseTheirQuotes) {
    EXPECT_EQ(SplitCommandLine(u"arbordir.exe \"D:\\Projects\\New Client\""),
              (Args{u"arbordir.exe", u"D:\\Projects\\New Client"}));
    EXPECT_EQ(SplitCommandLine(u"\"C:\\Program Files\\arbordir.exe\" D:\\Out"),
              (Args{u"C:\\Program Files\\arbordir.exe", u"D:\\Out"}));
    // A quoted stretch may sit inside an argument, and runs to the end when unclosed.
    EXPECT_EQ(SplitCommandLine(u"a D:\\\"New Client\"\\x \"open end"),
              (Args{u"a", u"D:\\New Client\\x", u"open end"}));
}

TEST(SplitCommandLine, ControlCharactersSeparateAndEmptyQuotePairsVanish) {
    EXPECT_EQ(SplitCommandLine(u"  a\t\tb\r\nc\x01"
                               u"d  "),
              (Args{u"a", u"b", u"c", u"d"}));
    // Adjacent quote pairs in front of an argument are skipped, so "" is no argument.
    EXPECT_EQ(SplitCommandLine(u"prog \"\" \"\"\"\"x y"), (Args{u"prog", u"x", u"y"}));
    // Inside an argument a pair is an empty quoted stretch.
    EXPECT_EQ(SplitCommandLine(u"prog a\"\"b"), (Args{u"prog", u"ab"}));
    EXPECT_TRUE(SplitCommandLine(u"").empty());
    EXPECT_TRUE(SplitCommandLine(u"   ").empty());
}

TEST(ApplicationTitle, NameBeforeTheFirstFullStopWithTheRestInLowerCase) {
    EXPECT_EQ(ApplicationTitle(u"C:\\Tools\\ARBORDIR.EXE"), u"Arbordir");
    EXPECT_EQ(ApplicationTitle(u"Z:\\build\\windows\\arbordir.exe"), u"arbordir");
    EXPECT_EQ(ApplicationTitle(u"D:\\x.y\\MyTool.Portable.exe"), u"Mytool");
    EXPECT_EQ(ApplicationTitle(u"NoExtension"), u"Noextension");
    EXPECT_EQ(ApplicationTitle(u"\u00C9CRAN.exe"), u"\u00C9cran");
}

TEST(MessageText, FullStopRuleAndSystemErrorTrimming) {
    EXPECT_EQ(WithFullStop(u"Access denied"), u"Access denied.");
    EXPECT_EQ(WithFullStop(u"Done."), u"Done.");
    EXPECT_EQ(WithFullStop(u"Really!"), u"Really!"); // '!' is below '.'
    EXPECT_EQ(WithFullStop(u"Path \"C:\\x\""), u"Path \"C:\\x\"");
    EXPECT_EQ(WithFullStop(u"Level (3)"), u"Level (3)");
    EXPECT_EQ(WithFullStop(u"Name \u00E9"), u"Name \u00E9.");
    EXPECT_EQ(WithFullStop(u""), u"");
    EXPECT_EQ(TrimSystemErrorText(u"The system cannot find the path specified. \r\n"),
              u"The system cannot find the path specified");
}

} // namespace
} // namespace ui
