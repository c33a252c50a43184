#pragma once

// The image syntaxes of option values. The first character decides: "!" an image file of the
// skin, "@" a glyph, "^" a border and "~" a texture in the master bitmap (fixed-position fields);
// then a value naming a BMP file is a whole-file border, and a value with "#" a border given by
// words. Anything else declares no mask.

#include "skin/data/mask_data.h"
#include "skin/data/skin_version.h"

#include <compare>
#include <memory>
#include <optional>
#include <string_view>

namespace skin::data {

// What the syntaxes need from the loading skin.
class MaskImageSource {
public:
    virtual ~MaskImageSource() = default;
    // A separate image file, decoded and post-processed; null when missing or 0 pixels wide.
    virtual std::unique_ptr<Image32> LoadImage(std::u16string_view name) = 0;
    virtual const Image32& MasterBitmap() const = 0;
    virtual SkinVersion Version() const = 0;
};

// The mask declared by one key, or none. Fixed-position fields that are not integers raise
// "''%s'' is not a valid integer value".
std::optional<TsMaskData> ParseMask(std::u16string_view section, std::u16string_view key,
                                    std::u16string_view value, MaskImageSource& images);

// 1 when a key-colour pixel lies in one of the four corner pieces of the first state image of
// the mask, else 0; the scan is clipped to the source image.
std::int16_t CornerKeyTest(const TsMaskData& mask, const Image32& source);

} // namespace skin::data
