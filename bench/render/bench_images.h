#pragma once

// The inputs of the rendering benchmarks, the same for our painters and for pixman: pixman
// reads our pixel words directly as a8r8g8b8.

#include <pixman.h>

#include <random>

#include "skin/render/skin_bitmap.h"

namespace bench {

using skin::render::Pixel;
using skin::render::SkinBitmap;

enum class AlphaKind { Opaque, Random, UiLike };

// Seeded pixels; Random alpha takes every value, UiLike is runs of opaque and of clear pixels
// with soft edges between them (as the images of buttons and glyphs are).
SkinBitmap MakeImage(int width, int height, AlphaKind alpha, unsigned seed);

// pixman's view of a bitmap's pixels (no copy). Premultiplied colour is not enforced: speed
// does not depend on it.
pixman_image_t* PixmanView(SkinBitmap& bitmap);

} // namespace bench
