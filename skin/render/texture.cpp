#include "skin/render/texture.h"

#include "skin/render/copy_pixels.h"
#include "skin/render/stretch.h"

#include <algorithm>

namespace skin::render {

namespace {

// Copies of the tile from area's top-left; the last column and row cut to fit.
void TileArea(SkinBitmap& bitmap, const Rect& area, const SkinBitmap& src, const Rect& tile) {
    if (tile.IsEmpty())
        return;
    for (int y = area.Top; y < area.Bottom; y += tile.Height())
        for (int x = area.Left; x < area.Right; x += tile.Width())
            CopyPixels(bitmap, x, y, src,
                       {tile.Left, tile.Top, tile.Left + std::min(tile.Width(), area.Right - x),
                        tile.Top + std::min(tile.Height(), area.Bottom - y)});
}

// The background's pixel behind a destination pixel, or the plain colour; false when neither
// is known.
bool BackgroundAt(const TCacheInfo& ci, int x, int y, Pixel& out) {
    if (ci.Ready && ci.Bmp) {
        if (!ci.Bmp->Contains(x + ci.X, y + ci.Y))
            return false;
        out = ci.Bmp->At(x + ci.X, y + ci.Y) | 0xFF000000u;
        return true;
    }
    if (ci.FillColor == kKeyColor)
        return false;
    out = (ColorToPixel(ci.FillColor) & 0x00FFFFFFu) | 0xFF000000u;
    return true;
}

void FillFromBackground(SkinBitmap& bitmap, const Rect& strip, const TCacheInfo& ci) {
    const Rect area = Intersect(strip, bitmap.Bounds());
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x) {
            Pixel p;
            if (BackgroundAt(ci, x, y, p))
                bitmap.At(x, y) = p;
        }
}

// One tile (or its cut part) of a banded texture at (x, y).
void MaskedTile(SkinBitmap& bitmap, int x, int y, int width, int height, const SkinBitmap& src,
                const Rect& tile, int band, const TCacheInfo& ci) {
    // Key pixels show the cache bitmap only when the cache names no plain colour.
    const bool from_cache = ci.Ready && ci.Bmp && ci.FillColor == kKeyColor;
    for (int row = 0; row < height; ++row) {
        const int dy = y + row;
        if (dy < 0 || dy >= bitmap.Height())
            continue;
        const Pixel* colour = src.Row(tile.Top + row) + tile.Left;
        const Pixel* mask = src.Row(tile.Top + row + band) + tile.Left;
        Pixel* out = bitmap.Row(dy);
        for (int col = 0; col < width; ++col) {
            const int dx = x + col;
            if (dx < 0 || dx >= bitmap.Width())
                continue;
            const Pixel s = colour[col];
            if (s == kKeyPixel) {
                if (from_cache) {
                    if (ci.Bmp->Contains(dx + ci.X, dy + ci.Y))
                        out[dx] = ci.Bmp->At(dx + ci.X, dy + ci.Y) | 0xFF000000u;
                } else if (ci.FillColor != kKeyColor) {
                    out[dx] = (ColorToPixel(ci.FillColor) & 0x00FFFFFFu) | 0xFF000000u;
                }
                continue;
            }
            const Pixel d = out[dx];
            const Pixel m = mask[col];
            Pixel result = d & 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                const int dc = static_cast<int>((d >> shift) & 0xFF);
                const int sc = static_cast<int>((s >> shift) & 0xFF);
                const int mc = static_cast<int>((m >> shift) & 0xFF);
                result |= static_cast<Pixel>(std::clamp(((dc - sc) * mc + sc * 256) >> 8, 0, 255))
                          << shift;
            }
            out[dx] = result;
        }
    }
}

} // namespace

void PaintTexture(SkinBitmap& bitmap, Rect& r, const SkinBitmap& pattern) {
    TileArea(bitmap, r, pattern, pattern.Bounds());
    r = kNothingLeft;
}

void PaintTexture(SkinBitmap& bitmap, Rect& r, int mode, const MaskSource& mask) {
    const SkinBitmap& src = mask.Image;
    const Rect tile = Intersect(mask.R, src.Bounds());
    if (!mask.HasManager || tile.IsEmpty()) {
        return;
    }
    const int tw = tile.Width();
    const int th = tile.Height();
    const Rect top{r.Left, r.Top, r.Right, std::min(r.Top + th, r.Bottom)};
    const Rect left{r.Left, r.Top, std::min(r.Left + tw, r.Right), r.Bottom};
    switch (mode) {
    case tfTile:
        TileArea(bitmap, r, src, tile);
        r = kNothingLeft;
        break;
    case tfStretch:
        StretchNearest(bitmap, r, src, tile);
        r = kNothingLeft;
        break;
    case tfTileTop:
    case tfStretchTop:
        if (mode == tfTileTop)
            TileArea(bitmap, top, src, tile);
        else
            StretchNearest(bitmap, top, src, tile);
        r.Top = top.Bottom;
        break;
    case tfTileLeft:
    case tfStretchLeft:
        if (mode == tfTileLeft)
            TileArea(bitmap, left, src, tile);
        else
            StretchNearest(bitmap, left, src, tile);
        r.Left = left.Right;
        break;
    case tfTileBottom: {
        const Rect bottom{r.Left, std::max(r.Bottom - th, r.Top), r.Right, r.Bottom};
        TileArea(bitmap, bottom, src, tile);
        r.Bottom = bottom.Top;
        break;
    }
    case tfTileRight: {
        const Rect right{std::max(r.Right - tw, r.Left), r.Top, r.Right, r.Bottom};
        TileArea(bitmap, right, src, tile);
        r.Right = right.Left;
        break;
    }
    case tfWholeTiles:
        for (int y = r.Top; y + th <= r.Bottom; y += th)
            TileArea(bitmap, {r.Left, y, r.Right, y + th}, src, tile);
        r = kNothingLeft;
        break;
    default:
        TileArea(bitmap, r, src, tile);
        r.Left = std::max(r.Right - tw, r.Left);
        break;
    }
    if (r.IsEmpty())
        r = kNothingLeft;
}

void PaintMaskedTexture(SkinBitmap& bitmap, Rect& r, const TCacheInfo& ci, int mode,
                        const MaskSource& mask) {
    const SkinBitmap& src = mask.Image;
    const int band = mask.R.Height() / 2;
    const Rect tile{mask.R.Left, mask.R.Top, mask.R.Left + StateWidth(mask), mask.R.Top + band};
    const Rect area = r;
    r = kNothingLeft;
    if (!mask.HasManager || tile.IsEmpty() || Intersect(tile, src.Bounds()) != tile ||
        mask.R.Top + 2 * band > src.Height())
        return;
    const int tw = tile.Width();
    const int th = tile.Height();
    if (mode == tfTile) {
        for (int y = area.Top; y < area.Bottom; y += th)
            for (int x = area.Left; x < area.Right; x += tw)
                MaskedTile(bitmap, x, y, std::min(tw, area.Right - x),
                           std::min(th, area.Bottom - y), src, tile, band, ci);
    } else if (mode == tfWholeTiles) {
        const int across = area.Width() / tw;
        const int down = area.Height() / th;
        for (int j = 0; j < down; ++j)
            for (int i = 0; i < across; ++i)
                MaskedTile(bitmap, area.Left + i * tw, area.Top + j * th, tw, th, src, tile, band,
                           ci);
        FillFromBackground(bitmap, {area.Left + across * tw, area.Top, area.Right, area.Bottom},
                           ci);
        FillFromBackground(
            bitmap, {area.Left, area.Top + down * th, area.Left + across * tw, area.Bottom}, ci);
    }
}

} // namespace skin::render
