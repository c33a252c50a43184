#include "skin/render/border_mask.h"

#include "skin/render/copy_pixels.h"
#include "skin/render/keyed_copy.h"
#include "skin/render/masked_piece.h"
#include "skin/render/stretch.h"

#include <algorithm>

namespace skin::render {

namespace {

void FitPair(int size, int& first, int& second) {
    if (size >= first + second)
        return;
    const int d = (first + second - size) / 2;
    first -= d;
    second -= d;
    if (size % 2 != 0)
        --second;
    // A width driven to 0 leaves the whole size to the other one, which must not reach past
    // it: its pieces would be drawn outside the rectangle.
    const int room = std::max(size, 0);
    first = std::max(first, 0);
    second = std::max(second, 0);
    if (first == 0)
        second = std::min(second, room);
    if (second == 0)
        first = std::min(first, room);
}

// One piece: where it comes from in the source and where it goes.
struct Piece {
    Rect from;
    Rect to;
};

class BorderPainter {
public:
    BorderPainter(SkinBitmap& dst, const MaskSource& mask, bool fill_corners, const TCacheInfo& ci)
        : dst_(dst), mask_(mask), src_(mask.Image), fill_corners_(fill_corners), ci_(ci) {}

    void Corner(const Piece& p) {
        if (p.from.IsEmpty())
            return;
        const bool use_background = fill_corners_ && mask_.CornerType > 0;
        if (mask_.MaskType == 0) {
            // The keyed copy takes its source rectangle with Right and Bottom inclusive.
            const Rect inclusive{p.from.Left, p.from.Top, p.from.Right - 1, p.from.Bottom - 1};
            CopyKeyedRect(dst_, src_, p.to.Left, use_background, ci_, kKeyColor, inclusive,
                          p.to.Top);
        } else {
            CopyMaskedPiece(p.to, p.from, dst_, mask_, use_background, ci_, src_);
        }
    }

    void Stretch(const Piece& p, bool is_centre) {
        if (p.to.IsEmpty() || p.from.IsEmpty())
            return;
        if (mask_.MaskType == 0)
            StretchNearest(dst_, p.to, src_, p.from);
        else
            StretchMaskedPiece(dst_, p.to, p.from, StateHeight(mask_), is_centre, src_);
    }

    // Copies of the piece from the first pixel of the area on, the last ones cut to fit.
    void Tile(const Piece& p) {
        const int tw = p.from.Width();
        const int th = p.from.Height();
        if (tw <= 0 || th <= 0 || p.to.IsEmpty())
            return;
        for (int y = p.to.Top; y < p.to.Bottom; y += th) {
            for (int x = p.to.Left; x < p.to.Right; x += tw) {
                const Rect to{x, y, std::min(x + tw, p.to.Right), std::min(y + th, p.to.Bottom)};
                const Rect from{p.from.Left, p.from.Top, p.from.Left + to.Width(),
                                p.from.Top + to.Height()};
                if (mask_.MaskType == 0)
                    CopyPixels(dst_, to.Left, to.Top, src_, from);
                else
                    CopyMaskedPiece(to, from, dst_, mask_, false, EmptyCacheInfo, src_);
            }
        }
    }

    void Fill(const Piece& p, bool stretch, bool is_centre) {
        if (stretch)
            Stretch(p, is_centre);
        else
            Tile(p);
    }

private:
    SkinBitmap& dst_;
    const MaskSource& mask_;
    const SkinBitmap& src_;
    bool fill_corners_;
    const TCacheInfo& ci_;
};

} // namespace

BorderWidths FitBorderWidths(const MaskSource& mask, int width, int height) {
    BorderWidths w{mask.WL, mask.WT, mask.WR, mask.WB};
    FitPair(width, w.Left, w.Right);
    FitPair(height, w.Top, w.Bottom);
    return w;
}

void DrawBorderMask(SkinBitmap& dst, const Rect& r, bool fill_corners, int state,
                    const MaskSource& mask, const TCacheInfo& ci) {
    if ((state == 0 && (mask.DrawMode & dmNoState0)) || r.Width() < 2 || r.Height() < 2 ||
        !mask.HasManager || mask.ImageCount <= 0 || mask.Image.IsEmpty())
        return;
    const BorderWidths w = FitBorderWidths(mask, r.Width(), r.Height());
    const int sw = StateWidth(mask);
    const int sh = StateHeight(mask);
    const int mw = sw - w.Left - w.Right;
    const int mh = sh - w.Top - w.Bottom;
    if (mw < 0 || mh < 0)
        return;
    const int sx = mask.R.Left + StateIndex(mask, state) * sw;
    const int sy = mask.R.Top;
    // Source columns and rows of the three bands, and the destination's.
    const int sx1 = sx + w.Left, sx2 = sx + sw - w.Right;
    const int sy1 = sy + w.Top, sy2 = sy + sh - w.Bottom;
    const int dx1 = r.Left + w.Left, dx2 = r.Right - w.Right;
    const int dy1 = r.Top + w.Top, dy2 = r.Bottom - w.Bottom;
    const bool stretch = (mask.DrawMode & dmStretch) != 0;

    BorderPainter paint(dst, mask, fill_corners, ci);
    paint.Corner({{sx, sy, sx1, sy1}, {r.Left, r.Top, dx1, dy1}});
    paint.Fill({{sx, sy1, sx1, sy2}, {r.Left, dy1, dx1, dy2}}, stretch, false);
    paint.Fill({{sx1, sy, sx2, sy1}, {dx1, r.Top, dx2, dy1}}, stretch, false);
    paint.Corner({{sx, sy2, sx1, sy + sh}, {r.Left, dy2, dx1, r.Bottom}});
    paint.Fill({{sx1, sy2, sx2, sy + sh}, {dx1, dy2, dx2, r.Bottom}}, stretch, false);
    paint.Corner({{sx2, sy2, sx + sw, sy + sh}, {dx2, dy2, r.Right, r.Bottom}});
    paint.Corner({{sx2, sy, sx + sw, sy1}, {dx2, r.Top, r.Right, dy1}});
    paint.Fill({{sx2, sy1, sx + sw, sy2}, {dx2, dy1, r.Right, dy2}}, stretch, false);
    if (mask.DrawMode & dmPaintCentre)
        paint.Fill({{sx1, sy1, sx2, sy2}, {dx1, dy1, dx2, dy2}}, stretch, true);
}

} // namespace skin::render
