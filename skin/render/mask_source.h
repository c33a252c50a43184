#pragma once

// What the mask painters need of one skin mask: its source image (the mask's own image or the
// skin's master bitmap), its rectangle there and its layout. The skin data keeps masks as
// records of the loaded skin; a MaskSource views their pixels without copying them and is made
// afresh for each painting, since painters keep only indexes across a skin change.

#include "skin/data/loaded_skin.h"
#include "skin/render/skin_bitmap.h"

namespace skin::render {

struct MaskSource {
    MaskSource() = default;
    // Copies view the same pixels.
    MaskSource(const MaskSource& other);
    MaskSource& operator=(const MaskSource& other);
    MaskSource(MaskSource&&) = default;
    MaskSource& operator=(MaskSource&&) = default;

    // A view of the pixels; empty for a mask that draws nothing.
    SkinBitmap Image;
    // The mask has its own image (not the master bitmap).
    bool OwnBitmap = false;
    Rect R;
    int ImageCount = 0;
    int MaskType = 0;
    int DrawMode = 0;
    int WL = 0, WT = 0, WR = 0, WB = 0;
    int CornerType = 0;
    // The mask belongs to a loaded skin (its "manager"); a mask without one draws nothing.
    bool HasManager = false;
};

// Bits of DrawMode.
enum : int {
    dmStretch = 1,     // edges and centre are stretched, not tiled
    dmNoState0 = 2,    // nothing is drawn in state 0
    dmPaintCentre = 4, // the centre piece is painted
};

// The mask with that index of the skin; a mask that draws nothing when the skin is missing or
// the index is not valid.
MaskSource MaskFromSkin(const data::LoadedSkin* skin, int index);

// A view of decoded skin pixels as a bitmap. The result must only be read.
SkinBitmap ViewImage(const data::Image32& image);

// Width of one state image: 0 without images, the whole width for one.
int StateWidth(const MaskSource& mask);
// Height of one state image: 0 for MaskType -1, the whole height for 0, else one band.
int StateHeight(const MaskSource& mask);
// The state actually drawn: the requested one, or the last image of the strip.
int StateIndex(const MaskSource& mask, int state);

} // namespace skin::render
