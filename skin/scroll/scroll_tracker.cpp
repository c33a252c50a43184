#include "skin/scroll/scroll_tracker.h"

namespace skin::scroll {

bool ScrollTracker::Press(TrackerHost& host, const BarView& bar, int p) {
    if (Tracking())
        Cancel(host);
    const BarPart part = HitPart(bar.Metrics, bar.Thumb, p);
    if (part == bpNone || !bar.Enabled)
        return false;
    if ((part == bpLineUp && bar.UpArrowDisabled) || (part == bpLineDown && bar.DownArrowDisabled))
        return false;
    bar_ = bar.Kind;
    part_ = part;
    shown_ = part;
    host.Capture(true);
    if (part == bpThumb) {
        thumb_tracking_ = true;
        thumb_size_ = bar.Thumb.Size;
        thumb_start_ = bar.Thumb.Start(bar.Metrics);
        grab_ = p - thumb_start_;
        last_pos_ = bar.Record.Pos;
        host.RepaintBars();
        return true;
    }
    host.RepaintBars();
    host.SendScroll(bar_, part_, 0);
    repeat_timer_ = kFirstRepeatTimer;
    host.StartTimer(kFirstRepeatTimer, kFirstRepeatMilliseconds);
    return true;
}

void ScrollTracker::RepeatTick(TrackerHost& host, unsigned timer, BarPart under_cursor) {
    if (!Tracking() || thumb_tracking_ || timer != repeat_timer_)
        return;
    if (timer == kFirstRepeatTimer) {
        host.StopTimer(kFirstRepeatTimer);
        repeat_timer_ = kRepeatTimer;
        host.StartTimer(kRepeatTimer, kRepeatMilliseconds);
    }
    const BarPart now_shown = under_cursor == part_ ? part_ : bpNone;
    if (now_shown != shown_) {
        shown_ = now_shown;
        host.RepaintBars();
    }
    if (now_shown != bpNone)
        host.SendScroll(bar_, part_, 0);
}

void ScrollTracker::Drag(TrackerHost& host, const BarView& bar, int p) {
    if (!thumb_tracking_ || bar.Kind != bar_)
        return;
    thumb_start_ = scroll::DraggedThumbStart(bar.Metrics, thumb_size_, p, grab_);
    host.RepaintBars();
    const int pos = DragPosition(bar_, bar.Metrics, bar.Record, thumb_size_, thumb_start_);
    if (pos == last_pos_)
        return;
    last_pos_ = pos;
    host.SendScroll(bar_, kThumbTrack, pos);
}

void ScrollTracker::Release(TrackerHost& host) {
    if (!Tracking())
        return;
    StopRepeat(host);
    const BarKind bar = bar_;
    const bool thumb = thumb_tracking_;
    const int pos = last_pos_;
    // Cleared first: giving up the capture tells the window, which must find nothing to cancel.
    Clear();
    host.Capture(false);
    if (thumb)
        host.SendScroll(bar, kThumbPosition, pos);
    host.SendScroll(bar, kEndScroll, 0);
    host.RepaintBars();
}

void ScrollTracker::Cancel(TrackerHost& host) {
    if (!Tracking())
        return;
    StopRepeat(host);
    const BarKind bar = bar_;
    const bool thumb = thumb_tracking_;
    Clear();
    host.Capture(false);
    if (thumb)
        host.SendScroll(bar, kEndScroll, 0);
    host.RepaintBars();
}

void ScrollTracker::HoverOver(TrackerHost& host, BarKind bar) {
    if (hot_bar_ == bar)
        return;
    hot_bar_ = bar;
    hot_part_ = bpNone;
    if (!hover_timer_) {
        hover_timer_ = true;
        host.StartTimer(kHoverTimer, kHoverMilliseconds);
    }
    host.RepaintBars();
}

void ScrollTracker::HoverTick(TrackerHost& host, std::optional<BarPart> under_cursor) {
    if (thumb_tracking_ || !hot_bar_)
        return;
    if (!under_cursor) {
        ClearHover(host);
        host.RepaintBars();
        return;
    }
    if (*under_cursor != hot_part_) {
        hot_part_ = *under_cursor;
        host.RepaintBars();
    }
}

void ScrollTracker::ClearHover(TrackerHost& host) {
    if (hover_timer_)
        host.StopTimer(kHoverTimer);
    hover_timer_ = false;
    hot_bar_.reset();
    hot_part_ = bpNone;
}

int ScrollTracker::PartState(BarKind bar, BarPart part) const {
    if (part == bpNone)
        return 0;
    if (Tracking() && bar == bar_ && part == part_)
        return part == bpThumb ? 1 : (shown_ == part ? 2 : 0);
    if (hot_bar_ == bar && hot_part_ == part)
        return 1;
    return 0;
}

void ScrollTracker::StopRepeat(TrackerHost& host) {
    if (repeat_timer_ != 0)
        host.StopTimer(repeat_timer_);
    repeat_timer_ = 0;
}

void ScrollTracker::Clear() {
    part_ = bpNone;
    shown_ = bpNone;
    thumb_tracking_ = false;
    thumb_size_ = thumb_start_ = grab_ = 0;
}

} // namespace skin::scroll
