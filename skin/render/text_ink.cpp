#include "skin/render/text_ink.h"

#include "skin/render/gray_bitmap.h"

namespace skin::render {

void DrawTextInk(SkinBitmap& bitmap, TextRenderer& text_renderer, const std::u16string& text,
                 const Rect& r, Color color, unsigned format) {
    if (r.IsEmpty() || text.empty())
        return;
    GrayBitmap mask(r.Width(), r.Height(), 255);
    text_renderer.DrawInk(mask, text, {0, 0, r.Width(), r.Height()}, format);
    const Pixel ink = ColorToPixel(color);
    const Rect area = Intersect(r, bitmap.Bounds());
    for (int y = area.Top; y < area.Bottom; ++y) {
        const std::uint8_t* samples = mask.Row(y - r.Top);
        Pixel* row = bitmap.Row(y);
        for (int x = area.Left; x < area.Right; ++x) {
            const int m = samples[x - r.Left];
            if (m == 255)
                continue;
            const Pixel p = row[x];
            Pixel out = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const int c = static_cast<int>((ink >> shift) & 0xFF);
                const int v = static_cast<int>((p >> shift) & 0xFF);
                out |= static_cast<Pixel>(c + m * (v - c) / 255) << shift;
            }
            const int alpha = static_cast<int>(p >> 24);
            out |= static_cast<Pixel>(alpha + (255 - m) * (255 - alpha) / 255) << 24;
            row[x] = out;
        }
    }
}

} // namespace skin::render
