#pragma once

// A 32-bit picture with per-pixel alpha held by the platform, drawn blended over whatever lies
// below it: glyph strips and image list items.

#include <cstdint>
#include <vector>
#include <windows.h>

namespace ui {

class AlphaBitmap {
public:
    // `pixels` are width * height words $AARRGGBB with straight (not premultiplied) alpha,
    // rows from top to bottom. An empty or mismatched pixel vector gives an empty bitmap.
    AlphaBitmap(int width, int height, const std::vector<std::uint32_t>& pixels);
    ~AlphaBitmap();
    AlphaBitmap(const AlphaBitmap&) = delete;
    AlphaBitmap& operator=(const AlphaBitmap&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return bitmap_ == nullptr; }

    // Draws the part of the picture from `source_x` that is `width` pixels wide at (x, y),
    // with its alpha scaled by opacity (255 = as stored); grey turns its colours to grey.
    void Draw(HDC dc, int x, int y, int source_x, int width, BYTE opacity = 255,
              bool grey = false) const;

private:
    static HBITMAP MakeSection(int width, int height, const std::vector<std::uint32_t>& pixels,
                               bool grey);

    int width_ = 0;
    int height_ = 0;
    HBITMAP bitmap_ = nullptr;
    HBITMAP grey_bitmap_ = nullptr;
};

} // namespace ui
