#pragma once

// The selected node of a skinned tree, painted over the platform's drawing of it: the skin's
// SELECTION section behind the node's text (hot while the tree has the focus) and the text in the
// section's font colour; without that section, the skin's highlight colours.

#include "skin/data/loaded_skin.h"
#include "skin/render/skin_bitmap.h"
#include "skin/render/text_renderer.h"

#include <string>

namespace skin::scroll {

// Text format of the node's name: single line, vertically centred, no prefix, no clipping, tabs
// expanded.
inline constexpr unsigned kSelectionTextFormat = 0x20 | 0x4 | 0x800 | 0x100 | 0x40;

struct SelectionLook {
    std::u16string Text;
    bool Focused = false;
    bool Enabled = true;
    data::TColor ControlColor = data::kWhite; // the tree's background, behind transparency
};

// The node's text rectangle painted into bmp (its size). Returns true when a focus rectangle is
// to be drawn over the whole bitmap (no SELECTION section and the tree focused).
bool PaintSelection(render::SkinBitmap& bmp, const data::LoadedSkin& skin,
                    render::TextRenderer& text, const SelectionLook& look);

// The text's place in the bitmap: 2 pixels in from the left, 1 from the right.
inline render::Rect SelectionTextRect(const render::SkinBitmap& bmp) {
    return {2, 0, bmp.Width() - 1, bmp.Height()};
}

} // namespace skin::scroll
