#pragma once

// Screen snapping: a form moved within a few pixels of its work area's edge lands on it.

#include "skin/frame/frame_geometry.h"

namespace skin::frame {

// The new top-left of a window moving from old_top_left to the rectangle proposed. Every edge of
// visible (the proposed rectangle widened by visible_margins: the extended frame around the form)
// that lies closer than buffer to the same edge of the work area is put on it; right and bottom
// are tested first, so left and top win. Nothing snaps when the position does not change or is
// (0, 0).
Point SnapToWorkArea(const Rect& proposed, Point old_top_left, const Rect& work_area, int buffer,
                     const Margins& visible_margins = {});

// The margins of the visible extended frame around the form's window.
Margins SnapMargins(const FrameGeometry& g);

// A double click on a sizable extended frame's left or right edge stretches the window across
// the work area (its frame just inside), and the next one gives back its left and width; the
// top or bottom edge does the same downwards. normal keeps the bounds to give back (empty while
// not stretched).
struct StretchResult {
    Rect Bounds;
    Rect Normal;
};
StretchResult ToggleStretch(const Rect& bounds, const Rect& normal, const Rect& work_area,
                            bool horizontal, int delta_w, int delta_h);

} // namespace skin::frame
