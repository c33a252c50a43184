#pragma once

// A whole loaded skin turned by a hue offset and a saturation change, as the skin manager asks
// at load: the master bitmap, the masks' own images and every colour of the records. The skin's
// BIKEEPHUE keeps title-button glyphs out of the hue change (non-zero: the close glyphs; 1: all
// of them), so a red close button stays red whatever the skin's tint.

#include "skin/data/loaded_skin.h"

namespace skin::render {

// Nothing for 0, 0. The saturation amount is taken modulo 101.
void ApplySkinHueAndSaturation(data::LoadedSkin& skin, int hue_offset, int saturation);

// Whether the title-button glyph of that GLOBALINFO key keeps its hue under the setting.
bool KeepsHue(std::u16string_view property, int keep_hue_setting);

} // namespace skin::render
