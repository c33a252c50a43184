#include "core/tests/fake_file_system.h"
#include "skin/manager/announcements.h"
#include "skin/manager/skin_choice.h"

#include <gtest/gtest.h>

namespace skin::manager {
namespace {

TEST(SkinNameRules, AszIsStrippedInAnyCaseOnlyFromLongerNames) {
    EXPECT_EQ(StoredSkinName(u"Glacier.ASZ"), u"Glacier");
    EXPECT_EQ(StoredSkinName(u"Glacier.asz"), u"Glacier");
    EXPECT_EQ(StoredSkinName(u"x.Asz"), u"x");
    EXPECT_EQ(StoredSkinName(u".asz"), u".asz");
    EXPECT_EQ(StoredSkinName(u"Glacier (internal)"), u"Glacier (internal)");
}

TEST(SkinNameRules, SkinDirectoryTakesItsFourForms) {
    const std::u16string app = u"D:\\App\\";
    EXPECT_EQ(FullSkinDirectory(u"Skins", app), u"D:\\App\\Skins\\");
    EXPECT_EQ(FullSkinDirectory(u"..\\Skins", app), u"D:\\Skins\\");
    EXPECT_EQ(FullSkinDirectory(u".\\Skins", app), u"D:\\App\\Skins\\");
    EXPECT_EQ(FullSkinDirectory(u"./Skins/", app), u"D:\\App\\Skins\\");
    EXPECT_EQ(FullSkinDirectory(u"c:\\Skins", app), u"c:\\Skins\\");
    EXPECT_EQ(FullSkinDirectory(u"\\\\server\\share", app), u"\\\\server\\share\\");
    EXPECT_EQ(NormalisedDirectory(u"E"), u"E:\\");
    EXPECT_EQ(NormalisedDirectory(u""), u"");
}

TEST(SkinNameRules, VersionIsShownWithoutTrailingZeros) {
    EXPECT_EQ(FormatSkinVersion(7.10), u"7.1");
    EXPECT_EQ(FormatSkinVersion(7.65), u"7.65");
    EXPECT_EQ(FormatSkinVersion(8.0), u"8");
    EXPECT_EQ(FormatSkinVersion(6.05), u"6.05");
}

class SkinDirectoryTest : public testing::Test {
protected:
    SkinDirectoryTest() : fs({u"C:", u"C:\\Skins"}) {
        fs.AddFile(u"C:\\Skins\\A.asz", "package");
        fs.AddFile(u"C:\\Skins\\B.ASZ", "package");
        fs.AddFile(u"C:\\Skins\\D.v2.asz", "package");
        fs.AddFile(u"C:\\Skins\\.hidden.asz", "package");
        fs.AddDirectory(u"C:\\Skins\\C");
        fs.AddFile(u"C:\\Skins\\C\\Options.dat", "[GLOBALINFO]");
        fs.AddDirectory(u"C:\\Skins\\Empty");
        fs.AddDirectory(u"C:\\Skins\\Glacier");
        fs.AddFile(u"C:\\Skins\\Glacier\\Options.dat", "[GLOBALINFO]");
        fs.AddFile(u"C:\\Skins\\Glacier.asz", "package");
    }
    core::testing::FakeFileSystem fs;
    const std::vector<std::u16string> internal{u"Zinc (internal)", u"Glacier (internal)"};
    const std::u16string dir = u"C:\\Skins\\";
};

TEST_F(SkinDirectoryTest, ListingFiltersPackagesAndFoldersCaseSensitively) {
    std::u16string first;
    EXPECT_EQ(ListSkinNames(fs, internal, dir, SkinTypes::stPacked, first),
              (std::vector<std::u16string>{u"A", u"D", u"Glacier", u"Glacier (internal)",
                                           u"Zinc (internal)"}));
    EXPECT_EQ(first, u"Zinc (internal)");
    EXPECT_EQ(ListSkinNames(fs, {}, dir, SkinTypes::stUnpacked, first),
              (std::vector<std::u16string>{u"C", u"Glacier"}));
    EXPECT_EQ(first, u"C");
    EXPECT_EQ(ListSkinNames(fs, {}, u"C:\\Missing\\", SkinTypes::stAllSkins, first).size(), 0u);
    EXPECT_EQ(first, u"");
}

TEST_F(SkinDirectoryTest, PackageComesBeforeFolderBeforeInternal) {
    SkinChoice choice = ChooseSkin(fs, u"Glacier", u"C:\\Skins", dir, internal);
    EXPECT_EQ(choice.source, SkinSource::Package);
    EXPECT_EQ(choice.path, u"C:\\Skins\\Glacier.asz");

    choice = ChooseSkin(fs, u"Glacier", u"C:\\Skins", dir, internal, true);
    EXPECT_EQ(choice.source, SkinSource::Folder);
    EXPECT_EQ(choice.path, u"C:\\Skins\\Glacier\\");

    choice = ChooseSkin(fs, u"C", u"C:\\Skins", dir, internal);
    EXPECT_EQ(choice.source, SkinSource::Folder);

    choice = ChooseSkin(fs, u"Glacier (internal)", u"C:\\Skins", dir, internal);
    EXPECT_EQ(choice.source, SkinSource::Internal);
    EXPECT_EQ(choice.internal_index, 1);
}

TEST_F(SkinDirectoryTest, UnknownNameSelectsFirstInternalSkinOrNothing) {
    SkinChoice choice = ChooseSkin(fs, u"Empty", u"C:\\Skins", dir, internal);
    EXPECT_EQ(choice.source, SkinSource::Internal);
    EXPECT_EQ(choice.internal_index, 0);
    EXPECT_EQ(choice.name, u"Zinc (internal)");
    choice = ChooseSkin(fs, u"nowhere", u"C:\\Skins", dir, {});
    EXPECT_EQ(choice.source, SkinSource::None);
    // A package is looked for in the directory as written: a missing folder finds nothing.
    choice = ChooseSkin(fs, u"A", u"C:\\Other", dir, internal);
    EXPECT_EQ(choice.source, SkinSource::Internal);
}

TEST(Announcements, ChangesInsideABracketAreAnnouncedOnceAtItsEnd) {
    std::vector<bool> announced;
    AnnouncementBatch batch([&](bool repaint) { announced.push_back(repaint); });
    batch.Changed(false);
    EXPECT_EQ(announced, (std::vector<bool>{false}));
    announced.clear();

    batch.BeginUpdate();
    batch.Changed(true);
    batch.BeginUpdate();
    batch.Changed(true);
    batch.EndUpdate(true, false);
    EXPECT_TRUE(announced.empty());
    EXPECT_TRUE(batch.NonAutoUpdate());
    batch.EndUpdate(true, false);
    EXPECT_EQ(announced, (std::vector<bool>{true}));
    EXPECT_FALSE(batch.NonAutoUpdate());

    batch.BeginUpdate();
    batch.EndUpdate(false, false);
    EXPECT_EQ(announced.size(), 1u);
    batch.EndUpdate(true); // unbalanced: nothing
    EXPECT_EQ(announced.size(), 1u);
}

} // namespace
} // namespace skin::manager
