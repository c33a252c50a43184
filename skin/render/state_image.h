#pragma once

// One state image of a glyph strip (check marks, arrows, title-bar glyphs) drawn at a point.

#include "skin/render/cache_info.h"
#include "skin/render/mask_source.h"

namespace skin::render {

enum StateImageMode : int {
    simNormal = 1,
    simDisabled = 2, // drawn fainter
};

// The state image's top-left goes to p; negative coordinates cut its left or top part away.
// Masks with a mask band blend through it (fainter for disabled) and grow the destination's
// alpha; key-coloured masks of the master bitmap are copied with their key pixels filled from
// the cache info (or half blended when disabled); key-coloured masks with their own image copy
// their non-key pixels.
void DrawStateImage(SkinBitmap& dst, Point p, int state, const TCacheInfo& ci,
                    const MaskSource& mask, int mode);

} // namespace skin::render
