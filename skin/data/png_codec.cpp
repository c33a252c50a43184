// PNG files through libpng's simplified interface, which reports errors in the image record
// instead of jumping out of the caller.

#include "core/error.h"
#include "core/text.h"
#include "skin/data/image_decoders.h"

#include <png.h>

namespace skin::data {

namespace {

[[noreturn]] void Fail(const png_image& image) {
    throw core::Error(core::Format(u"Invalid PNG image: %s", {core::FromUtf8(image.message)}));
}

struct ImageGuard {
    png_image& image;
    ~ImageGuard() { png_image_free(&image); }
};

} // namespace

Image32 DecodePng(std::span<const std::uint8_t> bytes) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    ImageGuard guard{png};
    if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size()))
        Fail(png);
    if (std::int64_t{png.width} * png.height > kMaxImagePixels || png.width > 0x7FFFFFFF ||
        png.height > 0x7FFFFFFF)
        throw core::Error(u"Invalid PNG image: too large");
    // BGRA bytes in memory are the little-endian words $AARRGGBB of Image32.
    png.format = PNG_FORMAT_BGRA;
    Image32 image = MakeImage32(static_cast<int>(png.width), static_cast<int>(png.height));
    if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr))
        Fail(png);
    return image;
}

std::vector<std::uint8_t> EncodePng(const Image32& source) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(source.width);
    png.height = static_cast<png_uint_32>(source.height);
    png.format = PNG_FORMAT_BGRA;
    ImageGuard guard{png};
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(png, size, 0, source.pixels.data(), 0, nullptr))
        Fail(png);
    std::vector<std::uint8_t> out(size);
    if (!png_image_write_to_memory(&png, out.data(), &size, 0, source.pixels.data(), 0, nullptr))
        Fail(png);
    out.resize(size);
    return out;
}

} // namespace skin::data
