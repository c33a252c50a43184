#include "skin/render/blends.h"

#include "skin/render/fast32.h"
#include "skin/render/geometry.h"
#include "skin/render/pixel_rows.h"

#include <algorithm>
#include <cmath>

namespace skin::render {

void BlendWhole(SkinBitmap& dst, const SkinBitmap& src, std::uint8_t alpha) {
    if (dst.Width() != src.Width() || dst.Height() != src.Height())
        return;
    TacFastSum32 sum;
    if (!sum.Attach(src, dst))
        return;
    sum.Alpha = alpha;
    sum.DstX2 = sum.SrcX2 = dst.Width();
    sum.DstY2 = sum.SrcY2 = dst.Height();
    sum.BlendBitmapsRect();
}

void BlendPart(SkinBitmap& dst, const SkinBitmap& src, std::uint8_t alpha, Point p, const Rect& s) {
    Rect source = s;
    ClipCopyCorners(p.X, p.Y, source.Left, source.Top);
    if (source.IsEmpty() || p.X >= dst.Width() || p.Y >= dst.Height() ||
        source.Left >= src.Width() || source.Top >= src.Height())
        return;
    source.Right = std::min(source.Right, src.Width());
    source.Bottom = std::min(source.Bottom, src.Height());
    const int width = std::min(source.Width(), dst.Width() - p.X);
    const int height = std::min(source.Height(), dst.Height() - p.Y);
    if (width <= 0 || height <= 0)
        return;
    TacFastSum32 sum;
    if (!sum.Attach(src, dst))
        return;
    sum.Alpha = alpha;
    sum.DstX1 = p.X;
    sum.DstY1 = p.Y;
    sum.DstX2 = p.X + width;
    sum.DstY2 = p.Y + height;
    sum.SrcX1 = source.Left;
    sum.SrcY1 = source.Top;
    sum.SrcX2 = source.Left + width;
    sum.SrcY2 = source.Top + height;
    sum.BlendBitmapsRect();
}

void BlendRectFrom(SkinBitmap& dst, int x, int y, Color key, double keep, const Rect& s,
                   const SkinBitmap& src) {
    Rect source{s.Left, s.Top, std::min(s.Right, src.Width() - 1),
                std::min(s.Bottom, src.Height() - 1)};
    if (source.Left < 0) {
        x -= source.Left;
        source.Left = 0;
    }
    if (source.Top < 0) {
        y -= source.Top;
        source.Top = 0;
    }
    const Pixel key_pixel = ColorToPixel(key);
    for (int sy = source.Top; sy <= source.Bottom; ++sy) {
        const int dy = y + sy - source.Top;
        if (dy < 0 || dy >= dst.Height())
            continue;
        const Pixel* src_row = src.Row(sy);
        Pixel* dst_row = dst.Row(dy);
        for (int sx = source.Left; sx <= source.Right; ++sx) {
            const int dx = x + sx - source.Left;
            const Pixel sp = src_row[sx];
            if (dx < 0 || dx >= dst.Width() || sp == key_pixel)
                continue;
            const Pixel dp = dst_row[dx];
            Pixel out = dp & 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                const double sc = (sp >> shift) & 0xFF;
                const double dc = (dp >> shift) & 0xFF;
                out |= static_cast<Pixel>(
                           std::clamp(std::nearbyint(sc - (sc - dc) * keep), 0.0, 255.0))
                       << shift;
            }
            dst_row[dx] = out;
        }
    }
}

void CopyAlphaComposite(const Rect& d, const Rect& s, SkinBitmap& dst, bool fill_holes,
                        const TCacheInfo& ci, const SkinBitmap& src) {
    Rect to = d;
    Rect from = s;
    ClipCopyCorners(to.Left, to.Top, from.Left, from.Top);
    const int width =
        std::min({to.Width(), from.Width(), dst.Width() - to.Left, src.Width() - from.Left});
    const int height =
        std::min({to.Height(), from.Height(), dst.Height() - to.Top, src.Height() - from.Top});
    if (width <= 0 || height <= 0)
        return;
    const SkinBitmap* background = ci.Ready && fill_holes ? ci.Bmp : nullptr;
    for (int row = 0; row < height; ++row) {
        Pixel* out = dst.Row(to.Top + row) + to.Left;
        const Pixel* in = src.Row(from.Top + row) + from.Left;
        // Holes have alpha 0, so the composite leaves them alone and they can be filled after.
        rows::AlphaComposite(out, in, width);
        if (!background)
            continue;
        const int by = to.Top + row + ci.Y;
        if (by < 0 || by >= background->Height())
            continue;
        const Pixel* back = background->Row(by);
        for (int col = 0; col < width; ++col) {
            const int bx = to.Left + col + ci.X;
            if (in[col] == kKeyPixel && bx >= 0 && bx < background->Width())
                out[col] = back[bx] | 0xFF000000u;
        }
    }
}

} // namespace skin::render
