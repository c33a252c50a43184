#include "skin/manager/announcements.h"

namespace skin::manager {

void AnnouncementBatch::Changed(bool repaint) {
    if (depth_ > 0) {
        pending_ = true;
        return;
    }
    announce_(repaint);
}

void AnnouncementBatch::EndUpdate(bool repaint, bool always) {
    if (depth_ == 0 || --depth_ > 0)
        return;
    const bool announce = always || pending_;
    pending_ = false;
    if (announce)
        announce_(repaint);
}

} // namespace skin::manager
