#include "skin/render/control_background.h"

#include "skin/render/blends.h"
#include "skin/render/border_mask.h"
#include "skin/render/color_mix.h"
#include "skin/render/copy_pixels.h"
#include "skin/render/fills.h"
#include "skin/render/mask_source.h"
#include "skin/render/section_fill.h"
#include "skin/render/state_image.h"
#include "skin/render/texture.h"

#include <algorithm>

namespace skin::render {
namespace {

Color Rgb(data::TColor color) {
    return static_cast<Color>(data::ColorToRGB(color)) & 0x00FFFFFFu;
}

bool PlainTextureMask(const data::LoadedSkin& skin, int index) {
    return skin.IsValidImgIndex(index) && skin.ma[size_t(index)].MaskType == 0;
}

// The texture of the state: a tiling texture mask by index, else a pattern image by name.
void ChooseTexture(const data::LoadedSkin& skin, const ControlSkinState& control,
                   const data::TsGeneralData& section, int state, SectionFillParams& fill) {
    int texture = state > 0 ? control.HotTexture
                            : (control.Texture >= 0 ? control.Texture : section.TextureNormal);
    if (PlainTextureMask(skin, texture)) {
        fill.TextureMask = texture;
        return;
    }
    fill.Pattern = skin.GetPatternIndex(control.SkinIndex, section.ClassName,
                                        state > 0 ? u"HOTPATTERN" : u"PATTERN");
}

void PaintBehind(SkinBitmap& bitmap, const TCacheInfo& ci, Point p, const Rect& r) {
    if (ci.Ready && ci.Bmp && ci.Bmp != &bitmap)
        CopyPixels(bitmap, r.Left, r.Top, *ci.Bmp,
                   {ci.X + p.X, ci.Y + p.Y, ci.X + p.X + r.Width(), ci.Y + p.Y + r.Height()});
    else if (!ci.Ready)
        FillRectOpaque(bitmap, r, ci.FillColor);
}

} // namespace

int LimitState(const data::TsGeneralData& section, int state) {
    return std::clamp(state, 0, std::max(section.States, 1) - 1);
}

StateValues StateValuesOf(const data::TsGeneralData& section, int state) {
    if (LimitState(section, state) > 0)
        return {Rgb(section.HotColor), section.HotTransparency, section.HotGradientPercent,
                section.HotImagePercent};
    return {Rgb(section.Color), section.Transparency, section.GradientPercent,
            section.ImagePercent};
}

void PaintSectionBackground(const data::LoadedSkin& skin, const ControlSkinState& control,
                            const TCacheInfo& ci, SkinBitmap& bitmap, Point p, const Rect& r,
                            int state) {
    if (!skin.IsValidSkinIndex(control.SkinIndex) || r.IsEmpty())
        return;
    const data::TsGeneralData& section = skin.gd[size_t(control.SkinIndex)];
    state = LimitState(section, state);
    SectionFillParams fill = SectionFillFor(section, state);
    ChooseTexture(skin, control, section, state, fill);
    int t = state > 0 ? section.HotTransparency : section.Transparency;
    if (control.CustomColor != kKeyColor) {
        fill.Color = data::TColor(control.CustomColor);
        t = 0;
    }
    const int grad_img = fill.GradientPercent + fill.ImagePercent;
    if ((!ci.Ready && ci.FillColor == kKeyColor) || t <= 0) {
        FillSection(bitmap, r, fill, skin, ci);
    } else if (t >= 100) {
        PaintBehind(bitmap, ci, p, r);
    } else if (ci.Ready || grad_img > 0) {
        SkinBitmap face(r.Width(), r.Height());
        FillSection(face, Bounds(r.Width(), r.Height()), fill, skin, ci);
        PaintBehind(bitmap, ci, p, r);
        BlendPart(bitmap, face, std::uint8_t(TransparencyAlpha(t)), {r.Left, r.Top},
                  Bounds(r.Width(), r.Height()));
    } else {
        FillRectOpaque(bitmap, r, MixRatio(ci.FillColor, Rgb(fill.Color), t / 100.0));
    }
    if (state == 0) {
        const int texture = control.Texture >= 0 ? control.Texture : control.HotTexture;
        if (skin.IsValidImgIndex(texture)) {
            const MaskSource mask = MaskFromSkin(&skin, texture);
            if (mask.MaskType > 0 && mask.DrawMode == 10) {
                TCacheInfo moved = ci;
                moved.X += p.X;
                moved.Y += p.Y;
                Rect area = r;
                PaintMaskedTexture(bitmap, area, moved, mask.DrawMode, mask);
            }
        }
    }
}

void ComposeControlImage(const data::LoadedSkin& skin, const ControlSkinState& control,
                         TCacheInfo ci, bool fill_corners, SkinBitmap& bitmap, Point p,
                         const Rect& r, int state) {
    if (!skin.IsValidSkinIndex(control.SkinIndex) || bitmap.IsEmpty() || r.Left < 0 || r.Top < 0 ||
        r.Right > bitmap.Width() || r.Bottom > bitmap.Height() || r.IsEmpty())
        return;
    const data::TsGeneralData& section = skin.gd[size_t(control.SkinIndex)];
    state = LimitState(section, state);
    PaintSectionBackground(skin, control, ci, bitmap, p, r, state);
    ci.X += p.X;
    ci.Y += p.Y;
    const auto corner = [&](int index, bool right, bool bottom) {
        if (!skin.IsValidImgIndex(index))
            return;
        const MaskSource mask = MaskFromSkin(&skin, index);
        const Point at{right ? r.Right - StateWidth(mask) : r.Left,
                       bottom ? r.Bottom - StateHeight(mask) : r.Top};
        DrawStateImage(bitmap, at, state, ci, mask, 1);
    };
    corner(section.ImgTL, false, false);
    corner(section.ImgTR, true, false);
    corner(section.ImgBL, false, true);
    corner(section.ImgBR, true, true);
    const MaskSource border = MaskFromSkin(&skin, control.BorderIndex);
    const bool no_border = !skin.IsValidImgIndex(control.BorderIndex) ||
                           (state == 0 && (border.DrawMode & dmNoState0) != 0);
    if (!no_border)
        DrawBorderMask(bitmap, r, fill_corners, state, border, ci);
    else if (StateValuesOf(section, state).Transparency != 0)
        return;
    if (control.HUEOffset != 0)
        ShiftHue(bitmap, control.HUEOffset);
    if (control.Saturation != 0)
        ChangeSaturation(bitmap, control.Saturation);
}

Color ColorSeenThrough(int transparency, Color own, Color behind) {
    if (transparency <= 0)
        return own;
    if (transparency >= 100)
        return behind;
    return MixRatio(behind, own, transparency / 100.0);
}

BackgroundAnswer AnswerBackground(const BackgroundFacts& f) {
    if (f.Transparency >= 100) {
        if (f.PlainBackground || !f.HasCache || f.BGChanged)
            return {BackgroundSource::AskParent, 0};
        return {BackgroundSource::CacheImage, 0};
    }
    if (f.Transparency > 0)
        return f.HasCache ? BackgroundAnswer{BackgroundSource::CacheImage, 0}
                          : BackgroundAnswer{BackgroundSource::PlainColor, kKeyColor};
    if (f.GradientPercent <= 0 && f.ImagePercent < 1)
        return {BackgroundSource::PlainColor, f.Effective};
    return f.HasCache ? BackgroundAnswer{BackgroundSource::CacheImage, f.Global}
                      : BackgroundAnswer{BackgroundSource::PlainColor, kKeyColor};
}

} // namespace skin::render
