#pragma once

namespace ui {

// A control's bounds in its parent's client coordinates.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    bool Contains(int x, int y) const {
        return x >= left && y >= top && x < Right() && y < Bottom();
    }
    bool operator==(const Bounds&) const = default;
};

} // namespace ui
