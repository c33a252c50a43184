#pragma once

// What the skinned buttons share in painting: the skin section, the face of the state shown last
// (the cache), the glyph's pixels, composing a face from the section, showing it on paint and
// cross-fading to the face of a new state. Each button decides its own state and where a face
// is shown; a windowed button restarts a running fade, a window-less one continues it from a
// proportional point.

#include "skin/controls/state_fade.h"
#include "skin/data/loaded_skin.h"
#include "skin/engine/common_data.h"
#include "skin/render/button_face.h"
#include "skin/render/skin_bitmap.h"
#include "ui/control.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <windows.h>

namespace skin::controls {

enum class FadeMode { Restart, Continue };

// What a face shows besides the section: the caption, the glyph and the look of the state.
struct FaceContent {
    std::u16string Caption;
    HFONT Font = nullptr;
    bool Enabled = true;
    bool PushButton = true; // no border in state 0 when the mask says so
    bool ShowFocus = false;
    int Blend = 0;
    // Without a glyph, a push button centres its caption; a speed button lays out an empty glyph.
    bool CaptionOnlyLayout = false;
    render::TToolButtonStyle Style = render::TToolButtonStyle::tbsButton;
    int ArrowState = 0;
    bool Split = false;
    render::Color FontColor = 0;
};

class ButtonPaint {
public:
    using ShowFace = std::function<void(const render::SkinBitmap& face)>;
    // Paints what lies over the button into a face of it (a window-less button's siblings above
    // it); true when anything was painted.
    using Overlay = std::function<bool(render::SkinBitmap& face)>;

    // The owner's skin state (TsCommonData) is made here, of the control category given; the
    // skin and the section come from it, so from the skin manager.
    ButtonPaint(ui::Control& owner, int category, FadeMode mode, ShowFace show);
    ~ButtonPaint();
    ButtonPaint(const ButtonPaint&) = delete;
    ButtonPaint& operator=(const ButtonPaint&) = delete;

    engine::TsCommonData& SkinData() { return skin_data_; }
    // Stops any fade and forgets the face shown, so the next paint composes it anew.
    void SetSection(std::u16string_view section);
    const std::u16string& SectionName() const { return skin_data_.SkinSection(); }
    const data::LoadedSkin* Skin() const { return skin_data_.Skin(); }
    int Section() const { return skin_data_.SkinIndex(); }
    bool Skinned() const;
    bool FadingEnabled() const;

    // A window-less button paints its siblings above it into its cache, so that showing the
    // cache directly (a fade frame, an immediate repaint) does not cover them.
    void SetOverlay(Overlay overlay) { overlay_ = std::move(overlay); }

    void SetGlyph(render::SkinBitmap glyph);
    const render::SkinBitmap& Glyph() const { return glyph_; }

    int ShownState() const { return shown_state_; }
    void Forget();
    render::SkinBitmap& Cache() { return cache_; }
    const render::SkinBitmap& Cache() const { return cache_; }
    StateFade& Fade() { return *fade_; }
    const StateFade& Fade() const { return *fade_; }
    // The running fade's frame, or the cache.
    const render::SkinBitmap& OnShow() const;
    // What a paint of the parent shows, which paints the siblings above after it: the running
    // fade's frame, or the face without the siblings.
    const render::SkinBitmap& UnderSiblings() const;

    // The cache sized to the owner (emptied for an empty owner); true when there is a face to
    // compose.
    bool SizeCache();
    // The section's face of the shown state with the content, into the cache.
    void ComposeSkinned(const FaceContent& content);

    // On paint: the face for `state`, composed again by `compose` when the state, the size or
    // the skin changed, or (unless a fade runs) the skin state says the background changed
    // (BGChanged), shown at (x, y) of dc. Every composition is logged as "compose" (state).
    void Paint(HDC dc, int x, int y, int state, const std::function<void()>& compose);

    // The state may have changed: composes the new face and fades to it when the skin asks and
    // may_fade allows, else shows it at once. False when the state was already shown.
    bool ChangeTo(int state, bool may_fade, const std::function<void()>& compose);

    // The skin commands a button answers beyond its skin state's: a new, refreshed or removed
    // skin composes the face again; 16 stops the fade; 23 composes the face of the state again
    // (through compose). True when the message was a skin command.
    bool HandleSkinCommand(ui::Message& message, const std::function<void()>& compose);

    // The hover glow after a state change: shown while the mouse is above the button and no
    // press or release is in hand, hidden otherwise; only when glowing is allowed and the
    // section has a glow.
    void UpdateGlow(bool mouse_above, bool press_or_release);
    void HideGlow();
    int GlowID() const { return glow_id_; }

private:
    void Compose(const std::function<void()>& compose);
    // The key-coloured corners of a face in a state refilled from what lies behind now.
    void RefreshCorners(render::SkinBitmap& face, int state);

    ui::Control& owner_;
    engine::TsCommonData& skin_data_;
    FadeMode mode_;
    ShowFace show_;
    // The skin the cache was composed with: a new skin composes the face again.
    const data::LoadedSkin* composed_skin_ = nullptr;
    int shown_state_ = -1;
    render::SkinBitmap cache_;
    // The cache before the overlay was painted into it; empty when nothing lies over the button.
    render::SkinBitmap under_overlay_;
    Overlay overlay_;
    render::SkinBitmap glyph_;
    std::unique_ptr<StateFade> fade_;
    int glow_id_ = -1;
};

// Space between a glyph and its caption.
inline constexpr int kGlyphSpacing = 4;

} // namespace skin::controls
