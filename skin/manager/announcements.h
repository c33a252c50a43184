#pragma once

// When a change of skin is announced to the windows: at once, or once at the end of an update
// bracket however many changes it held.

#include <functional>

namespace skin::manager {

class AnnouncementBatch {
public:
    // Called with `repaint` when a skin is to be announced.
    explicit AnnouncementBatch(std::function<void(bool repaint)> announce)
        : announce_(std::move(announce)) {}

    void BeginUpdate() { ++depth_; }
    // Ends one bracket; the outermost end announces when anything changed inside, or always
    // when `always` (EndUpdate announces the current skin).
    void EndUpdate(bool repaint, bool always = true);
    bool NonAutoUpdate() const { return depth_ > 0; }

    // A skin was loaded: announced now, or at the end of the bracket.
    void Changed(bool repaint);

private:
    std::function<void(bool)> announce_;
    int depth_ = 0;
    bool pending_ = false;
};

} // namespace skin::manager
