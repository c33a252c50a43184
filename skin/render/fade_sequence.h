#pragma once

// The arithmetic of a cross-fade between a control's old face and its new one, as a state
// machine fed with timer ticks. The window layer only drives it from a timer and paints the
// frames it announces, so every rule about frame numbers and weights lives here.

#include <cstdint>
#include <functional>

namespace skin::render {

// Weight of the old face in frame k of n: clamp(255 - k * 256 div n, 0, 255). n below 1 gives
// 0 (the new face): a fade of no frames shows its end.
std::uint8_t FadeAlpha(int frame, int iterations);

// The frame count of a fade: the skin's number of iterations, halved (toward zero) for the short
// fades of pressing and releasing.
int FadeLength(int skin_iterations, bool half_length);

class FadeSequence {
public:
    // Called for each frame with its number and the weight of the old face. The callbacks may
    // stop or restart the sequence they are called from.
    using FrameHandler = std::function<void(int frame, std::uint8_t alpha)>;
    using EndHandler = std::function<void()>;

    FadeSequence(FrameHandler on_frame, EndHandler on_end);

    // A fade of a windowed button: a new one, or a running one started over, always begins at
    // frame 1. Fewer than 2 frames (a skin with 0, 1 or a negative count) end it at once: the
    // end handler runs and Running() stays false.
    void StartOver(int iterations);

    // A fade of a window-less button: it continues from a point proportional to where a running
    // one stopped (its frame count minus its level), at 1 when none runs. The first frame is
    // drawn at once. Returns the level it began at.
    int Continue(int iterations);

    // One timer tick: the next frame, or the end when the frames are used up (then the end
    // handler runs once and the sequence stops).
    void Tick();

    // Stopped without a last frame or the end handler (the caller paints the final face).
    void Stop();
    // Ended now: the end handler runs when a fade was running. For shutting down, when no
    // further tick may come.
    void Finish();

    bool Running() const { return running_; }
    // The next frame to draw (from 1); past Iterations() when the fade is over.
    int Level() const { return level_; }
    int Iterations() const { return iterations_; }

private:
    void DrawFrame();
    void End();

    FrameHandler on_frame_;
    EndHandler on_end_;
    int iterations_ = 0;
    int level_ = 0;
    bool running_ = false;
    // Counts starts, so a frame handler that restarted the sequence keeps its new level.
    unsigned generation_ = 0;
};

} // namespace skin::render
