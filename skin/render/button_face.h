#pragma once

// A button's whole face for one state, composed off screen: the section's fill against what lies
// behind the button, its border, the glyph, the caption in the skin's text colours, the focus
// frame and the disabled look. The same composition serves push buttons and speed buttons.

#include "skin/data/loaded_skin.h"
#include "skin/render/button_glyph.h"
#include "skin/render/cache_info.h"
#include "skin/render/skin_bitmap.h"
#include "skin/render/text_renderer.h"

#include <string>

namespace skin::render {

// The section's background for a state in r of dst, against the background ci (whose X and Y
// give r's place in ci's bitmap): the fill alone when nothing is known behind or the section is
// opaque; the background alone at transparency 100; otherwise the fill over the background with
// the background's weight min(T * 255 div 100, 255).
void PaintButtonBackground(SkinBitmap& dst, const Rect& r, const data::LoadedSkin& skin,
                           int section, int state, const TCacheInfo& ci);

// The speed button's styles: a plain button, a check button, a button with an arrow part for
// its menu, a blank separator and a divider line.
enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

struct ButtonFace {
    const data::LoadedSkin* Skin = nullptr;
    int Section = -1;
    int State = 0;
    bool Enabled = true;
    // What lies behind the button, X and Y its place in the bitmap.
    TCacheInfo Behind = EmptyCacheInfo;
    Color ParentColor = 0xF0F0F0;
    // A push button draws no border in state 0 when its mask says so.
    bool PushButton = true;

    std::u16string Caption;
    Rect CaptionRect;
    unsigned TextFormat = 0;

    const SkinBitmap* Glyph = nullptr; // 32-bit strip with alpha, or keyed
    int NumGlyphs = 1;
    Point GlyphAt;
    int Blend = 0;
    bool Grayed = false;
    bool Reflected = false;
    bool Down = false;
    bool DisabledGlyphGrayed = false;

    TToolButtonStyle Style = TToolButtonStyle::tbsButton;
    // The drop-down arrow part's own state (2 while its menu is open or the button is down).
    int ArrowState = 0;
    // A push button's split style: a line and a down arrow in the 16 rightmost pixels.
    bool Split = false;
    // The arrow's colour when the section gives none.
    Color FontColor = 0;

    bool ShowFocus = false; // focused, enabled and allowed by the section
    int FocusMargin = 1;
    DisabledKinds Disabled;
};

// The state actually drawn: limited to the section's states.
int LimitedState(const data::LoadedSkin& skin, int section, int state);

// The caption with the section's text colours of the state: each outline colour that is set at
// its offset, (-1, 0), (0, -1), (+1, 0), (0, +1), then the colour.
void DrawButtonCaption(SkinBitmap& face, TextRenderer& text, const data::LoadedSkin& skin,
                       int section, int state, const std::u16string& caption, const Rect& r,
                       unsigned format);

// A downward arrow of four rows 8, 6, 4 and 2 pixels wide, centred in r, one pixel right and
// down when pressed; clipped to the face.
void DrawDownArrow(SkinBitmap& face, const Rect& r, bool pressed, Color color);

// The face by the style: a separator shows what lies behind alone; a divider adds the DIVIDER
// section's border in its centre column; a drop-down button draws its arrow part in its own
// state and the rest of the face beside it.
void ComposeButtonFace(SkinBitmap& face, const ButtonFace& b, TextRenderer& text);

} // namespace skin::render
