#include "skin/scroll/scroll_painter.h"

#include "skin/frame/frame_painter.h"
#include "skin/render/blends.h"
#include "skin/render/border_mask.h"
#include "skin/render/copy_pixels.h"
#include "skin/render/fills.h"
#include "skin/render/mask_source.h"
#include "skin/render/state_image.h"

#include <algorithm>
#include <span>

namespace skin::scroll {

using render::Rect;
using render::SkinBitmap;
using render::TCacheInfo;

namespace {

// A stretch [from, to) along the bar as a rectangle of the bar's bitmap.
Rect Span(BarKind kind, int from, int to, int thickness) {
    return kind == BarKind::Horizontal ? Rect{from, 0, to, thickness}
                                       : Rect{0, from, thickness, to};
}

int LimitedFillState(const data::LoadedSkin& skin, int section, int state) {
    if (!skin.IsValidSkinIndex(section))
        return 0;
    const int states = skin.gd[static_cast<std::size_t>(section)].States;
    return std::clamp(state, 0, std::max(states - 1, 0));
}

// The section's face over what the bitmap holds there, then its border mask in the state.
void PaintPiece(SkinBitmap& dst, const Rect& r, const data::LoadedSkin& skin, int section,
                int border, int state) {
    if (r.IsEmpty() || !skin.IsValidSkinIndex(section))
        return;
    frame::PaintSection(dst, r, skin, section, -1, LimitedFillState(skin, section, state), true);
    if (border < 0)
        return;
    const Rect area = render::Intersect(r, dst.Bounds());
    SkinBitmap piece(area.Width(), area.Height());
    render::CopyPixels(piece, 0, 0, dst, area);
    const SkinBitmap below = piece.Clone();
    render::DrawBorderMask(piece, piece.Bounds(), true, state, render::MaskFromSkin(&skin, border),
                           {&below, 0, 0, render::kKeyColor, true});
    // The mask's sides are copied as they are; their key-coloured pixels are transparent too
    // (the track masks of the internal skin have such sides).
    for (int y = 0; y < piece.Height(); ++y)
        for (int x = 0; x < piece.Width(); ++x)
            if ((piece.At(x, y) & 0xFFFFFF) == render::kKeyColor)
                piece.At(x, y) = below.At(x, y);
    render::CopyPixels(dst, area.Left, area.Top, piece, piece.Bounds());
}

// A glyph's state image centred in r.
void PaintGlyph(SkinBitmap& dst, const Rect& r, const data::LoadedSkin& skin, int glyph,
                int state) {
    if (glyph < 0 || r.IsEmpty())
        return;
    const render::MaskSource mask = render::MaskFromSkin(&skin, glyph);
    const int w = render::StateWidth(mask);
    const int h = render::StateHeight(mask);
    if (w <= 0 || h <= 0)
        return;
    const SkinBitmap below = dst.Clone();
    const render::Point at{r.Left + (r.Width() - w) / 2, r.Top + (r.Height() - h) / 2};
    render::DrawStateImage(dst, at, state, {&below, 0, 0, render::kKeyColor, true}, mask,
                           render::simNormal);
}

// The arrow square at the outer end of a button spanning [from, to).
Rect GlyphSquare(BarKind kind, int from, int to, bool at_start, int square, int thickness) {
    const int length = std::min(square, to - from);
    const int a = at_start ? from : to - length;
    const int cross = (thickness - square) / 2;
    return kind == BarKind::Horizontal ? Rect{a, cross, a + length, cross + square}
                                       : Rect{cross, a, cross + square, a + length};
}

} // namespace

BarSkin BarSkinOf(const data::LoadedSkin& skin, BarKind kind) {
    const data::TConstantSkinData& c = skin.ConstData;
    BarSkin b;
    if (kind == BarKind::Horizontal) {
        b = {c.IndexScrollBar1H,   c.IndexScrollBar2H, c.MaskScrollBar1H, c.MaskScrollBar2H,
             c.IndexScrollLeft,    c.IndexScrollRight, c.MaskScrollLeft,  c.MaskScrollRight,
             c.MaskArrowLeft,      c.MaskArrowRight,   c.IndexSliderHorz, c.MaskSliderHorz,
             c.MaskSliderGlyphHorz};
    } else {
        b = {c.IndexScrollBar1V,   c.IndexScrollBar2V,  c.MaskScrollBar1V, c.MaskScrollBar2V,
             c.IndexScrollTop,     c.IndexScrollBottom, c.MaskScrollTop,   c.MaskScrollBottom,
             c.MaskArrowTop,       c.MaskArrowBottom,   c.IndexSliderVert, c.MaskSliderVert,
             c.MaskSliderGlyphVert};
    }
    return b;
}

int SkinArrowLength(const data::LoadedSkin& skin, BarKind kind, int platform_arrow) {
    const int mask =
        kind == BarKind::Horizontal ? skin.ConstData.MaskScrollLeft : skin.ConstData.MaskScrollTop;
    if (!skin.IsValidImgIndex(mask))
        return platform_arrow;
    const render::MaskSource m = render::MaskFromSkin(&skin, mask);
    const int image = kind == BarKind::Horizontal ? render::StateWidth(m) : render::StateHeight(m);
    return std::max(platform_arrow, image);
}

void FillBehind(SkinBitmap& dst, const TCacheInfo& behind) {
    render::FillRectOpaque(dst, dst.Bounds(),
                           behind.FillColor == render::kKeyColor ? 0xFFFFFF : behind.FillColor);
    if (!behind.Ready || !behind.Bmp)
        return;
    const Rect src =
        render::Intersect(Rect{behind.X, behind.Y, behind.X + dst.Width(), behind.Y + dst.Height()},
                          behind.Bmp->Bounds());
    if (!src.IsEmpty())
        render::CopyPixels(dst, src.Left - behind.X, src.Top - behind.Y, *behind.Bmp, src);
}

void PaintBar(SkinBitmap& bar, const data::LoadedSkin& skin, const BarSkin& parts,
              const BarLook& look) {
    FillBehind(bar, look.Behind);
    if (!parts.Complete())
        return;
    const BarKind kind = look.Kind;
    const BarMetrics& m = look.Metrics;
    const int thickness = kind == BarKind::Horizontal ? bar.Height() : bar.Width();
    const int length = m.Length;

    ThumbPlace thumb = look.Thumb;
    if (look.DraggedThumbStart >= 0)
        thumb.Offset = look.DraggedThumbStart - m.Arrow;
    const int split = TrackSplit(m, thumb);
    const int up_end = m.Short() ? split : m.Arrow;
    const int down_start = m.Short() ? split : length - m.Arrow;

    PaintPiece(bar, Span(kind, 0, split, thickness), skin, parts.Track1, parts.Track1Mask,
               look.States.PageUp == 2 ? 2 : 0);
    PaintPiece(bar, Span(kind, split, length, thickness), skin, parts.Track2, parts.Track2Mask,
               look.States.PageDown == 2 ? 2 : 0);

    PaintPiece(bar, Span(kind, 0, up_end, thickness), skin, parts.ButtonUp, parts.ButtonUpMask,
               look.States.LineUp);
    PaintGlyph(bar, GlyphSquare(kind, 0, up_end, true, look.GlyphSquare, thickness), skin,
               parts.GlyphUp, look.States.LineUp);
    PaintPiece(bar, Span(kind, down_start, length, thickness), skin, parts.ButtonDown,
               parts.ButtonDownMask, look.States.LineDown);
    PaintGlyph(bar, GlyphSquare(kind, down_start, length, false, look.GlyphSquare, thickness), skin,
               parts.GlyphDown, look.States.LineDown);

    if (!m.Short() && look.Enabled && thumb.Size > 0 && m.Track() >= thumb.Size) {
        const Rect r = Span(kind, thumb.Start(m), thumb.End(m), thickness);
        const int state = look.States.Thumb > 0 ? 1 : 0;
        PaintPiece(bar, r, skin, parts.Thumb, parts.ThumbMask, state);
        PaintGlyph(bar, r, skin, parts.ThumbGlyph, state);
    }
    if (!look.Enabled)
        FadeDisabled(bar, look.Behind);
}

void FadeDisabled(SkinBitmap& bar, const TCacheInfo& behind) {
    if (behind.Ready && behind.Bmp) {
        const Rect from{behind.X, behind.Y, behind.X + bar.Width() - 1,
                        behind.Y + bar.Height() - 1};
        render::BlendRectFrom(bar, 0, 0, render::kKeyColor, 0.4, from, *behind.Bmp);
        return;
    }
    const render::Pixel colour = render::ColorToPixel(behind.FillColor & 0xFFFFFF);
    for (int y = 0; y < bar.Height(); ++y)
        for (render::Pixel& p : std::span(bar.Row(y), static_cast<std::size_t>(bar.Width()))) {
            render::Pixel out = p & 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                const unsigned b = (p >> shift) & 0xFF, c = (colour >> shift) & 0xFF;
                out |= ((b * 153 + c * (256 - 153)) >> 8) << shift;
            }
            p = out;
        }
}

void PaintCorner(SkinBitmap& corner, const data::LoadedSkin& skin, const TCacheInfo& behind,
                 bool grip) {
    FillBehind(corner, behind);
    const int index = skin.ConstData.GripRightBottom;
    if (!grip || !skin.IsValidImgIndex(index))
        return;
    const render::MaskSource mask = render::MaskFromSkin(&skin, index);
    const int w = render::StateWidth(mask);
    const int h = render::StateHeight(mask);
    const SkinBitmap below = corner.Clone();
    render::DrawStateImage(corner, {corner.Width() - w, corner.Height() - h}, 0,
                           {&below, 0, 0, render::kKeyColor, true}, mask, render::simNormal);
}

} // namespace skin::scroll
