#pragma once

// Colour values of the skin: 32 bits, byte 0 red, byte 1 green, byte 2 blue. A top byte of $FF
// names a system colour by the low byte; -1 in a skin means "not given".

#include <cstdint>

namespace skin::data {

using TColor = std::int32_t;

inline constexpr TColor kKeyColor = 0xFF00FF;  // magenta: transparent, also "not set"
inline constexpr TColor kNoColor = 0x1FFFFFFF; // no colour at all
inline constexpr TColor kWhite = 0xFFFFFF;

// System colour indexes the skin code asks for.
enum SystemColorIndex : int {
    kColorActiveCaption = 2,
    kColorWindow = 5,
    kColorWindowText = 8,
    kColorHighlight = 13,
    kColorHighlightText = 14,
    kColorButtonFace = 15,
};

inline bool IsSystemColor(TColor color) {
    return (static_cast<std::uint32_t>(color) & 0xFF000000u) == 0xFF000000u;
}

// The platform's current value of a system colour as an RGB colour. The Win32 build asks the
// window system; elsewhere fixed values of a light desktop are used.
TColor SystemColor(int index);

// A system colour reference replaced by its current value; other colours unchanged.
inline TColor ColorToRGB(TColor color) {
    return IsSystemColor(color) ? SystemColor(static_cast<int>(color & 0xFF)) : color;
}

// The width of a sizing window frame in pixels (SM_CXFRAME on Windows).
int SizingFrameWidth();

} // namespace skin::data
