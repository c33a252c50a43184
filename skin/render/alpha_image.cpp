#include "skin/render/alpha_image.h"

#include "skin/data/image_decoders.h"
#include "skin/render/resample.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace skin::render {
namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

std::u16string LowerExtension(const std::u16string& file_name) {
    const auto dot = file_name.find_last_of(u'.');
    const auto slash = file_name.find_last_of(u"\\/");
    if (dot == std::u16string::npos || (slash != std::u16string::npos && slash > dot))
        return {};
    std::u16string ext = file_name.substr(dot + 1);
    for (char16_t& c : ext)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    return ext;
}

bool HasAnyAlpha(const SkinBitmap& image) {
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if ((image.At(x, y) >> 24) != 0)
                return true;
    return false;
}

} // namespace

std::optional<TsImageFormat> DetectImageFormat(std::span<const std::uint8_t> bytes,
                                               const std::u16string& file_name) {
    if (bytes.size() >= kPngSignature.size() &&
        std::equal(kPngSignature.begin(), kPngSignature.end(), bytes.begin()))
        return TsImageFormat::ifPNG;
    if (bytes.size() >= 2 && bytes[0] == 0 && bytes[1] == 0 && LowerExtension(file_name) == u"ico")
        return TsImageFormat::ifICO;
    return std::nullopt;
}

std::u16string CannotLoadMessage(const std::u16string& file_name) {
    return u"Cannot load " + file_name + u"\r\nInvalid or unexpected image format.";
}

SkinBitmap DecodeAlphaPng(std::span<const std::uint8_t> bytes) {
    const data::Image32 decoded = data::DecodePng(bytes);
    SkinBitmap image(decoded.width, decoded.height);
    bool all_opaque = true;
    for (int y = 0; y < decoded.height; ++y) {
        std::memcpy(image.Row(y), decoded.Row(y), static_cast<std::size_t>(decoded.width) * 4);
        for (int x = 0; x < decoded.width; ++x)
            all_opaque = all_opaque && (decoded.At(x, y) >> 24) == 0xFF;
    }
    if (all_opaque) {
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x)
                if ((image.At(x, y) & 0x00FFFFFFu) == kKeyPixel)
                    image.At(x, y) = kKeyPixel;
    }
    return image;
}

void DeriveAlphaFromBottomLeft(SkinBitmap& image) {
    if (image.IsEmpty() || HasAnyAlpha(image))
        return;
    const Pixel transparent = image.At(0, image.Height() - 1);
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (image.At(x, y) != transparent)
                image.At(x, y) |= 0xFF000000u;
}

std::vector<std::uint8_t> IconMaskFromAlpha(const SkinBitmap& image) {
    const std::size_t stride = static_cast<std::size_t>((image.Width() + 15) / 16) * 2;
    std::vector<std::uint8_t> mask(stride * static_cast<std::size_t>(std::max(0, image.Height())));
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if ((image.At(x, y) >> 24) == 0)
                mask[y * stride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    return mask;
}

AlphaImageItem::AlphaImageItem(TsImageFormat format, std::vector<std::uint8_t> data)
    : format_(format), data_(std::move(data)) {}

SkinBitmap AlphaImageItem::Decode() {
    SkinBitmap image = DecodeAlphaPng(data_);
    orig_width_ = image.Width();
    orig_height_ = image.Height();
    return image;
}

SkinBitmap AlphaImageItem::Render(int list_width, int list_height, int width, int height) {
    if (format_ != TsImageFormat::ifPNG || data_.empty())
        return {};
    if (!cache_.IsEmpty() && cache_.Width() == width && cache_.Height() == height)
        return cache_.Clone();
    cache_ = SkinBitmap();
    SkinBitmap decoded = Decode();
    SkinBitmap result;
    if (orig_width_ == list_width && orig_height_ == list_height) {
        DeriveAlphaFromBottomLeft(decoded);
        result = std::move(decoded);
    } else {
        ResampleFiltered(decoded, result, width, fkMitchell, height);
    }
    cache_ = result.Clone();
    return result;
}

} // namespace skin::render
