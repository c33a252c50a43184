#include "skin/render/fills.h"

#include "skin/render/pixel_rows.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace skin::render {

namespace {

using ChannelTable = std::array<std::uint8_t, 256>;

// One table per channel turns a per-pixel real computation into three lookups while giving
// exactly the bytes of the real formula.
template <typename Formula>
std::array<ChannelTable, 3> MakeTables(Color color, Formula formula) {
    const Pixel target = ColorToPixel(color);
    std::array<ChannelTable, 3> tables{};
    for (int channel = 0; channel < 3; ++channel) {
        const int c = static_cast<int>((target >> (8 * channel)) & 0xFF);
        for (int v = 0; v < 256; ++v)
            tables[channel][v] =
                static_cast<std::uint8_t>(std::clamp(std::nearbyint(formula(v, c)), 0.0, 255.0));
    }
    return tables;
}

inline Pixel ApplyTables(Pixel p, const std::array<ChannelTable, 3>& tables) {
    return (p & 0xFF000000u) | tables[0][p & 0xFF] |
           (static_cast<Pixel>(tables[1][(p >> 8) & 0xFF]) << 8) |
           (static_cast<Pixel>(tables[2][(p >> 16) & 0xFF]) << 16);
}

} // namespace

void FillRectOpaque(SkinBitmap& bitmap, const Rect& r, Color color) {
    const Rect clipped = Intersect(r, bitmap.Bounds());
    if (clipped.IsEmpty())
        return;
    const Pixel value = (ColorToPixel(color) & 0x00FFFFFFu) | 0xFF000000u;
    for (int y = clipped.Top; y < clipped.Bottom; ++y)
        rows::Fill(bitmap.Row(y) + clipped.Left, clipped.Width(), value);
}

void TintRect(SkinBitmap& bitmap, const Rect& r, int keep_percent, Color color) {
    const Rect clipped = Intersect({r.Left, r.Top, r.Right + 1, r.Bottom + 1}, bitmap.Bounds());
    if (clipped.IsEmpty())
        return;
    const double f = keep_percent / 100.0;
    const auto tables = MakeTables(color, [f](int v, int c) { return f * v + (1 - f) * c; });
    for (int y = clipped.Top; y < clipped.Bottom; ++y) {
        Pixel* row = bitmap.Row(y);
        for (int x = clipped.Left; x < clipped.Right; ++x)
            row[x] = ApplyTables(row[x], tables);
    }
}

void SetAlphaRect(SkinBitmap& bitmap, const Rect& r, std::uint8_t alpha, bool skip_key) {
    const Rect clipped = Intersect(r, bitmap.Bounds());
    const Pixel alpha_bits = static_cast<Pixel>(alpha) << 24;
    for (int y = clipped.Top; y < clipped.Bottom; ++y) {
        Pixel* row = bitmap.Row(y);
        for (int x = clipped.Left; x < clipped.Right; ++x) {
            if (skip_key && row[x] == kKeyPixel)
                continue;
            row[x] = (row[x] & 0x00FFFFFFu) | alpha_bits;
        }
    }
}

void TintBitmap(SkinBitmap& bitmap, Color color, double keep) {
    const auto tables = MakeTables(color, [keep](int v, int c) { return keep * (v - c) + c; });
    for (int y = 0; y < bitmap.Height(); ++y) {
        Pixel* row = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x)
            if (row[x] != kKeyPixel)
                row[x] = ApplyTables(row[x], tables);
    }
}

void MultiplyByMask(SkinBitmap& bitmap, const SkinBitmap& mask, Color color) {
    if (bitmap.Width() != mask.Width() || bitmap.Height() != mask.Height())
        return;
    const Pixel target = ColorToPixel(color);
    for (int y = 0; y < bitmap.Height(); ++y) {
        Pixel* row = bitmap.Row(y);
        const Pixel* mask_row = mask.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            Pixel out = row[x] & 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                const int c = static_cast<int>((target >> shift) & 0xFF);
                const int v = static_cast<int>((row[x] >> shift) & 0xFF);
                const int m = static_cast<int>((mask_row[x] >> shift) & 0xFF);
                out |= static_cast<Pixel>((c * 256 + (v - c) * m) >> 8) << shift;
            }
            row[x] = out;
        }
    }
}

} // namespace skin::render
