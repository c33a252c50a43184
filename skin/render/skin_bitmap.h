#pragma once

// The working surface of all skin painting: a 32-bit bitmap whose rows run from top to bottom.
// Each pixel is one little-endian word $AARRGGBB, so in memory the bytes are blue, green, red,
// alpha. Painted pixels carry alpha 255; a skin image keeps alpha 0 only on pixels of exactly the
// key colour, which is how "transparent" survives in a 32-bit word.
//
// The pixels live either in memory the bitmap allocated itself, or in storage that belongs to
// the window system (a DIB section), adopted with a release function, so that painters write
// straight into what the platform blits without a copy per frame.

#include "skin/render/geometry.h"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace skin::render {

using Pixel = std::uint32_t;

// The key colour with alpha 0: the only word that means "transparent" in a skin image.
inline constexpr Pixel kKeyPixel = 0x00FF00FF;

class SkinBitmap {
public:
    // Releases adopted storage; called once, when the bitmap lets go of it.
    using Release = std::function<void()>;

    // Bigger bitmaps are refused before anything is allocated: every byte offset inside a
    // bitmap then fits in 31 bits, which the row arithmetic of the painters relies on.
    static constexpr std::int64_t kMaxBytes = 0x7FFFFFFF;

    SkinBitmap() = default;
    // Every pixel 0 (clear black), so that no painter ever reads what the heap held. Throws
    // core::Error for a negative or too large size.
    SkinBitmap(int width, int height);
    // Takes over pixels owned elsewhere; stride is the distance between rows in pixels (negative
    // for bottom-up storage). handle is the platform's name for the storage (an HBITMAP), or null.
    static SkinBitmap Adopt(Pixel* bits, int width, int height, std::ptrdiff_t stride, void* handle,
                            Release release);

    SkinBitmap(SkinBitmap&& other) noexcept;
    SkinBitmap& operator=(SkinBitmap&& other) noexcept;
    SkinBitmap(const SkinBitmap&) = delete;
    SkinBitmap& operator=(const SkinBitmap&) = delete;
    ~SkinBitmap();

    // A copy with its own memory (never a platform handle).
    SkinBitmap Clone() const;
    // Another bitmap over the same pixels, owning nothing; valid while this one lives.
    SkinBitmap View() const { return Adopt(bits_, width_, height_, stride_, handle_, nullptr); }

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }
    Rect Bounds() const { return {0, 0, width_, height_}; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    // Distance from one row to the next, in pixels.
    std::ptrdiff_t Stride() const { return stride_; }
    void* Handle() const { return handle_; }

    Pixel* Row(int y) { return bits_ + y * stride_; }
    const Pixel* Row(int y) const { return bits_ + y * stride_; }
    Pixel& At(int x, int y) { return Row(y)[x]; }
    Pixel At(int x, int y) const { return Row(y)[x]; }

private:
    void Free() noexcept;

    Pixel* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::ptrdiff_t stride_ = 0;
    void* handle_ = nullptr;
    bool owned_ = false; // bits_ came from new[] here
    Release release_;
};

// The allocation of a new bitmap; contents undefined. Throws core::Error when too large.
SkinBitmap NewSkinBitmap(int width, int height);

// Whether width x height 32-bit pixels can be allocated at all (size and overflow check).
bool IsAllocatableSize(int width, int height);

} // namespace skin::render
