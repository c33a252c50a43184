#pragma once

// The forms held still while a skin changes: every visible, not minimised, top-level form with
// a skin provider stops redrawing; when the lock ends they redraw in the new skin, and with a
// fade time the picture of the old look lies over each of them and fades out ("skin-change"
// in the trace, one line per frame).

#include "skin/render/skin_bitmap.h"

#include <memory>
#include <vector>
#include <windows.h>

namespace skin::windows {
class TsSkinProvider;
}

namespace skin::engine {

class FormsLock {
public:
    // fade_ms 0: no cross-fade.
    explicit FormsLock(int fade_ms);
    ~FormsLock();
    FormsLock(const FormsLock&) = delete;
    FormsLock& operator=(const FormsLock&) = delete;

    int LockedForms() const { return int(locked_.size()); }

private:
    struct Locked;
    int fade_ms_;
    std::vector<std::unique_ptr<Locked>> locked_;
};

} // namespace skin::engine
