#pragma once

// The form animations: a picture of the whole window (frame and client area with its controls)
// shown in a layered window of its own while the form closes, hides, minimises or restores.
// Each animation owns its window and picture and frees them when it ends, also when the form or
// the application went away meanwhile. One shared timer per interval drives all of them; while
// the application terminates they run at once, with pauses, since no loop would tick them.

#include "skin/frame/form_animation.h"
#include "skin/render/skin_bitmap.h"

#include <functional>
#include <string>
#include <windows.h>

namespace skin::windows {

class TsSkinProvider;

// The provider's frame with the client area as the screen shows it now, straight alpha.
render::SkinBitmap SnapshotOf(TsSkinProvider& provider);
// The same picture as the window would paint it (frame, form and windowed children printed),
// also before anything of it is on the screen.
render::SkinBitmap PrintedSnapshotOf(TsSkinProvider& provider);
// Where the snapshot lies on the screen.
frame::Rect SnapshotRect(TsSkinProvider& provider);

// Frames of a picture at a screen rectangle (hide: the rectangle of the picture; minimise: each
// frame's rectangle is on the screen). trace_name and event name the trace lines, one per tick
// with the frame's opacity. interval is the tick in ms.
void StartAnimation(render::SkinBitmap picture, const frame::Rect& screen_rect,
                    std::vector<frame::AnimationFrame> frames, bool frames_on_screen,
                    unsigned interval, std::u16string trace_name, std::string event);

// Runs the frames at once, with pauses of interval ms (the show animation, which ends before
// the form appears); before_close runs while the last frame still shows.
void PlayAnimation(render::SkinBitmap picture, const frame::Rect& screen_rect,
                   std::vector<frame::AnimationFrame> frames, unsigned interval,
                   std::u16string trace_name, std::string event,
                   const std::function<void()>& before_close);

// Animations still running.
int RunningAnimations();
// Keeps processing messages until every animation has ended, at most bound_ms.
void WaitForAnimations(unsigned bound_ms);

} // namespace skin::windows
