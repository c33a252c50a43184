#pragma once

// The face of a skin section: plain colour, gradient and texture mixed by their percentages.

#include "skin/data/loaded_skin.h"
#include "skin/render/cache_info.h"

#include <string>

namespace skin::render {

// What one state of a section paints. Which state's values and which texture are chosen is up
// to the caller (the control's background composition).
struct SectionFillParams {
    data::TColor Color = 0;  // resolved to RGB before painting
    int ImagePercent = 0;    // weight of the texture
    int GradientPercent = 0; // weight of the gradient
    int TextureMask = -1;    // a texture mask of the skin, or -1
    int Pattern = -1;        // a JPEG pattern of the skin (used when TextureMask is -1), or -1
    std::u16string GradientData;
    data::TsGradArray Gradient;
};

// The normal (state 0) or hot (state above 0) values of a section record; textures none.
SectionFillParams SectionFillFor(const data::TsGeneralData& section, int state);

// Paints the section's face into r:
//  1. texture and gradient weighing 100 together, both present, with a tiling texture mask and
//     a vertical or horizontal gradient: one pass mixing the two;
//  2. otherwise the texture (pattern, banded mask or plain mask by its fill mode), the part it
//     leaves filled with the colour;
//  3. the gradient (or the colour, without gradient text), blended over a painted texture so
//     that the texture keeps its percentage;
//  4. the colour: alone when both weights are 0, tinting what was painted keeping the sum of
//     the weights when that is below 100.
// The simplified variant (scroll-bar parts) skips step 1 and also paints the plain colour when
// the weights add up to more than 100.
void FillSection(SkinBitmap& dst, const Rect& r, const SectionFillParams& fill,
                 const data::LoadedSkin& skin, const TCacheInfo& ci, bool simplified = false);

} // namespace skin::render
