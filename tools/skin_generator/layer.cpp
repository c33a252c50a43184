#include "tools/skin_generator/layer.h"

#include <algorithm>
#include <cmath>

namespace skin_generator {

namespace {

constexpr int kSamples = 4;

int Round255(double v) {
    return static_cast<int>(std::clamp(v, 0.0, 255.0) + 0.5);
}

bool InRoundRect(double x, double y, double x0, double y0, double x1, double y1, double r) {
    if (x < x0 || x >= x1 || y < y0 || y >= y1)
        return false;
    double cx = std::clamp(x, x0 + r, x1 - r);
    double cy = std::clamp(y, y0 + r, y1 - r);
    double dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy <= r * r;
}

double SegmentDistance(double px, double py, double x0, double y0, double x1, double y1) {
    double dx = x1 - x0, dy = y1 - y0;
    double len = dx * dx + dy * dy;
    double t = len == 0 ? 0 : std::clamp(((px - x0) * dx + (py - y0) * dy) / len, 0.0, 1.0);
    double ex = px - (x0 + t * dx), ey = py - (y0 + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}

} // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
    return {Round255(a.r + (b.r - a.r) * t), Round255(a.g + (b.g - a.g) * t),
            Round255(a.b + (b.b - a.b) * t)};
}

Layer::Paint Vertical(Rgb top, Rgb bottom, double y0, double y1) {
    return [=](double, double y) {
        return Mix(top, bottom, std::clamp((y - y0) / std::max(y1 - y0, 1.0), 0.0, 1.0));
    };
}

skin::data::Pixel ToPixel(Rgb c, int alpha) {
    return (static_cast<skin::data::Pixel>(alpha) << 24) | (c.r << 16) | (c.g << 8) | c.b;
}

Layer::Layer(int width, int height)
    : width_(width), height_(height), r_(width * height), g_(width * height), b_(width * height),
      a_(width * height) {}

Rgb Layer::ColorAt(int x, int y) const {
    int i = y * width_ + x;
    return {Round255(r_[i]), Round255(g_[i]), Round255(b_[i])};
}

double Layer::AlphaAt(int x, int y) const {
    return a_[y * width_ + x];
}

void Layer::Blend(int x, int y, Rgb c, double a) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || a <= 0)
        return;
    int i = y * width_ + x;
    double out = a + a_[i] * (1 - a);
    if (out <= 0)
        return;
    double keep = a_[i] * (1 - a) / out, put = a / out;
    r_[i] = r_[i] * keep + c.r * put;
    g_[i] = g_[i] * keep + c.g * put;
    b_[i] = b_[i] * keep + c.b * put;
    a_[i] = out;
}

void Layer::FillShape(const Inside& inside, const Paint& paint, double opacity) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx)
                    hits += inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples);
            if (hits)
                Blend(x, y, paint(x + 0.5, y + 0.5), opacity * hits / double(kSamples * kSamples));
        }
    }
}

void Layer::FillRoundRect(double x0, double y0, double x1, double y1, double r, const Paint& p,
                          double opacity) {
    FillShape([=](double x, double y) { return InRoundRect(x, y, x0, y0, x1, y1, r); }, p, opacity);
}

void Layer::StrokeRoundRect(double x0, double y0, double x1, double y1, double r, double w,
                            Rgb colour, double opacity) {
    double ri = std::max(r - w, 0.0);
    FillShape(
        [=](double x, double y) {
            return InRoundRect(x, y, x0, y0, x1, y1, r) &&
                   !InRoundRect(x, y, x0 + w, y0 + w, x1 - w, y1 - w, ri);
        },
        Solid(colour), opacity);
}

void Layer::FillEllipse(double cx, double cy, double rx, double ry, const Paint& p,
                        double opacity) {
    FillShape(
        [=](double x, double y) {
            double dx = (x - cx) / rx, dy = (y - cy) / ry;
            return dx * dx + dy * dy <= 1;
        },
        p, opacity);
}

void Layer::StrokeEllipse(double cx, double cy, double rx, double ry, double w, Rgb colour,
                          double opacity) {
    FillShape(
        [=](double x, double y) {
            double dx = (x - cx) / rx, dy = (y - cy) / ry;
            double ix = (x - cx) / (rx - w), iy = (y - cy) / (ry - w);
            return dx * dx + dy * dy <= 1 && ix * ix + iy * iy > 1;
        },
        Solid(colour), opacity);
}

void Layer::Line(double x0, double y0, double x1, double y1, double w, Rgb colour, double opacity) {
    FillShape([=](double x, double y) { return SegmentDistance(x, y, x0, y0, x1, y1) <= w / 2; },
              Solid(colour), opacity);
}

void Layer::FillPolygon(const std::vector<std::pair<double, double>>& points, Rgb colour,
                        double opacity) {
    FillShape(
        [&](double x, double y) {
            bool in = false;
            for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                auto [xi, yi] = points[i];
                auto [xj, yj] = points[j];
                if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
                    in = !in;
            }
            return in;
        },
        Solid(colour), opacity);
}

void Layer::Ascii(int x, int y, const std::vector<const char*>& rows,
                  const std::function<Rgb(char)>& colours, double opacity) {
    for (std::size_t row = 0; row < rows.size(); ++row)
        for (int col = 0; rows[row][col]; ++col)
            if (rows[row][col] != '.' && rows[row][col] != ' ')
                Blend(x + col, y + static_cast<int>(row), colours(rows[row][col]), opacity);
}

void Layer::CommitKeyed(skin::data::Image32& target, int x, int y, Rgb matte) const {
    for (int j = 0; j < height_; ++j)
        for (int i = 0; i < width_; ++i) {
            double a = AlphaAt(i, j);
            target.At(x + i, y + j) =
                a < 0.5 ? skin::data::kKeyPixel : ToPixel(Mix(matte, ColorAt(i, j), a));
        }
}

void Layer::CommitBanded(skin::data::Image32& target, int x, int y, int band) const {
    for (int j = 0; j < height_; ++j)
        for (int i = 0; i < width_; ++i) {
            double a = AlphaAt(i, j);
            Rgb colour = a > 0 ? ColorAt(i, j) : Rgb{255, 255, 255};
            int grey = Round255(255 * (1 - a));
            target.At(x + i, y + j) = ToPixel(colour);
            target.At(x + i, y + j + band) = ToPixel({grey, grey, grey});
        }
}

void Layer::CommitAlpha(skin::data::Image32& target, int x, int y) const {
    for (int j = 0; j < height_; ++j)
        for (int i = 0; i < width_; ++i) {
            int a = Round255(255 * AlphaAt(i, j));
            target.At(x + i, y + j) = a == 0 ? 0 : ToPixel(ColorAt(i, j), a);
        }
}

} // namespace skin_generator
