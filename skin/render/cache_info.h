#pragma once

// What lies behind an area being painted: a composed background bitmap with the area's offset
// inside it, or a plain colour.

#include "skin/render/colors.h"
#include "skin/render/skin_bitmap.h"

namespace skin::render {

struct TCacheInfo {
    const SkinBitmap* Bmp = nullptr;
    // Offset of the painted area inside Bmp.
    int X = 0;
    int Y = 0;
    // The plain colour behind the area when there is no bitmap; the key colour when unknown.
    Color FillColor = kKeyColor;
    // Bmp is valid and must be used.
    bool Ready = false;
};

// Passed where no background is to be used.
inline constexpr TCacheInfo EmptyCacheInfo{nullptr, -99, -99, kKeyColor, false};

} // namespace skin::render
