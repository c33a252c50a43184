#include "skin/render/layered_pixels.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace skin::render {
namespace {

Pixel Channel(Pixel p, int shift) {
    return (p >> shift) & 0xFF;
}

// c x a / 255 rounded to the nearest, without a division: (c a + 127) / 255 for all c, a.
Pixel TimesAlpha(Pixel c, Pixel a) {
    const Pixel t = c * a + 128;
    return (t + (t >> 8)) >> 8;
}

} // namespace

void PremultiplyForLayered(SkinBitmap& dst, const SkinBitmap& src, const Rect& hole) {
    const int width = std::min(dst.Width(), src.Width());
    const int height = std::min(dst.Height(), src.Height());
    for (int y = 0; y < height; ++y) {
        const Pixel* in = src.Row(y);
        Pixel* out = dst.Row(y);
        const bool hole_row = y >= hole.Top && y < hole.Bottom;
        for (int x = 0; x < width; ++x) {
            const Pixel p = in[x];
            const Pixel a = p >> 24;
            if ((hole_row && x >= hole.Left && x < hole.Right) || a == 0) {
                out[x] = 0;
                continue;
            }
            if (a == 255) {
                out[x] = p;
                continue;
            }
            // Products stay below 2^16, so 32-bit arithmetic cannot overflow.
            const Pixel r = TimesAlpha(Channel(p, 16), a);
            const Pixel g = TimesAlpha(Channel(p, 8), a);
            const Pixel b = TimesAlpha(Channel(p, 0), a);
            out[x] = (a << 24) | (r << 16) | (g << 8) | b;
        }
    }
}

void ClearTransparentWhite(SkinBitmap& bmp) {
    for (int y = 0; y < bmp.Height(); ++y) {
        Pixel* row = bmp.Row(y);
        for (int x = 0; x < bmp.Width(); ++x)
            if (row[x] == 0x00FFFFFFu)
                row[x] = 0;
    }
}

void RepairDrawnAlpha(SkinBitmap& dst, const Rect& r, const SkinBitmap& before) {
    const Rect area = Intersect(r, dst.Bounds());
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x) {
            const int bx = x - r.Left, by = y - r.Top;
            if (!before.Contains(bx, by))
                continue;
            const Pixel old = before.At(bx, by);
            Pixel& p = dst.At(x, y);
            if ((p & 0x00FFFFFFu) != (old & 0x00FFFFFFu))
                p |= 0xFF000000u;
            else
                p = old;
        }
}

void RepairTitleAlpha(SkinBitmap& bmp) {
    for (int y = 0; y < bmp.Height(); ++y) {
        Pixel* row = bmp.Row(y);
        for (int x = 0; x < bmp.Width(); ++x) {
            const Pixel p = row[x];
            const int a = static_cast<int>(p >> 24);
            if (a == 255)
                continue;
            const int r = static_cast<int>(Channel(p, 16));
            const int g = static_cast<int>(Channel(p, 8));
            const int b = static_cast<int>(Channel(p, 0));
            const int m = std::max({std::abs(b - g), std::abs(r - g), std::abs(r - b)});
            if (m == 0)
                continue;
            const int gain = static_cast<int>(std::lround(2.0 * (255 - a) * std::sqrt(m / 255.0)));
            const Pixel na = static_cast<Pixel>(std::min(255, a + gain));
            const Pixel nr = static_cast<Pixel>(r - r / 16);
            const Pixel ng = static_cast<Pixel>(g - g / 16);
            const Pixel nb = static_cast<Pixel>(b - b / 16);
            row[x] = (na << 24) | (nr << 16) | (ng << 8) | nb;
        }
    }
}

} // namespace skin::render
