#pragma once

// Skin images ("masks"): rectangles of the master bitmap or separate image files of the skin,
// each declared by one key of one section of the options text, and the large JPEG patterns.

#include "skin/data/image32.h"
#include "skin/data/rect.h"

#include <cstdint>
#include <memory>
#include <string>

namespace skin::data {

enum class TacImgType : std::uint8_t {
    itisaBorder,
    itisaTexture,
    itisaGlyph,
    itisaGlow,
    itisaPngGlyph,
};

// Bits of TsMaskData::DrawMode read by the border painter.
enum : std::int16_t {
    kDrawModeStretch = 1,     // stretch the border pieces instead of tiling them
    kDrawModeNoState0 = 2,    // nothing is painted in state 0
    kDrawModePaintCentre = 4, // the centre piece is painted too
};

struct TsMaskData {
    // The mask's own image; none when the mask is a rectangle of the master bitmap.
    std::unique_ptr<Image32> Bmp;
    std::u16string ClassName;    // the section that declared the mask
    std::u16string PropertyName; // the key that declared it
    Rect R;                      // area in the source image
    std::int16_t ImageCount = 0; // state images side by side across R
    // 0: transparency by the key colour; n >= 1: R is split into n + 1 horizontal bands, the
    // colour images on top and their transparency masks below.
    std::int16_t MaskType = 0;
    std::int16_t BorderWidth = 0; // one width for all pieces when WL .. WB are all 0
    std::int16_t DrawMode = 0;
    TacImgType ImgType = TacImgType::itisaBorder;
    std::int16_t WL = 0;
    std::int16_t WT = 0;
    std::int16_t WR = 0;
    std::int16_t WB = 0;
    // 0: no key pixels in the corners; 1: key pixels found; 2: fixed for BUTTON_HUGE.
    std::int16_t CornerType = 0;
};

// A large JPEG picture of the skin (at least 900000 pixels), stored as decoded pixels.
struct TsPatternData {
    std::unique_ptr<Image32> Img;
    std::u16string ClassName;
    std::u16string PropertyName;
};

// Width of one state image: 0 without images, Width(R) ÷ ImageCount otherwise.
int StateWidth(const TsMaskData& mask);
// Height of one state image: Height(R) ÷ (MaskType + 1); 0 when MaskType is -1.
int StateHeight(const TsMaskData& mask);

} // namespace skin::data
