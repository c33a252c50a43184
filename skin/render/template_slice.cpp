#include "skin/render/template_slice.h"

#include "skin/render/copy_pixels.h"
#include "skin/render/stretch.h"

#include <algorithm>

namespace skin::render {
namespace {

void Copy(SkinBitmap& dst, int x, int y, const SkinBitmap& tpl, const Rect& from) {
    const Rect s = Intersect(from, tpl.Bounds());
    if (!s.IsEmpty())
        CopyPixels(dst, x + s.Left - from.Left, y + s.Top - from.Top, tpl, s);
}

// An edge piece: the strip stretched over d, or tiled along it (across when horizontal).
void Edge(SkinBitmap& dst, const Rect& d, const SkinBitmap& tpl, const Rect& strip, bool stretch,
          bool horizontal) {
    if (d.IsEmpty() || strip.IsEmpty() || Intersect(strip, tpl.Bounds()) != strip)
        return;
    if (stretch) {
        StretchNearest(dst, d, tpl, strip);
        return;
    }
    if (horizontal) {
        const int step = strip.Width();
        for (int x = d.Left; x < d.Right; x += step) {
            const int width = std::min(step, d.Right - x);
            Copy(dst, x, d.Top, tpl, {strip.Left, strip.Top, strip.Left + width, strip.Bottom});
        }
    } else {
        const int step = strip.Height();
        for (int y = d.Top; y < d.Bottom; y += step) {
            const int height = std::min(step, d.Bottom - y);
            Copy(dst, d.Left, y, tpl, {strip.Left, strip.Top, strip.Right, strip.Top + height});
        }
    }
}

} // namespace

void PaintTemplateSlice(SkinBitmap& dst, const SkinBitmap& tpl, const TemplateSlice& s) {
    if (dst.IsEmpty() || tpl.IsEmpty())
        return;
    const int w = tpl.Width(), h = tpl.Height();
    const int W = dst.Width(), H = dst.Height();
    const int dl = std::min(s.KL, s.ML), dt = std::min(s.KT, s.MT);
    const int dr = std::min(s.KR, s.MR), db = std::min(s.KB, s.MB);

    Copy(dst, 0, 0, tpl, {0, 0, s.KL, dt});
    if (s.KT > dt)
        Copy(dst, 0, dt, tpl, {0, dt, dl, s.KT});
    Copy(dst, 0, H - db, tpl, {0, h - db, s.KL, h});
    if (s.KB > db)
        Copy(dst, 0, H - s.KB, tpl, {0, h - s.KB, dl, h - db});
    Copy(dst, W - s.KR, 0, tpl, {w - s.KR, 0, w, dt});
    if (s.KT > dt)
        Copy(dst, W - dr, dt, tpl, {w - dr, dt, w, s.KT});
    Copy(dst, W - s.KR, H - db, tpl, {w - s.KR, h - db, w, h});
    if (s.KB > db)
        Copy(dst, W - dr, H - s.KB, tpl, {w - dr, h - s.KB, w, h - db});

    const int cx = std::max(0, w - s.KL - s.KR);
    const int cy = std::max(0, h - s.KT - s.KB);
    if (cy > 0) {
        Edge(dst, {0, s.KT, dl, H - s.KB}, tpl, {0, s.KT, dl, h - s.KB}, s.Stretch, false);
        Edge(dst, {W - dr, s.KT, W, H - s.KB}, tpl, {w - dr, s.KT, w, h - s.KB}, s.Stretch, false);
    }
    if (cx > 0) {
        Edge(dst, {s.KL, 0, W - s.KR, dt}, tpl, {s.KL, 0, w - s.KR, dt}, s.Stretch, true);
        Edge(dst, {s.KL, H - db, W - s.KR, H}, tpl, {s.KL, h - db, w - s.KR, h}, s.Stretch, true);
    }
}

} // namespace skin::render
