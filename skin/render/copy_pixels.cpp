#include "skin/render/copy_pixels.h"

#include <algorithm>
#include <cstring>

namespace skin::render {

void CopyPixels(SkinBitmap& dst, int x, int y, const SkinBitmap& src, const Rect& s) {
    Rect from = s;
    if (x < 0) {
        from.Left -= x;
        x = 0;
    }
    if (y < 0) {
        from.Top -= y;
        y = 0;
    }
    if (from.Left < 0) {
        x -= from.Left;
        from.Left = 0;
    }
    if (from.Top < 0) {
        y -= from.Top;
        from.Top = 0;
    }
    const int width = std::min({from.Width(), src.Width() - from.Left, dst.Width() - x});
    const int height = std::min({from.Height(), src.Height() - from.Top, dst.Height() - y});
    if (width <= 0 || height <= 0)
        return;
    for (int row = 0; row < height; ++row)
        std::memmove(dst.Row(y + row) + x, src.Row(from.Top + row) + from.Left,
                     static_cast<std::size_t>(width) * sizeof(Pixel));
}

} // namespace skin::render
