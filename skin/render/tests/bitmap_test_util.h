#pragma once

// Small helpers for the painters' tests: bitmaps from pixel lists, seeded random bitmaps and
// a readable comparison.

#include "skin/render/skin_bitmap.h"

#include <cstdint>
#include <initializer_list>
#include <random>
#include <sstream>
#include <string>

namespace skin::render::testing {

inline SkinBitmap Filled(int width, int height, Pixel value) {
    SkinBitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.At(x, y) = value;
    return b;
}

inline SkinBitmap FromRows(int width, int height, std::initializer_list<Pixel> pixels) {
    SkinBitmap b(width, height);
    auto it = pixels.begin();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.At(x, y) = *it++;
    return b;
}

inline SkinBitmap Random(int width, int height, std::mt19937& rng) {
    SkinBitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.At(x, y) = static_cast<Pixel>(rng());
    return b;
}

// Pixels of a user-interface image: mostly opaque or clear, soft edges between.
inline Pixel UiLikePixel(std::mt19937& rng) {
    const unsigned roll = rng() % 100;
    const Pixel colour = static_cast<Pixel>(rng()) & 0x00FFFFFFu;
    const Pixel alpha = roll < 45 ? 0 : roll < 90 ? 255 : rng() & 0xFF;
    return colour | (alpha << 24);
}

inline std::string Hex(Pixel p) {
    std::ostringstream out;
    out << std::hex << p;
    return out.str();
}

// The first differing pixel, or an empty text.
inline std::string FirstDifference(const SkinBitmap& a, const SkinBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return "sizes differ";
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.At(x, y) != b.At(x, y))
                return "at (" + std::to_string(x) + ", " + std::to_string(y) +
                       "): " + Hex(a.At(x, y)) + " vs " + Hex(b.At(x, y));
    return {};
}

inline int Byte(Pixel p, int index) {
    return static_cast<int>((p >> (8 * index)) & 0xFF);
}

} // namespace skin::render::testing
