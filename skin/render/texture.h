#pragma once

// Textures of skin sections: a pattern picture tiled over the face, or a texture mask of the
// skin placed by its fill mode. Each painter narrows the rectangle to the part left for the
// section's plain colour, or sets it to kNothingLeft.

#include "skin/render/cache_info.h"
#include "skin/render/mask_source.h"

namespace skin::render {

inline constexpr Rect kNothingLeft{-1, -1, -1, -1};

// Fill modes of a texture mask (its DrawMode).
enum TextureFill : int {
    tfTile = 0,
    tfStretch = 1,
    tfTileTop = 2,
    tfTileLeft = 3,
    tfStretchTop = 4,
    tfStretchLeft = 5,
    tfTileBottom = 6,
    tfTileRight = 7,
    tfWholeTiles = 10, // full tiles only, from the top-left
};

// A pattern tiled from r's top-left, the last column and row cut to r; nothing is left.
void PaintTexture(SkinBitmap& bitmap, Rect& r, const SkinBitmap& pattern);

// The single image of a texture mask placed by the fill mode:
//   0 tiled over r, 1 stretched over r (nothing left);
//   2 / 4 tiled / stretched along the top band one image high (the rest below is left);
//   3 / 5 tiled / stretched along the left band one image wide (the rest to its right);
//   6 / 7 tiled along the bottom / right band (the rest above / to the left);
//   10 rows of whole tiles only, the last column cut (nothing left: what is below stays);
//   any other mode tiles r and leaves the right band one image wide to the colour.
void PaintTexture(SkinBitmap& bitmap, Rect& r, int mode, const MaskSource& mask);

// A texture mask with a mask band (half its height below the colour image), blended through
// its mask: mode 0 tiles r cutting the last column and row; mode 10 places whole tiles only
// and shows the background (cache bitmap, else FillColor) in the strips it leaves. Key pixels
// of the texture show the background as well. Other modes paint nothing. Nothing is left.
void PaintMaskedTexture(SkinBitmap& bitmap, Rect& r, const TCacheInfo& ci, int mode,
                        const MaskSource& mask);

} // namespace skin::render
