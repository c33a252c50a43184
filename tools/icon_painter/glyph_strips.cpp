#include "glyph_strips.h"

namespace icons {

namespace {

// Hot pictures are the normal ones in full colour; pressed ones a shade darker, as if pushed
// into the field.
Rgba Shade(Rgba colour, GlyphState state) {
    if (state != GlyphState::pressed)
        return colour;
    return {colour.r * 0.85f, colour.g * 0.85f, colour.b * 0.85f, colour.a};
}

Paint Fill(std::uint32_t rgb, GlyphState state, float alpha = 1.0f) {
    return Solid(Shade(Hex(rgb, alpha), state));
}

Paint Gradient(std::uint32_t top, float y0, std::uint32_t bottom, float y1, GlyphState state) {
    return VerticalGradient(Shade(Hex(top), state), y0, Shade(Hex(bottom), state), y1);
}

// A sheet of paper with a folded corner and three lines of text.
void Page(Canvas& c, GlyphState s) {
    c.FillPolygon({{2.5f, 0.5f}, {9.5f, 0.5f}, {13.5f, 4.5f}, {13.5f, 15.5f}, {2.5f, 15.5f}},
                  Fill(0x66788C, s));
    c.FillPolygon({{3.5f, 1.5f}, {9, 1.5f}, {12.5f, 5}, {12.5f, 14.5f}, {3.5f, 14.5f}},
                  Gradient(0xFFFFFF, 1, 0xE4ECF4, 15, s));
    c.FillPolygon({{9, 1.5f}, {12.5f, 5}, {9, 5}}, Fill(0xB9C7D6, s));
    for (float y : {7.0f, 9.5f, 12.0f})
        c.FillRoundRect(5, y, 11, y + 0.9f, 0.3f, Fill(0x9AAABB, s));
}

// A small magnifying glass with its handle towards the lower right.
void Lens(Canvas& c, float cx, float cy, GlyphState s) {
    c.StrokeLine({cx + 2.4f, cy + 2.4f}, {cx + 5.4f, cy + 5.4f}, 2.4f, Fill(0x5A4632, s));
    c.FillEllipse(cx, cy, 3.2f, 3.2f,
                  VerticalGradient(Shade(Hex(0xE4F3FF, 0.92f), s), cy - 3,
                                   Shade(Hex(0x8CC4F0, 0.92f), s), cy + 3));
    c.FillRing(cx, cy, 4.0f, 3.1f, Fill(0x2F4B68, s));
    c.FillEllipse(cx - 1.1f, cy - 1.2f, 1.0f, 0.7f, Fill(0xFFFFFF, s, 0.85f));
}

void PageGlyph(Canvas& c, GlyphState s) {
    Page(c, s);
    if (s != GlyphState::normal)
        Lens(c, 9.0f, 9.0f, s);
}

// A yellow folder: the back with its tab, then the lighter front.
void YellowFolder(Canvas& c, GlyphState s) {
    c.FillRoundRect(0.5f, 2.5f, 7.0f, 6.0f, 1.0f, Fill(0xB7860B, s));
    c.FillRoundRect(0.5f, 4.0f, 15.5f, 14.0f, 1.0f, Fill(0xB7860B, s));
    c.FillRoundRect(1.1f, 6.0f, 14.9f, 13.4f, 0.7f, Gradient(0xFFE79A, 6, 0xF2B632, 13.4f, s));
    c.FillRoundRect(1.1f, 6.0f, 14.9f, 6.8f, 0.3f, Fill(0xFFFFFF, s, 0.6f));
}

// A green arrow pointing right with its tip at (x, y).
void GreenArrow(Canvas& c, float x, float y, float size, GlyphState s) {
    const float h = size * 0.5f, shaft = size * 0.2f, neck = size * 0.45f;
    c.FillPolygon({{x - size, y - shaft},
                   {x - neck, y - shaft},
                   {x - neck, y - h},
                   {x, y},
                   {x - neck, y + h},
                   {x - neck, y + shaft},
                   {x - size, y + shaft}},
                  Fill(0x1E7B2E, s));
    const float i = 0.8f;
    c.FillPolygon({{x - size + i, y - shaft + i * 0.6f},
                   {x - neck + i * 0.5f, y - shaft + i * 0.6f},
                   {x - neck + i * 0.5f, y - h + i * 1.4f},
                   {x - i * 1.3f, y},
                   {x - neck + i * 0.5f, y + h - i * 1.4f},
                   {x - neck + i * 0.5f, y + shaft - i * 0.6f},
                   {x - size + i, y + shaft - i * 0.6f}},
                  Gradient(0x8EE07A, y - h, 0x3BAA3A, y + h, s));
}

void FolderGlyph(Canvas& c, GlyphState s) {
    YellowFolder(c, s);
    if (s != GlyphState::normal)
        GreenArrow(c, 15.5f, 10.5f, 8.0f, s);
}

// A calendar sheet: rings on a red band, then a grid of days with one marked.
void CalendarGlyph(Canvas& c, GlyphState s) {
    const bool lit = s != GlyphState::normal;
    c.FillRoundRect(1.5f, 2.0f, 14.5f, 15.0f, 1.0f, Fill(0x5E6C7C, s));
    c.FillRoundRect(2.3f, 5.5f, 13.7f, 14.2f, 0.5f, Gradient(0xFFFFFF, 5, 0xE6EDF5, 14, s));
    c.FillRoundRect(2.3f, 2.8f, 13.7f, 5.5f, 0.5f, Fill(lit ? 0xE0413A : 0xC8433D, s));
    for (float x : {5.0f, 11.0f})
        c.FillRoundRect(x - 0.6f, 0.8f, x + 0.6f, 4.0f, 0.5f, Fill(0x3A4654, s));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col) {
            const float x = 3.6f + col * 2.5f, y = 7.0f + row * 2.3f;
            const bool marked = row == 1 && col == 2;
            c.FillRoundRect(x, y, x + 1.6f, y + 1.4f, 0.3f, Fill(marked ? 0xE0413A : 0x8C9BAC, s));
        }
}

// A rounded box with three dots: "more".
void DotsGlyph(Canvas& c, GlyphState s) {
    const bool lit = s != GlyphState::normal;
    c.FillRoundRect(0.5f, 3.5f, 15.5f, 12.5f, 2.0f, Fill(0x6B7C8F, s));
    c.FillRoundRect(1.3f, 4.3f, 14.7f, 11.7f, 1.4f,
                    Gradient(0xFFFFFF, 4, lit ? 0xD4E6F8 : 0xE3E8EE, 12, s));
    for (float x : {4.5f, 8.0f, 11.5f})
        c.FillEllipse(x, 8.0f, 1.2f, 1.2f, Fill(lit ? 0x1F4E85 : 0x3D4A58, s));
}

// A pocket calculator: a grey body, a green display and three rows of keys.
void CalculatorGlyph(Canvas& c, GlyphState s) {
    const bool lit = s != GlyphState::normal;
    c.FillRoundRect(2.5f, 0.5f, 13.5f, 15.5f, 1.3f, Fill(0x4A5563, s));
    c.FillRoundRect(3.3f, 1.3f, 12.7f, 14.7f, 0.9f, Gradient(0xA9B4C0, 1, 0x7D8996, 15, s));
    c.FillRoundRect(4.2f, 2.3f, 11.8f, 5.6f, 0.4f, Fill(lit ? 0xC8F0B4 : 0xB4D2A6, s));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            const float x = 4.3f + col * 2.7f, y = 7.0f + row * 2.6f;
            const bool equals = row == 2 && col == 2;
            c.FillRoundRect(x, y, x + 2.0f, y + 1.8f, 0.4f, Fill(equals ? 0xE08A2C : 0xF4F6F8, s));
        }
}

} // namespace

const std::vector<GlyphStrip>& GlyphStrips() {
    static const std::vector<GlyphStrip> strips{
        {"sf.png", PageGlyph}, {"sr.png", FolderGlyph},     {"sd.png", CalendarGlyph},
        {"se.png", DotsGlyph}, {"sc.png", CalculatorGlyph},
    };
    return strips;
}

std::vector<std::uint8_t> PaintStrip(const GlyphStrip& strip) {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(kStripWidth * kStripHeight * 4));
    const GlyphState states[] = {GlyphState::normal, GlyphState::hot, GlyphState::pressed};
    for (int i = 0; i < 3; ++i) {
        Canvas canvas(kStripHeight, 16.0f);
        strip.draw(canvas, states[i]);
        const std::vector<std::uint8_t> square = canvas.Pixels();
        for (int y = 0; y < kStripHeight; ++y)
            std::copy_n(&square[static_cast<std::size_t>(y * kStripHeight * 4)], kStripHeight * 4,
                        &rgba[static_cast<std::size_t>((y * kStripWidth + i * kStripHeight) * 4)]);
    }
    return rgba;
}

} // namespace icons
