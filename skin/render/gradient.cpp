#include "skin/render/gradient.h"

#include "skin/render/colors.h"
#include "skin/render/fills.h"
#include "skin/render/pixel_rows.h"
#include "skin/render/triangle_gradient.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <vector>

namespace skin::render {

namespace {

Rect ClipToBitmap(const Rect& r, const SkinBitmap& bitmap) {
    return {std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, bitmap.Width()),
            std::min(r.Bottom, bitmap.Height())};
}

// Red, green and blue of a colour value as the running reals of a segment.
struct Channels {
    std::array<float, 3> v;
    static Channels Of(data::TColor c) {
        return {{static_cast<float>(RedOf(c)), static_cast<float>(GreenOf(c)),
                 static_cast<float>(BlueOf(c))}};
    }
    Pixel ToPixel() const {
        auto round = [](float f) {
            return static_cast<Pixel>(std::clamp(static_cast<int>(std::nearbyint(f)), 0, 255));
        };
        return 0xFF000000u | (round(v[0]) << 16) | (round(v[1]) << 8) | round(v[2]);
    }
};

// One segment's span [start, end] along the gradient, inclusive at both ends, and the colour
// of every position in it. Segments whose span is empty are skipped; the next one starts where
// this one would have ended.
template <typename Paint>
void WalkSegments(const data::TsGradArray& pies, int first, int last,
                  const std::function<int(const data::TsGradPie&, int start)>& segment_end,
                  Paint paint) {
    int start = first;
    for (std::size_t i = 0; i < pies.size(); ++i) {
        const data::TsGradPie& pie = pies[i];
        int end = std::min(segment_end(pie, start), last);
        if (i + 1 == pies.size())
            end = last;
        if (end - start <= 0) {
            start = end;
            continue;
        }
        const int n = end - start;
        Channels value = Channels::Of(pie.Color1);
        const Channels to = Channels::Of(pie.Color2);
        std::array<float, 3> step{};
        if (pie.Color1 != pie.Color2)
            for (int c = 0; c < 3; ++c)
                step[c] = (to.v[c] - value.v[c]) / static_cast<float>(n);
        for (int position = start; position <= end; ++position) {
            paint(position, value.ToPixel());
            for (int c = 0; c < 3; ++c)
                value.v[c] += step[c];
        }
        start = end;
    }
}

int VerticalEnd(const data::TsGradPie& pie, int start, int length) {
    return start + length * pie.Percent / 100;
}

int HorizontalEnd(const data::TsGradPie& pie, int start, int length) {
    return static_cast<int>(
        std::nearbyint(pie.Percent * static_cast<double>(length) / 100 + start));
}

void PaintVertical(SkinBitmap& bitmap, const Rect& r, const data::TsGradArray& pies, int offset) {
    WalkSegments(
        pies, r.Top + offset, r.Bottom - 1,
        [&](const data::TsGradPie& pie, int start) {
            return VerticalEnd(pie, start, offset + r.Height());
        },
        [&](int row, Pixel p) {
            if (row >= r.Top && row < r.Bottom)
                rows::Fill(bitmap.Row(row) + r.Left, r.Width(), p);
        });
}

// The colours of one row of a horizontal gradient over r's columns.
std::vector<Pixel> HorizontalRow(const Rect& r, const data::TsGradArray& pies) {
    std::vector<Pixel> row(static_cast<std::size_t>(r.Width()), 0xFF000000u);
    WalkSegments(
        pies, r.Left, r.Right - 1,
        [&](const data::TsGradPie& pie, int start) { return HorizontalEnd(pie, start, r.Width()); },
        [&](int column, Pixel p) {
            if (column >= r.Left && column < r.Right)
                row[static_cast<std::size_t>(column - r.Left)] = p;
        });
    return row;
}

void PaintHorizontal(SkinBitmap& bitmap, const Rect& r, const data::TsGradArray& pies) {
    const std::vector<Pixel> row = HorizontalRow(r, pies);
    for (int y = r.Top; y < r.Bottom; ++y)
        std::copy(row.begin(), row.end(), bitmap.Row(y) + r.Left);
}

GradientVertex Vertex(int x, int y, data::TColor c) {
    return {x,
            y,
            static_cast<std::uint16_t>(RedOf(c) << 8),
            static_cast<std::uint16_t>(GreenOf(c) << 8),
            static_cast<std::uint16_t>(BlueOf(c) << 8),
            0xFF00};
}

void PaintTriangles(SkinBitmap& bitmap, const Rect& r, const data::TsGradArray& pies) {
    // A missing segment repeats the colour of the point before it.
    std::array<data::TColor, 5> colours{};
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = i < pies.size() ? pies[i].Color1 : colours[i == 0 ? 0 : i - 1];
    const std::array<GradientVertex, 5> points = {
        Vertex(r.Left, r.Top, colours[0]),
        Vertex(r.Left + r.Width() / 2, r.Top + r.Height() / 2, colours[1]),
        Vertex(r.Right, r.Top, colours[2]),
        Vertex(r.Right, r.Bottom, colours[3]),
        Vertex(r.Left, r.Bottom, colours[4]),
    };
    const std::array<GradientTriangle, 4> triangles = {
        GradientTriangle{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
    FillGradientTriangles(bitmap, points, triangles);
}

} // namespace

bool GradientPaints(const SkinBitmap& bitmap, const Rect& r, const data::TsGradArray& pies,
                    int offset) {
    const Rect area = ClipToBitmap(r, bitmap);
    if (area.IsEmpty() || pies.empty())
        return false;
    switch (pies.front().Mode1) {
    case gmVertical:
        return area.Bottom - 1 > area.Top + offset;
    case gmHorizontal:
        return area.Width() > 1;
    case gmTriangles:
        return true;
    default:
        return false;
    }
}

bool PaintGradient(SkinBitmap& bitmap, const Rect& r, const data::TsGradArray& pies, int offset) {
    if (!GradientPaints(bitmap, r, pies, offset))
        return false;
    const Rect area = ClipToBitmap(r, bitmap);
    switch (pies.front().Mode1) {
    case gmVertical:
        PaintVertical(bitmap, area, pies, offset);
        break;
    case gmHorizontal:
        PaintHorizontal(bitmap, area, pies);
        break;
    default:
        PaintTriangles(bitmap, area, pies);
        break;
    }
    return true;
}

namespace {

// Texture tiles as seen from destination bitmap coordinates.
struct Tiles {
    const SkinBitmap& texture;
    Rect rect;
    const Pixel* Row(int y) const { return texture.Row(rect.Top + y % rect.Height()) + rect.Left; }
    Pixel At(const Pixel* row, int x) const { return row[x % rect.Width()]; }
};

inline Pixel Mix(Pixel g, Pixel x, int t) {
    Pixel out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const int gc = static_cast<int>((g >> shift) & 0xFF);
        const int xc = static_cast<int>((x >> shift) & 0xFF);
        out |= static_cast<Pixel>((t * (xc - gc) + gc * 256) >> 8) << shift;
    }
    return out;
}

} // namespace

bool PaintGradientTexture(SkinBitmap& bitmap, const Rect& r, const data::TsGradArray& pies,
                          int texture_weight, const Rect& texture_rect, const SkinBitmap& texture) {
    const Rect area = ClipToBitmap(r, bitmap);
    const int mode = pies.empty() ? -1 : pies.front().Mode1;
    if ((mode != gmVertical && mode != gmHorizontal) || !GradientPaints(bitmap, r, pies))
        return false;
    Rect tile = texture_rect.IsEmpty() ? texture.Bounds() : texture_rect;
    tile = Intersect(tile, texture.Bounds());
    if (tile.IsEmpty())
        return false;
    const Tiles tiles{texture, tile};
    const int t = texture_weight;
    if (pies.front().Mode1 == gmVertical) {
        WalkSegments(
            pies, area.Top, area.Bottom - 1,
            [&](const data::TsGradPie& pie, int start) {
                return VerticalEnd(pie, start, area.Height());
            },
            [&](int y, Pixel g) {
                const Pixel* tex = tiles.Row(y);
                Pixel* out = bitmap.Row(y);
                for (int x = area.Left; x < area.Right; ++x)
                    out[x] = Mix(g, tiles.At(tex, x), t);
            });
    } else if (pies.front().Mode1 == gmHorizontal) {
        const std::vector<Pixel> gradient = HorizontalRow(area, pies);
        // One band as high as the texture is mixed, then copied down block by block.
        const int band = std::min(tile.Height(), area.Height());
        for (int y = area.Top; y < area.Top + band; ++y) {
            const Pixel* tex = tiles.Row(y);
            Pixel* out = bitmap.Row(y);
            for (int x = area.Left; x < area.Right; ++x)
                out[x] =
                    Mix(gradient[static_cast<std::size_t>(x - area.Left)], tiles.At(tex, x), t);
        }
        for (int y = area.Top + band; y < area.Bottom; ++y)
            std::copy_n(bitmap.Row(area.Top + (y - area.Top) % band) + area.Left, area.Width(),
                        bitmap.Row(y) + area.Left);
    }
    return true;
}

} // namespace skin::render
