#include "skin/render/text_glow.h"

#include "skin/render/blur.h"

namespace skin::render {

namespace {

void DrawGlowMask(GrayBitmap& mask, TextRenderer& text_renderer, const std::u16string& text,
                  const Rect& r, int margin, unsigned outline, unsigned format) {
    const Rect at{margin, margin, margin + r.Width(), margin + r.Height()};
    const struct {
        unsigned bit;
        int dx, dy;
    } shifts[] = {{goLeft, -1, 0}, {goUp, 0, -1}, {goRight, 1, 0}, {goDown, 0, 1}};
    for (const auto& shift : shifts)
        if (outline & shift.bit)
            text_renderer.DrawInk(mask, text, Offset(at, shift.dx, shift.dy), format);
    text_renderer.DrawInk(mask, text, at, format);
}

} // namespace

void DrawTextGlow(SkinBitmap& bitmap, TextRenderer& text_renderer, const std::u16string& text,
                  const Rect& r, GrayBitmap& mask_cache, Color color, int radius, unsigned outline,
                  unsigned format) {
    const int margin = radius + 4;
    const int width = r.Width() + 2 * margin;
    const int height = r.Height() + 2 * margin;
    if (width <= 0 || height <= 0)
        return;
    if (mask_cache.Width() != width || mask_cache.Height() != height) {
        mask_cache = GrayBitmap(width, height, 255);
        DrawGlowMask(mask_cache, text_renderer, text, r, margin, outline, format);
        GaussianBlurGray(mask_cache, radius);
    }
    const Pixel glow = ColorToPixel(color);
    const Rect area = Intersect(
        {r.Left - margin, r.Top - margin, r.Left - margin + width, r.Top - margin + height},
        bitmap.Bounds());
    for (int y = area.Top; y < area.Bottom; ++y) {
        const std::uint8_t* samples = mask_cache.Row(y - (r.Top - margin));
        Pixel* row = bitmap.Row(y);
        for (int x = area.Left; x < area.Right; ++x) {
            const int m = samples[x - (r.Left - margin)];
            if (m == 255)
                continue;
            const Pixel p = row[x];
            Pixel out = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const int c = static_cast<int>((glow >> shift) & 0xFF);
                const int v = static_cast<int>((p >> shift) & 0xFF);
                out |= static_cast<Pixel>(c + m * (v - c) / 255) << shift;
            }
            const int alpha = static_cast<int>(p >> 24);
            out |= static_cast<Pixel>(alpha + (255 - m) * (255 - alpha) / 255) << 24;
            row[x] = out;
        }
    }
}

std::u16string FitTextEllipsis(TextRenderer& text_renderer, const std::u16string& text, int width) {
    if (width <= 0)
        return {};
    if (text_renderer.TextWidth(text) <= width)
        return text;
    std::u16string rest = text;
    while (!rest.empty()) {
        rest.pop_back();
        if (text_renderer.TextWidth(rest + u"...") <= width)
            break;
    }
    return rest.empty() ? rest : rest + u"...";
}

} // namespace skin::render
