// Shortcuts, glyph strips and the text rectangle of the combo edit.

#include "dialogs/combo_rules.h"

#include <gtest/gtest.h>

namespace dialogs {
namespace {

TEST(ShortCuts, AltDownIsTheClickKeyAndModifiersAreSeparateBits) {
    EXPECT_EQ(kAltDown, 32808);
    EXPECT_EQ(MakeShortCut(0x28, false, false, true), kAltDown);
    EXPECT_NE(MakeShortCut(0x28, true, false, true), kAltDown);
    EXPECT_NE(MakeShortCut(0x28, false, false, false), kAltDown);
    EXPECT_EQ(MakeShortCut(0x41, true, true, false), scShift | scCtrl | 0x41);
}

TEST(GlyphLayout, StripsOfSquaresHoldOneStatePerSquare) {
    EXPECT_EQ(LayoutOfGlyphs(48, 16).image_count, 3);
    EXPECT_EQ(LayoutOfGlyphs(48, 16).glyph_width, 16);
    EXPECT_EQ(LayoutOfGlyphs(16, 16).image_count, 1);
    EXPECT_EQ(LayoutOfGlyphs(20, 16).image_count, 1);
    EXPECT_EQ(LayoutOfGlyphs(20, 16).glyph_width, 20);
    EXPECT_EQ(LayoutOfGlyphs(0, 0).glyph_width, 0);
}

TEST(GlyphLayout, CustomStatesFallBackToTheNormalItem) {
    EXPECT_EQ(CustomGlyphIndex(0, 2, 3, 4, 5), 2);
    EXPECT_EQ(CustomGlyphIndex(1, 2, 3, 4, 5), 3);
    EXPECT_EQ(CustomGlyphIndex(2, 2, 3, 4, 5), 4);
    EXPECT_EQ(CustomGlyphIndex(1, 2, -1, 4, 5), 2);
    EXPECT_EQ(CustomGlyphIndex(2, 2, 3, 5, 5), 2);
}

TEST(ComboTextRect, TheTextStopsAtTheButton) {
    EXPECT_EQ(ComboTextRect(334, 22, false, 18), (TextRect{0, 0, 316, 22}));
    EXPECT_EQ(ComboTextRect(334, 22, true, 18), (TextRect{2, 0, 316, 22}));
    EXPECT_EQ(ComboTextRect(334, 22, false, 0), (TextRect{0, 0, 334, 22}));
    // Narrower than the button: an empty rectangle, never an inverted one.
    EXPECT_EQ(ComboTextRect(10, 22, true, 18), (TextRect{2, 0, 2, 22}));
}

} // namespace
} // namespace dialogs
