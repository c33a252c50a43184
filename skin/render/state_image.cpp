#include "skin/render/state_image.h"

#include "skin/render/blends.h"
#include "skin/render/keyed_copy.h"

#include <algorithm>

namespace skin::render {

namespace {

// The part of the state image that lands inside the destination, and where.
struct Placement {
    Rect from;
    Point to;
};

Placement Place(const SkinBitmap& dst, Point p, const Rect& image) {
    Placement out{image, p};
    if (p.X < 0) {
        out.from.Left -= p.X;
        out.to.X = 0;
    }
    if (p.Y < 0) {
        out.from.Top -= p.Y;
        out.to.Y = 0;
    }
    out.from.Right = std::min(out.from.Right, out.from.Left + dst.Width() - out.to.X);
    out.from.Bottom = std::min(out.from.Bottom, out.from.Top + dst.Height() - out.to.Y);
    return out;
}

void DrawThroughMaskBand(SkinBitmap& dst, const Placement& at, int mask_offset,
                         const SkinBitmap& src, int mode) {
    // Disabled images let 100 more units of the destination through.
    const int lighten = mode == simNormal ? 0 : 100;
    for (int y = at.from.Top; y < at.from.Bottom; ++y) {
        const Pixel* in = src.Row(y);
        const Pixel* mask = src.Row(y + mask_offset);
        Pixel* out = dst.Row(at.to.Y + y - at.from.Top);
        for (int x = at.from.Left; x < at.from.Right; ++x) {
            const Pixel s = in[x];
            const Pixel m = mask[x];
            const int mask_red = static_cast<int>((m >> 16) & 0xFF);
            if (s == kKeyPixel || mask_red == 255)
                continue;
            Pixel& d = out[at.to.X + x - at.from.Left];
            Pixel result = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const int dc = static_cast<int>((d >> shift) & 0xFF);
                const int sc = static_cast<int>((s >> shift) & 0xFF);
                const int mc = std::min(static_cast<int>((m >> shift) & 0xFF) + lighten, 255);
                result |= static_cast<Pixel>(std::clamp(((dc - sc) * mc + sc * 256) >> 8, 0, 255))
                          << shift;
            }
            const int alpha = static_cast<int>(d >> 24);
            result |= static_cast<Pixel>(alpha + (255 - mask_red) * (255 - alpha) / 255) << 24;
            d = result;
        }
    }
}

} // namespace

void DrawStateImage(SkinBitmap& dst, Point p, int state, const TCacheInfo& ci,
                    const MaskSource& mask, int mode) {
    if (!mask.HasManager || mask.ImageCount <= 0 || mask.Image.IsEmpty())
        return;
    const SkinBitmap& src = mask.Image;
    const int sw = StateWidth(mask);
    const int sh = StateHeight(mask);
    const Rect image{mask.R.Left + StateIndex(mask, state) * sw, mask.R.Top,
                     mask.R.Left + (StateIndex(mask, state) + 1) * sw, mask.R.Top + sh};
    const int band = mask.MaskType > 0 ? sh : 0;
    // Images and their mask bands must lie inside the source.
    if (mask.OwnBitmap && (src.Width() < mask.R.Right || src.Height() < mask.R.Bottom))
        return;
    if (Intersect(image, src.Bounds()) != image ||
        (band && Intersect(Offset(image, 0, band), src.Bounds()) != Offset(image, 0, band)))
        return;
    const Placement at = Place(dst, p, image);
    if (at.from.IsEmpty())
        return;
    if (mask.MaskType > 0) {
        DrawThroughMaskBand(dst, at, band, src, mode);
    } else if (mask.OwnBitmap) {
        CopyKeyedRectPlain(dst, src, at.to.X, at.to.Y, kKeyColor,
                           {at.from.Left, at.from.Top, at.from.Right - 1, at.from.Bottom - 1});
    } else if (mode == simNormal) {
        CopyKeyedRect(dst, src, at.to.X, true, ci, kKeyColor,
                      {at.from.Left, at.from.Top, at.from.Right - 1, at.from.Bottom - 1}, at.to.Y);
    } else {
        BlendRectFrom(dst, at.to.X, at.to.Y, kKeyColor, 0.5,
                      {at.from.Left, at.from.Top, at.from.Right - 1, at.from.Bottom - 1}, src);
    }
}

} // namespace skin::render
