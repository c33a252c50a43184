#pragma once

// What the pixel fuzzers read from their input: bytes, small numbers around a centre (mostly
// inside the bitmaps, sometimes well outside), rectangles, the pixels painters test for (key
// pixels and the extremes of alpha) and bitmaps of such pixels. Past the end every byte is 0.

#include "skin/render/skin_bitmap.h"

#include <cstddef>
#include <cstdint>

namespace fuzzing {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size, int centre)
        : data_(data), size_(size), centre_(centre) {}
    int Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    int Coord() { return Byte() - centre_; }
    int Size(int max) { return Byte() % (max + 1); }
    // A number from low to high; skins can hold negative widths, states and counts.
    int Between(int low, int high) { return low + Byte() % (high - low + 1); }
    skin::render::Rect AnyRect() {
        const int left = Coord(), top = Coord();
        return {left, top, left + Coord(), top + Coord()};
    }
    skin::render::Pixel AnyPixel() {
        using skin::render::Pixel;
        switch (Byte() % 4) {
        case 0:
            return skin::render::kKeyPixel;
        case 1:
            return 0xFF000000u | static_cast<Pixel>(Byte() * 0x010101);
        case 2:
            return static_cast<Pixel>(Byte()) << 24 | static_cast<Pixel>(Byte()) << 8;
        default:
            return static_cast<Pixel>(Byte()) * 0x01010101u;
        }
    }
    skin::render::SkinBitmap AnyBitmap(int max) {
        skin::render::SkinBitmap b(Size(max), Size(max));
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x)
                b.At(x, y) = AnyPixel();
        return b;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    int centre_;
};

} // namespace fuzzing
