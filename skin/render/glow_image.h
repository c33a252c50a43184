#pragma once

// The halo shown around a control under the mouse: its size and place from the control's
// rectangle and the glow mask's border widths, the part kept when the control is partly
// hidden, and the image itself (the mask's border drawn over transparent black).

#include "skin/data/loaded_skin.h"
#include "skin/render/geometry.h"
#include "skin/render/skin_bitmap.h"

namespace skin::render {

struct GlowMaskWidths {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

struct GlowPlacement {
    // The whole glow image: the control's size plus the mask's borders less twice the margin.
    int Width = 0;
    int Height = 0;
    // The part of the image shown (all of it unless the control is partly hidden).
    Rect Kept;
    // Where the kept part goes on the screen.
    Point Position;
};

// control: the control on the screen; visible: its visible part, relative to the control. When
// visible differs from the control in size the image is cropped: on a side where the visible
// part starts inside the control the cut is the mask width plus that offset less the margin,
// and the far cut keeps just the visible width (or height). A crop that leaves nothing, or an
// empty visible part, gives an empty Kept.
GlowPlacement PlaceGlow(const Rect& control, const Rect& visible, const GlowMaskWidths& mask,
                        int margin);

// The glow image of a section's mask: width x height of transparent black with the mask's
// border in state 0 drawn over it. Empty for a size below one pixel or an invalid mask.
SkinBitmap MakeGlowImage(const data::LoadedSkin& skin, int mask_index, int width, int height);

} // namespace skin::render
