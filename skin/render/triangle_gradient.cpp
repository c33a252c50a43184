#include "skin/render/triangle_gradient.h"

#include <algorithm>
#include <cmath>

namespace skin::render {

namespace {

// Twice the signed area of (a, b, p), positive when p lies left of a -> b in screen
// coordinates (y down) seen as a counter-clockwise turn.
double Edge(double ax, double ay, double bx, double by, double px, double py) {
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

// A pixel centre exactly on an edge belongs to the triangle when the edge is a top edge or a
// left edge, so that two triangles sharing an edge never both paint it.
bool Owns(double e, double ax, double ay, double bx, double by) {
    if (e != 0)
        return e > 0;
    // With the corners in the order that makes the area positive, the inside lies below a
    // top edge (running right) and right of a left edge (running up).
    const bool top = ay == by && bx > ax;
    const bool left = by < ay;
    return top || left;
}

void FillTriangle(SkinBitmap& bitmap, GradientVertex a, GradientVertex b, GradientVertex c) {
    double area = Edge(a.X, a.Y, b.X, b.Y, c.X, c.Y);
    if (area == 0)
        return;
    if (area < 0) {
        std::swap(b, c);
        area = -area;
    }
    const int left = std::max(0, std::min({a.X, b.X, c.X}));
    const int top = std::max(0, std::min({a.Y, b.Y, c.Y}));
    const int right = std::min(bitmap.Width(), std::max({a.X, b.X, c.X}) + 1);
    const int bottom = std::min(bitmap.Height(), std::max({a.Y, b.Y, c.Y}) + 1);
    for (int y = top; y < bottom; ++y) {
        Pixel* row = bitmap.Row(y);
        for (int x = left; x < right; ++x) {
            // Coverage and colour are both decided at the pixel's own coordinates, as the
            // window system's triangle fill does, so a colour is never taken from beyond the
            // triangle's edge; the colour is truncated.
            const double wa = Edge(b.X, b.Y, c.X, c.Y, x, y);
            const double wb = Edge(c.X, c.Y, a.X, a.Y, x, y);
            const double wc = Edge(a.X, a.Y, b.X, b.Y, x, y);
            if (!Owns(wa, b.X, b.Y, c.X, c.Y) || !Owns(wb, c.X, c.Y, a.X, a.Y) ||
                !Owns(wc, a.X, a.Y, b.X, b.Y))
                continue;
            auto channel = [&](std::uint16_t va, std::uint16_t vb, std::uint16_t vc) {
                const double v = (wa * va + wb * vb + wc * vc) / area;
                return static_cast<Pixel>(std::clamp(static_cast<int>(v), 0, 0xFFFF) >> 8);
            };
            row[x] = 0xFF000000u | (channel(a.Red, b.Red, c.Red) << 16) |
                     (channel(a.Green, b.Green, c.Green) << 8) | channel(a.Blue, b.Blue, c.Blue);
        }
    }
}

} // namespace

void FillGradientTrianglesPortable(SkinBitmap& bitmap, std::span<const GradientVertex> vertices,
                                   std::span<const GradientTriangle> triangles) {
    const int count = static_cast<int>(vertices.size());
    for (const GradientTriangle& t : triangles) {
        if (t[0] < 0 || t[1] < 0 || t[2] < 0 || t[0] >= count || t[1] >= count || t[2] >= count)
            continue;
        FillTriangle(bitmap, vertices[static_cast<std::size_t>(t[0])],
                     vertices[static_cast<std::size_t>(t[1])],
                     vertices[static_cast<std::size_t>(t[2])]);
    }
}

#if !defined(_WIN32)
void FillGradientTriangles(SkinBitmap& bitmap, std::span<const GradientVertex> vertices,
                           std::span<const GradientTriangle> triangles) {
    FillGradientTrianglesPortable(bitmap, vertices, triangles);
}
#endif

} // namespace skin::render
