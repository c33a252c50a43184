#pragma once

// Drawing surface of the skin generator: a small RGBA picture with exact coverage, composed
// source-over, then committed into a skin image either with the key colour (24-bit master
// bitmap) or as a colour band plus a transparency band, or kept with its alpha (PNG images).
//
// Shapes are sampled 4 x 4 per pixel; all arithmetic is plain or square roots, so the pixels
// are the same on every platform.

#include "skin/data/image32.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace skin_generator {

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// 0xRRGGBB as written in colour pickers.
constexpr Rgb Hex(std::uint32_t v) {
    return {static_cast<int>(v >> 16 & 0xFF), static_cast<int>(v >> 8 & 0xFF),
            static_cast<int>(v & 0xFF)};
}
Rgb Mix(Rgb a, Rgb b, double t); // t = 0 gives a

class Layer {
public:
    Layer(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb ColorAt(int x, int y) const;
    double AlphaAt(int x, int y) const; // 0 .. 1

    // Covers the pixel by colour with coverage a (0 .. 1), source-over.
    void Blend(int x, int y, Rgb colour, double a);

    // A shape given by an inside test on continuous coordinates, filled by a colour that may
    // vary with the position.
    using Inside = std::function<bool(double x, double y)>;
    using Paint = std::function<Rgb(double x, double y)>;
    void FillShape(const Inside& inside, const Paint& paint, double opacity = 1);

    void FillRoundRect(double x0, double y0, double x1, double y1, double radius, const Paint& p,
                       double opacity = 1);
    // A ring of the given width just inside the rounded rectangle's edge.
    void StrokeRoundRect(double x0, double y0, double x1, double y1, double radius, double width,
                         Rgb colour, double opacity = 1);
    void FillEllipse(double cx, double cy, double rx, double ry, const Paint& p,
                     double opacity = 1);
    void StrokeEllipse(double cx, double cy, double rx, double ry, double width, Rgb colour,
                       double opacity = 1);
    // A thick line with round ends.
    void Line(double x0, double y0, double x1, double y1, double width, Rgb colour,
              double opacity = 1);
    void FillPolygon(const std::vector<std::pair<double, double>>& points, Rgb colour,
                     double opacity = 1);
    // Rows of characters; each character not '.' or ' ' is drawn in its colour.
    void Ascii(int x, int y, const std::vector<const char*>& rows,
               const std::function<Rgb(char)>& colours, double opacity = 1);

    // Into a 24-bit skin image at (x, y): pixels under half covered become the key colour, the
    // rest are the colour blended over matte by their coverage.
    void CommitKeyed(skin::data::Image32& target, int x, int y, Rgb matte) const;
    // Colour at (x, y); the transparency band below it at (x, y + band): 0 where the layer is
    // opaque, 255 where it is empty.
    void CommitBanded(skin::data::Image32& target, int x, int y, int band) const;
    // With its alpha, unpremultiplied, at (x, y) of a 32-bit image.
    void CommitAlpha(skin::data::Image32& target, int x, int y) const;

private:
    int width_, height_;
    std::vector<double> r_, g_, b_, a_;
};

inline Layer::Paint Solid(Rgb c) {
    return [c](double, double) { return c; };
}
// Top to bottom over y0 .. y1.
Layer::Paint Vertical(Rgb top, Rgb bottom, double y0, double y1);

skin::data::Pixel ToPixel(Rgb c, int alpha = 255);

} // namespace skin_generator
