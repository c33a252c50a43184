#pragma once

#include <cstdint>

namespace ui {

// Colour values: byte 0 red, 1 green, 2 blue. A top byte of $FF names a system colour by its
// low byte; ColorNone means no colour.
using Color = std::uint32_t;
constexpr Color ColorNone = 0x1FFFFFFF;
constexpr Color SystemColor(int index) {
    return 0xFF000000u | static_cast<std::uint32_t>(index);
}
constexpr Color Rgb(int r, int g, int b) {
    return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}

} // namespace ui
