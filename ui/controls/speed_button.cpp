#include "ui/controls/speed_button.h"

#include "ui/wide.h"

namespace ui {

namespace {
constexpr int kGlyphSize = 16;
constexpr int kGlyphSpacing = 4;
} // namespace

SpeedButton::SpeedButton(Component* owner) : GraphicControl(owner) {}

SpeedButton::~SpeedButton() {
    if (glyph_)
        DestroyIcon(glyph_);
}

void SpeedButton::SetGlyph(HICON glyph) {
    if (glyph_)
        DestroyIcon(glyph_);
    glyph_ = glyph;
    Invalidate();
}

void SpeedButton::Paint(HDC dc) {
    RECT area{0, 0, Width(), Height()};
    const bool down = Pressed() && MouseInControl();
    if (Enabled() && (down || MouseInControl()))
        DrawEdge(dc, &area, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);

    // Glyph and caption side by side, centred together; pressed content moves by a pixel.
    HGDIOBJ old_font = SelectObject(dc, font_.Handle());
    SIZE text_size{};
    const std::u16string& caption = Text();
    GetTextExtentPoint32W(dc, Wide(caption), static_cast<int>(caption.size()), &text_size);
    const int glyph_width = glyph_ ? kGlyphSize + (caption.empty() ? 0 : kGlyphSpacing) : 0;
    const int offset = down ? 1 : 0;
    int x = (Width() - glyph_width - text_size.cx) / 2 + offset;
    if (glyph_) {
        DrawIconEx(dc, x, (Height() - kGlyphSize) / 2 + offset, glyph_, kGlyphSize, kGlyphSize, 0,
                   nullptr, DI_NORMAL);
        x += glyph_width;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    TextOutW(dc, x, (Height() - text_size.cy) / 2 + offset, Wide(caption),
             static_cast<int>(caption.size()));
    SelectObject(dc, old_font);
}

void SpeedButton::WndProc(Message& message) {
    if (!HandlePressAndRelease(message))
        GraphicControl::WndProc(message);
}

} // namespace ui
