#pragma once

// Rectangles and points of the skin painters. Rectangles are half-open: Left and Top belong to
// the rectangle, Right and Bottom do not.

namespace skin::render {

struct Point {
    int X = 0;
    int Y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

inline Rect Bounds(int width, int height) {
    return {0, 0, width, height};
}

inline Rect Intersect(const Rect& a, const Rect& b) {
    Rect r{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
           a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
    if (r.IsEmpty())
        return {};
    return r;
}

inline Rect Offset(const Rect& r, int dx, int dy) {
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

} // namespace skin::render
