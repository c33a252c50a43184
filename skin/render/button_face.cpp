#include "skin/render/button_face.h"

#include "skin/data/colors.h"
#include "skin/render/blends.h"
#include "skin/render/border_mask.h"
#include "skin/render/button_layout.h"
#include "skin/render/color_mix.h"
#include "skin/render/fills.h"
#include "skin/render/mask_source.h"
#include "skin/render/section_fill.h"
#include "skin/render/text_ink.h"

#include <algorithm>

namespace skin::render {
namespace {

Color Resolved(data::TColor c) {
    return static_cast<Color>(data::ColorToRGB(c)) & 0xFFFFFF;
}

void CopyBehind(SkinBitmap& dst, const Rect& r, const TCacheInfo& ci) {
    if (!ci.Ready || ci.Bmp == nullptr) {
        FillRectOpaque(dst, r, ci.FillColor);
        return;
    }
    for (int y = std::max(0, r.Top); y < std::min(r.Bottom, dst.Height()); ++y)
        for (int x = std::max(0, r.Left); x < std::min(r.Right, dst.Width()); ++x) {
            const int bx = ci.X + x - r.Left;
            const int by = ci.Y + y - r.Top;
            if (ci.Bmp->Contains(bx, by))
                dst.At(x, y) = ci.Bmp->At(bx, by) | 0xFF000000u;
        }
}

} // namespace

int LimitedState(const data::LoadedSkin& skin, int section, int state) {
    if (!skin.IsValidSkinIndex(section))
        return 0;
    return std::clamp(state, 0, std::max(0, skin.gd[section].States - 1));
}

void PaintButtonBackground(SkinBitmap& dst, const Rect& r, const data::LoadedSkin& skin,
                           int section, int state, const TCacheInfo& ci) {
    if (!skin.IsValidSkinIndex(section) || r.IsEmpty())
        return;
    const data::TsGeneralData& gd = skin.gd[section];
    const int s = LimitedState(skin, section, state);
    const int t = s > 0 ? gd.HotTransparency : gd.Transparency;
    SectionFillParams fill = SectionFillFor(gd, s);
    fill.Color = data::ColorToRGB(fill.Color);
    fill.TextureMask =
        s > 0 ? skin.GetTextureIndex(section, gd.ClassName, u"HOTPATTERN") : gd.TextureNormal;
    const bool nothing_behind = !ci.Ready && ci.FillColor == kKeyColor;
    if (nothing_behind || t <= 0) {
        FillSection(dst, r, fill, skin, ci);
        return;
    }
    if (t >= 100) {
        CopyBehind(dst, r, ci);
        return;
    }
    if (!ci.Ready && fill.GradientPercent + fill.ImagePercent <= 0) {
        FillRectOpaque(dst, r, MixRatio(ci.FillColor, Resolved(fill.Color), t / 100.0));
        return;
    }
    SkinBitmap own(r.Width(), r.Height());
    FillSection(own, own.Bounds(), fill, skin, ci);
    CopyBehind(dst, r, ci);
    BlendPart(dst, own, static_cast<std::uint8_t>(std::min(t * 255 / 100, 255)), {r.Left, r.Top},
              own.Bounds());
}

void DrawButtonCaption(SkinBitmap& face, TextRenderer& text, const data::LoadedSkin& skin,
                       int section, int state, const std::u16string& caption, const Rect& r,
                       unsigned format) {
    if (caption.empty() || !skin.IsValidSkinIndex(section))
        return;
    const data::TsGeneralData& gd = skin.gd[section];
    const data::TsFontColor& colours =
        LimitedState(skin, section, state) > 0 ? gd.HotFontColor : gd.FontColor;
    const struct {
        data::TColor colour;
        int dx, dy;
    } outlines[] = {
        {colours.Left, -1, 0}, {colours.Top, 0, -1}, {colours.Right, 1, 0}, {colours.Bottom, 0, 1}};
    for (const auto& o : outlines)
        if (o.colour != -1)
            DrawTextInk(face, text, caption, Offset(r, o.dx, o.dy), Resolved(o.colour), format);
    DrawTextInk(face, text, caption, r, Resolved(colours.Color), format);
}

void DrawDownArrow(SkinBitmap& face, const Rect& r, bool pressed, Color color) {
    constexpr int kRows = 4;
    const int shift = pressed ? 1 : 0;
    const int left = r.Left + (r.Width() - 2 * kRows) / 2 + shift;
    const int top = r.Top + (r.Height() - kRows) / 2 + shift;
    for (int row = 0; row < kRows; ++row)
        FillRectOpaque(face,
                       Intersect({left + row, top + row, left + 2 * kRows - row, top + row + 1},
                                 face.Bounds()),
                       color);
}

namespace {

Color StateFontColor(const data::LoadedSkin& skin, int section, int state, Color fallback) {
    if (!skin.IsValidSkinIndex(section))
        return fallback;
    const data::TsGeneralData& gd = skin.gd[section];
    const data::TColor c = state > 0 ? gd.HotFontColor.Color : gd.FontColor.Color;
    return c == -1 ? fallback : Resolved(c);
}

// Background and border of one part of the face in a state; X and Y of the background info
// follow the part.
void ComposePart(SkinBitmap& face, const Rect& part, const ButtonFace& b, int state) {
    const data::LoadedSkin& skin = *b.Skin;
    TCacheInfo behind = b.Behind;
    behind.X += part.Left;
    behind.Y += part.Top;
    PaintButtonBackground(face, part, skin, b.Section, state, behind);
    const MaskSource border = MaskFromSkin(&skin, skin.gd[b.Section].BorderIndex);
    const bool skip_border = state == 0 && b.PushButton && (border.DrawMode & dmNoState0) != 0;
    if (border.HasManager && !skip_border)
        DrawBorderMask(face, part, true, state, border, behind);
}

} // namespace

void ComposeButtonFace(SkinBitmap& face, const ButtonFace& b, TextRenderer& text) {
    if (b.Skin == nullptr || !b.Skin->IsValidSkinIndex(b.Section) || face.IsEmpty())
        return;
    const data::LoadedSkin& skin = *b.Skin;
    const data::TsGeneralData& gd = skin.gd[b.Section];
    const int s = LimitedState(skin, b.Section, b.State);
    const Rect whole = face.Bounds();
    if (b.Style == TToolButtonStyle::tbsSeparator || b.Style == TToolButtonStyle::tbsDivider) {
        CopyBehind(face, whole, b.Behind);
        const int divider = skin.GetSkinIndex(u"DIVIDER");
        if (b.Style == TToolButtonStyle::tbsDivider && skin.IsValidSkinIndex(divider)) {
            const MaskSource line = MaskFromSkin(&skin, skin.gd[divider].BorderIndex);
            if (line.HasManager)
                DrawBorderMask(face, DividerColumn(face.Width(), face.Height()), true, 0, line,
                               b.Behind);
        }
        return;
    }
    Rect main = whole;
    if (b.Style == TToolButtonStyle::tbsDropDown) {
        main.Right = std::max(0, whole.Right - kDropDownArrowWidth);
        const Rect arrow{main.Right, 0, whole.Right, whole.Bottom};
        const int arrow_state = LimitedState(skin, b.Section, b.ArrowState);
        ComposePart(face, arrow, b, arrow_state);
        DrawDownArrow(face, arrow, b.ArrowState >= 2,
                      StateFontColor(skin, b.Section, arrow_state, b.FontColor));
    }
    ComposePart(face, main, b, s);

    if (b.Glyph != nullptr && !b.Glyph->IsEmpty() && b.NumGlyphs > 0) {
        const int glyph_width = b.Glyph->Width() / b.NumGlyphs;
        const bool alpha_glyph = HasOpaquePixel(*b.Glyph);
        if (alpha_glyph) {
            std::optional<Color> tint;
            if ((s == 0 && b.Grayed) || (!b.Enabled && b.DisabledGlyphGrayed))
                tint = Resolved(gd.Color);
            const int t = s == 0 ? b.Blend : 0;
            const int index = AlphaStripIndex(s, b.NumGlyphs);
            CompositeAlphaGlyph(face, *b.Glyph, index, glyph_width, b.GlyphAt, t, tint);
            if (b.Reflected)
                ReflectAlphaGlyph(face, *b.Glyph, index, glyph_width, b.GlyphAt, t);
        } else {
            KeyedGlyphLook look;
            look.State = s;
            look.Blend = b.Blend;
            look.Enabled = b.Enabled;
            look.DisabledGrayed = b.DisabledGlyphGrayed;
            const int index = KeyedStripIndex(s, b.NumGlyphs, b.Enabled, b.Down, false);
            DrawKeyedGlyph(face, *b.Glyph, index, glyph_width, b.GlyphAt, look);
        }
    }

    DrawButtonCaption(face, text, skin, b.Section, s, b.Caption, b.CaptionRect, b.TextFormat);
    if (b.Split) {
        const Color line = StateFontColor(skin, b.Section, s, b.FontColor);
        FillRectOpaque(
            face,
            Intersect({face.Width() - 15, 4, face.Width() - 14, face.Height() - 4}, face.Bounds()),
            line);
        DrawDownArrow(
            face, {std::max(0, face.Width() - kDropDownArrowWidth), 0, face.Width(), face.Height()},
            false, line);
    }
    if (b.ShowFocus && b.Enabled && !b.Caption.empty() && gd.ShowFocus)
        DrawFocusDots(face, b.CaptionRect, b.FocusMargin, 0xF0F0F0);
    if (!b.Enabled)
        ApplyDisabledLook(face, b.Disabled, b.Behind,
                          b.Behind.FillColor == kKeyColor ? b.ParentColor : b.Behind.FillColor);
}

} // namespace skin::render
