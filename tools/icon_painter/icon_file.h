#pragma once

#include <cstdint>
#include <vector>

namespace icons {

struct IconImage {
    int size = 0;
    std::vector<std::uint8_t> rgba; // straight alpha, rows top to bottom
};

// The bytes of a Windows icon file holding the images as 32-bit device-independent bitmaps
// with alpha and the matching transparency mask.
std::vector<std::uint8_t> IconFile(const std::vector<IconImage>& images);

} // namespace icons
