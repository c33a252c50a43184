#pragma once

// The arithmetic of a skinned scroll bar, along its axis: the thumb's size and place for a
// scroll record, which part lies under a point, and the position a dragged thumb stands for.
// Coordinates count from the bar's start; the arrows take `Arrow` pixels at each end and the
// track lies between them.

#include <cstdint>

namespace skin::scroll {

enum class BarKind { Horizontal = 0, Vertical = 1 };

// Parts of a bar. The values double as the platform's scroll codes sent for them.
enum BarPart : int {
    bpNone = -1,
    bpLineUp = 0,   // left or top arrow
    bpLineDown = 1, // right or bottom arrow
    bpPageUp = 2,   // track before the thumb
    bpPageDown = 3, // track after the thumb
    bpThumb = 5,
};

// Platform scroll codes the tracker sends besides the parts'.
inline constexpr int kThumbPosition = 4; // SB_THUMBPOSITION
inline constexpr int kThumbTrack = 5;    // SB_THUMBTRACK
inline constexpr int kEndScroll = 8;     // SB_ENDSCROLL

// What the platform keeps of one bar.
struct ScrollRecord {
    int Min = 0;
    int Max = 0;
    int Page = 0;
    int Pos = 0;
    int TrackPos = 0;
};

// Ranges above this give no thumb.
inline constexpr std::int64_t kMaxRange = 2147483646;

// x * y / z in 64 bits, rounded to the nearest integer with halves away from zero; -1 when z is
// 0, as the platform's MulDiv answers.
int MulDiv(std::int64_t x, std::int64_t y, std::int64_t z);

struct BarMetrics {
    int Length = 0;    // L: the bar along its axis
    int Arrow = 0;     // a: one arrow button
    int MinThumb = 10; // the shortest thumb
    int Track() const { return Length - 2 * Arrow; }
    // Too short for a thumb: two half-length buttons fill the bar.
    bool Short() const { return 2 * Arrow >= Length; }
};

struct ThumbPlace {
    int Size = 0;   // s
    int Offset = 0; // c, from the track's start
    // From the bar's start.
    int Start(const BarMetrics& m) const { return m.Arrow + Offset; }
    int End(const BarMetrics& m) const { return Start(m) + Size; }
    friend bool operator==(const ThumbPlace&, const ThumbPlace&) = default;
};

// The thumb for a record: page 0 gives a square thumb of arrow length; otherwise its share of
// the track, never under MinThumb; placed by the position, pinned inside the track. A range
// narrower than the page leaves the thumb at the start.
ThumbPlace ThumbOf(const BarMetrics& m, const ScrollRecord& r);

// The part under point p along the axis (from the bar's start).
BarPart HitPart(const BarMetrics& m, const ThumbPlace& thumb, int p);

// Where the track is split between its two sections: at the thumb's centre, or at the middle of
// a short bar.
int TrackSplit(const BarMetrics& m, const ThumbPlace& thumb);

// A dragged thumb: its start (from the bar's start) for a cursor at p grabbed `grab` pixels into
// the thumb, pinned to the track.
int DraggedThumbStart(const BarMetrics& m, int thumb_size, int p, int grab);

// The position a thumb starting at thumb_start stands for. Positions run from Min to
// Min + range - page + 1 for horizontal bars and + 2 for vertical ones (the control clamps);
// a thumb filling the whole track stands for Min.
int DragPosition(BarKind kind, const BarMetrics& m, const ScrollRecord& r, int thumb_size,
                 int thumb_start);

// The position sent in a scroll message's high word.
inline int SentPosition(int pos) {
    return pos < 65535 ? pos : 65535;
}

// Whether the square between two bars gets the skin's grip: only when it is the bottom-right
// corner of the top-level window's client area (screen coordinates of both corners).
inline bool GripInCorner(int corner_right, int corner_bottom, int client_right, int client_bottom) {
    return corner_right == client_right && corner_bottom == client_bottom;
}

} // namespace skin::scroll
