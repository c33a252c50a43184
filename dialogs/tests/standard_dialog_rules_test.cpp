// Layout arithmetic, message box choices and texts of the standard dialogs.

#include "dialogs/dialog_layout.h"
#include "dialogs/file_filter.h"
#include "dialogs/message_rules.h"

#include <gtest/gtest.h>

namespace dialogs {
namespace {

// A font whose 52 letters measure 339 x 13 pixels: 6 pixels a character, integer division.
const DialogUnits kUnits = DialogUnits::FromAlphabetExtent(339, 13);

TEST(DialogUnits, ComeFromTheAlphabetExtentAndRoundAfterMultiplying) {
    EXPECT_EQ(kUnits.x, 6);
    EXPECT_EQ(kUnits.y, 13);
    EXPECT_EQ(kUnits.Horizontal(8), 12);
    EXPECT_EQ(kUnits.Vertical(10), 16); // 16.25
    EXPECT_EQ(kUnits.Vertical(14), 23); // 22.75
    EXPECT_EQ(kUnits.Horizontal(50), 75);

    const DialogUnits odd{7, 12};
    EXPECT_EQ(odd.Horizontal(10), 18); // 17.5 rounds up
    EXPECT_EQ(odd.Horizontal(1), 2);   // 1.75
    EXPECT_EQ(odd.Vertical(1), 2);     // 1.5

    EXPECT_EQ(MulDivRounded(-10, 7, 4), -18);               // halves round away from zero
    EXPECT_EQ(MulDivRounded(2000000000, 3, 4), 1500000000); // no overflow in the product
    EXPECT_EQ(MulDivRounded(5, 3, 0), 0);
}

TEST(MessageFormLayout, OneOkButtonCentredBelowTheText) {
    MessageFormInput input;
    input.text_width = 200;
    input.text_height = 13;
    input.button_caption_widths = {15};
    const MessageFormLayout layout = LayoutMessageForm(input, kUnits);

    EXPECT_EQ(layout.client_width, 200 + 2 * 12);
    EXPECT_EQ(layout.client_height, 13 + 23 + 16 + 2 * 13);
    EXPECT_EQ(layout.text, (Rect{12, 13, 200, 13}));
    ASSERT_EQ(layout.buttons.size(), 1u);
    EXPECT_EQ(layout.buttons[0], (Rect{(224 - 75) / 2, 13 + 13 + 16, 75, 23}));
    EXPECT_EQ(layout.icon, Rect{});
}

TEST(MessageFormLayout, ButtonsWidenForLongCaptionsAndTheRowCanSetTheWidth) {
    MessageFormInput input;
    input.text_width = 40;
    input.text_height = 26;
    input.button_caption_widths = {20, 100, 30};
    const MessageFormLayout layout = LayoutMessageForm(input, kUnits);

    // Every button takes the widest caption plus 8 pixels; gaps of 4 units (6 pixels).
    const int row = 3 * 108 + 2 * 6;
    EXPECT_EQ(layout.client_width, row + 2 * 12);
    ASSERT_EQ(layout.buttons.size(), 3u);
    EXPECT_EQ(layout.buttons[0].left, 12);
    EXPECT_EQ(layout.buttons[1].left, 12 + 108 + 6);
    EXPECT_EQ(layout.buttons[2].Right(), layout.client_width - 12);
    for (const Rect& button : layout.buttons)
        EXPECT_EQ(button.width, 108);
}

TEST(MessageFormLayout, AnIconStandsLeftOfTheTextAndSetsAMinimumHeight) {
    MessageFormInput input;
    input.text_width = 100;
    input.text_height = 13;
    input.has_icon = true;
    input.button_caption_widths = {15};
    const MessageFormLayout layout = LayoutMessageForm(input, kUnits);

    EXPECT_EQ(layout.icon, (Rect{12, 13, 32, 32}));
    EXPECT_EQ(layout.text.left, 12 + 32 + 15);
    EXPECT_EQ(layout.client_width, 100 + 32 + 15 + 2 * 12);
    EXPECT_EQ(layout.buttons[0].top, 13 + 32 + 16);
    EXPECT_EQ(layout.client_height, 32 + 23 + 16 + 2 * 13);
}

TEST(InputFormLayout, PromptEditAndButtonsFollowEachOther) {
    const InputFormLayout layout = LayoutInputForm(kUnits, 13, 21);
    EXPECT_EQ(InputPromptWidth(kUnits), 246);
    EXPECT_EQ(layout.client_width, 270);
    EXPECT_EQ(layout.prompt, (Rect{12, 13, 246, 13}));
    EXPECT_EQ(layout.edit, (Rect{12, 13 + 13 + 5, 246, 21}));
    EXPECT_EQ(layout.ok, (Rect{57, 52 + 15, 75, 23}));
    EXPECT_EQ(layout.cancel, (Rect{138, 52 + 15, 75, 23}));
    EXPECT_EQ(layout.client_height, 67 + 23 + 13);

    // A prompt wrapped onto three lines pushes everything below it down.
    const InputFormLayout tall = LayoutInputForm(kUnits, 39, 21);
    EXPECT_EQ(tall.edit.top - layout.edit.top, 26);
    EXPECT_EQ(tall.client_height - layout.client_height, 26);
}

TEST(MessageBoxChoices, CaptionsAndIconsFollowTheDialogType) {
    EXPECT_EQ(DefaultCaption(TMsgDlgType::mtWarning), u"Warning");
    EXPECT_EQ(DefaultCaption(TMsgDlgType::mtError), u"Error");
    EXPECT_EQ(DefaultCaption(TMsgDlgType::mtInformation), u"Information");
    EXPECT_EQ(DefaultCaption(TMsgDlgType::mtConfirmation), u"Confirm");
    EXPECT_EQ(DefaultCaption(TMsgDlgType::mtCustom), u"");
    EXPECT_EQ(IconOf(TMsgDlgType::mtWarning), MessageIcon::miWarning);
    EXPECT_EQ(IconOf(TMsgDlgType::mtError), MessageIcon::miError);
    EXPECT_EQ(IconOf(TMsgDlgType::mtInformation), MessageIcon::miInformation);
    EXPECT_EQ(IconOf(TMsgDlgType::mtConfirmation), MessageIcon::miQuestion);
    EXPECT_EQ(IconOf(TMsgDlgType::mtCustom), MessageIcon::miNone);
}

TEST(MessageBoxChoices, ButtonSetsMapToTheNearestFixedRow) {
    EXPECT_EQ(LayoutOf(mbOK), ButtonLayout::blOk);
    EXPECT_EQ(LayoutOf(mbOK | mbCancel), ButtonLayout::blOkCancel);
    EXPECT_EQ(LayoutOf(mbOK | mbYes | mbAbort), ButtonLayout::blOk); // OK decides first
    EXPECT_EQ(LayoutOf(mbAbort), ButtonLayout::blAbortRetryIgnore);
    EXPECT_EQ(LayoutOf(mbIgnore | mbYes), ButtonLayout::blAbortRetryIgnore);
    EXPECT_EQ(LayoutOf(mbYes | mbCancel), ButtonLayout::blYesNoCancel);
    EXPECT_EQ(LayoutOf(mbNo), ButtonLayout::blYesNo);
    EXPECT_EQ(LayoutOf(mbYes | mbRetry), ButtonLayout::blYesNo);
    EXPECT_EQ(LayoutOf(mbRetry), ButtonLayout::blRetryCancel);
    EXPECT_EQ(LayoutOf(mbRetry | mbCancel), ButtonLayout::blRetryCancel);
    EXPECT_EQ(LayoutOf(mbCancel), ButtonLayout::blOk);
    EXPECT_EQ(LayoutOf(mbHelp), ButtonLayout::blOk);
    EXPECT_EQ(LayoutOf(0), ButtonLayout::blOk);
}

TEST(MessageCopyText, FramesCaptionMessageAndButtonsWithDividers) {
    const std::u16string divider = u"---------------------------\r\n";
    ASSERT_EQ(divider.size(), 27u + 2u);
    EXPECT_EQ(MessageCopyText(u"Arbordir", u"Folders were successfully created!", {u"OK"}),
              divider + u"Arbordir\r\n" + divider + u"Folders were successfully created!\r\n" +
                  divider + u"OK   \r\n" + divider);
    EXPECT_EQ(MessageCopyText(u"", u"", {u"&Yes", u"N&o", u"&&"}),
              divider + u"\r\n" + divider + u"\r\n" + divider + u"Yes   No      \r\n" + divider);
}

TEST(PlatformFilter, BarsBecomeNulsAndTheListEndsWithTwo) {
    using namespace std::string_literals;
    EXPECT_EQ(PlatformFilter(u"Arbordir Files|*.arbordir"), u"Arbordir Files\0*.arbordir\0\0"s);
    EXPECT_EQ(PlatformFilter(u"A|*.a|B|*.b;*.c"), u"A\0*.a\0B\0*.b;*.c\0\0"s);
    EXPECT_EQ(PlatformFilter(u""), u"\0\0"s);
    // A caption without its pattern does not leave the list unterminated.
    EXPECT_EQ(PlatformFilter(u"*.txt"), u"*.txt\0*.txt\0\0"s);
    EXPECT_EQ(PlatformFilter(u"A|*.a|*.b"), u"A\0*.a\0*.b\0*.b\0\0"s);
}

} // namespace
} // namespace dialogs
