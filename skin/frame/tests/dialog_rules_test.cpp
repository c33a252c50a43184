// Which frame, title buttons and child handlers a dressed platform dialog gets from its styles.

#include "skin/frame/dialog_rules.h"

#include <gtest/gtest.h>

namespace skin::frame {
namespace {

namespace ws = window_style;

TEST(DialogFrame, BorderStyleIsTestedInItsOrder) {
    // A popup without the full caption has no frame, whatever else it asks for.
    EXPECT_EQ(DialogBorderStyle(ws::kPopup | ws::kThickFrame | 0x00800000u, 0),
              BorderStyle::bsNone);
    EXPECT_EQ(DialogBorderStyle(ws::kPopup, ws::kExDlgModalFrame), BorderStyle::bsNone);
    // A sizing frame wins over a modal frame.
    EXPECT_EQ(DialogBorderStyle(ws::kPopup | ws::kCaption | ws::kThickFrame | ws::kModalFrame, 0),
              BorderStyle::bsSizeable);
    EXPECT_EQ(DialogBorderStyle(ws::kPopup | ws::kCaption | ws::kModalFrame, 0),
              BorderStyle::bsDialog);
    EXPECT_EQ(DialogBorderStyle(ws::kPopup | ws::kCaption, ws::kExDlgModalFrame),
              BorderStyle::bsDialog);
    // Anything else, also a captioned popup with a thin border, counts as sizeable.
    EXPECT_EQ(DialogBorderStyle(ws::kPopup | ws::kCaption, 0), BorderStyle::bsSizeable);
    EXPECT_EQ(DialogBorderStyle(0, 0), BorderStyle::bsSizeable);
}

TEST(DialogFrame, TitleButtonsFollowTheStyleBits) {
    const BorderIcons message_box = DialogBorderIcons(ws::kPopup | ws::kCaption | ws::kSysMenu, 0);
    EXPECT_TRUE(message_box.SystemMenu);
    EXPECT_FALSE(message_box.Minimize || message_box.Maximize || message_box.Help);

    const BorderIcons all =
        DialogBorderIcons(ws::kSysMenu | ws::kMinimizeBox | ws::kMaximizeBox, ws::kExContextHelp);
    EXPECT_TRUE(all.SystemMenu && all.Minimize && all.Maximize && all.Help);

    const BorderIcons none = DialogBorderIcons(ws::kCaption, 0);
    EXPECT_FALSE(none.SystemMenu || none.Minimize || none.Maximize || none.Help);
}

TEST(DialogChildren, StaticsByTheirKind) {
    // Text, left or centred, in any case of the class name.
    EXPECT_EQ(MapDialogChild(u"Static", 0x0, 0).Handler, ChildHandler::StaticWnd);
    EXPECT_EQ(MapDialogChild(u"STATIC", 0x1, 0).Section, u"CHECKBOX");
    // Icons (3) and bitmaps (14); with a static edge the edge handler in the EDIT section.
    EXPECT_EQ(MapDialogChild(u"static", 0x3, 0).Handler, ChildHandler::IconWnd);
    EXPECT_EQ(MapDialogChild(u"static", 0xE, 0).Handler, ChildHandler::IconWnd);
    EXPECT_EQ(MapDialogChild(u"static", 0x3, ws::kExStaticEdge),
              (ChildMapping{ChildHandler::EdgeWnd, u"EDIT", false, false}));
    // Owner-drawn statics and grey and white rectangles stay the platform's; the simple kind
    // (11) has both low bits set, so the icon test takes it first.
    EXPECT_EQ(MapDialogChild(u"static", 0xB, 0).Handler, ChildHandler::IconWnd);
    for (unsigned kind : {0xDu, 0x5u, 0x6u})
        EXPECT_EQ(MapDialogChild(u"static", kind, 0).Handler, ChildHandler::None) << kind;
    // Higher style bits do not change the kind.
    EXPECT_EQ(MapDialogChild(u"static", 0x50000000u | 0x2, 0).Handler, ChildHandler::StaticWnd);
}

TEST(DialogChildren, ButtonsByTheirType) {
    EXPECT_EQ(MapDialogChild(u"Button", 0x0, 0),
              (ChildMapping{ChildHandler::BtnWnd, u"BUTTON", false, false}));
    EXPECT_EQ(MapDialogChild(u"Button", 0x1, 0).Handler, ChildHandler::BtnWnd); // default
    EXPECT_EQ(MapDialogChild(u"Button", 0x7, 0).Handler, ChildHandler::GroupBoxWnd);
    for (unsigned type : {2u, 3u, 4u, 5u, 6u, 9u})
        EXPECT_EQ(MapDialogChild(u"Button", 0x50010000u | type, 0).Handler,
                  ChildHandler::CheckBoxWnd)
            << type;
    EXPECT_EQ(MapDialogChild(u"Button", 0xB, 0).Handler, ChildHandler::BtnWnd); // owner-drawn
}

TEST(DialogChildren, TheOpenDialogsClasses) {
    EXPECT_EQ(MapDialogChild(u"Edit", 0, 0),
              (ChildMapping{ChildHandler::EditWnd, u"EDIT", true, true}));
    EXPECT_EQ(MapDialogChild(u"ComboBox", 0, 0),
              (ChildMapping{ChildHandler::ComboBoxWnd, u"COMBOBOX", true, false}));
    EXPECT_EQ(MapDialogChild(u"ComboLBox", 0, 0),
              (ChildMapping{ChildHandler::EditWnd, u"COMBOBOX", false, false}));
    EXPECT_EQ(MapDialogChild(u"ComboBoxEx32", 0, 0).DialogMode, false);
    EXPECT_EQ(MapDialogChild(u"SysListView32", 0, 0),
              (ChildMapping{ChildHandler::ListViewWnd, u"EDIT", true, false}));
    EXPECT_EQ(MapDialogChild(u"ListBox", 0, 0).Handler, ChildHandler::EditWnd);
    EXPECT_EQ(MapDialogChild(u"SysTreeView32", 0, 0).Handler, ChildHandler::TreeViewWnd);
    EXPECT_EQ(MapDialogChild(u"ToolbarWindow32", 0x200, 0).Section, u"BAR");
    EXPECT_EQ(MapDialogChild(u"ToolbarWindow32", 0x800, 0).Section, u"CHECKBOX");
    // Only the size box of the scroll bar class; a real scroll bar is not a dialog child's.
    EXPECT_EQ(MapDialogChild(u"ScrollBar", 0x8, 0).Handler, ChildHandler::SizerWnd);
    EXPECT_EQ(MapDialogChild(u"ScrollBar", 0x10, 0).Handler, ChildHandler::SizerWnd);
    EXPECT_EQ(MapDialogChild(u"ScrollBar", 0x1, 0).Handler, ChildHandler::None);
    EXPECT_EQ(MapDialogChild(u"#32770", 0, 0).Handler, ChildHandler::TransPanelWnd);
    EXPECT_EQ(MapDialogChild(u"SysTabControl32", 0x2000, 0).Handler, ChildHandler::None);
    EXPECT_EQ(MapDialogChild(u"SysTabControl32", 0, 0).Section, u"PAGECONTROL");
    // Classes the table does not know stay the platform's.
    EXPECT_EQ(MapDialogChild(u"SHELLDLL_DefView", 0, 0), ChildMapping{});
    EXPECT_EQ(MapDialogChild(u"SysHeader32", 0, 0), ChildMapping{});
    EXPECT_EQ(MapDialogChild(u"", 0, 0), ChildMapping{});
}

} // namespace
} // namespace skin::frame
