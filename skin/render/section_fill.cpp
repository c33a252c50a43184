#include "skin/render/section_fill.h"

#include "skin/render/blends.h"
#include "skin/render/fills.h"
#include "skin/render/gradient.h"
#include "skin/render/texture.h"

#include <algorithm>

namespace skin::render {

SectionFillParams SectionFillFor(const data::TsGeneralData& section, int state) {
    SectionFillParams fill;
    if (state > 0) {
        fill.Color = section.HotColor;
        fill.ImagePercent = section.HotImagePercent;
        fill.GradientPercent = section.HotGradientPercent;
        fill.GradientData = section.HotGradientData;
        fill.Gradient = section.HotGradientArray;
    } else {
        fill.Color = section.Color;
        fill.ImagePercent = section.ImagePercent;
        fill.GradientPercent = section.GradientPercent;
        fill.GradientData = section.GradientData;
        fill.Gradient = section.GradientArray;
    }
    return fill;
}

namespace {

bool OneSegmentDirection(const data::TsGradArray& gradient) {
    return !gradient.empty() &&
           (gradient.front().Mode1 == gmVertical || gradient.front().Mode1 == gmHorizontal);
}

// The texture step: true when a texture was painted.
bool PaintSectionTexture(SkinBitmap& dst, const Rect& r, const SectionFillParams& fill,
                         const data::LoadedSkin& skin, const TCacheInfo& ci, Color colour) {
    Rect left = r;
    if (skin.IsValidImgIndex(fill.TextureMask)) {
        const MaskSource mask = MaskFromSkin(&skin, fill.TextureMask);
        if (mask.MaskType > 0)
            PaintMaskedTexture(dst, left, ci, mask.DrawMode, mask);
        else
            PaintTexture(dst, left, mask.DrawMode, mask);
    } else if (fill.Pattern >= 0 && fill.Pattern < static_cast<int>(skin.pa.size()) &&
               skin.pa[static_cast<std::size_t>(fill.Pattern)].Img) {
        const SkinBitmap pattern = ViewImage(*skin.pa[static_cast<std::size_t>(fill.Pattern)].Img);
        PaintTexture(dst, left, pattern);
    } else {
        return false;
    }
    if (left != kNothingLeft)
        FillRectOpaque(dst, left, colour);
    return true;
}

// A gradient that paints nothing (no segments, an unknown direction, one row or column to run
// over) leaves the plain colour, never what the bitmap held.
void PaintGradientOrColour(SkinBitmap& dst, const Rect& r, const SectionFillParams& fill,
                           Color colour) {
    if (fill.GradientData.empty() || !PaintGradient(dst, r, fill.Gradient))
        FillRectOpaque(dst, r, colour);
}

} // namespace

void FillSection(SkinBitmap& dst, const Rect& r, const SectionFillParams& fill,
                 const data::LoadedSkin& skin, const TCacheInfo& ci, bool simplified) {
    if (r.IsEmpty())
        return;
    const Color colour = static_cast<Color>(data::ColorToRGB(fill.Color)) & 0x00FFFFFFu;
    const int img = fill.ImagePercent;
    const int grad = fill.GradientPercent;
    if (!simplified && img + grad == 100 && grad >= 1 && grad <= 99 &&
        skin.IsValidImgIndex(fill.TextureMask) && OneSegmentDirection(fill.Gradient)) {
        const MaskSource mask = MaskFromSkin(&skin, fill.TextureMask);
        if (mask.DrawMode == 0 &&
            PaintGradientTexture(dst, r, fill.Gradient, img * 255 / 100, mask.R, mask.Image))
            return;
    }
    const bool textured = img > 0 && PaintSectionTexture(dst, r, fill, skin, ci, colour);
    if (grad > 0) {
        if (textured) {
            SkinBitmap layer(r.Width(), r.Height());
            PaintGradientOrColour(layer, layer.Bounds(), fill, colour);
            BlendPart(dst, layer, static_cast<std::uint8_t>(std::min(img * 255 / 100, 255)),
                      {r.Left, r.Top}, layer.Bounds());
        } else {
            PaintGradientOrColour(dst, r, fill, colour);
        }
    }
    const int sum = img + grad;
    if (sum <= 0 || (simplified && sum > 100)) {
        FillRectOpaque(dst, r, colour);
    } else if (sum < 100) {
        // The tint takes its right and bottom edges as inside the rectangle.
        TintRect(dst, {r.Left, r.Top, r.Right - 1, r.Bottom - 1}, sum, colour);
    }
}

} // namespace skin::render
