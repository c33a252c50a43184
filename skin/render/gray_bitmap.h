#pragma once

// A one-byte-per-pixel mask: 255 is background, 0 is full ink. The working mask of the text
// glow: text is drawn into it in ink 0 and then blurred.

#include <cstdint>
#include <vector>

namespace skin::render {

class GrayBitmap {
public:
    GrayBitmap() = default;
    // Filled with fill. Throws core::Error for a negative or too large size.
    GrayBitmap(int width, int height, std::uint8_t fill = 255);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }
    std::uint8_t* Row(int y) { return bytes_.data() + static_cast<std::size_t>(y) * width_; }
    const std::uint8_t* Row(int y) const {
        return bytes_.data() + static_cast<std::size_t>(y) * width_;
    }
    std::uint8_t& At(int x, int y) { return Row(y)[x]; }
    std::uint8_t At(int x, int y) const { return Row(y)[x]; }
    void Fill(std::uint8_t value);

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> bytes_;
};

} // namespace skin::render
