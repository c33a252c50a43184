#include "frame_test_forms.h"
#include "skin/data/image_decoders.h"
#include "skin/data/skin_loader.h"
#include "skin/data/testing/internal_skin.h"
#include "skin/frame/builtin_shadows.h"
#include "skin/frame/frame_painter.h"
#include "skin/frame/frame_region.h"
#include "skin/render/layered_pixels.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace skin::frame {
namespace {

using namespace testing;
using render::GrayBitmap;
using render::Pixel;
using render::SkinBitmap;

// Every character is 6 pixels wide; the ink is a solid block 9 rows high, vertically centred.
class BlockText : public render::TextRenderer {
public:
    int TextWidth(const std::u16string& text) override { return 6 * static_cast<int>(text.size()); }
    void DrawInk(GrayBitmap& mask, const std::u16string& text, const Rect& r, unsigned) override {
        const int top = r.Top + (r.Height() - 9) / 2;
        for (int y = top; y < top + 9; ++y)
            for (int x = r.Left; x < r.Left + TextWidth(text) && x < r.Right; ++x)
                if (x >= 0 && y >= 0 && x < mask.Width() && y < mask.Height())
                    mask.At(x, y) = 0;
    }
};

const data::LoadedSkin& Skin() {
    return data::testing::InternalSkinFromPackage();
}

const ShadowTemplates& Templates() {
    static const ShadowTemplates t = ShadowTemplatesOf(Skin());
    return t;
}

// The main window composed as the provider does it.
struct Composed {
    FormFrameState form = MainWindow(400, 300);
    FrameGeometry g = Extended(form);
    FrameSkin fs = ResolveFrameSkin(Skin(), u"FORM", u"", form.Style);
    WindowRules rules = RulesFor(form, true, true, true);
    TitleButtonLayout layout = LayOutTitleButtons(g, rules, ButtonMasksOf(Skin(), fs));
    BlockText text;
    SkinBitmap icon;
    SkinBitmap cache;
    SkinBitmap temp;
    FramePainter painter{Skin(), fs};

    explicit Composed(bool active, const std::u16string& caption = u"Arbordir") {
        icon = SkinBitmap(16, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                icon.At(x, y) = 0xFF2060C0;
        FrameContent c;
        c.Active = active;
        c.Caption = caption;
        c.Icon = &icon;
        c.Text = &text;
        c.ShadowTemplate = active ? &Templates().Active : &Templates().Inactive;
        painter.PaintAll(cache, temp, g, rules, layout, c);
    }
};

TEST(FramePainterTest, SkinPartsOfTheInternalSkin) {
    const FrameSkin fs = ResolveFrameSkin(Skin(), u"FORM", u"", BorderStyle::bsSingle);
    EXPECT_GE(fs.FormIndex, 0);
    EXPECT_GE(fs.TitleIndex, 0);
    EXPECT_GE(fs.ExBorder, 0);
    EXPECT_GE(fs.Close, 0);
    EXPECT_GE(fs.Min, 0);
    EXPECT_GE(fs.Grip, 0);
    const ButtonMasks masks = ButtonMasksOf(Skin(), fs);
    EXPECT_EQ(masks.Close.Width, 14);
    EXPECT_EQ(masks.Close.Height, 16);
    const FrameSkin dialog = ResolveFrameSkin(Skin(), u"DIALOG", u"", BorderStyle::bsDialog);
    EXPECT_NE(dialog.Close, fs.Close) << "bsDialog uses the SICON family";
    EXPECT_EQ(Templates().Active.Width(), 212);
    EXPECT_EQ(Templates().Active.Height(), 148);
    EXPECT_EQ(Templates().Inactive.Width(), 212);
}

TEST(FramePainterTest, FrameIsOpaqueAroundTheClientAndTheShadowFades) {
    const Composed c(true);
    ASSERT_EQ(c.cache.Width(), 508);
    ASSERT_EQ(c.cache.Height(), 431);
    const Rect frame = c.g.FrameRect();
    const Rect client = c.g.ClientRect();
    int holes = 0;
    for (int y = frame.Top; y < frame.Bottom; ++y)
        for (int x = frame.Left; x < frame.Right; ++x) {
            const bool inside =
                x >= client.Left && x < client.Right && y >= client.Top && y < client.Bottom;
            if (!inside && (c.cache.At(x, y) >> 24) != 255)
                ++holes;
        }
    EXPECT_EQ(holes, 0) << "text, icon and buttons leave no alpha holes in the frame";
    // The shadow is translucent, and fainter further out.
    const int near = static_cast<int>(c.cache.At(254, 45) >> 24);
    const int far = static_cast<int>(c.cache.At(254, 5) >> 24);
    EXPECT_LT(near, 255);
    EXPECT_LT(far, near);
    // Handed to the layered window, the client hole is invisible.
    SkinBitmap out(c.cache.Width(), c.cache.Height());
    render::PremultiplyForLayered(out, c.cache, client);
    EXPECT_EQ(out.At(client.Left, client.Top), 0u);
    EXPECT_EQ(out.At(client.Left - 1, client.Top) >> 24, 255u);
}

TEST(FramePainterTest, TitleBandFollowsTheGradientAndTheActiveState) {
    const Composed active(true);
    const Composed inactive(false);
    // Rows of the band, away from icon, caption and buttons: the gradient darkens downwards.
    const int x = 300;
    const Pixel top = active.cache.At(x, 56);
    const Pixel bottom = active.cache.At(x, 74);
    EXPECT_NE(top, bottom);
    EXPECT_GT(top & 0xFF, bottom & 0xFF) << "blue channel falls along the gradient";
    EXPECT_NE(active.cache.At(x, 60), inactive.cache.At(x, 60));
    // The caption: black ink when active, grey when inactive.
    const Rect r = active.painter.LastCaptionRect();
    ASSERT_FALSE(r.IsEmpty());
    const int cy = (r.Top + r.Bottom) / 2;
    EXPECT_EQ(active.cache.At(r.Left + 1, cy), 0xFF000000u);
    EXPECT_EQ(inactive.cache.At(r.Left + 1, cy), 0xFF808080u);
    // The icon at (56, 56)-(72, 72).
    EXPECT_EQ(active.cache.At(56, 56), 0xFF2060C0u);
    EXPECT_EQ(active.cache.At(71, 71), 0xFF2060C0u);
    EXPECT_NE(active.cache.At(72, 72), 0xFF2060C0u);
}

TEST(FramePainterTest, LongCaptionsEndInAnEllipsis) {
    const Composed c(true, std::u16string(200, u'W'));
    const Rect r = c.painter.LastCaptionRect();
    // The text stops before the buttons.
    const int close_left = c.layout.Buttons[2].R.Left;
    EXPECT_LT(r.Right, close_left);
    const int cy = (r.Top + r.Bottom) / 2;
    for (int x = r.Right; x < close_left; ++x)
        EXPECT_NE(c.cache.At(x, cy), 0xFF000000u) << x;
}

TEST(FramePainterTest, ButtonsRepaintAloneFromTheSavedBackground) {
    Composed c(true);
    const PlacedButton close = c.layout.Buttons[0];
    const SkinBitmap before = c.cache.Clone();
    c.painter.PaintButton(c.cache, c.temp, c.g, c.layout, close, 1, true);
    bool changed = false;
    for (int y = 0; y < c.cache.Height(); ++y)
        for (int x = 0; x < c.cache.Width(); ++x) {
            const bool inside =
                x >= close.R.Left && x < close.R.Right && y >= close.R.Top && y < close.R.Bottom;
            if (!inside)
                ASSERT_EQ(c.cache.At(x, y), before.At(x, y)) << x << "," << y;
            else if (c.cache.At(x, y) != before.At(x, y))
                changed = true;
        }
    EXPECT_TRUE(changed) << "the hot image differs from the normal one";
    c.painter.PaintButton(c.cache, c.temp, c.g, c.layout, close, 0, true);
    for (int y = close.R.Top; y < close.R.Bottom; ++y)
        for (int x = close.R.Left; x < close.R.Right; ++x)
            ASSERT_EQ(c.cache.At(x, y), before.At(x, y));
}

TEST(FramePainterTest, PlainFrameAndPickerWithGrip) {
    FormFrameState f = FormOfClient(300, 200, BorderStyle::bsSizeable);
    const FrameGeometry g = Plain(f);
    const FrameSkin fs = ResolveFrameSkin(Skin(), u"DIALOG", u"", f.Style);
    const WindowRules rules = RulesFor(f, true, true, false);
    const TitleButtonLayout layout = LayOutTitleButtons(g, rules, ButtonMasksOf(Skin(), fs));
    FramePainter painter(Skin(), fs);
    SkinBitmap cache, temp;
    FrameContent content;
    content.ShowIcon = false;
    BlockText text;
    content.Text = &text;
    content.Caption = u"Browse";
    content.Grip = true;
    painter.PaintAll(cache, temp, g, rules, layout, content);
    EXPECT_EQ(cache.Width(), 306);
    EXPECT_EQ(cache.Height(), 225);
    FrameContent no_grip = content;
    no_grip.Grip = false;
    SkinBitmap plain;
    painter.PaintAll(plain, temp, g, rules, layout, no_grip);
    int differ = 0;
    for (int y = 0; y < cache.Height(); ++y)
        for (int x = 0; x < cache.Width(); ++x)
            if (cache.At(x, y) != plain.At(x, y)) {
                ++differ;
                EXPECT_GT(x, 306 - 20);
                EXPECT_GT(y, 225 - 20);
            }
    EXPECT_GT(differ, 0) << "the grip is drawn in the bottom-right corner";
}

TEST(FramePainterTest, TheTitleBandsRoundedCornersAreCut) {
    const FrameSkin fs = ResolveFrameSkin(Skin(), u"FORM", u"", BorderStyle::bsSingle);
    const auto holes = CornerHoles(406, 325, render::MaskFromSkin(&Skin(), fs.FormBorder),
                                   render::MaskFromSkin(&Skin(), fs.TitleBorder));
    ASSERT_FALSE(holes.empty());
    // Row 0 loses a few pixels at both ends, and the cuts get shorter downwards.
    EXPECT_EQ(holes.front().Left, 0);
    EXPECT_EQ(holes.front().Top, 0);
    EXPECT_GE(holes.front().Width(), 2);
    EXPECT_LE(holes.front().Width(), 5);
    bool right = false;
    for (const Rect& h : holes) {
        EXPECT_LT(h.Top, 6) << "only the top corners are round";
        EXPECT_TRUE(h.Left == 0 || h.Right == 406) << "nothing inside the band is cut";
        right |= h.Right == 406;
    }
    EXPECT_TRUE(right);
}

TEST(FramePainterTest, BuiltInShadowsStandInForASkinWithoutItsOwn) {
    const SkinBitmap& active = BuiltInShadow(true);
    const SkinBitmap& inactive = BuiltInShadow(false);
    for (const SkinBitmap* b : {&active, &inactive}) {
        ASSERT_EQ(b->Width(), 33);
        ASSERT_EQ(b->Height(), 33);
        EXPECT_EQ(b->At(0, 0), 0u) << "nothing at the outer corner";
        for (int y = 0; y < 33; ++y)
            for (int x = 0; x < 33; ++x)
                EXPECT_EQ(b->At(x, y) & 0xFFFFFF, 0u) << "black throughout";
        // Darker towards the window on every side, deeper below than above.
        for (int x = 1; x <= 9; ++x)
            EXPECT_GE(b->At(x, 20) >> 24, b->At(x - 1, 20) >> 24);
        for (int y = 31; y >= 23; --y)
            EXPECT_GE(b->At(16, y) >> 24, b->At(16, y + 1) >> 24);
        EXPECT_GT(b->At(16, 9) >> 24, 0u);
        EXPECT_GT(b->At(16, 30) >> 24, b->At(16, 2) >> 24);
    }
    EXPECT_GT(active.At(4, 16) >> 24, inactive.At(4, 16) >> 24) << "the active form stands out";

    // A skin without EXBORDER: the built-in templates with their 9-pixel margins, painted as
    // when the skin's border mode were 0, so that the title band lies under the shadow's
    // corners and the frame's rounded corners open onto the shadow.
    data::LoadedSkin& bare = data::testing::InternalSkinFromPackage();
    struct WithoutExBorder {
        data::LoadedSkin& skin;
        int kept = skin.ConstData.ExBorder;
        ~WithoutExBorder() { skin.ConstData.ExBorder = kept; }
    } without{bare};
    bare.ConstData.ExBorder = -1;
    const ShadowTemplates t = ShadowTemplatesOf(bare);
    ASSERT_EQ(t.Active.Width(), 33);
    EXPECT_EQ(t.Active.At(16, 5), active.At(16, 5));
    EXPECT_EQ(t.Inactive.At(16, 5), inactive.At(16, 5));

    const FormFrameState form = MainWindow(400, 300);
    const FrameGeometry g(
        InternalSkinFrame(), form, true, kF, kC,
        {kBuiltInShadowMargin, kBuiltInShadowMargin, kBuiltInShadowMargin, kBuiltInShadowMargin});
    const FrameSkin fs = ResolveFrameSkin(bare, u"FORM", u"", form.Style);
    const WindowRules rules = RulesFor(form, true, true, true);
    const TitleButtonLayout layout = LayOutTitleButtons(g, rules, ButtonMasksOf(bare, fs));
    BlockText text;
    FrameContent c;
    c.Caption = u"Arbordir";
    c.Text = &text;
    c.ShadowTemplate = &t.Active;
    SkinBitmap cache, temp;
    FramePainter(bare, fs).PaintAll(cache, temp, g, rules, layout, c);
    ASSERT_EQ(cache.Width(), 400 + 2 * (9 + 4));
    const Rect frame = g.FrameRect();
    EXPECT_EQ(frame.Left, 9);
    EXPECT_EQ(frame.Top, 9);
    const Rect client = g.ClientRect();
    int holes = 0;
    for (int y = frame.Top + 6; y < frame.Bottom - 6; ++y)
        for (int x = frame.Left; x < frame.Right; ++x) {
            const bool inside =
                x >= client.Left && x < client.Right && y >= client.Top && y < client.Bottom;
            holes += !inside && (cache.At(x, y) >> 24) != 255;
        }
    EXPECT_EQ(holes, 0) << "the frame is opaque";
    const int mid = cache.Width() / 2;
    EXPECT_EQ(cache.At(mid, 0) >> 24, active.At(16, 0) >> 24);
    EXPECT_EQ(cache.At(mid, 8) >> 24, active.At(16, 8) >> 24);
    EXPECT_EQ(cache.At(0, 0), 0u);
    EXPECT_LT(cache.At(frame.Left, frame.Top) >> 24, 255u) << "the round corner shows the shadow";
}

// The main window's frame, active and inactive, written under rendered/ of the test's folder for
// a person to look at.
TEST(FramePainterTest, WritesTheMainWindowFrameForALook) {
    std::filesystem::create_directories("rendered");
    for (const bool active : {true, false}) {
        const Composed c(active);
        data::Image32 image = data::MakeImage32(c.cache.Width(), c.cache.Height());
        for (int y = 0; y < c.cache.Height(); ++y)
            for (int x = 0; x < c.cache.Width(); ++x)
                image.At(x, y) = c.cache.At(x, y);
        const std::vector<std::uint8_t> bytes = data::EncodePng(image);
        const char* name = active ? "rendered/frame_active.png" : "rendered/frame_inactive.png";
        std::ofstream(name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        EXPECT_TRUE(std::filesystem::file_size(name) > 0);
    }
}

} // namespace
} // namespace skin::frame
