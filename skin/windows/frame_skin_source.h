#pragma once

// What a form's skin provider takes from the skin manager: the loaded skin, whether extended
// borders are in effect with their shadow margins and templates, and the effects the manager
// configures. The manager fills one and hands it to every provider it announces a skin to; a
// provider without one leaves its form to the platform.

#include "skin/data/loaded_skin.h"
#include "skin/frame/frame_geometry.h"
#include "skin/frame/frame_painter.h"

namespace skin::windows {

struct FrameSkinSource {
    const data::LoadedSkin* Skin = nullptr;
    // FormShadowSize: zero unless extended borders are in effect.
    frame::Margins ShadowSize;
    bool ExtendedBorders = false;
    frame::ShadowTemplates Templates;
    bool SkinnedPopups = true;
    int ShowTime = 0;       // the form-show animation, ms (under 12: none)
    int HideTime = 0;       // the form-hide animation, ms (0: none)
    int MinimizeTime = 200; // the minimise animation, ms
    // The opacity of a form dragged by its title band; 255: it stays opaque.
    int MoveBlend = 255;
};

// The source of the skin as the manager makes it: shadow margins and templates from the skin's
// EXBORDER (FORMOFFSET on every side with BORDERMODE 1, else the border widths less FORMOFFSET),
// or the built-in shadows with their margins when the skin has none.
FrameSkinSource MakeFrameSkinSource(const data::LoadedSkin& skin, bool extended_borders);

} // namespace skin::windows
