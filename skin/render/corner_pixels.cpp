#include "skin/render/corner_pixels.h"

#include "skin/render/border_mask.h"
#include "skin/render/fills.h"

#include <cstdint>

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

std::vector<Rect> BorderShapeRuns(const MaskSource& border, int state, int width, int height) {
    std::vector<Rect> runs;
    if (width <= 0 || height <= 0)
        return runs;
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    // 1: see-through, 2: see-through and reached from outside.
    std::vector<std::uint8_t> through(count, 0);
    if (border.HasManager && border.ImageCount > 0 && !border.Image.IsEmpty()) {
        // Drawn over two backgrounds: a pixel that shows the background both times lets it show;
        // so does one left in the key colour (the tiled edges copy their pixels as they are).
        constexpr Color kMarkers[] = {0x000000, 0xFFFFFF};
        std::vector<std::uint8_t> shows(count, 0);
        for (const Color marker : kMarkers) {
            SkinBitmap behind(width, height);
            FillRectOpaque(behind, behind.Bounds(), marker);
            SkinBitmap drawn = behind.Clone();
            const TCacheInfo ci{&behind, 0, 0, marker, true};
            DrawBorderMask(drawn, drawn.Bounds(), true, state, border, ci);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const Pixel p = drawn.At(x, y) & 0xFFFFFFu;
                    shows[static_cast<std::size_t>(y) * width + x] +=
                        p == (behind.At(x, y) & 0xFFFFFFu) || p == (kKeyPixel & 0xFFFFFFu);
                }
        }
        for (std::size_t i = 0; i < count; ++i)
            through[i] = shows[i] == 2 ? 1 : 0;
        // Flood from the edges through see-through pixels.
        std::vector<std::size_t> stack;
        const auto reach = [&](int x, int y) {
            const std::size_t i = static_cast<std::size_t>(y) * width + x;
            if (through[i] == 1) {
                through[i] = 2;
                stack.push_back(i);
            }
        };
        for (int x = 0; x < width; ++x) {
            reach(x, 0);
            reach(x, height - 1);
        }
        for (int y = 0; y < height; ++y) {
            reach(0, y);
            reach(width - 1, y);
        }
        while (!stack.empty()) {
            const std::size_t i = stack.back();
            stack.pop_back();
            const int x = static_cast<int>(i % width);
            const int y = static_cast<int>(i / width);
            if (x > 0)
                reach(x - 1, y);
            if (x + 1 < width)
                reach(x + 1, y);
            if (y > 0)
                reach(x, y - 1);
            if (y + 1 < height)
                reach(x, y + 1);
        }
    }
    for (int y = 0; y < height; ++y) {
        int run = -1;
        for (int x = 0; x <= width; ++x) {
            const bool kept = x < width && through[static_cast<std::size_t>(y) * width + x] != 2;
            if (kept && run < 0)
                run = x;
            if (!kept && run >= 0) {
                runs.push_back({run, y, x, y + 1});
                run = -1;
            }
        }
    }
    return runs;
}

} // namespace skin::render
