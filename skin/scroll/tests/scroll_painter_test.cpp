#include "skin/data/skin_loader.h"
#include "skin/data/testing/internal_skin.h"
#include "skin/render/fills.h"
#include "skin/scroll/scroll_painter.h"
#include "skin/scroll/selection_painter.h"

#include <gtest/gtest.h>

namespace skin::scroll {
namespace {

using render::Pixel;
using render::SkinBitmap;

const data::LoadedSkin& Skin() {
    return data::testing::InternalSkinFromPackage();
}

constexpr render::Color kParent = 0xE0D0C0;

BarLook VerticalLook(int length, int pos) {
    BarLook look;
    look.Kind = BarKind::Vertical;
    look.Metrics = {length, SkinArrowLength(Skin(), BarKind::Vertical, 17), 10};
    look.Thumb = ThumbOf(look.Metrics, {0, 99, 10, pos, 0});
    look.GlyphSquare = 17;
    look.Behind = {nullptr, 0, 0, kParent, false};
    return look;
}

SkinBitmap Paint(const BarLook& look) {
    SkinBitmap bar(17, look.Metrics.Length);
    PaintBar(bar, Skin(), BarSkinOf(Skin(), look.Kind), look);
    return bar;
}

bool RowsEqual(const SkinBitmap& a, const SkinBitmap& b, int from, int to) {
    for (int y = from; y < to; ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.At(x, y) != b.At(x, y))
                return false;
    return true;
}

bool RowsEqualAt(const SkinBitmap& a, int ya, const SkinBitmap& b, int yb) {
    for (int x = 0; x < a.Width(); ++x)
        if (a.At(x, ya) != b.At(x, yb))
            return false;
    return true;
}

bool Uniform(const SkinBitmap& bmp, const render::Rect& r, Pixel p) {
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (bmp.At(x, y) != p)
                return false;
    return true;
}

TEST(ScrollPainterTest, TheInternalSkinHasEveryPartOfBothBars) {
    for (BarKind kind : {BarKind::Horizontal, BarKind::Vertical}) {
        const BarSkin parts = BarSkinOf(Skin(), kind);
        EXPECT_TRUE(parts.Complete());
        EXPECT_GE(parts.Thumb, 0);
        EXPECT_GE(parts.GlyphUp, 0);
        EXPECT_GE(parts.GlyphDown, 0);
        EXPECT_GE(SkinArrowLength(Skin(), kind, 3), 3);
    }
    EXPECT_EQ(SkinArrowLength(Skin(), BarKind::Vertical, 400), 400) << "never below the platform";
}

TEST(ScrollPainterTest, TransparentPixelsOfThePartsShowWhatLiesBehind) {
    for (const int pos : {0, 45, 90})
        for (const BarKind kind : {BarKind::Vertical, BarKind::Horizontal}) {
            BarLook look = VerticalLook(300, pos);
            look.Kind = kind;
            look.Metrics.Arrow = SkinArrowLength(Skin(), kind, 17);
            look.Thumb = ThumbOf(look.Metrics, {0, 99, 10, pos, 0});
            SkinBitmap bar = kind == BarKind::Vertical ? SkinBitmap(17, 300) : SkinBitmap(300, 17);
            PaintBar(bar, Skin(), BarSkinOf(Skin(), kind), look);
            int keyed = 0;
            for (int y = 0; y < bar.Height(); ++y)
                for (int x = 0; x < bar.Width(); ++x)
                    keyed += (bar.At(x, y) & 0xFFFFFF) == render::kKeyColor;
            EXPECT_EQ(keyed, 0) << "position " << pos
                                << (kind == BarKind::Vertical ? " vertical" : " horizontal");
        }
}

TEST(ScrollPainterTest, ThumbAndTrackFollowThePosition) {
    const BarLook top = VerticalLook(200, 0);
    const BarLook bottom = VerticalLook(200, 90);
    const SkinBitmap a = Paint(top);
    const SkinBitmap b = Paint(bottom);
    const int arrow = top.Metrics.Arrow;
    EXPECT_TRUE(RowsEqual(a, b, 0, arrow)) << "the arrows do not move";
    EXPECT_TRUE(RowsEqual(a, b, 200 - arrow, 200));
    EXPECT_FALSE(RowsEqual(a, b, top.Thumb.Start(top.Metrics), top.Thumb.End(top.Metrics)));

    BarLook pressed = top;
    pressed.States.LineDown = 2;
    const SkinBitmap c = Paint(pressed);
    EXPECT_TRUE(RowsEqual(a, c, 0, 200 - arrow));
    EXPECT_FALSE(RowsEqual(a, c, 200 - arrow, 200)) << "the pressed arrow looks pressed";

    BarLook dragged = top;
    dragged.DraggedThumbStart = bottom.Thumb.Start(bottom.Metrics);
    EXPECT_TRUE(RowsEqual(Paint(dragged), b, arrow, 200 - arrow))
        << "a dragged thumb is drawn where it is dragged, the track split there";
}

TEST(ScrollPainterTest, ShortBarShowsHalfButtonsAndNoThumb) {
    BarLook one = VerticalLook(30, 0);
    BarLook other = VerticalLook(30, 90);
    ASSERT_TRUE(one.Metrics.Short());
    EXPECT_TRUE(RowsEqual(Paint(one), Paint(other), 0, 30)) << "the thumb plays no part";
}

TEST(ScrollPainterTest, DisabledBarIsFadedWithoutThumb) {
    BarLook on = VerticalLook(200, 45);
    BarLook off = on;
    off.Enabled = false;
    const SkinBitmap enabled = Paint(on);
    const SkinBitmap disabled = Paint(off);
    const int thumb_row = on.Thumb.Start(on.Metrics) + 2;
    const int track_row = on.Metrics.Arrow + 2;
    EXPECT_FALSE(RowsEqualAt(enabled, thumb_row, enabled, track_row)) << "the thumb is drawn";
    EXPECT_TRUE(RowsEqualAt(disabled, thumb_row, disabled, track_row)) << "no thumb";

    // The fade against a plain colour: 153/256 of the bar and the rest of the colour.
    SkinBitmap bar(2, 1);
    bar.At(0, 0) = 0xFF000000;
    bar.At(1, 0) = 0xFF6496C8; // red 100, green 150, blue 200
    FadeDisabled(bar, {nullptr, 0, 0, 0xFFFFFF, false});
    EXPECT_EQ(bar.At(0, 0), 0xFF666666u);
    EXPECT_EQ(bar.At(1, 0), 0xFFA2C0DEu);

    // Against an image: 60 % background, 40 % bar; key-coloured background pixels left out.
    SkinBitmap parent(4, 1);
    parent.At(0, 0) = 0xFF000000;
    parent.At(1, 0) = 0xFFC8C8C8;
    parent.At(2, 0) = render::kKeyPixel;
    parent.At(3, 0) = 0xFFFFFFFF;
    SkinBitmap faded(3, 1);
    render::FillRectOpaque(faded, faded.Bounds(), 0x646464);
    FadeDisabled(faded, {&parent, 1, 0, kParent, true});
    EXPECT_EQ(faded.At(0, 0), 0xFFA0A0A0u);
    EXPECT_EQ(faded.At(1, 0), 0xFF646464u);
    EXPECT_EQ(faded.At(2, 0), 0xFFC1C1C1u);
}

TEST(ScrollPainterTest, CornerGetsTheGripOnlyWhenAsked) {
    SkinBitmap plain(17, 17), grip(17, 17);
    PaintCorner(plain, Skin(), {nullptr, 0, 0, kParent, false}, false);
    PaintCorner(grip, Skin(), {nullptr, 0, 0, kParent, false}, true);
    EXPECT_TRUE(Uniform(plain, plain.Bounds(), 0xFF000000u | render::ColorToPixel(kParent)));
    EXPECT_FALSE(Uniform(grip, grip.Bounds(), 0xFF000000u | render::ColorToPixel(kParent)));
    EXPECT_EQ(grip.At(0, 0), plain.At(0, 0)) << "the grip sits in the bottom-right corner";
}

TEST(ScrollPainterTest, BarWithoutSkinPartsShowsTheBackground) {
    SkinBitmap bar(17, 100);
    BarLook look = VerticalLook(100, 0);
    PaintBar(bar, Skin(), BarSkin{}, look);
    EXPECT_TRUE(Uniform(bar, bar.Bounds(), 0xFF000000u | render::ColorToPixel(kParent)));
}

// Text drawn as a full block over its rectangle, so its colour shows.
struct BlockText : render::TextRenderer {
    render::Rect last;
    int TextWidth(const std::u16string& text) override { return int(text.size()) * 6; }
    void DrawInk(render::GrayBitmap& mask, const std::u16string&, const render::Rect& r,
                 unsigned) override {
        last = r;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left + 1; x < r.Left + 3 && x < r.Right; ++x)
                mask.At(x, y) = 0;
    }
};

TEST(SelectionPainterTest, FocusedWhiteOnTheGradientUnfocusedLightBlue) {
    BlockText text;
    SkinBitmap focused(60, 18), unfocused(60, 18);
    EXPECT_FALSE(PaintSelection(focused, Skin(), text, {u"Folder", true, true, data::kWhite}));
    EXPECT_EQ(text.last.Width(), 57) << "2 in at the left, 1 at the right";
    EXPECT_FALSE(PaintSelection(unfocused, Skin(), text, {u"Folder", false, true, data::kWhite}));
    EXPECT_EQ(focused.At(3, 9) & 0xFFFFFF, 0xFFFFFFu) << "white text";
    EXPECT_NE(focused.At(30, 2), focused.At(30, 15)) << "a gradient from top to bottom";
    EXPECT_EQ(unfocused.At(30, 9) & 0xFFFFFF,
              render::ColorToPixel(render::MakeColor(156, 205, 255)));
    EXPECT_NE(unfocused.At(3, 9) & 0xFFFFFF, 0xFFFFFFu) << "the normal font colour";
}

TEST(SelectionPainterTest, WithoutSelectionSectionTheHighlightAndAFocusRectangle) {
    data::LoadedSkin skin;
    BlockText text;
    SkinBitmap bmp(40, 16);
    EXPECT_TRUE(PaintSelection(bmp, skin, text, {u"x", true, true, data::kWhite}));
    EXPECT_EQ(bmp.At(30, 8) & 0xFFFFFF,
              render::ColorToPixel(static_cast<render::Color>(skin.GetHighLightColor(true))));
    EXPECT_FALSE(PaintSelection(bmp, skin, text, {u"x", false, true, data::kWhite}));
}

} // namespace
} // namespace skin::scroll
