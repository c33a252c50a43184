#pragma once

// Decoders of the skin's image files into 32-bit images. Input bytes are untrusted: every
// offset and size is checked, sizes above kMaxImagePixels are refused before allocating, and
// failures raise core::Error with a message naming the format.

#include "skin/data/image32.h"

#include <cstdint>
#include <span>
#include <vector>

namespace skin::data {

// BMP files with 1, 4, 8, 16, 24 or 32 bits per pixel: uncompressed, with bit fields (16 and
// 32 bits; plain 16-bit files are 5-5-5) or run-length encoded (8 and 4 bits), stored bottom-up
// or top-down. Pixels of fewer than 32 bits come out with alpha 0; 32-bit pixels keep the alpha
// byte of the file.
struct DecodedBmp {
    Image32 image;
    int bits_per_pixel = 0;
};
DecodedBmp DecodeBmp(std::span<const std::uint8_t> bytes);

// PNG files of any colour type and depth, as 8-bit unpremultiplied alpha.
Image32 DecodePng(std::span<const std::uint8_t> bytes);
// JPEG files; every pixel comes out with alpha 0 (24-bit colour).
Image32 DecodeJpeg(std::span<const std::uint8_t> bytes);

// The conversion of an image of fewer than 32 bits: alpha 255 on every pixel except those of
// exactly the key colour, which keep alpha 0.
void MakeOpaqueExceptKey(Image32& image);

// Encoders used by the skin tools: a PNG with alpha (8 bits per channel, default compression)
// and a 24-bit bottom-up BMP. Both produce the same bytes for the same image every time.
std::vector<std::uint8_t> EncodePng(const Image32& image);
std::vector<std::uint8_t> EncodeBmp24(const Image32& image);

} // namespace skin::data
