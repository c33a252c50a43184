#pragma once

// Composing a skinned control's image from its section: the background (plain, gradient,
// texture, and what lies behind for transparent sections), the corner images, the border and
// the control's own hue and saturation; and the answers a control gives its children about
// what lies behind them.

#include "skin/data/loaded_skin.h"
#include "skin/render/cache_info.h"
#include "skin/render/geometry.h"
#include "skin/render/skin_bitmap.h"

namespace skin::render {

// What composition needs of a control's skin state.
struct ControlSkinState {
    int SkinIndex = -1;
    int BorderIndex = -1;
    int Texture = -1;
    int HotTexture = -1;
    int HUEOffset = 0;
    int Saturation = 0;
    // The control's own colour when it keeps it (CustomColor), else the key colour.
    Color CustomColor = kKeyColor;
};

// The weight of the background when a partly transparent face is blended over it.
inline int TransparencyAlpha(int transparency) {
    const int alpha = transparency * 255 / 100;
    return alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha);
}

// The values of a section in a state: the hot ones above 0 when the section has more than one.
struct StateValues {
    render::Color Color = 0;
    int Transparency = 0;
    int GradientPercent = 0;
    int ImagePercent = 0;
};
StateValues StateValuesOf(const data::TsGeneralData& section, int state);
// The state limited to the section's states (at least one).
int LimitState(const data::TsGeneralData& section, int state);

// The section's background in r of `bitmap`; p is where r lies in the background described
// by ci.
void PaintSectionBackground(const data::LoadedSkin& skin, const ControlSkinState& control,
                            const TCacheInfo& ci, SkinBitmap& bitmap, Point p, const Rect& r,
                            int state);

// Background, corner images, border, hue and saturation. Nothing without a valid section, or
// when r does not lie inside the bitmap.
void ComposeControlImage(const data::LoadedSkin& skin, const ControlSkinState& control,
                         TCacheInfo ci, bool fill_corners, SkinBitmap& bitmap, Point p,
                         const Rect& r, int state);

// The colour seen through a section of transparency t and colour `own` over `behind`: t = 0
// the own colour, t = 100 what lies behind, between them the share t / 100 of what is behind.
Color ColorSeenThrough(int transparency, Color own, Color behind);

// How a control answers a child asking what lies behind it.
enum class BackgroundSource {
    AskParent,  // fully transparent without a usable image: the parent's answer, moved
    PlainColor, // Color below
    CacheImage, // the control's cache bitmap
};
struct BackgroundAnswer {
    BackgroundSource Source = BackgroundSource::PlainColor;
    render::Color Color = 0;
};
struct BackgroundFacts {
    int Transparency = 0;
    int GradientPercent = 0;
    int ImagePercent = 0;
    bool PlainBackground = false; // the control's plain-background flag
    bool HasCache = false;
    bool BGChanged = false;
    Color Effective = 0; // the colour a child sees through the control
    Color Global = 0;    // the skin's global colour
};
BackgroundAnswer AnswerBackground(const BackgroundFacts& facts);

} // namespace skin::render
