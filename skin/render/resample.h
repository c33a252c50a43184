#pragma once

// Separable resampling with fixed-point weights: used to stretch skin pieces smoothly.

#include "skin/render/skin_bitmap.h"

#include <vector>

namespace skin::render {

// The filters, by the numbers the skin code uses (Mitchell 6 for colour pieces and the image
// list, Hermite 2 for transparency masks).
enum FilterKind : int {
    fkBox = 0,
    fkTriangle = 1,
    fkHermite = 2,
    fkBell = 3,
    fkBSpline = 4,
    fkSineWindow = 5,
    fkMitchell = 6,
};

// How far from its centre a filter reaches, and its value at distance x (x >= 0, except for
// the box, which is given the signed distance so that exactly one of two neighbours at a half
// step counts).
double FilterSupport(FilterKind filter);
double FilterValue(FilterKind filter, double x);

// One output position: the input indexes it reads and their weights in 1/65536.
struct Contribution {
    int first = 0; // into ResampleWeights::taps
    int count = 0;
};
struct Tap {
    int index = 0;
    int weight = 0;
};
struct ResampleWeights {
    std::vector<Contribution> outputs;
    std::vector<Tap> taps;
};

// The weights of one axis from in_length inputs to out_length outputs. Indexes beyond the ends
// are mirrored (-j, 2n - 1 - j) and then held inside the line, which matters only for lines
// shorter than the filter.
ResampleWeights MakeResampleWeights(int in_length, int out_length, FilterKind filter);

// dst becomes src resampled to new_width x new_height, first across into a temporary bitmap,
// then down; every channel (alpha included) is filtered. A new height (or width) of 0 or less
// does nothing; a source narrower or lower than 2 pixels throws core::Error "Source bitmap is
// too small"; an unchanged size copies (nothing at all when dst is src).
void ResampleFiltered(const SkinBitmap& src, SkinBitmap& dst, int new_width, FilterKind filter,
                      int new_height);

} // namespace skin::render
