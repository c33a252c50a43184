#include "skin/frame/frame_region.h"

#include "skin/render/corner_pixels.h"

namespace skin::frame {

std::vector<Rect> ClipToWindow(const std::vector<Rect>& rects, int width, int height) {
    std::vector<Rect> clipped;
    const Rect window{0, 0, width, height};
    for (const Rect& r : rects) {
        const Rect c = render::Intersect(r, window);
        if (!c.IsEmpty())
            clipped.push_back(c);
    }
    return clipped;
}

namespace {

// A mask drawn through a mask band has no key pixels: its corners are rounded by fully
// transparent band pixels. In each row of a corner piece, the transparent pixels from the outer
// edge up to the first visible one are cut, never the transparent inside of the piece.
void BandedCornerRuns(std::vector<Rect>& holes, int width, const render::MaskSource& mask,
                      bool bottom, int y_offset) {
    if (!mask.HasManager || mask.MaskType <= 0 || mask.ImageCount <= 0 || mask.Image.IsEmpty())
        return;
    const render::SkinBitmap& src = mask.Image;
    const int sw = render::StateWidth(mask);
    const int sh = render::StateHeight(mask);
    const int rows = bottom ? mask.WB : mask.WT;
    const int first_row = mask.R.Top + (bottom ? sh - mask.WB : 0);
    auto clear = [&](int x, int y) {
        if (!src.Contains(x, y) || !src.Contains(x, y + sh))
            return false;
        return src.At(x, y) == render::kKeyPixel || ((src.At(x, y + sh) >> 16) & 0xFF) == 255;
    };
    for (int row = 0; row < rows; ++row) {
        const int y = first_row + row;
        int left = 0;
        while (left < mask.WL && clear(mask.R.Left + left, y))
            ++left;
        if (left > 0)
            holes.push_back({0, y_offset + row, left, y_offset + row + 1});
        int right = 0;
        while (right < mask.WR && clear(mask.R.Left + sw - 1 - right, y))
            ++right;
        if (right > 0)
            holes.push_back({width - right, y_offset + row, width, y_offset + row + 1});
    }
}

void CornersOf(std::vector<Rect>& holes, int width, const render::MaskSource& mask, bool bottom,
               int y_offset) {
    if (mask.MaskType > 0)
        BandedCornerRuns(holes, width, mask, bottom, y_offset);
    else
        render::CornerHoleRects(holes, width, mask, bottom, y_offset);
}

} // namespace

std::vector<Rect> MaskCornerRuns(int width, const render::MaskSource& mask, bool bottom,
                                 int y_offset) {
    std::vector<Rect> runs;
    CornersOf(runs, width, mask, bottom, y_offset);
    return runs;
}

std::vector<Rect> CornerHoles(int width, int height, const render::MaskSource& form_border,
                              const render::MaskSource& title_border) {
    std::vector<Rect> holes;
    CornersOf(holes, width, form_border, false, 0);
    CornersOf(holes, width, form_border, true, height - form_border.WB);
    CornersOf(holes, width, title_border, false, 0);
    return ClipToWindow(holes, width, height);
}

Rect FormRegionRect(const FrameGeometry& g) {
    const FormFrameState& f = g.Form();
    const int frame = g.F();
    if (g.Extended()) {
        const int top = frame + g.CaptionHeight(false);
        return {frame, top, f.Width - frame, f.Height - frame};
    }
    if (f.Maximized)
        return {frame, frame, f.Width - frame, f.Height - frame};
    return {0, 0, g.CaptionWidth(), f.Height};
}

BorderRegion BorderWindowRegion(const FrameGeometry& g, int client_width, int client_height,
                                bool animating) {
    BorderRegion region;
    const Margins s = g.ShadowSize();
    const int width = g.CaptionWidth();
    const int height = g.CacheHeight();
    region.Outer = {0, 0, width, height};
    if (g.Form().Maximized) {
        const int side = g.F() + g.DeltaW();
        region.Outer = {s.Left + side, s.Top + 4, width - s.Right - side, height - s.Bottom - side};
    }
    if (animating)
        return region;
    // A menu bar belongs to the form's window, so the hole takes it in too.
    const int x = g.OffsetX();
    const int y = g.OffsetY();
    const int menu = g.Form().MenuHeight > 0 ? g.Form().MenuHeight : 0;
    region.Hole = {x, y - menu, x + client_width + g.Form().VScrollWidth,
                   y + client_height + g.Form().HScrollHeight};
    return region;
}

} // namespace skin::frame
