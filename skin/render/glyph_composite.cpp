#include "skin/render/glyph_composite.h"

#include <algorithm>

namespace skin::render {
namespace {

int Channel(Pixel p, int shift) {
    return static_cast<int>((p >> shift) & 0xFF);
}

} // namespace

int GlyphWeight(int alpha, int transparency) {
    return (100 - std::clamp(transparency, 0, 100)) * alpha / 100;
}

Pixel WeightedOver(Pixel face, Pixel source, int weight) {
    Pixel result = face & 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int d = Channel(face, shift);
        const int s = Channel(source, shift);
        const int c = ((s - d) * weight + d * 256) >> 8;
        result |= static_cast<Pixel>(std::clamp(c, 0, 255)) << shift;
    }
    return result;
}

Pixel TintGlyphPixel(Pixel source, Color tint) {
    const int grey = (Channel(source, 0) + Channel(source, 8) + Channel(source, 16)) / 3;
    const Pixel tint_pixel = ColorToPixel(tint);
    Pixel result = source & 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int c = std::min(255, (grey * Channel(tint_pixel, shift) + 127) / 255);
        result |= static_cast<Pixel>(c) << shift;
    }
    return result;
}

void CompositeGlyph(SkinBitmap& face, const SkinBitmap& glyph, const Rect& source, Point at,
                    int transparency, std::optional<Color> tint) {
    Rect from = Intersect(source, glyph.Bounds());
    if (from.IsEmpty())
        return;
    // Moving the rectangle's corner inside the glyph moves the target with it.
    Point to{at.X + from.Left - source.Left, at.Y + from.Top - source.Top};
    ClipCopyCorners(to.X, to.Y, from.Left, from.Top);
    from.Right = std::min(from.Right, from.Left + face.Width() - to.X);
    from.Bottom = std::min(from.Bottom, from.Top + face.Height() - to.Y);
    for (int y = from.Top; y < from.Bottom; ++y) {
        Pixel* target = face.Row(to.Y + y - from.Top) + to.X;
        const Pixel* row = glyph.Row(y);
        for (int x = from.Left; x < from.Right; ++x, ++target) {
            Pixel s = row[x];
            const int weight = GlyphWeight(static_cast<int>(s >> 24), transparency);
            if (weight == 0)
                continue;
            if (tint)
                s = TintGlyphPixel(s, *tint);
            *target = WeightedOver(*target, s, weight);
        }
    }
}

} // namespace skin::render
