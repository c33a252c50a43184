#pragma once

// Composition of a skinned form's whole window into its cache bitmap: the form's face and
// border, the grip, the title band with icon and caption, the shadow template of the extended
// frame and the title buttons. The window layer supplies what only the platform knows (the icon
// as pixels, the caption font) and copies the result to the screen.

#include "skin/data/loaded_skin.h"
#include "skin/frame/title_buttons.h"
#include "skin/render/gray_bitmap.h"
#include "skin/render/skin_bitmap.h"
#include "skin/render/text_renderer.h"

#include <functional>
#include <string>
#include <string_view>

namespace skin::frame {

// The skin's parts of a frame, looked up once per skin. -1 where the skin has none.
struct FrameSkin {
    int FormIndex = -1;
    int TitleIndex = -1;
    int CaptionIndex = -1;
    int FormBorder = -1;
    int TitleBorder = -1;
    int TitleBar = -1; // TITLEBAR of the form section, behind the title buttons
    int Grip = -1;     // GRIPIMAGE
    int ExBorder = -1; // EXBORDER
    int Close = -1, CloseAlone = -1, Max = -1, Norm = -1, Min = -1, Help = -1;
    bool TopAligned = true; // the system buttons follow BIVALIGN
};

// form_section "FORM" or "DIALOG"; title_section empty for "FORMTITLE".
FrameSkin ResolveFrameSkin(const data::LoadedSkin& skin, std::u16string_view form_section,
                           std::u16string_view title_section, BorderStyle style);
ButtonMasks ButtonMasksOf(const data::LoadedSkin& skin, const FrameSkin& fs);

// The two shadow templates of the extended frame: the inactive one is the first state image of
// EXBORDER, the active one the second (the first again for a single image), transparent white
// cleared. Empty bitmaps when the skin has no EXBORDER.
struct ShadowTemplates {
    render::SkinBitmap Active;
    render::SkinBitmap Inactive;
};
ShadowTemplates ShadowTemplatesOf(const data::LoadedSkin& skin);

// Platform text format flags the caption uses.
enum CaptionFormat : unsigned {
    cfVCenter = 0x4,
    cfSingleLine = 0x20,
    cfNoPrefix = 0x800,
    cfRtlReading = 0x20000,
};

// What the form shows in its frame.
struct FrameContent {
    bool Active = true;
    std::u16string Caption;
    CaptionAlignment Alignment = CaptionAlignment::taLeftJustify;
    bool RightToLeft = false;
    bool ShowIcon = true;
    const render::SkinBitmap* Icon = nullptr; // straight alpha, drawn at the icon rectangle
    bool Grip = false;                        // gmRightBottom on a sizable form
    const render::SkinBitmap* ShadowTemplate = nullptr;
    render::TextRenderer* Text = nullptr; // the caption font; no caption without it
    // The state (0 normal, 1 hot, 2 pressed) a title button is drawn in; normal when empty.
    std::function<int(int hit_code)> ButtonState;
};

// The section state for the form's activity: 1 when active and the section has two states.
int FrameState(const data::LoadedSkin& skin, int section, bool active);

// A section's face in a state painted into r (over what lies there, by the section's
// transparency, when over_background), with its border mask on top; corners show what lay below.
void PaintSection(render::SkinBitmap& dst, const Rect& r, const data::LoadedSkin& skin, int section,
                  int border, int state, bool over_background);

// The rectangle of the title band's right end that TempBmp keeps.
Rect TempBmpRect(const FrameGeometry& g, int strip_width);

class FramePainter {
public:
    FramePainter(const data::LoadedSkin& skin, const FrameSkin& fs) : skin_(skin), fs_(fs) {}

    // The whole window into cache (resized to the geometry's size); temp_bmp receives the
    // title band's right end behind the buttons.
    void PaintAll(render::SkinBitmap& cache, render::SkinBitmap& temp_bmp, const FrameGeometry& g,
                  const WindowRules& rules, const TitleButtonLayout& layout,
                  const FrameContent& content);

    // One button repainted alone: its area restored from temp_bmp, its glyph in the state.
    void PaintButton(render::SkinBitmap& cache, const render::SkinBitmap& temp_bmp,
                     const FrameGeometry& g, const TitleButtonLayout& layout,
                     const PlacedButton& button, int state, bool active);

    // A button's glyph in a state drawn with its top-left at `at` of dst (over what dst holds).
    void PaintButtonGlyph(render::SkinBitmap& dst, Point at, const PlacedButton& button, int state,
                          bool active);

    // The caption's rectangle in the last composition (for tests and the glow cache).
    Rect LastCaptionRect() const { return caption_rect_; }

private:
    void PaintSection(render::SkinBitmap& dst, const Rect& r, int section, int border, int state,
                      bool over_background);
    void PaintTitleBand(render::SkinBitmap& cache, const FrameGeometry& g, const WindowRules& rules,
                        const TitleButtonLayout& layout, const FrameContent& content);
    void PaintCaption(render::SkinBitmap& cache, const FrameGeometry& g,
                      const TitleButtonLayout& layout, const FrameContent& content);
    void PaintTemplate(render::SkinBitmap& cache, const FrameGeometry& g,
                       const FrameContent& content);
    void PaintButtons(render::SkinBitmap& cache, const FrameGeometry& g,
                      const TitleButtonLayout& layout, const FrameContent& content);
    int MaskOf(ButtonImage image) const;

    const data::LoadedSkin& skin_;
    FrameSkin fs_;
    Rect caption_rect_;
    render::GrayBitmap glow_mask_;
};

} // namespace skin::frame
