#pragma once

// Pixels on their way to a layered window, and the alpha that GDI drawing loses on the way into
// a 32-bit image.

#include "skin/render/skin_bitmap.h"

namespace skin::render {

// The picture a layered window shows with per-pixel alpha wants premultiplied colours, while the
// painters keep straight alpha. Each channel becomes c x a / 255 rounded to the nearest; pixels
// inside hole get 0 (invisible, and the clicks there reach the window below).
void PremultiplyForLayered(SkinBitmap& dst, const SkinBitmap& src, const Rect& hole = {});

// Shadow templates: every fully transparent white pixel becomes 0.
void ClearTransparentWhite(SkinBitmap& bmp);

// An icon or text drawn by the platform into r leaves alpha as it was (or 0): every pixel whose
// colour differs from before (a copy of r taken just before drawing) becomes opaque, every other
// one gets its alpha from before back.
void RepairDrawnAlpha(SkinBitmap& dst, const Rect& r, const SkinBitmap& before);

// The title's alpha repair for a 32-bit process on 64-bit Windows without composition: every
// pixel with alpha below 255 whose colour is not grey loses a sixteenth of each channel and gains
// 2 (255 - A) sqrt(M / 255) alpha, M the largest difference between its channels.
void RepairTitleAlpha(SkinBitmap& bmp);

} // namespace skin::render
