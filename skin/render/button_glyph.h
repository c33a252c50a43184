#pragma once

// Glyphs on a button face: strips of state images with per-pixel alpha or a key colour, blended,
// tinted, greyed and mirrored; and the two whole-face looks of a button, disabled and focused.
// Everything is clipped to the face, also glyphs larger than the button.

#include "skin/render/cache_info.h"
#include "skin/render/colors.h"
#include "skin/render/glyph_composite.h"
#include "skin/render/skin_bitmap.h"

#include <optional>

namespace skin::render {

struct DisabledKinds {
    bool Grayed = false;
    bool Blended = true;
};

// Whether a 32-bit glyph has at least one fully opaque pixel; one without is drawn as a keyed
// glyph, since its alpha bytes are most likely not alpha at all.
bool HasOpaquePixel(const SkinBitmap& glyph);

// Image index of a 32-bit strip in a state.
int AlphaStripIndex(int state, int num_glyphs);
// Image index of a keyed strip: 0 in the normal state and when disabled, 1 when hot, 2 pressed
// (3 when the button stays down); a shorter strip falls back to 1 (0 for 4-bit glyphs).
int KeyedStripIndex(int state, int num_glyphs, bool enabled, bool down, bool four_bit);

// Image `index` of a strip of images glyph_width wide laid at `at` onto the face by
// CompositeGlyph.
void CompositeAlphaGlyph(SkinBitmap& face, const SkinBitmap& strip, int index, int glyph_width,
                         Point at, int transparency, std::optional<Color> tint);

// The mirror image below a 32-bit glyph drawn at `at`: row k under the glyph shows glyph row k
// above its last one, fading by 255 div (height div 2) per row from 255; a third of the alpha.
void ReflectAlphaGlyph(SkinBitmap& face, const SkinBitmap& strip, int index, int glyph_width,
                       Point at, int transparency);

struct KeyedGlyphLook {
    int State = 0;
    int Blend = 0; // percent, normal state only
    bool Enabled = true;
    bool DisabledGrayed = false;
    bool DisabledBlended = true;
};

// Image `index` of a keyed strip, its key the bottom-left pixel of that image: copied keyed, or
// blended keeping Blend % of the face in the normal state; disabled, greyed and then blended
// half and half as the look asks.
void DrawKeyedGlyph(SkinBitmap& face, const SkinBitmap& strip, int index, int glyph_width, Point at,
                    const KeyedGlyphLook& look);

// The disabled face: grey first when asked, then 60 % of the background under the button over
// 40 % of the face, or half way toward the background colour without a background bitmap.
void ApplyDisabledLook(SkinBitmap& face, DisabledKinds kinds, const TCacheInfo& behind,
                       Color background_color);

// The focus frame: the rectangle inflated by margin, its Right and Bottom moved in by one; along
// each edge every third pixel from the start is black and the one before it the face colour.
void DrawFocusDots(SkinBitmap& face, const Rect& caption, int margin, Color face_color);

} // namespace skin::render
