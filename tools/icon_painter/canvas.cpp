#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace icons {

namespace {
constexpr int kSamples = 8;
}

Paint Solid(Rgba colour) {
    return [colour](float, float) { return colour; };
}

Paint VerticalGradient(Rgba from, float y0, Rgba to, float y1) {
    return [=](float, float y) {
        const float t = std::clamp((y - y0) / (y1 - y0), 0.0f, 1.0f);
        return Rgba{from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
                    from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t};
    };
}

Canvas::Canvas(int size, float design)
    : size_(size), scale_(static_cast<float>(size) / design),
      pixels_(static_cast<std::size_t>(size * size)) {}

void Canvas::Blend(int x, int y, Rgba c, float coverage) {
    Rgba& d = pixels_[static_cast<std::size_t>(y * size_ + x)];
    const float a = c.a * coverage;
    const float out = a + d.a * (1 - a);
    if (out <= 0)
        return;
    d.r = (c.r * a + d.r * d.a * (1 - a)) / out;
    d.g = (c.g * a + d.g * d.a * (1 - a)) / out;
    d.b = (c.b * a + d.b * d.a * (1 - a)) / out;
    d.a = out;
}

void Canvas::Fill(float left, float top, float right, float bottom, const Inside& inside,
                  const Paint& paint) {
    const int x0 = std::max(0, static_cast<int>(std::floor(left * scale_)));
    const int y0 = std::max(0, static_cast<int>(std::floor(top * scale_)));
    const int x1 = std::min(size_, static_cast<int>(std::ceil(right * scale_)));
    const int y1 = std::min(size_, static_cast<int>(std::ceil(bottom * scale_)));
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx)
                    hits += inside((x + (sx + 0.5f) / kSamples) / scale_,
                                   (y + (sy + 0.5f) / kSamples) / scale_);
            if (hits)
                Blend(x, y, paint((x + 0.5f) / scale_, (y + 0.5f) / scale_),
                      static_cast<float>(hits) / (kSamples * kSamples));
        }
    }
}

void Canvas::FillPolygon(const std::vector<Point>& points, const Paint& paint) {
    float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
    for (const Point& p : points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    Fill(
        left, top, right, bottom,
        [&points](float x, float y) {
            bool inside = false; // even-odd rule
            for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                const Point& a = points[i];
                const Point& b = points[j];
                if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
                    inside = !inside;
            }
            return inside;
        },
        paint);
}

void Canvas::FillRoundRect(float left, float top, float right, float bottom, float radius,
                           const Paint& paint) {
    Fill(
        left, top, right, bottom,
        [=](float x, float y) {
            if (x < left || x >= right || y < top || y >= bottom)
                return false;
            const float cx = std::clamp(x, left + radius, right - radius);
            const float cy = std::clamp(y, top + radius, bottom - radius);
            return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
        },
        paint);
}

void Canvas::FillEllipse(float cx, float cy, float rx, float ry, const Paint& paint) {
    Fill(
        cx - rx, cy - ry, cx + rx, cy + ry,
        [=](float x, float y) {
            return (x - cx) * (x - cx) / (rx * rx) + (y - cy) * (y - cy) / (ry * ry) <= 1;
        },
        paint);
}

void Canvas::FillRing(float cx, float cy, float outer, float inner, const Paint& paint) {
    Fill(
        cx - outer, cy - outer, cx + outer, cy + outer,
        [=](float x, float y) {
            const float d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            return d <= outer * outer && d >= inner * inner;
        },
        paint);
}

void Canvas::StrokeLine(Point from, Point to, float width, const Paint& paint) {
    const float dx = to.x - from.x, dy = to.y - from.y;
    const float length = std::sqrt(dx * dx + dy * dy);
    const float nx = -dy / length * width / 2, ny = dx / length * width / 2;
    FillPolygon({{from.x + nx, from.y + ny},
                 {to.x + nx, to.y + ny},
                 {to.x - nx, to.y - ny},
                 {from.x - nx, from.y - ny}},
                paint);
}

std::vector<std::uint8_t> Canvas::Pixels() const {
    std::vector<std::uint8_t> out;
    out.reserve(pixels_.size() * 4);
    auto byte = [](float v) {
        return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255));
    };
    for (const Rgba& p : pixels_) {
        out.push_back(byte(p.r));
        out.push_back(byte(p.g));
        out.push_back(byte(p.b));
        out.push_back(byte(p.a));
    }
    return out;
}

} // namespace icons
