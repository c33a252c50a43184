#include "skin/render/corner_pixels.h"

#include "skin/render/border_mask.h"

namespace skin::render {

namespace {

// One corner: its place in the cached image and in the source, and its size.
struct Corner {
    int cache_x, cache_y, source_x, source_y, width, height;
};

} // namespace

void RefreshCornerPixels(SkinBitmap& cache, const MaskSource& border, int state,
                         const TCacheInfo& background) {
    if (!border.HasManager || border.CornerType <= 0 || cache.IsEmpty() || border.Image.IsEmpty())
        return;
    MaskSource mask = border;
    if (mask.OwnBitmap && mask.ImageCount == 0) {
        mask.ImageCount = 3;
        mask.MaskType = 1;
        mask.R = mask.Image.Bounds();
    }
    if (mask.ImageCount <= 0)
        return;
    const int w = cache.Width();
    const int h = cache.Height();
    // The key-coloured variant was drawn at the fitted size; the band variant tests its colour
    // band at the mask's own widths.
    BorderWidths fit{mask.WL, mask.WT, mask.WR, mask.WB};
    if (mask.MaskType == 0)
        fit = FitBorderWidths(mask, w, h);
    const int sw = StateWidth(mask);
    const int sh = StateHeight(mask);
    const int sx = mask.R.Left + StateIndex(mask, state) * sw;
    const int sy = mask.R.Top;
    const Corner corners[] = {
        {0, 0, sx, sy, fit.Left, fit.Top},
        {0, h - fit.Bottom, sx, sy + sh - fit.Bottom, fit.Left, fit.Bottom},
        {w - fit.Right, h - fit.Bottom, sx + sw - fit.Right, sy + sh - fit.Bottom, fit.Right,
         fit.Bottom},
        {w - fit.Right, 0, sx + sw - fit.Right, sy, fit.Right, fit.Top},
    };
    const Pixel plain = ColorToPixel(background.FillColor) & 0x00FFFFFFu;
    const bool ready = background.Ready && background.Bmp;
    for (const Corner& c : corners) {
        for (int row = 0; row < c.height; ++row) {
            const int cy = c.cache_y + row;
            const int src_y = c.source_y + row;
            if (cy < 0 || cy >= h || src_y < 0 || src_y >= mask.Image.Height())
                continue;
            for (int col = 0; col < c.width; ++col) {
                const int cx = c.cache_x + col;
                const int src_x = c.source_x + col;
                if (cx < 0 || cx >= w || src_x < 0 || src_x >= mask.Image.Width() ||
                    mask.Image.At(src_x, src_y) != kKeyPixel)
                    continue;
                Pixel colour = plain;
                if (ready) {
                    const int bx = cx + background.X;
                    const int by = cy + background.Y;
                    if (!background.Bmp->Contains(bx, by))
                        continue;
                    colour = background.Bmp->At(bx, by) & 0x00FFFFFFu;
                }
                Pixel& p = cache.At(cx, cy);
                p = (p & 0xFF000000u) | colour;
            }
        }
    }
}

void CornerHoleRects(std::vector<Rect>& rects, int width, const MaskSource& mask, bool bottom,
                     int y_offset) {
    if (!mask.HasManager || mask.ImageCount <= 0 || mask.Image.IsEmpty())
        return;
    const int sw = StateWidth(mask);
    const int rows = bottom ? mask.WB : mask.WT;
    if (mask.MaskType < 0)
        return;
    const int first_row = mask.R.Top + (bottom ? StateHeight(mask) - mask.WB : 0);
    const SkinBitmap& src = mask.Image;
    auto scan = [&](int from_x, int count, int shift, int row) {
        const int y = first_row + row;
        if (y < 0 || y >= src.Height())
            return;
        int run = -1;
        for (int i = 0; i <= count; ++i) {
            const int x = from_x + i;
            const bool key = i < count && x >= 0 && x < src.Width() && src.At(x, y) == kKeyPixel;
            if (key && run < 0)
                run = i;
            if (!key && run >= 0) {
                const int left = from_x - mask.R.Left + run + shift;
                rects.push_back({left, y_offset + row, left + i - run, y_offset + row + 1});
                run = -1;
            }
        }
    };
    for (int row = 0; row < rows; ++row) {
        scan(mask.R.Left, mask.WL, 0, row);
        scan(mask.R.Left + sw - mask.WR, mask.WR, width - sw, row);
    }
}

} // namespace skin::render
