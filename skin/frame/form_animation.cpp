#include "skin/frame/form_animation.h"

#include <algorithm>
#include <cmath>

namespace skin::frame {

int ButtonFade::Opacity(int level, int steps) {
    const int step = 255 / std::max(steps, 1);
    return std::min(step * level, 255);
}

bool ButtonFade::StartTowards(int state) {
    if (state == target_)
        return false;
    if (state == 2) {
        steps_ = 1;
        level_ = 0;
        rebuild_ = true;
    } else if (state == 1) {
        if (steps_ != kSteps) {
            // From pressed back to hot: keep the overlay visible, at full level.
            level_ = kSteps;
            steps_ = kSteps;
        }
        rebuild_ = target_ == 2 || level_ == 0;
    } else if (steps_ != kSteps) {
        level_ = kSteps;
        steps_ = kSteps;
    }
    target_ = state;
    full_ = false;
    return true;
}

ButtonFade::Step ButtonFade::Tick() {
    Step s;
    s.RebuildImage = rebuild_;
    rebuild_ = false;
    if (target_ == 0) {
        level_ = std::max(0, level_ - 1);
        s.Opacity = Opacity(level_, steps_);
        s.Finished = s.FreeOverlay = level_ == 0;
        return s;
    }
    if (level_ < steps_) {
        ++level_;
        s.Opacity = Opacity(level_, steps_);
        return s;
    }
    if (!full_) {
        full_ = true;
        s.Opacity = 255;
        return s;
    }
    s.Opacity = 255;
    // A pressed button waits for its release, which resets it wherever the cursor is.
    s.CheckCursor = target_ == 1;
    return s;
}

namespace {

Rect Rounded(double l, double t, double r, double b) {
    return {static_cast<int>(std::lround(l)), static_cast<int>(std::lround(t)),
            static_cast<int>(std::lround(r)), static_cast<int>(std::lround(b))};
}

} // namespace

std::vector<AnimationFrame> HideFrames(int width, int height, int time_ms, int start_opacity,
                                       AnimationMode mode) {
    std::vector<AnimationFrame> frames;
    const int n = time_ms / kFadeInterval;
    if (n <= 0)
        return frames;
    double o = start_opacity;
    const double dop = o / n;
    const double dx = mode == AnimationMode::atAero ? double(width) / (8 * n) : 0;
    const double dy = mode == AnimationMode::atAero ? double(height) / (8 * n) : 0;
    double l = 0, t = 0, r = width, b = height;
    for (int i = 0; i <= n; ++i) {
        o = std::max(0.0, o - dop);
        frames.push_back({Rounded(l, t, r, b), static_cast<int>(std::lround(o))});
        l += dx;
        r -= dx;
        t += dy;
        b -= dy;
    }
    return frames;
}

std::vector<AnimationFrame> ShowFrames(int width, int height, int time_ms, int target_opacity,
                                       AnimationMode mode) {
    std::vector<AnimationFrame> frames;
    const int n = time_ms / kFadeInterval;
    if (n <= 0)
        return frames;
    const bool aero = mode == AnimationMode::atAero;
    for (int i = 0; i <= n; ++i) {
        const double inset_x = aero ? double(width) * (n - i) / (8 * n) : 0;
        const double inset_y = aero ? double(height) * (n - i) / (8 * n) : 0;
        const double o = double(target_opacity) * i / n;
        frames.push_back({Rounded(inset_x, inset_y, width - inset_x, height - inset_y),
                          static_cast<int>(std::lround(o))});
    }
    return frames;
}

std::vector<AnimationFrame> MinimizeFrames(const Rect& from, const Rect& to, int time_ms,
                                           int opacity, bool restoring) {
    const int steps = std::max(time_ms / kMinimizeInterval, 1);
    std::vector<AnimationFrame> frames;
    auto lerp = [](int a, int b, double f) { return a + (b - a) * f; };
    for (int k = 1; k <= steps; ++k) {
        // Restoring walks from the target back to the window.
        const double f = restoring ? double(steps - k) / steps : double(k) / steps;
        frames.push_back({Rounded(lerp(from.Left, to.Left, f), lerp(from.Top, to.Top, f),
                                  lerp(from.Right, to.Right, f), lerp(from.Bottom, to.Bottom, f)),
                          static_cast<int>(std::lround(opacity * (1 - f)))});
    }
    return frames;
}

Rect NearestEdgeTarget(const Rect& screen, const Rect& form) {
    const int cx = (form.Left + form.Right) / 2;
    const int cy = (form.Top + form.Bottom) / 2;
    const int to_left = cx - screen.Left;
    const int to_right = screen.Right - cx;
    const int to_top = cy - screen.Top;
    const int to_bottom = screen.Bottom - cy;
    const int nearest = std::min({to_left, to_right, to_top, to_bottom});
    if (nearest == to_bottom)
        return {cx, screen.Bottom, cx, screen.Bottom};
    if (nearest == to_top)
        return {cx, screen.Top, cx, screen.Top};
    if (nearest == to_left)
        return {screen.Left, cy, screen.Left, cy};
    return {screen.Right, cy, screen.Right, cy};
}

} // namespace skin::frame
