#pragma once

#include "canvas.h"

#include <string>
#include <vector>

namespace icons {

// The three states a combo edit button draws from one strip, left to right.
enum class GlyphState { normal, hot, pressed };

struct GlyphStrip {
    std::string file;                  // the .png file written into the program's resources
    void (*draw)(Canvas&, GlyphState); // draws one 16 x 16 state on a 16-unit grid
};

// The combo edit buttons' glyphs: a page, a folder, a calendar, three dots and a calculator,
// each as a 48 x 16 strip of its normal, hot and pressed pictures.
const std::vector<GlyphStrip>& GlyphStrips();

// The strip's pixels: 48 x 16, 8-bit straight-alpha RGBA, rows top to bottom.
std::vector<std::uint8_t> PaintStrip(const GlyphStrip& strip);
inline constexpr int kStripWidth = 48;
inline constexpr int kStripHeight = 16;

} // namespace icons
