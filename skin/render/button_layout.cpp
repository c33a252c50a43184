#include "skin/render/button_layout.h"

namespace skin::render {

ButtonPlacement PlaceSpeedButtonContent(const SpeedButtonContent& c) {
    const bool has_glyph = c.GlyphWidth > 0;
    const int sp = c.HasCaption && has_glyph ? c.Spacing : 0;
    const int glyph_gap = has_glyph ? c.Spacing : 0;
    const int m = c.Margin >= 0 ? c.Margin + 3 : 0;
    const int W = c.Width;
    const int H = c.Height;

    ButtonPlacement p;
    p.Caption.Top = (H - c.TextHeight) / 2;
    p.Caption.Bottom = H - p.Caption.Top;
    p.Glyph.Y = (H - c.GlyphHeight) / 2;

    const int free = (W - c.GlyphWidth - sp - c.TextWidth) / 2;
    switch (c.Alignment) {
    case TAlignment::taCenter:
        p.Glyph.X = free;
        p.Caption.Left = free + c.GlyphWidth + glyph_gap;
        p.Caption.Right = W - free;
        break;
    case TAlignment::taLeftJustify:
        p.Glyph.X = m;
        p.Caption.Left = c.Margin + c.GlyphWidth + glyph_gap;
        p.Caption.Right = W - 2 * free + m;
        break;
    case TAlignment::taRightJustify:
        p.Glyph.X = 2 * free - m;
        p.Caption.Left = 2 * free - m + c.GlyphWidth + glyph_gap;
        p.Caption.Right = W - m;
        break;
    }

    switch (c.Layout) {
    case TButtonLayout::blGlyphLeft:
        break;
    case TButtonLayout::blGlyphRight:
        if (c.Alignment == TAlignment::taLeftJustify)
            p.Glyph.X = p.Caption.Right + c.Spacing;
        else if (c.Alignment == TAlignment::taRightJustify)
            p.Glyph.X = W - c.GlyphWidth - m;
        else
            p.Glyph.X = (W + sp + c.TextWidth - c.GlyphWidth) / 2;
        p.Caption.Left = p.Glyph.X - sp - c.TextWidth;
        p.Caption.Right = p.Glyph.X - sp;
        break;
    case TButtonLayout::blGlyphTop:
        p.Glyph.X = (W - c.GlyphWidth) / 2 + 1;
        p.Glyph.Y = (H - c.GlyphHeight - sp - c.TextHeight) / 2;
        p.Caption = {0, p.Glyph.Y + c.GlyphHeight + sp, W,
                     p.Glyph.Y + c.GlyphHeight + sp + c.TextHeight};
        break;
    case TButtonLayout::blGlyphBottom:
        p.Glyph.X = (W - c.GlyphWidth) / 2 + 1;
        p.Glyph.Y = H - c.GlyphHeight - (H - c.GlyphHeight - sp - c.TextHeight) / 2;
        p.Caption = {0, p.Glyph.Y - sp - c.TextHeight, W, p.Glyph.Y - sp};
        break;
    }

    p.Caption.Left += c.TextOffset - 1;
    p.Caption.Right += c.TextOffset + 2;
    if (c.Reflected)
        p.Glyph.Y -= c.GlyphHeight / 6;
    if (c.Pressed) {
        p.Glyph.X += 1;
        p.Glyph.Y += 1;
        p.Caption = Offset(p.Caption, 1, 1);
    }
    return p;
}

Rect PushButtonCaptionRect(int width, int height, int text_width, int text_height, bool pressed) {
    Rect r;
    r.Left = (width - text_width) / 2 - 1;
    r.Right = r.Left + text_width + 2;
    r.Top = (height - text_height) / 2;
    r.Bottom = height - r.Top;
    return pressed ? Offset(r, 1, 1) : r;
}

Rect DividerColumn(int width, int height) {
    return {width / 2 - 1, 0, width / 2 + 1, height};
}

} // namespace skin::render
