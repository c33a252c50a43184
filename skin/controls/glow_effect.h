#pragma once

// The halo around a control under the mouse: a click-through layered window placed just above
// the control's form, showing the section's glow mask (GLOW0) with per-pixel alpha. Every glow
// lives in one list of the process; a control remembers its entry (GlowID, -1 for none). Freed
// entries become empty slots; the list is only emptied as a whole.

#include "skin/data/loaded_skin.h"

#include <memory>
#include <string_view>
#include <windows.h>

namespace skin::controls {

class TacGlowEffect {
public:
    TacGlowEffect(const data::LoadedSkin& skin, int mask_index, int margin);
    ~TacGlowEffect();
    TacGlowEffect(const TacGlowEffect&) = delete;
    TacGlowEffect& operator=(const TacGlowEffect&) = delete;

    // Shows the glow around r (screen coordinates) cropped to its visible part (relative to r),
    // above owner in the z-order. Nothing when already shown; false when nothing could be shown.
    bool Show(const RECT& r, const RECT& visible, HWND owner, BYTE alpha);
    HWND Wnd() const { return wnd_; }
    int MaskIndex() const { return mask_index_; }
    int Margin() const { return margin_; }
    static constexpr int IntBorderWidth() { return 2; }

private:
    const data::LoadedSkin& skin_;
    int mask_index_;
    int margin_;
    HWND wnd_ = nullptr;
};

// Creates and shows a glow for the section's mask named base_name + "0" and answers its index in
// the list; -1 when the section has no such mask or nothing could be shown.
int ShowGlow(const RECT& r, const RECT& visible, const data::LoadedSkin& skin, int section,
             HWND owner, BYTE alpha, int margin, std::u16string_view base_name);
// Destroys one glow; the index becomes -1.
void HideGlow(int& index);
// Destroys every glow and empties the list.
void HideAllGlows();
// The glow at an index, or null.
const TacGlowEffect* GlowAt(int index);

// Whether glows may be shown: the default skin manager's Effects.AllowGlowing.
bool GlowingAllowed();

} // namespace skin::controls
