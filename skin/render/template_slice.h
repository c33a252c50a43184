#pragma once

// The shadow template of a form's extended frame fitted around its client area: a nine-slice of
// plain copies (all four channels, nothing blended) that never writes the client hole.

#include "skin/render/skin_bitmap.h"

namespace skin::render {

struct TemplateSlice {
    // Corner sizes in the template.
    int KL = 0, KT = 0, KR = 0, KB = 0;
    // Distances from each side of the bitmap to the client hole.
    int ML = 0, MT = 0, MR = 0, MB = 0;
    // Edges stretched, else tiled.
    bool Stretch = true;
};

// Corners copied, edges stretched or tiled between them, the template's centre unused. Pieces
// are cut to the template and to the bitmap: a template smaller than its corners is never read
// outside.
void PaintTemplateSlice(SkinBitmap& dst, const SkinBitmap& tpl, const TemplateSlice& s);

} // namespace skin::render
