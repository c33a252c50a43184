#pragma once

// A decoded skin image: 32 bits per pixel, rows from top to bottom, each pixel one little-endian
// word $AARRGGBB (bytes blue, green, red, alpha in memory). This is the pixel layout of the
// painters' SkinBitmap, so a painter can wrap the pixels without copying them; the data layer
// keeps its own plain type so that it depends on nothing above it.

#include <cstdint>
#include <vector>

namespace skin::data {

using Pixel = std::uint32_t;

// The key colour magenta as a 32-bit pixel with alpha 0: "transparent" in every skin image.
inline constexpr Pixel kKeyPixel = 0x00FF00FF;

struct Image32 {
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels; // width * height words, row after row

    bool Empty() const { return width <= 0 || height <= 0; }
    Pixel* Row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
    const Pixel* Row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * width; }
    Pixel& At(int x, int y) { return Row(y)[x]; }
    Pixel At(int x, int y) const { return Row(y)[x]; }
};

// Skin images are refused above this many pixels before anything is allocated (64 MB of
// pixels); every byte offset into an image then fits in 31 bits.
inline constexpr std::int64_t kMaxImagePixels = 16 * 1024 * 1024;

// An image of the given size filled with value. Throws core::Error when the size is negative
// or above kMaxImagePixels.
Image32 MakeImage32(int width, int height, Pixel value = 0);

} // namespace skin::data
