// Common sections laid over a skin's options text.

#include "skin/manager/common_sections.h"

#include <gtest/gtest.h>

namespace skin::manager {
namespace {

const char16_t kSkin[] = u"[GLOBALINFO]\nVERSION=7.10\n"
                         u"[BUTTON]\nCOLOR=100\nTRANSPARENCY=50\nSTATES=2\n"
                         u"[PANEL]\nCOLOR=7\n";

TEST(CommonSections, KeysReplaceTheSkinsAndNewSectionsStartFromTheirParent) {
    const data::SkinOptions skin = data::SkinOptions::ParseText(kSkin);
    const std::vector<std::u16string> lines = CleanCommonSections(
        {u"; a comment keeps its spaces", u"[BUTTON]", u"COLOR = 200", u"GLOW SIZE=3", u"",
         u"[MYBUTTON]", u"PARENTCLASS=BUTTON", u"STATES=1", u"[LONELY]", u"COLOR=5"});
    EXPECT_EQ(lines[0], u"; a comment keeps its spaces");
    EXPECT_EQ(lines[2], u"COLOR=200");
    const data::SkinOptions merged = MergeCommonSections(skin, lines);

    EXPECT_EQ(merged.ReadInteger(u"BUTTON", u"COLOR", -1), 200);
    EXPECT_EQ(merged.ReadInteger(u"BUTTON", u"TRANSPARENCY", -1), 50);
    EXPECT_EQ(merged.ReadInteger(u"BUTTON", u"GLOWSIZE", -1), 3);
    EXPECT_EQ(merged.ReadInteger(u"PANEL", u"COLOR", -1), 7);
    EXPECT_EQ(merged.ReadString(u"GLOBALINFO", u"VERSION", u""), u"7.10");

    // A new section: the parent's keys, its own over them.
    EXPECT_EQ(merged.ReadInteger(u"MYBUTTON", u"COLOR", -1), 100);
    EXPECT_EQ(merged.ReadInteger(u"MYBUTTON", u"TRANSPARENCY", -1), 50);
    EXPECT_EQ(merged.ReadInteger(u"MYBUTTON", u"STATES", -1), 1);
    EXPECT_EQ(merged.ReadString(u"MYBUTTON", u"PARENTCLASS", u""), u"BUTTON");
    // Without a known parent only its own keys.
    EXPECT_EQ(merged.ReadInteger(u"LONELY", u"COLOR", -1), 5);
    EXPECT_EQ(merged.ReadInteger(u"LONELY", u"STATES", -1), -1);

    EXPECT_EQ(
        merged.SectionNames(),
        (std::vector<std::u16string>{u"GLOBALINFO", u"BUTTON", u"PANEL", u"MYBUTTON", u"LONELY"}));
}

TEST(CommonSections, NoLinesLeaveTheSkinAsItWas) {
    const data::SkinOptions skin = data::SkinOptions::ParseText(kSkin);
    const data::SkinOptions merged = MergeCommonSections(skin, {});
    EXPECT_EQ(merged.SectionNames(), skin.SectionNames());
    for (const std::u16string& name : skin.SectionNames()) {
        ASSERT_NE(merged.FindSection(name), nullptr);
        EXPECT_EQ(merged.FindSection(name)->Keys.size(), skin.FindSection(name)->Keys.size());
    }
}

} // namespace
} // namespace skin::manager
