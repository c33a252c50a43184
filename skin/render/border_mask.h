#pragma once

// The nine-piece border painter: fits a border image of any size to any rectangle by keeping
// its corners and tiling or stretching its edges and centre.
//
//     source state image                destination rectangle R
//     +----+--------+----+              +----+--------------------+----+
//     | TL |  top   | TR |  WT          | TL |    top (tiled or   | TR |
//     +----+--------+----+              +----+     stretched)     +----+
//     |left| centre |rght|  middle      |left|  centre (DrawMode  |rght|
//     +----+--------+----+              |    |   bit 2 only)      |    |
//     | BL | bottom | BR |  WB          +----+--------------------+----+
//     +----+--------+----+              | BL |       bottom       | BR |
//      WL    middle   WR                +----+--------------------+----+

#include "skin/render/cache_info.h"
#include "skin/render/mask_source.h"

namespace skin::render {

// Widths of the border pieces fitted to a rectangle.
struct BorderWidths {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend bool operator==(const BorderWidths&, const BorderWidths&) = default;
};

// When the rectangle is narrower than WL + WR, both lose half the shortfall (and WR one more
// pixel for an odd width), never going below 0; likewise WT and WB with the height.
BorderWidths FitBorderWidths(const MaskSource& mask, int width, int height);

// The border of the mask in the given state fitted to r. Key-coloured corner pixels show what
// lies behind: FillColor without a Ready cache, the background pixel with one when fill_corners
// is set and the mask has keyed corners (they are skipped otherwise).
void DrawBorderMask(SkinBitmap& dst, const Rect& r, bool fill_corners, int state,
                    const MaskSource& mask, const TCacheInfo& ci);

} // namespace skin::render
