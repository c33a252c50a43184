#include "skin/frame/screen_snap.h"

#include <cstdlib>

namespace skin::frame {

Point SnapToWorkArea(const Rect& proposed, Point old_top_left, const Rect& work_area, int buffer,
                     const Margins& m) {
    Point p{proposed.Left, proposed.Top};
    if ((p.X == old_top_left.X && p.Y == old_top_left.Y) || (p.X == 0 && p.Y == 0))
        return p;
    const Rect visible{proposed.Left - m.Left, proposed.Top - m.Top, proposed.Right + m.Right,
                       proposed.Bottom + m.Bottom};
    if (std::abs(visible.Right - work_area.Right) < buffer)
        p.X = work_area.Right - m.Right - proposed.Width();
    if (std::abs(visible.Bottom - work_area.Bottom) < buffer)
        p.Y = work_area.Bottom - m.Bottom - proposed.Height();
    if (std::abs(visible.Left - work_area.Left) < buffer)
        p.X = work_area.Left + m.Left;
    if (std::abs(visible.Top - work_area.Top) < buffer)
        p.Y = work_area.Top + m.Top;
    return p;
}

Margins SnapMargins(const FrameGeometry& g) {
    if (!g.Extended())
        return {};
    const int align = g.Skin().AlignOffset;
    const int side = g.DeltaW() + align;
    return {side, g.DeltaH() + align, side, side};
}

StretchResult ToggleStretch(const Rect& bounds, const Rect& normal, const Rect& work_area,
                            bool horizontal, int delta_w, int delta_h) {
    StretchResult r{bounds, normal};
    if (horizontal) {
        if (normal.Right > normal.Left) {
            r.Bounds.Left = normal.Left;
            r.Bounds.Right = normal.Right;
            r.Normal.Left = r.Normal.Right = 0;
        } else {
            r.Normal.Left = bounds.Left;
            r.Normal.Right = bounds.Right;
            r.Bounds.Left = work_area.Left + delta_w;
            r.Bounds.Right = r.Bounds.Left + work_area.Width() - 2 * delta_w;
        }
        return r;
    }
    if (normal.Bottom > normal.Top) {
        r.Bounds.Top = normal.Top;
        r.Bounds.Bottom = normal.Bottom;
        r.Normal.Top = r.Normal.Bottom = 0;
    } else {
        r.Normal.Top = bounds.Top;
        r.Normal.Bottom = bounds.Bottom;
        r.Bounds.Top = work_area.Top + delta_h;
        r.Bounds.Bottom = r.Bounds.Top + work_area.Height() - delta_h - delta_w;
    }
    return r;
}

} // namespace skin::frame
