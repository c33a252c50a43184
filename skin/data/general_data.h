#pragma once

// The record of one skin section ("FORM", "EDIT", "BUTTON", ...): colours, transparency,
// gradient, glow and text colours for the normal and the hot state, and the indexes of the
// section's images. A painter drawing a section in state s (0 or 1) reads Props[s].

#include "skin/data/colors.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace skin::data {

// Text colours: the text itself, then a one-pixel outline on each side (-1 = no outline).
struct TsFontColor {
    TColor Color = 0;
    TColor Left = -1;
    TColor Top = -1;
    TColor Right = -1;
    TColor Bottom = -1;
    friend bool operator==(const TsFontColor&, const TsFontColor&) = default;
};

// One gradient segment: from Color1 to Color2 over Percent (0 .. 100) of the length; Mode1 is
// the direction code, Mode2 is always 0.
struct TsGradPie {
    TColor Color1 = 0;
    TColor Color2 = 0;
    std::int32_t Percent = 0;
    std::int32_t Mode1 = 0;
    std::int32_t Mode2 = 0;
    friend bool operator==(const TsGradPie&, const TsGradPie&) = default;
};

using TsGradArray = std::vector<TsGradPie>;

// One state of a section.
struct TsGenState {
    TColor Color = 0;
    TsFontColor FontColor;
    std::int32_t GradientPercent = 0;
    std::u16string GradientData;
    TsGradArray GradientArray;
    std::int32_t ImagePercent = 0;
    TColor GlowColor = 0;
    std::uint8_t GlowSize = 0;
    std::int32_t Transparency = 0;
    friend bool operator==(const TsGenState&, const TsGenState&) = default;
};

// The values below are those of a record before the options text fills it; a record of a
// section is zero-filled first and then gets the text's value or the default of each key.
struct TsGeneralData {
    std::u16string ParentClass;
    std::u16string ClassName;
    std::int32_t States = 0;
    std::array<TsGenState, 2> Props;
    bool GiveOwnFont = false;
    bool ReservedBoolean = false;
    bool ShowFocus = false;
    std::int32_t GlowCount = 0;
    std::int32_t GlowMargin = 0;
    // Indexes into the mask list of the loaded skin; -1 when the section has no such image.
    std::int32_t BorderIndex = -1;
    std::int32_t ImgTL = -1;
    std::int32_t ImgTR = -1;
    std::int32_t ImgBL = -1;
    std::int32_t ImgBR = -1;
    std::int32_t TextureNormal = -1;
    // Normal state.
    TColor Color = 0;
    std::int32_t Transparency = 0;
    std::int32_t GradientPercent = 0;
    std::u16string GradientData;
    TsGradArray GradientArray;
    std::int32_t ImagePercent = 0;
    TsFontColor FontColor;
    // Hot state: read only when States is 2 or more, otherwise all 0.
    TColor HotColor = 0;
    std::int32_t HotTransparency = 0;
    std::int32_t HotGradientPercent = 0;
    std::u16string HotGradientData;
    TsGradArray HotGradientArray;
    std::int32_t HotImagePercent = 0;
    TsFontColor HotFontColor;
    bool FadingEnabled = false;
    std::int32_t FadingIterations = 0;
    TColor HotGlowColor = 0;
    TColor GlowColor = 0;
    std::uint8_t HotGlowSize = 0;
    std::uint8_t GlowSize = 0;
};

} // namespace skin::data
