#pragma once

// Operating a skinned scroll bar with the mouse: hover, pressing an arrow or the track with
// auto-repeat, dragging the thumb and releasing. Only one bar is operated at a time in the
// process, so the window layer keeps one tracker and tells it, through a host, how to send
// scroll messages, run the window's timers, capture the mouse and repaint.
//
// Auto-repeat: a press sends its part's code once and starts a 300 ms timer; its tick sends again
// and hands over to a 55 ms timer that sends on every tick. A tick with the cursor off the
// pressed part sends nothing and shows the part unpressed until the cursor comes back.

#include "skin/scroll/scroll_geometry.h"

#include <optional>

namespace skin::scroll {

inline constexpr unsigned kHoverTimer = 0xFFF2;
inline constexpr unsigned kFirstRepeatTimer = 0xFFFD;
inline constexpr unsigned kRepeatTimer = 0xFFFE;
inline constexpr unsigned kHoverMilliseconds = 20;
inline constexpr unsigned kFirstRepeatMilliseconds = 300;
inline constexpr unsigned kRepeatMilliseconds = 55;

class TrackerHost {
public:
    virtual ~TrackerHost() = default;
    // The bar's scroll message with a scroll code and a position.
    virtual void SendScroll(BarKind bar, int code, int pos) = 0;
    virtual void StartTimer(unsigned id, unsigned milliseconds) = 0;
    virtual void StopTimer(unsigned id) = 0;
    virtual void Capture(bool on) = 0;
    virtual void RepaintBars() = 0;
};

// A bar as the window layer sees it at the moment of a press or a move.
struct BarView {
    BarKind Kind = BarKind::Vertical;
    BarMetrics Metrics;
    ScrollRecord Record;
    ThumbPlace Thumb;
    bool Enabled = true;
    bool UpArrowDisabled = false;   // fScrollFlags bit 1
    bool DownArrowDisabled = false; // fScrollFlags bit 2
};

class ScrollTracker {
public:
    // A press at p along the bar. Returns true when a part is now tracked (the mouse is
    // captured); false leaves the press to the platform.
    bool Press(TrackerHost& host, const BarView& bar, int p);
    // A tick of one of the repeat timers, with the part now under the cursor.
    void RepeatTick(TrackerHost& host, unsigned timer, BarPart under_cursor);
    // The cursor moved to p along the tracked bar while the thumb is dragged.
    void Drag(TrackerHost& host, const BarView& bar, int p);
    // The button went up: the end of the scroll is sent and the tracking cleared.
    void Release(TrackerHost& host);
    // The press ends without a release (capture lost, cancel, window destroyed): timers stop,
    // the capture goes, the end of the scroll is sent when a thumb was dragged.
    void Cancel(TrackerHost& host);

    // The cursor is over a bar of the hot window (entered or moved).
    void HoverOver(TrackerHost& host, BarKind bar);
    // A hover tick: the part under the cursor, or nothing when it left the bars.
    void HoverTick(TrackerHost& host, std::optional<BarPart> under_cursor);
    // The hot state goes without repainting (another window became hot, or this one went).
    void ClearHover(TrackerHost& host);

    bool Tracking() const { return part_ != bpNone; }
    bool ThumbTracking() const { return thumb_tracking_; }
    BarKind TrackedBar() const { return bar_; }
    BarPart TrackedPart() const { return part_; }
    // The dragged thumb's start along the bar, valid while ThumbTracking().
    int DraggedThumbStart() const { return thumb_start_; }
    int LastPosition() const { return last_pos_; }
    std::optional<BarKind> HotBar() const { return hot_bar_; }
    BarPart HotPart() const { return hot_part_; }

    // The look of a part: 2 pressed (and the cursor on it), 1 hot, 0 normal. A dragged thumb
    // looks hot.
    int PartState(BarKind bar, BarPart part) const;

private:
    void StopRepeat(TrackerHost& host);
    void Clear();

    BarKind bar_ = BarKind::Vertical;
    BarPart part_ = bpNone;
    BarPart shown_ = bpNone;
    bool thumb_tracking_ = false;
    int thumb_size_ = 0;
    int thumb_start_ = 0;
    int grab_ = 0;
    int last_pos_ = 0;
    unsigned repeat_timer_ = 0;
    std::optional<BarKind> hot_bar_;
    BarPart hot_part_ = bpNone;
    bool hover_timer_ = false;
};

} // namespace skin::scroll
