#include "skin/data/image32.h"

#include "core/error.h"
#include "core/text.h"

namespace skin::data {

Image32 MakeImage32(int width, int height, Pixel value) {
    if (width < 0 || height < 0 || std::int64_t{width} * height > kMaxImagePixels)
        throw core::Error(
            core::Format(u"Image size %d x %d is not supported", {}, {width, height}));
    Image32 image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), value);
    return image;
}

void MakeOpaqueExceptKey(Image32& image) {
    for (Pixel& p : image.pixels)
        p |= p == kKeyPixel ? 0u : 0xFF000000u;
}

} // namespace skin::data
