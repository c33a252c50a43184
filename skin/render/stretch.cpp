#include "skin/render/stretch.h"

#include <vector>

namespace skin::render {

void StretchNearestPortable(SkinBitmap& dst, const Rect& d, const SkinBitmap& src, const Rect& s) {
    if (d.IsEmpty() || s.IsEmpty() || Intersect(s, src.Bounds()) != s)
        return;
    const Rect to = Intersect(d, dst.Bounds());
    if (to.IsEmpty())
        return;
    const std::int64_t w = d.Width(), h = d.Height(), sw = s.Width(), sh = s.Height();
    std::vector<int> columns(static_cast<std::size_t>(to.Width()));
    for (int x = to.Left; x < to.Right; ++x)
        columns[static_cast<std::size_t>(x - to.Left)] =
            s.Left + static_cast<int>((2 * (x - d.Left) + 1) * sw / (2 * w));
    for (int y = to.Top; y < to.Bottom; ++y) {
        const Pixel* in = src.Row(s.Top + static_cast<int>((2 * (y - d.Top) + 1) * sh / (2 * h)));
        Pixel* out = dst.Row(y) + to.Left;
        for (std::size_t i = 0; i < columns.size(); ++i)
            out[i] = in[columns[i]];
    }
}

#if !defined(_WIN32)
void StretchNearest(SkinBitmap& dst, const Rect& d, const SkinBitmap& src, const Rect& s) {
    StretchNearestPortable(dst, d, src, s);
}
#endif

} // namespace skin::render
