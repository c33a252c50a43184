#pragma once

// Rectangles of skin images. Half-open: Left and Top belong to the rectangle, Right and Bottom
// do not. Same members as the painters' Rect.

namespace skin::data {

struct Rect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace skin::data
