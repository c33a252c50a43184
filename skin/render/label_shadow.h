#pragma once

// The soft shadow under a label's caption: the text drawn into a mask at the shadow's offset,
// softened by passes of neighbour averaging done in place, and the shadow colour mixed into the
// background by the softened mask.

#include "skin/render/colors.h"
#include "skin/render/gray_bitmap.h"
#include "skin/render/skin_bitmap.h"
#include "skin/render/text_renderer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace skin::render {

// The room the shadow takes around the caption.
struct ShadowSpace {
    int TopLeft = 0;     // min(0, distance - blur): negative, the caption moves in by its size
    int RightBottom = 0; // max(0, distance + blur)
};

ShadowSpace ShadowSpaceFor(int distance, int blur);

// The caption's rectangle inside the label's: moved in by the shadow space; a label smaller
// than that space has an empty one.
Rect CaptionInside(const Rect& label, ShadowSpace space);

// The softening grid: one byte per mask pixel with a border of zeros around it. Its storage only
// grows and is reused between paints.
class ShadowGrid {
public:
    // Sized for a mask of width x height and cleared. Throws core::Error when the size
    // overflows or is negative.
    void Reset(int width, int height);
    // One pass: ink cells set to 255, then every inner cell, row by row from the top, becomes
    // (up + down + left + right) >> 2 of the values it finds, so the cells above and to the left
    // are already this pass's.
    void Soften(const GrayBitmap& ink);
    // The weight of the shadow at a mask pixel (0 to 255).
    std::uint8_t At(int x, int y) const;
    int Width() const { return width_; }
    int Height() const { return height_; }
    std::size_t Capacity() const { return cells_.size(); }

private:
    int width_ = 0;
    int height_ = 0;
    int stride_ = 2;
    std::vector<std::uint8_t> cells_;
};

// Each pixel of the bitmap (sized as the grid) becomes (channel * (255 - A) + shadow * A) >> 8
// over what is painted, or, opaque, (shadow * A + (255 - A) * background) >> 8.
void MixShadow(SkinBitmap& canvas, const ShadowGrid& grid, Color shadow);
void MixShadowOpaque(SkinBitmap& canvas, const ShadowGrid& grid, Color shadow, Color background);

struct LabelShadow {
    Color ShadowColor = 0;
    int Blur = 4;
    int Distance = 1;
    bool Transparent = true;
    Color Background = 0xFFFFFF; // an opaque label's colour
};

// The shadow of the caption painted into the label's canvas (the canvas holds what lies behind
// the label). Returns the rectangle the caption itself belongs in. No shadow is drawn for a blur
// of 0 or the colour kNoColor. The grid is the label's, kept between paints.
Rect PaintLabelShadow(SkinBitmap& canvas, ShadowGrid& grid, TextRenderer& text_renderer,
                      const std::u16string& text, unsigned format, const LabelShadow& shadow);

} // namespace skin::render
