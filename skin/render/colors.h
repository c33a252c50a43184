#pragma once

// Colour values and their pixel form. A colour value keeps red in byte 0, green in byte 1 and
// blue in byte 2 (byte 3 is 0 for a literal colour); a pixel keeps blue in byte 0 and red in
// byte 2, with alpha in byte 3.

#include <cstdint>

namespace skin::render {

using Color = std::uint32_t;

// Magenta: transparent in skin images and "not set" in colour fields. Red and blue are both 255,
// so the value reads the same in colour order and in pixel order.
inline constexpr Color kKeyColor = 0xFF00FF;
// No colour at all.
inline constexpr Color kNoColor = 0x1FFFFFFF;

// Swaps bytes 0 and 2 and keeps bytes 1 and 3; the same swap goes both ways.
constexpr std::uint32_t ColorToPixel(std::uint32_t value) {
    return (value & 0xFF00FF00u) | ((value & 0xFFu) << 16) | ((value >> 16) & 0xFFu);
}
constexpr std::uint32_t PixelToColor(std::uint32_t value) {
    return ColorToPixel(value);
}

constexpr int RedOf(Color c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(Color c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(Color c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
constexpr Color MakeColor(int red, int green, int blue) {
    return static_cast<Color>(red) | (static_cast<Color>(green) << 8) |
           (static_cast<Color>(blue) << 16);
}

// A colour whose top byte is $FF names a system colour and must be resolved by the platform
// before any pixel arithmetic.
constexpr bool IsSystemColor(Color c) {
    return (c >> 24) == 0xFF;
}

} // namespace skin::render
