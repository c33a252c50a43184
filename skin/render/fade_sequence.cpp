#include "skin/render/fade_sequence.h"

#include <algorithm>
#include <utility>

namespace skin::render {

std::uint8_t FadeAlpha(int frame, int iterations) {
    if (iterations < 1)
        return 0;
    const long long alpha = 255 - static_cast<long long>(frame) * 256 / iterations;
    return static_cast<std::uint8_t>(std::clamp<long long>(alpha, 0, 255));
}

int FadeLength(int skin_iterations, bool half_length) {
    return half_length ? skin_iterations / 2 : skin_iterations;
}

FadeSequence::FadeSequence(FrameHandler on_frame, EndHandler on_end)
    : on_frame_(std::move(on_frame)), on_end_(std::move(on_end)) {}

void FadeSequence::StartOver(int iterations) {
    ++generation_;
    iterations_ = iterations;
    level_ = 1;
    running_ = iterations >= 2;
    if (!running_)
        End();
}

int FadeSequence::Continue(int iterations) {
    const int start = running_ ? iterations_ - level_ : 1;
    ++generation_;
    iterations_ = iterations;
    level_ = start;
    running_ = iterations >= 2 && start >= 0;
    if (!running_) {
        End();
        return start;
    }
    DrawFrame();
    return start;
}

void FadeSequence::Tick() {
    if (!running_)
        return;
    if (level_ > iterations_ || level_ < 0) {
        running_ = false;
        End();
        return;
    }
    DrawFrame();
}

void FadeSequence::DrawFrame() {
    const int frame = level_;
    const unsigned generation = generation_;
    if (on_frame_)
        on_frame_(frame, FadeAlpha(frame, iterations_));
    // The level advances also when drawing failed, but not over a restart from inside.
    if (generation == generation_ && running_)
        level_ = frame + 1;
}

void FadeSequence::Stop() {
    ++generation_;
    running_ = false;
}

void FadeSequence::Finish() {
    if (!running_)
        return;
    ++generation_;
    running_ = false;
    End();
}

void FadeSequence::End() {
    // The handler may free the timer that ticks this sequence, or start a new fade.
    if (on_end_) {
        EndHandler handler = on_end_;
        handler();
    }
}

} // namespace skin::render
