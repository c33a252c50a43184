#pragma once

// The steps of the form animations and of the title-button fades, as pure sequences: the window
// layer runs one step per timer tick and draws what the step says.

#include "skin/frame/frame_geometry.h"

#include <vector>

namespace skin::frame {

inline constexpr int kFadeInterval = 12;     // title-button fades and show/hide ticks, ms
inline constexpr int kMinimizeInterval = 15; // minimise and restore ticks, ms

// A title button's overlay fading towards a state: hot fades in over 10 steps, pressed shows at
// once, normal fades out from the current level.
class ButtonFade {
public:
    static constexpr int kSteps = 10;

    // Starts or redirects the fade; false when the button already has that state.
    bool StartTowards(int state);

    struct Step {
        int Opacity = 0;
        bool Finished = false;     // the timer stops
        bool CheckCursor = false;  // faded in: see whether the cursor has left the button
        bool FreeOverlay = false;  // faded out: the overlay window and its image go
        bool RebuildImage = false; // the overlay shows a new state
    };
    Step Tick();

    int Target() const { return target_; }
    int Level() const { return level_; }
    int Steps() const { return steps_; }
    static int Opacity(int level, int steps);

private:
    int target_ = 0;
    int level_ = 0;
    int steps_ = kSteps;
    bool full_ = false;
    bool rebuild_ = false;
};

// One picture of a form animation: where the snapshot is drawn (in the animation window's
// coordinates, or on screen for minimising) and the window's opacity.
struct AnimationFrame {
    Rect Draw;
    int Opacity = 255;
    friend bool operator==(const AnimationFrame&, const AnimationFrame&) = default;
};

enum class AnimationMode { atAero, atFading };

// Hiding: N = time div 12 ticks i = 0 .. N; none when N is 0. The opacity falls by start / N per
// tick (before the tick is drawn); with atAero the picture shrinks by width / (8 N) and height /
// (8 N) on every side after each tick.
std::vector<AnimationFrame> HideFrames(int width, int height, int time_ms, int start_opacity,
                                       AnimationMode mode);

// Showing: the reverse; none when N is 0, and the picture is then shown at once.
std::vector<AnimationFrame> ShowFrames(int width, int height, int time_ms, int target_opacity,
                                       AnimationMode mode);

// Minimising from the window's rectangle to the target (the taskbar button, or the taskbar edge
// nearest the form's centre) in max(time div 15, 1) steps, fading to 0; restoring runs it
// backwards, ending at the window's rectangle with the form's opacity.
std::vector<AnimationFrame> MinimizeFrames(const Rect& from, const Rect& to, int time_ms,
                                           int opacity, bool restoring);

// Without a taskbar button: a point on the edge of the screen nearest to the form's centre.
Rect NearestEdgeTarget(const Rect& screen, const Rect& form);

} // namespace skin::frame
