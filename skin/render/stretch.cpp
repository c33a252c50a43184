#include "skin/render/stretch.h"

#include <vector>

namespace skin::render {

int NearestSource(int i, int source_length, int length) {
    return static_cast<int>((2 * std::int64_t{i} + 1) * source_length / (2 * std::int64_t{length}));
}

void StretchNearest(SkinBitmap& dst, const Rect& d, const SkinBitmap& src, const Rect& s) {
    if (d.IsEmpty() || s.IsEmpty() || Intersect(s, src.Bounds()) != s)
        return;
    const Rect to = Intersect(d, dst.Bounds());
    if (to.IsEmpty())
        return;
    std::vector<int> columns(static_cast<std::size_t>(to.Width()));
    for (int x = to.Left; x < to.Right; ++x)
        columns[static_cast<std::size_t>(x - to.Left)] =
            s.Left + NearestSource(x - d.Left, s.Width(), d.Width());
    for (int y = to.Top; y < to.Bottom; ++y) {
        const Pixel* in = src.Row(s.Top + NearestSource(y - d.Top, s.Height(), d.Height()));
        Pixel* out = dst.Row(y) + to.Left;
        for (std::size_t i = 0; i < columns.size(); ++i)
            out[i] = in[columns[i]];
    }
}

} // namespace skin::render
