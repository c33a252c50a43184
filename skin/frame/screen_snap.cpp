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

} // namespace skin::frame
