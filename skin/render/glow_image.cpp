#include "skin/render/glow_image.h"

#include "skin/render/border_mask.h"
#include "skin/render/cache_info.h"
#include "skin/render/mask_source.h"

namespace skin::render {

GlowPlacement PlaceGlow(const Rect& control, const Rect& visible, const GlowMaskWidths& mask,
                        int margin) {
    GlowPlacement p;
    p.Width = control.Width() + mask.Left + mask.Right - 2 * margin;
    p.Height = control.Height() + mask.Top + mask.Bottom - 2 * margin;
    int dx = 0, dy = 0, right_cut = 0, bottom_cut = 0;
    if (visible.Width() != control.Width() || visible.Height() != control.Height()) {
        dx = visible.Left != 0 ? mask.Left + visible.Left - margin : 0;
        dy = visible.Top != 0 ? mask.Top + visible.Top - margin : 0;
        if (visible.Right != control.Width())
            right_cut = dx != 0 ? p.Width - dx - visible.Width()
                                : control.Width() + mask.Right - visible.Width() - margin;
        if (visible.Bottom != control.Height())
            bottom_cut = dy != 0 ? p.Height - dy - visible.Height()
                                 : control.Height() + mask.Bottom - visible.Height() - margin;
    }
    p.Kept =
        Intersect({dx, dy, p.Width - right_cut, p.Height - bottom_cut}, Bounds(p.Width, p.Height));
    if (visible.IsEmpty())
        p.Kept = {}; // the control is hidden: no halo
    p.Position = {control.Left + margin - mask.Left + dx, control.Top + margin - mask.Top + dy};
    return p;
}

SkinBitmap MakeGlowImage(const data::LoadedSkin& skin, int mask_index, int width, int height) {
    const MaskSource mask = MaskFromSkin(&skin, mask_index);
    if (width <= 0 || height <= 0 || !mask.HasManager || mask.ImageCount <= 0)
        return {};
    SkinBitmap image(width, height); // clear black: alpha 0 wherever the border leaves it
    DrawBorderMask(image, Bounds(image.Width(), image.Height()), true, 0, mask, EmptyCacheInfo);
    return image;
}

} // namespace skin::render
