#pragma once

// The images of the alpha image list: PNG and icon files kept as their bytes, decoded and
// rendered at a size on demand with their per-pixel alpha. The bytes come from files and the
// program's resources and are treated as untrusted.

#include "skin/render/skin_bitmap.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace skin::render {

enum class TsImageFormat { ifPNG, ifICO };

// PNG by its 8-byte signature; an icon by two leading zero bytes and the extension "ico"
// (without regard to case); anything else is none.
std::optional<TsImageFormat> DetectImageFormat(std::span<const std::uint8_t> bytes,
                                               const std::u16string& file_name);

// The message shown when a file is neither.
std::u16string CannotLoadMessage(const std::u16string& file_name);

// A PNG as 32-bit straight alpha. A PNG without alpha gets alpha 0 on key-colour pixels and 255
// elsewhere. Throws core::Error for bytes that are no PNG.
SkinBitmap DecodeAlphaPng(std::span<const std::uint8_t> bytes);

// When no pixel has any alpha, the colour of the bottom-left pixel is transparent: every other
// pixel gets alpha 255. An image with alpha stays as it is.
void DeriveAlphaFromBottomLeft(SkinBitmap& image);

// The monochrome mask of an icon built from the image: one bit a pixel, rows padded to 16 bits,
// top row first, the bit set (transparent) exactly where alpha is 0.
std::vector<std::uint8_t> IconMaskFromAlpha(const SkinBitmap& image);

// One item of the list: its file bytes and the last rendering.
class AlphaImageItem {
public:
    AlphaImageItem(TsImageFormat format, std::vector<std::uint8_t> data);

    TsImageFormat ImageFormat() const { return format_; }
    const std::vector<std::uint8_t>& ImgData() const { return data_; }
    int OrigWidth() const { return orig_width_; }
    int OrigHeight() const { return orig_height_; }
    // The decoded PNG; sets the original size.
    SkinBitmap Decode();

    // The PNG rendered for a list of list_width x list_height asked for width x height: the
    // cached rendering when it has that size; the decoded image itself when its size is the
    // list's (so the result may differ from the size asked for: callers use its own size);
    // otherwise resampled with the Mitchell filter. An empty bitmap for icons and empty data.
    SkinBitmap Render(int list_width, int list_height, int width, int height);
    const SkinBitmap* CacheBmp() const { return cache_.IsEmpty() ? nullptr : &cache_; }

private:
    TsImageFormat format_;
    std::vector<std::uint8_t> data_;
    int orig_width_ = 0;
    int orig_height_ = 0;
    SkinBitmap cache_;
};

} // namespace skin::render
