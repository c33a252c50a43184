#pragma once

// A title button of the extended frame changing its look: a small layered window over the
// button shows the title background with the glyph of the new state and fades in over 10 steps
// of 12 ms (pressed at once) or out from where it stands. The frame's own image keeps every
// button in its normal look.

#include "skin/frame/form_animation.h"
#include "skin/frame/title_buttons.h"
#include "skin/render/skin_bitmap.h"
#include "ui/timer_service.h"

#include <windows.h>

namespace skin::windows {

class TsSkinProvider;

class TitleButtonFade {
public:
    TitleButtonFade(TsSkinProvider& provider, int hit_code);
    ~TitleButtonFade();
    TitleButtonFade(const TitleButtonFade&) = delete;
    TitleButtonFade& operator=(const TitleButtonFade&) = delete;

    int HitCode() const { return hit_code_; }
    // Starts or redirects the fade towards the state.
    void StartTowards(int state);
    // The overlay has faded out (or never showed): the fade may be freed.
    bool Finished() const { return finished_; }
    int Level() const { return fade_.Level(); }

private:
    void Tick();
    void BuildImage(int state);
    void Show(int opacity);
    const frame::PlacedButton* Button() const;

    TsSkinProvider& sp_;
    int hit_code_;
    frame::ButtonFade fade_;
    ui::Timer timer_;
    HWND overlay_ = nullptr;
    render::SkinBitmap image_;
    render::SkinBitmap premultiplied_;
    bool finished_ = false;
    bool watching_ = false;
};

} // namespace skin::windows
