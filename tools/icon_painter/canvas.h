#pragma once

// A small anti-aliased vector painter for the program's own icons: shapes are filled with
// 8 x 8 samples per pixel and composited over what is there, straight alpha, RGBA floats.

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace icons {

struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;
};
constexpr Rgba Hex(std::uint32_t rgb, float alpha = 1.0f) {
    return {((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f,
            alpha};
}

struct Point {
    float x, y;
};

// Paint as a function of the position, for gradients; a plain colour is a constant one.
using Paint = std::function<Rgba(float x, float y)>;
Paint Solid(Rgba colour);
// From `from` at y0 to `to` at y1, clamped outside.
Paint VerticalGradient(Rgba from, float y0, Rgba to, float y1);

class Canvas {
public:
    // Coordinates are given on a design grid of `design` units that is scaled to `size` pixels.
    Canvas(int size, float design);

    int Size() const { return size_; }
    void FillPolygon(const std::vector<Point>& points, const Paint& paint);
    void FillRoundRect(float left, float top, float right, float bottom, float radius,
                       const Paint& paint);
    void FillEllipse(float cx, float cy, float rx, float ry, const Paint& paint);
    // A ring between two ellipses of the same centre.
    void FillRing(float cx, float cy, float outer, float inner, const Paint& paint);
    void StrokeLine(Point from, Point to, float width, const Paint& paint);
    // 8-bit straight-alpha RGBA, rows top to bottom.
    std::vector<std::uint8_t> Pixels() const;

private:
    using Inside = std::function<bool(float x, float y)>;
    void Fill(float left, float top, float right, float bottom, const Inside& inside,
              const Paint& paint);
    void Blend(int x, int y, Rgba colour, float coverage);

    int size_;
    float scale_;
    std::vector<Rgba> pixels_;
};

} // namespace icons
