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

// A copy from a source corner to a destination corner: moves both corners together until
// neither lies left of or above the origin of its bitmap, so that what is cut off one side is
// cut off the other.
inline void ClipCopyCorners(int& to_x, int& to_y, int& from_x, int& from_y) {
    if (to_x < 0) {
        from_x -= to_x;
        to_x = 0;
    }
    if (to_y < 0) {
        from_y -= to_y;
        to_y = 0;
    }
    if (from_x < 0) {
        to_x -= from_x;
        from_x = 0;
    }
    if (from_y < 0) {
        to_y -= from_y;
        from_y = 0;
    }
}

} // namespace skin::render
