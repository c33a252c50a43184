#pragma once

// The window regions of a skinned form: the plain frame's corners cut along the magenta runs of
// the skin's corner pieces, the form clipped to its client area in the extended mode, and the
// layered frame window with its client hole.

#include "skin/frame/frame_geometry.h"
#include "skin/render/mask_source.h"

#include <vector>

namespace skin::frame {

// The one-pixel-high runs of key colour in the corners of the form section's border mask (top
// and bottom) and of the title section's (top), for a window of width x height; right corners
// are moved to the right edge. The skin decides the runs, so they are clipped to the window.
std::vector<Rect> CornerHoles(int width, int height, const render::MaskSource& form_border,
                              const render::MaskSource& title_border);

// The runs of one mask's top (or bottom) corners for a window that wide, at rows from y_offset:
// key colour, or for a banded mask the transparent band pixels from the outer edge inwards.
std::vector<Rect> MaskCornerRuns(int width, const render::MaskSource& mask, bool bottom,
                                 int y_offset);

// Rectangles clipped to width x height; empty ones dropped.
std::vector<Rect> ClipToWindow(const std::vector<Rect>& rects, int width, int height);

// The form's own region in window coordinates. Extended: exactly the client area (and a menu
// bar), so the platform frame never shows. Plain maximised: the window without F on every side.
// Otherwise the whole window, from which the caller takes away CornerHoles.
Rect FormRegionRect(const FrameGeometry& g);

// The layered window's region: Outer exclusive-or Hole. client_width and client_height are the
// client size to use (the pending size while the form is being resized); during animations no
// hole is cut (Hole empty).
struct BorderRegion {
    Rect Outer;
    Rect Hole;
};
BorderRegion BorderWindowRegion(const FrameGeometry& g, int client_width, int client_height,
                                bool animating);

} // namespace skin::frame
