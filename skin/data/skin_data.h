#pragma once

// The global settings of a loaded skin, all from its section GLOBALINFO (never inherited).

#include "skin/data/colors.h"
#include "skin/data/skin_version.h"

#include <cstdint>
#include <string>

namespace skin::data {

struct TsSkinData {
    // Folder of a folder skin's files, ending in "\"; the skin directory for a package file;
    // empty for an internal skin. Set by the skin manager.
    std::u16string SkinPath;
    // A skin is loaded and in use. Set by the skin manager.
    bool Active = false;
    // VERSION as a real, for showing it (7.10 shows as 7.1). Never compare it: compare
    // VersionParts, by the rule every version comparison follows.
    double Version = 0;
    SkinVersion VersionParts;
    std::u16string Author;
    std::u16string Description;
    TColor Shadow1Color = 0;
    std::int16_t Shadow1Offset = 0;
    std::int16_t Shadow1Blur = -1;
    std::int16_t Shadow1Transparency = 0;
    std::int16_t ExBorderWidth = 4;
    std::int16_t ExTitleHeight = 30;
    std::int16_t ExMaxHeight = 0; // title height of a maximised form
    std::int16_t ExContentOffs = 0;
    std::int16_t ExShadowOffs = 0;
    std::int16_t ExCenterOffs = 0;
    std::int16_t ExDrawMode = 0;
    TColor BorderColor = 0;
    std::int16_t BISpacing = 0; // space between title buttons
    std::int16_t BIVAlign = 0;
    std::int16_t BIRightMargin = 0;
    std::int16_t BILeftMargin = 0;
    std::int16_t BITopMargin = 0;
    // 0: title-button images follow a hue change; 1: none does; other: the close buttons don't.
    std::int16_t BIKeepHUE = 0;
    std::int16_t BICloseGlow = 0;
    std::int16_t BICloseGlowMargin = 0;
    std::int16_t BIMaxGlow = 0;
    std::int16_t BIMaxGlowMargin = 0;
    std::int16_t BIMinGlow = 0;
    std::int16_t BIMinGlowMargin = 0;
    bool UseAeroBluring = false;
    TColor ExtShadowColor = 0;
};

} // namespace skin::data
