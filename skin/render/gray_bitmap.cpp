#include "skin/render/gray_bitmap.h"

#include "core/error.h"
#include "core/text.h"
#include "skin/render/skin_bitmap.h"

#include <algorithm>

namespace skin::render {

GrayBitmap::GrayBitmap(int width, int height, std::uint8_t fill) {
    // The same limit as for colour bitmaps keeps both kinds of masks interchangeable in size.
    if (!IsAllocatableSize(width, height))
        throw core::Error(
            core::Format(u"Bitmap size %d x %d is not supported", {}, {width, height}));
    width_ = width;
    height_ = height;
    bytes_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}

void GrayBitmap::Fill(std::uint8_t value) {
    std::fill(bytes_.begin(), bytes_.end(), value);
}

} // namespace skin::render
