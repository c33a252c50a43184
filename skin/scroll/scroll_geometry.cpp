#include "skin/scroll/scroll_geometry.h"

#include <algorithm>

namespace skin::scroll {

int MulDiv(std::int64_t x, std::int64_t y, std::int64_t z) {
    if (z == 0)
        return -1;
    std::int64_t n = x * y;
    const bool negative = (n < 0) != (z < 0);
    if (n < 0)
        n = -n;
    const std::int64_t d = z < 0 ? -z : z;
    const std::int64_t q = (n + d / 2) / d;
    return static_cast<int>(negative ? -q : q);
}

ThumbPlace ThumbOf(const BarMetrics& m, const ScrollRecord& r) {
    const std::int64_t range = std::int64_t(r.Max) - r.Min;
    const int track = m.Track();
    ThumbPlace t;
    if (r.Page == 0)
        t.Size = m.Arrow;
    else if (range > kMaxRange)
        t.Size = 0;
    else
        t.Size = std::max(MulDiv(r.Page, track, range + 1), m.MinThumb);
    if (range > kMaxRange)
        return t;
    const std::int64_t denominator = range - std::max(1, r.Page) + 1;
    const int room = std::max(track - t.Size, 0);
    if (denominator <= 0)
        return t;
    t.Offset =
        std::clamp(MulDiv(std::int64_t(r.Pos) - r.Min, track - t.Size, denominator), 0, room);
    return t;
}

BarPart HitPart(const BarMetrics& m, const ThumbPlace& thumb, int p) {
    if (p < 0 || p >= m.Length)
        return bpNone;
    const int d = m.Short() ? m.Length / 2 : m.Arrow;
    if (p < d)
        return bpLineUp;
    if (p >= m.Length - d)
        return bpLineDown;
    if (thumb.Size >= m.Track())
        return bpNone;
    if (p >= thumb.Start(m) && p < thumb.End(m))
        return bpThumb;
    return p < thumb.Start(m) ? bpPageUp : bpPageDown;
}

int TrackSplit(const BarMetrics& m, const ThumbPlace& thumb) {
    if (m.Short())
        return m.Length / 2;
    return thumb.Start(m) + thumb.Size / 2;
}

int DraggedThumbStart(const BarMetrics& m, int thumb_size, int p, int grab) {
    const int first = m.Arrow;
    const int last = std::max(m.Length - m.Arrow - thumb_size, first);
    return std::clamp(p - grab, first, last);
}

int DragPosition(BarKind kind, const BarMetrics& m, const ScrollRecord& r, int thumb_size,
                 int thumb_start) {
    const std::int64_t range = std::int64_t(r.Max) - r.Min;
    const int moved = thumb_start - m.Arrow;
    if (range < 1)
        return r.Min + moved;
    const int room = m.Track() - thumb_size;
    if (room <= 0)
        return r.Min;
    const std::int64_t span = range - r.Page + (kind == BarKind::Horizontal ? 1 : 2);
    return static_cast<int>(std::clamp<std::int64_t>(
        r.Min + std::int64_t(MulDiv(moved, span, room)), INT32_MIN, INT32_MAX));
}

} // namespace skin::scroll
