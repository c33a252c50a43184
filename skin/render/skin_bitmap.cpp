#include "skin/render/skin_bitmap.h"

#include "core/error.h"
#include "core/text.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace skin::render {

bool IsAllocatableSize(int width, int height) {
    if (width < 0 || height < 0)
        return false;
    // Both factors are below 2^31, so their 64-bit product cannot overflow; the byte count is
    // compared by dividing the limit, not by multiplying the product.
    return std::int64_t{width} * std::int64_t{height} <= SkinBitmap::kMaxBytes / 4;
}

SkinBitmap::SkinBitmap(int width, int height) {
    if (!IsAllocatableSize(width, height))
        throw core::Error(
            core::Format(u"Bitmap size %d x %d is not supported", {}, {width, height}));
    if (width == 0 || height == 0)
        return;
    bits_ = new Pixel[static_cast<std::size_t>(width) * static_cast<std::size_t>(height)]();
    owned_ = true;
    width_ = width;
    height_ = height;
    stride_ = width;
}

SkinBitmap SkinBitmap::Adopt(Pixel* bits, int width, int height, std::ptrdiff_t stride,
                             void* handle, Release release) {
    SkinBitmap bitmap;
    bitmap.bits_ = bits;
    bitmap.width_ = width;
    bitmap.height_ = height;
    bitmap.stride_ = stride;
    bitmap.handle_ = handle;
    bitmap.release_ = std::move(release);
    return bitmap;
}

SkinBitmap::SkinBitmap(SkinBitmap&& other) noexcept
    : bits_(std::exchange(other.bits_, nullptr)), width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)), stride_(std::exchange(other.stride_, 0)),
      handle_(std::exchange(other.handle_, nullptr)), owned_(std::exchange(other.owned_, false)),
      release_(std::exchange(other.release_, nullptr)) {}

SkinBitmap& SkinBitmap::operator=(SkinBitmap&& other) noexcept {
    if (this != &other) {
        Free();
        bits_ = std::exchange(other.bits_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        stride_ = std::exchange(other.stride_, 0);
        handle_ = std::exchange(other.handle_, nullptr);
        owned_ = std::exchange(other.owned_, false);
        release_ = std::exchange(other.release_, nullptr);
    }
    return *this;
}

SkinBitmap::~SkinBitmap() {
    Free();
}

void SkinBitmap::Free() noexcept {
    if (owned_)
        delete[] bits_;
    if (release_)
        release_();
    bits_ = nullptr;
    owned_ = false;
    release_ = nullptr;
}

SkinBitmap SkinBitmap::Clone() const {
    SkinBitmap copy(width_, height_);
    for (int y = 0; y < height_; ++y)
        std::memcpy(copy.Row(y), Row(y), static_cast<std::size_t>(width_) * sizeof(Pixel));
    return copy;
}

SkinBitmap NewSkinBitmap(int width, int height) {
    return SkinBitmap(width, height);
}

} // namespace skin::render
