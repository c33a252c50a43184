#pragma once

// Lists of button glyphs with alpha, all items of one size, and the application's internal
// list of combo edit glyph strips: five 48 x 16 PNG images from the program's resources.

#include "ui/alpha_bitmap.h"

#include <memory>
#include <vector>

namespace dialogs {

class GlyphList {
public:
    GlyphList(int width, int height) : width_(width), height_(height) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return static_cast<int>(items_.size()); }
    // An item whose size differs from the list's is kept as an empty picture, so that the
    // indexes of the others stay.
    void Add(int width, int height, const std::vector<std::uint32_t>& pixels);
    const ui::AlphaBitmap& Item(int index) const {
        return *items_[static_cast<std::size_t>(index)];
    }
    bool ValidIndex(int index) const { return index >= 0 && index < Count(); }

private:
    int width_;
    int height_;
    std::vector<std::unique_ptr<ui::AlphaBitmap>> items_;
};

// The internal glyph list, built on first use: "SF" page, "SR" folder, "SD" calendar,
// "SE" three dots, "SC" calculator. A resource that is missing or does not decode leaves an
// empty item in its place.
const GlyphList& InternalGlyphList();

} // namespace dialogs
