#include "skin/render/keyed_copy.h"

#include <algorithm>

namespace skin::render {

namespace {

// A source rectangle with inclusive Right and Bottom, clipped to the source and to the
// destination, as a half-open source rectangle and its destination origin.
struct KeyedSpan {
    Rect source;
    int x = 0;
    int y = 0;
};

KeyedSpan ClipInclusive(const SkinBitmap& dst, const SkinBitmap& src, int x, int y, const Rect& s) {
    KeyedSpan span{{s.Left, s.Top, std::min(s.Right, src.Width() - 1) + 1,
                    std::min(s.Bottom, src.Height() - 1) + 1},
                   x,
                   y};
    if (span.source.Left < 0) {
        span.x -= span.source.Left;
        span.source.Left = 0;
    }
    if (span.source.Top < 0) {
        span.y -= span.source.Top;
        span.source.Top = 0;
    }
    // Columns and rows that fall outside the destination are not written.
    if (span.x < 0) {
        span.source.Left -= span.x;
        span.x = 0;
    }
    if (span.y < 0) {
        span.source.Top -= span.y;
        span.y = 0;
    }
    span.source.Right = std::min(span.source.Right, span.source.Left + dst.Width() - span.x);
    span.source.Bottom = std::min(span.source.Bottom, span.source.Top + dst.Height() - span.y);
    return span;
}

} // namespace

void CopyKeyed(SkinBitmap& dst, const SkinBitmap& src, int x, int y, Color key) {
    const Pixel key_pixel = ColorToPixel(key);
    const Rect to = Intersect({x, y, x + src.Width(), y + src.Height()}, dst.Bounds());
    for (int dy = to.Top; dy < to.Bottom; ++dy) {
        const Pixel* in = src.Row(dy - y);
        Pixel* out = dst.Row(dy);
        for (int dx = to.Left; dx < to.Right; ++dx) {
            const Pixel p = in[dx - x];
            if (p != key_pixel)
                out[dx] = p | 0xFF000000u;
        }
    }
}

void CopyKeyedRect(SkinBitmap& dst, const SkinBitmap& src, int x, bool use_cache,
                   const TCacheInfo& ci, Color key, const Rect& s, int y) {
    const KeyedSpan span = ClipInclusive(dst, src, x, y, s);
    const Pixel key_pixel = ColorToPixel(key);
    const bool from_cache = ci.Ready && ci.Bmp && use_cache;
    // A view of the cache's pixels is the cache too, whatever object wraps them.
    const bool into_cache = from_cache && !dst.IsEmpty() && ci.Bmp->Row(0) == dst.Row(0);
    const Pixel fill = (ColorToPixel(ci.FillColor) & 0x00FFFFFFu) | 0xFF000000u;
    for (int sy = span.source.Top; sy < span.source.Bottom; ++sy) {
        const int dy = span.y + sy - span.source.Top;
        const Pixel* in = src.Row(sy);
        Pixel* out = dst.Row(dy);
        const int by = dy + ci.Y;
        const Pixel* back =
            from_cache && by >= 0 && by < ci.Bmp->Height() ? ci.Bmp->Row(by) : nullptr;
        for (int sx = span.source.Left; sx < span.source.Right; ++sx) {
            const int dx = span.x + sx - span.source.Left;
            const Pixel p = in[sx];
            if (p != key_pixel) {
                out[dx] = from_cache ? p | 0xFF000000u : p;
            } else if (into_cache) {
                continue;
            } else if (from_cache) {
                // A background smaller than the painted area leaves the uncovered key pixels
                // as they were; the rest of the row is still copied.
                const int bx = dx + ci.X;
                if (back && bx >= 0 && bx < ci.Bmp->Width())
                    out[dx] = back[bx] | 0xFF000000u;
            } else if (!ci.Ready) {
                out[dx] = fill;
            }
        }
    }
}

void CopyKeyedByColor(SkinBitmap& dst, const SkinBitmap& src, const Rect& source, Point at) {
    Rect from = Intersect(source, src.Bounds());
    if (from.IsEmpty())
        return;
    const Pixel key = src.At(from.Left, from.Bottom - 1) & 0x00FFFFFFu;
    Point to{at.X + from.Left - source.Left, at.Y + from.Top - source.Top};
    ClipCopyCorners(to.X, to.Y, from.Left, from.Top);
    from.Right = std::min(from.Right, from.Left + dst.Width() - to.X);
    from.Bottom = std::min(from.Bottom, from.Top + dst.Height() - to.Y);
    for (int y = from.Top; y < from.Bottom; ++y) {
        const Pixel* in = src.Row(y);
        Pixel* out = dst.Row(to.Y + y - from.Top);
        for (int x = from.Left; x < from.Right; ++x)
            if ((in[x] & 0x00FFFFFFu) != key)
                out[to.X + x - from.Left] = in[x] | 0xFF000000u;
    }
}

void CopyKeyedRectPlain(SkinBitmap& dst, const SkinBitmap& src, int x, int y, Color key,
                        const Rect& s) {
    const KeyedSpan span = ClipInclusive(dst, src, x, y, s);
    const Pixel key_pixel = ColorToPixel(key);
    for (int sy = span.source.Top; sy < span.source.Bottom; ++sy) {
        const Pixel* in = src.Row(sy);
        Pixel* out = dst.Row(span.y + sy - span.source.Top);
        for (int sx = span.source.Left; sx < span.source.Right; ++sx)
            if (in[sx] != key_pixel)
                out[span.x + sx - span.source.Left] = in[sx];
    }
}

} // namespace skin::render
