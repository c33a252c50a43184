#include "frame_test_forms.h"
#include "skin/frame/system_menu_model.h"

#include <gtest/gtest.h>

namespace skin::frame {
namespace {

using namespace testing;

std::u16string FromResource(int id) {
    return u"res" + std::u16string(1, char16_t(u'0' + id % 10));
}

// What the platform menu of a bsSingle window holds.
std::vector<PlatformMenuItem> PlatformMenu() {
    return {{scRestore, u"&Restore"},    {scMove, u"&Move"},         {scSize, u"&Size"},
            {scMinimize, u"Mi&nimize"},  {scMaximize, u"Ma&ximize"}, {0, u"", true},
            {scClose, u"&Close\tAlt+F4"}};
}

std::vector<std::u16string> Captions(const std::vector<const SysMenuItem*>& items) {
    std::vector<std::u16string> out;
    for (const SysMenuItem* i : items)
        out.push_back(i->Caption);
    return out;
}

TEST(SystemMenuTest, GenerateNamesItemsAndSplitsShortcuts) {
    const auto items = GenerateSystemMenu(PlatformMenu(), nullptr);
    ASSERT_EQ(items.size(), 7u);
    const char16_t* names[] = {u"acIR", u"acIM", u"acIS", u"acIN", u"acIX", u"", u"acIC"};
    for (std::size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(items[i].Name, names[i]);
    EXPECT_TRUE(items[5].Separator);
    EXPECT_EQ(items[6].Caption, u"&Close");
    EXPECT_EQ(items[6].ShortCut, u"Alt+F4");
    EXPECT_EQ(items[6].Command, scClose);
    EXPECT_FALSE(HasForeignItems(items));
}

TEST(SystemMenuTest, FallbackCaptionsAndForeignItems) {
    std::vector<PlatformMenuItem> platform = {{scClose, u""}, {0x100, u"About..."}, {0x200, u""}};
    const auto items = GenerateSystemMenu(platform, nullptr);
    EXPECT_EQ(items[0].Caption, u"Restore");
    EXPECT_EQ(items[4].Caption, u"Maximize");
    ASSERT_EQ(items.size(), 9u);
    EXPECT_EQ(items[6].Caption, u"About...");
    EXPECT_TRUE(items[6].Foreign);
    EXPECT_TRUE(items[7].Separator);
    EXPECT_EQ(items[8].Caption, u"Close");
    EXPECT_TRUE(HasForeignItems(items));
    // The program's own resources come first.
    EXPECT_EQ(GenerateSystemMenu(platform, FromResource)[0].Caption, u"res1");
    EXPECT_EQ(FallbackCaptionFor(scRestore)->ResourceId, 58981);
    EXPECT_EQ(FallbackCaptionFor(scClose)->ResourceId, 58976);
    EXPECT_EQ(FallbackCaptionFor(scKeyMenu), nullptr);
}

TEST(SystemMenuTest, MainWindowShowsRestoreMoveSizeMinimizeClose) {
    auto items = GenerateSystemMenu(PlatformMenu(), nullptr);
    UpdateItems(items, RulesFor(MainWindow(), true, true, true));
    const auto shown = ShownItems(items);
    EXPECT_EQ(Captions(shown), (std::vector<std::u16string>{u"&Restore", u"&Move", u"&Size",
                                                            u"Mi&nimize", u"-", u"&Close"}));
    EXPECT_FALSE(shown[0]->Enabled);
    EXPECT_TRUE(shown[1]->Enabled);
    EXPECT_FALSE(shown[2]->Enabled);
    EXPECT_TRUE(shown[3]->Enabled);
    EXPECT_TRUE(shown[5]->Enabled);
}

TEST(SystemMenuTest, PickerAndMaximisedStates) {
    auto items = GenerateSystemMenu(PlatformMenu(), nullptr);
    FormFrameState picker = FormOfClient(300, 300, BorderStyle::bsSizeable);
    picker.Maximized = true;
    UpdateItems(items, RulesFor(picker, true, true, true));
    const auto shown = ShownItems(items);
    ASSERT_EQ(shown.size(), 7u);
    EXPECT_TRUE(shown[0]->Enabled) << "restore";
    EXPECT_FALSE(shown[1]->Enabled) << "move";
    EXPECT_FALSE(shown[4]->Enabled) << "maximise";
    // A dialog: no restore, size, minimise or maximise; no separator before Close alone.
    FormFrameState dialog = FormOfClient(300, 300, BorderStyle::bsDialog);
    UpdateItems(items, RulesFor(dialog, true, true, true));
    EXPECT_EQ(Captions(ShownItems(items)),
              (std::vector<std::u16string>{u"&Move", u"-", u"&Close"}));
}

TEST(SystemMenuTest, PositionsAndPopupMeasures) {
    const FrameGeometry g = Plain(MainWindow());
    EXPECT_EQ(SystemMenuBelowIcon(g, {100, 200}, 16), (Point{103, 200 + 3 + 16 + 3}));
    EXPECT_EQ(SystemMenuForKey(g, {100, 200}, 16), (Point{103, 222}));
    FormFrameState minimised = MainWindow();
    minimised.Minimized = true;
    EXPECT_EQ(SystemMenuForKey(Plain(minimised), {100, 200}, 16).Y, 206);
    const FrameGeometry e = Extended(MainWindow());
    EXPECT_EQ(SystemMenuForKey(e, {100, 200}, 16), (Point{104, 216}));

    EXPECT_EQ(PopupItemHeight(u"-", 13, 16), 2);
    EXPECT_EQ(PopupItemHeight(u"-Title-", 13, 16), 16 + 4) << "13 x 1.25 = 16.25";
    EXPECT_EQ(PopupItemHeight(u"Close", 13, 16), 20);
    EXPECT_EQ(PopupItemHeight(u"Close", 14, 16), 18 + 4) << "17.5 rounds to 18";
    EXPECT_EQ(PopupItemHeight(u"Close", 13, 24), 28);
    EXPECT_EQ(PopupItemWidth(16, 60), 32 + 60 + 6 + 8);
    EXPECT_EQ(PopupIconColumnWidth(16), 26);
    EXPECT_EQ(PopupBorderWidth(true, 4), 4);
    EXPECT_EQ(PopupBorderWidth(true, 0), 3);
    EXPECT_EQ(PopupBorderWidth(true, -2), 3);
    EXPECT_EQ(PopupBorderWidth(false, 4), 0);
}

} // namespace
} // namespace skin::frame
