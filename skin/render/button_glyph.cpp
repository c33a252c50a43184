#include "skin/render/button_glyph.h"

#include "skin/render/blends.h"
#include "skin/render/color_mix.h"
#include "skin/render/fills.h"
#include "skin/render/glyph_composite.h"
#include "skin/render/keyed_copy.h"

#include <algorithm>

namespace skin::render {

bool HasOpaquePixel(const SkinBitmap& glyph) {
    for (int y = 0; y < glyph.Height(); ++y)
        for (int x = 0; x < glyph.Width(); ++x)
            if ((glyph.At(x, y) >> 24) == 0xFF)
                return true;
    return false;
}

int AlphaStripIndex(int state, int num_glyphs) {
    return std::max(0, std::min(state, num_glyphs - 1));
}

int KeyedStripIndex(int state, int num_glyphs, bool enabled, bool down, bool four_bit) {
    if (num_glyphs <= 1 || !enabled || state <= 0)
        return 0;
    const int wanted = state == 1 ? 1 : (down ? 3 : 2);
    if (wanted < num_glyphs)
        return wanted;
    return four_bit ? 0 : 1;
}

void CompositeAlphaGlyph(SkinBitmap& face, const SkinBitmap& strip, int index, int glyph_width,
                         Point at, int transparency, std::optional<Color> tint) {
    CompositeGlyph(face, strip, {index * glyph_width, 0, (index + 1) * glyph_width, strip.Height()},
                   at, transparency, tint);
}

void ReflectAlphaGlyph(SkinBitmap& face, const SkinBitmap& strip, int index, int glyph_width,
                       Point at, int transparency) {
    const int height = strip.Height();
    const int half = height / 2;
    if (half <= 0)
        return; // under 2 pixels high there is nothing to mirror
    const int step = 255 / half;
    const int last = at.Y + height - 1;
    const int rows = std::min(half - 1, face.Height() - (at.Y + height) - 1);
    const int first_column = std::max(0, -at.X);
    const int columns = std::min(glyph_width, face.Width() - at.X);
    for (int k = 1; k <= rows; ++k) {
        const int face_y = last + k;
        const int glyph_y = height - 1 - k;
        if (face_y < 0 || glyph_y < 0)
            continue;
        const int opacity = 255 - (k - 1) * step;
        Pixel* target = face.Row(face_y);
        const Pixel* source = strip.Row(glyph_y);
        for (int x = first_column; x < columns; ++x) {
            const int glyph_x = index * glyph_width + x;
            if (glyph_x < 0)
                continue; // a negative index lies left of the strip
            if (glyph_x >= strip.Width())
                break;
            const Pixel s = source[glyph_x];
            const int a = static_cast<int>(s >> 24);
            const int weight = transparency > 0 ? (100 - transparency) * a / 300 * opacity / 255
                                                : opacity * (a / 3) / 255;
            if (weight > 0)
                target[at.X + x] = WeightedOver(target[at.X + x], s, weight);
        }
    }
}

void DrawKeyedGlyph(SkinBitmap& face, const SkinBitmap& strip, int index, int glyph_width, Point at,
                    const KeyedGlyphLook& look) {
    Rect source = Intersect({index * glyph_width, 0, (index + 1) * glyph_width, strip.Height()},
                            strip.Bounds());
    if (source.IsEmpty())
        return;
    // The image on its own, so that greying leaves the strip alone, and opaque, so that every
    // comparison with the key below looks at the colour bytes only.
    SkinBitmap image(source.Width(), source.Height());
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            image.At(x, y) = strip.At(source.Left + x, source.Top + y) | 0xFF000000u;
    const Color key = PixelToColor(image.At(0, image.Height() - 1));
    const Rect whole{0, 0, image.Width() - 1, image.Height() - 1};

    if (!look.Enabled) {
        if (look.DisabledGrayed)
            Grayscale(image, key);
        if (look.DisabledBlended)
            BlendRectFrom(face, at.X, at.Y, key, 0.5, whole, image);
        else
            CopyKeyedByColor(face, image, image.Bounds(), at);
        return;
    }
    if (look.State == 0 && look.Blend > 0)
        BlendRectFrom(face, at.X, at.Y, key, look.Blend / 100.0, whole, image);
    else
        CopyKeyedByColor(face, image, image.Bounds(), at);
}

void ApplyDisabledLook(SkinBitmap& face, DisabledKinds kinds, const TCacheInfo& behind,
                       Color background_color) {
    if (face.IsEmpty())
        return;
    if (kinds.Grayed)
        Grayscale(face);
    if (!kinds.Blended)
        return;
    if (behind.Ready && behind.Bmp != nullptr) {
        const Rect under{behind.X, behind.Y, behind.X + face.Width() - 1,
                         behind.Y + face.Height() - 1};
        BlendRectFrom(face, 0, 0, kKeyColor, 0.4, under, *behind.Bmp);
    } else {
        TintRect(face, {0, 0, face.Width() - 1, face.Height() - 1}, 50, background_color);
    }
}

void DrawFocusDots(SkinBitmap& face, const Rect& caption, int margin, Color face_color) {
    const Rect r{caption.Left - margin, caption.Top - margin, caption.Right + margin - 1,
                 caption.Bottom + margin - 1};
    if (r.Right < r.Left || r.Bottom < r.Top)
        return;
    const Pixel black = 0xFF000000u;
    const Pixel light = 0xFF000000u | ColorToPixel(face_color & 0xFFFFFF);
    auto put = [&](int x, int y, Pixel p) {
        if (face.Contains(x, y))
            face.At(x, y) = p;
    };
    for (int offset = 0; r.Left + offset <= r.Right; offset += 3) {
        const int x = r.Left + offset;
        if (offset > 0) {
            put(x - 1, r.Top, light);
            put(x - 1, r.Bottom, light);
        }
        put(x, r.Top, black);
        put(x, r.Bottom, black);
    }
    for (int offset = 0; r.Top + offset <= r.Bottom; offset += 3) {
        const int y = r.Top + offset;
        if (offset > 0) {
            put(r.Left, y - 1, light);
            put(r.Right, y - 1, light);
        }
        put(r.Left, y, black);
        put(r.Right, y, black);
    }
}

} // namespace skin::render
