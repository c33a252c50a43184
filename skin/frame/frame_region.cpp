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

std::vector<Rect> CornerHoles(int width, int height, const render::MaskSource& form_border,
                              const render::MaskSource& title_border) {
    std::vector<Rect> holes;
    render::CornerHoleRects(holes, width, form_border, false, 0);
    render::CornerHoleRects(holes, width, form_border, true, height - form_border.WB);
    render::CornerHoleRects(holes, width, title_border, false, 0);
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
