#include "skin/render/masked_piece.h"

#include "skin/render/fills.h"
#include "skin/render/geometry.h"
#include "skin/render/pixel_rows.h"
#include "skin/render/resample.h"
#include "skin/render/stretch.h"

#include <algorithm>

namespace skin::render {

namespace {

inline Pixel MaskBlendPixel(Pixel d, Pixel s, Pixel m) {
    Pixel out = d & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const int db = static_cast<int>((d >> shift) & 0xFF);
        const int sb = static_cast<int>((s >> shift) & 0xFF);
        const int mb = static_cast<int>((m >> shift) & 0xFF);
        out |= static_cast<Pixel>(((db - sb) * mb + sb * 256) >> 8) << shift;
    }
    return out;
}

// Blends the runs of non-key pixels of a row with the vector kernel.
void BlendSkippingKey(Pixel* out, const Pixel* in, const Pixel* mask, int width) {
    int x = 0;
    while (x < width) {
        while (x < width && in[x] == kKeyPixel)
            ++x;
        const int start = x;
        while (x < width && in[x] != kKeyPixel)
            ++x;
        rows::MaskBlend(out + start, in + start, mask + start, x - start);
    }
}

// A smooth stretch needs a source of at least 2 x 2: a one-pixel column or row is doubled.
SkinBitmap AtLeastTwoByTwo(const SkinBitmap& src, const Rect& s) {
    SkinBitmap copy(std::max(2, s.Width()), std::max(2, s.Height()));
    for (int y = 0; y < copy.Height(); ++y)
        for (int x = 0; x < copy.Width(); ++x)
            copy.At(x, y) =
                src.At(s.Left + std::min(x, s.Width() - 1), s.Top + std::min(y, s.Height() - 1));
    return copy;
}

SkinBitmap Stretched(const SkinBitmap& src, const Rect& s, int w, int h, bool smooth,
                     FilterKind filter) {
    if (smooth) {
        SkinBitmap out;
        ResampleFiltered(AtLeastTwoByTwo(src, s), out, w, filter, h);
        return out;
    }
    SkinBitmap out(w, h);
    StretchNearest(out, {0, 0, w, h}, src, s);
    return out;
}

} // namespace

void CopyMaskedPiece(const Rect& d, const Rect& s, SkinBitmap& dst, const MaskSource& mask,
                     bool fill_corners, const TCacheInfo& ci, const SkinBitmap& src) {
    const int mask_offset = mask.R.Height() / 2;
    // A rectangle upside down has no mask band below its colour band.
    if (mask_offset < 0)
        return;
    Rect to = d;
    Rect from = s;
    ClipCopyCorners(to.Left, to.Top, from.Left, from.Top);
    const int width =
        std::min({to.Width(), from.Width(), dst.Width() - to.Left, src.Width() - from.Left});
    // The mask rows must exist as well as the colour rows.
    const int height = std::min(
        {to.Height(), from.Height(), dst.Height() - to.Top, src.Height() - mask_offset - from.Top});
    if (width <= 0 || height <= 0)
        return;
    const bool ready = ci.Ready && ci.Bmp;
    const Pixel fill = (ColorToPixel(ci.FillColor) & 0x00FFFFFFu) | 0xFF000000u;
    for (int row = 0; row < height; ++row) {
        Pixel* out = dst.Row(to.Top + row) + to.Left;
        const Pixel* in = src.Row(from.Top + row) + from.Left;
        const Pixel* m = src.Row(from.Top + row + mask_offset) + from.Left;
        if (!fill_corners && ready) {
            rows::MaskBlend(out, in, m, width);
            continue;
        }
        if (!fill_corners) {
            BlendSkippingKey(out, in, m, width);
            continue;
        }
        const int by = ci.Y + to.Top + row;
        const Pixel* back = ready && by >= 0 && by < ci.Bmp->Height() ? ci.Bmp->Row(by) : nullptr;
        for (int col = 0; col < width; ++col) {
            if (in[col] == kKeyPixel) {
                if (!ready) {
                    out[col] = fill;
                } else if (back) {
                    const int bx = ci.X + to.Left + col;
                    if (bx >= 0 && bx < ci.Bmp->Width())
                        out[col] = back[bx] | 0xFF000000u;
                }
                continue;
            }
            const Pixel base = ready ? out[col] | 0xFF000000u : out[col];
            out[col] = MaskBlendPixel(base, in[col], m[col]);
        }
    }
}

void StretchMaskedPiece(SkinBitmap& dst, const Rect& d, const Rect& s, int mask_offset,
                        bool is_centre, const SkinBitmap& src) {
    const int w = d.Width();
    const int h = d.Height();
    if (d.Left < 0 || d.Top < 0 || w <= 0 || h <= 0 || dst.Width() < 2 || dst.Height() < 2)
        return;
    if (mask_offset == 0) {
        StretchNearest(dst, d, src, s);
        return;
    }
    const Rect mask_piece = Offset(s, 0, mask_offset);
    if (s.IsEmpty() || Intersect(s, src.Bounds()) != s ||
        Intersect(mask_piece, src.Bounds()) != mask_piece)
        return;
    if (is_centre && s.Width() == 1 && s.Height() == 1) {
        const Pixel colour = src.At(s.Left, s.Top);
        const int m = static_cast<int>((src.At(s.Left, s.Top + mask_offset) >> 16) & 0xFF);
        if (m == 255)
            return;
        if (m == 0) {
            FillRectOpaque(dst, d, PixelToColor(colour));
            return;
        }
        const Pixel spread = static_cast<Pixel>(m) * 0x010101u;
        const Rect area = Intersect(d, dst.Bounds());
        for (int y = area.Top; y < area.Bottom; ++y) {
            Pixel* row = dst.Row(y);
            for (int x = area.Left; x < area.Right; ++x)
                row[x] = MaskBlendPixel(row[x], colour, spread);
        }
        return;
    }
    const bool shrinks_one_axis =
        (w < s.Width() && h == s.Height()) || (h < s.Height() && w == s.Width());
    const bool smooth = (shrinks_one_axis || is_centre) && w > 1 && h > 1;
    const SkinBitmap colour = Stretched(src, s, w, h, smooth, fkMitchell);
    const SkinBitmap mask = Stretched(src, mask_piece, w, h, smooth, fkHermite);
    const Rect area = Intersect(d, dst.Bounds());
    for (int y = area.Top; y < area.Bottom; ++y)
        rows::MaskBlend(dst.Row(y) + area.Left, colour.Row(y - d.Top) + (area.Left - d.Left),
                        mask.Row(y - d.Top) + (area.Left - d.Left), area.Width());
}

} // namespace skin::render
