#pragma once

// The look of a skinned scroll bar, composed off screen: the two track sections split at the
// thumb's centre, the arrow buttons with their glyphs, the thumb with its grip, all over what lies
// behind the bar; a disabled bar faded toward its background; the square between two bars.

#include "skin/data/loaded_skin.h"
#include "skin/render/cache_info.h"
#include "skin/render/skin_bitmap.h"
#include "skin/scroll/scroll_geometry.h"

namespace skin::scroll {

// The skin's parts of one bar kind, looked up once per skin; -1 where the skin has none.
struct BarSkin {
    int Track1 = -1, Track2 = -1; // SCROLLBAR1H/V, SCROLLBAR2H/V
    int Track1Mask = -1, Track2Mask = -1;
    int ButtonUp = -1, ButtonDown = -1; // SCROLLBTNLEFT/TOP, SCROLLBTNRIGHT/BOTTOM
    int ButtonUpMask = -1, ButtonDownMask = -1;
    int GlyphUp = -1, GlyphDown = -1;                // their GLYPHMASK
    int Thumb = -1, ThumbMask = -1, ThumbGlyph = -1; // SCROLLSLIDERH/V
    // Without the track and button sections the bar is not painted.
    bool Complete() const { return Track1 >= 0 && Track2 >= 0 && ButtonUp >= 0 && ButtonDown >= 0; }
};

BarSkin BarSkinOf(const data::LoadedSkin& skin, BarKind kind);

// The arrow length the skin asks for: the platform's arrow square, or one image of the
// SCROLLBTNLEFT (horizontal) or SCROLLBTNTOP (vertical) border mask when that is longer.
int SkinArrowLength(const data::LoadedSkin& skin, BarKind kind, int platform_arrow);

struct PartStates {
    int LineUp = 0, LineDown = 0, PageUp = 0, PageDown = 0, Thumb = 0;
};

struct BarLook {
    BarKind Kind = BarKind::Vertical;
    BarMetrics Metrics;
    ThumbPlace Thumb;
    bool Enabled = true;
    // Where a dragged thumb stands now (from the bar's start), or -1 for its place by position.
    int DraggedThumbStart = -1;
    int GlyphSquare = 16; // the platform's arrow square (SM_CXHSCROLL)
    PartStates States;
    // What lies behind the bar: the parent's image at the bar's place, or its colour.
    render::TCacheInfo Behind;
};

// The bar into bar (Length x thickness for horizontal bars, thickness x Length for vertical).
void PaintBar(render::SkinBitmap& bar, const data::LoadedSkin& skin, const BarSkin& parts,
              const BarLook& look);

// A disabled bar faded toward what lies behind it: 60 % of the background image's pixel and
// 40 % of the bar's (key-coloured background pixels left out), or, with a plain colour, 153/256
// of the bar and the rest of the colour.
void FadeDisabled(render::SkinBitmap& bar, const render::TCacheInfo& behind);

// The square between two bars: the background, and the skin's grip in its bottom-right corner
// when asked for.
void PaintCorner(render::SkinBitmap& corner, const data::LoadedSkin& skin,
                 const render::TCacheInfo& behind, bool grip);

// What lies behind copied into the whole bitmap.
void FillBehind(render::SkinBitmap& dst, const render::TCacheInfo& behind);

} // namespace skin::scroll
