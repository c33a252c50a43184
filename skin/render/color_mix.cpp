#include "skin/render/color_mix.h"

#include <algorithm>
#include <cmath>

namespace skin::render {

namespace {

int Channel(std::uint32_t value, int index) {
    return static_cast<int>((value >> (8 * index)) & 0xFF);
}

int RoundClamp(double value) {
    return static_cast<int>(std::clamp(std::nearbyint(value), 0.0, 255.0));
}

bool IsGrey(std::uint32_t value) {
    return Channel(value, 0) == Channel(value, 1) && Channel(value, 1) == Channel(value, 2);
}

// Red, green and blue in the byte positions 0, 1 and 2 of whichever order the word uses: both
// transforms treat the three channels so that only red and blue need telling apart, and the
// callers pass the index of red.
struct Rgb {
    int r, g, b;
};

Rgb ReadRgb(std::uint32_t value, int red_index) {
    return {Channel(value, red_index), Channel(value, 1), Channel(value, 2 - red_index)};
}

std::uint32_t WriteRgb(std::uint32_t value, int red_index, Rgb rgb) {
    return (value & 0xFF000000u) | (static_cast<std::uint32_t>(rgb.r) << (8 * red_index)) |
           (static_cast<std::uint32_t>(rgb.g) << 8) |
           (static_cast<std::uint32_t>(rgb.b) << (8 * (2 - red_index)));
}

// Hue, saturation and value: value is the largest channel, saturation (max - min) / max,
// hue in degrees 0 .. 360; back with the six-sector formula.
Rgb RotateHue(Rgb c, int degrees) {
    const int max = std::max({c.r, c.g, c.b});
    const int min = std::min({c.r, c.g, c.b});
    const double delta = max - min;
    const double saturation = delta / max;
    double hue;
    if (c.r == max)
        hue = (c.g - c.b) / delta;
    else if (c.g == max)
        hue = 2 + (c.b - c.r) / delta;
    else
        hue = 4 + (c.r - c.g) / delta;
    hue *= 60;
    if (hue < 0)
        hue += 360;
    long turned = std::lround(hue + degrees) % 360;
    if (turned < 0)
        turned += 360;
    const double sector = turned / 60.0;
    const int index = static_cast<int>(std::floor(sector));
    const double f = sector - index;
    const double v = max;
    const double p = v * (1 - saturation);
    const double q = v * (1 - saturation * f);
    const double t = v * (1 - saturation * (1 - f));
    double r, g, b;
    switch (index) {
    case 0:
        r = v, g = t, b = p;
        break;
    case 1:
        r = q, g = v, b = p;
        break;
    case 2:
        r = p, g = v, b = t;
        break;
    case 3:
        r = p, g = q, b = v;
        break;
    case 4:
        r = t, g = p, b = v;
        break;
    default:
        r = v, g = p, b = q;
        break;
    }
    return {RoundClamp(r), RoundClamp(g), RoundClamp(b)};
}

Rgb Saturate(Rgb c, int amount) {
    const double mean = (c.r + c.g + c.b) / 3.0;
    auto change = [&](int v) { return RoundClamp(v - (mean - v) * amount / 100.0); };
    return {change(c.r), change(c.g), change(c.b)};
}

template <typename Change>
void ForColoredPixels(SkinBitmap& bitmap, Change change) {
    for (int y = 0; y < bitmap.Height(); ++y) {
        Pixel* row = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x)
            if (row[x] != kKeyPixel && !IsGrey(row[x]))
                row[x] = WriteRgb(row[x], 2, change(ReadRgb(row[x], 2)));
    }
}

} // namespace

Color MixHalf(Color a, Color b) {
    Color out = 0;
    for (int i = 0; i < 3; ++i)
        out |= static_cast<Color>((Channel(a, i) * 127 + Channel(b, i) * 129) >> 8) << (8 * i);
    return out;
}

Color MixRatio(Color a, Color b, double t) {
    Color out = a & 0xFF000000u;
    for (int i = 0; i < 3; ++i)
        out |= static_cast<Color>(RoundClamp(t * Channel(a, i) + (1 - t) * Channel(b, i)))
               << (8 * i);
    return out;
}

void Grayscale(SkinBitmap& bitmap, std::optional<Color> key) {
    const bool keyed = key.has_value();
    const Pixel key_pixel = keyed ? ColorToPixel(*key) : 0;
    for (int y = 0; y < bitmap.Height(); ++y) {
        Pixel* row = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            const Pixel p = row[x];
            if (keyed && p == key_pixel)
                continue;
            const Pixel grey =
                static_cast<Pixel>((Channel(p, 0) + Channel(p, 1) + Channel(p, 2)) / 3);
            row[x] = (p & 0xFF000000u) | grey | (grey << 8) | (grey << 16);
        }
    }
}

void ShiftHue(SkinBitmap& bitmap, int degrees) {
    ForColoredPixels(bitmap, [degrees](Rgb c) { return RotateHue(c, degrees); });
}

void ChangeSaturation(SkinBitmap& bitmap, int amount) {
    ForColoredPixels(bitmap, [amount](Rgb c) { return Saturate(c, amount); });
}

Color ShiftHue(Color color, int degrees) {
    if (IsGrey(color))
        return color;
    return WriteRgb(color, 0, RotateHue(ReadRgb(color, 0), degrees));
}

Color ChangeSaturation(Color color, int amount) {
    if (IsGrey(color))
        return color;
    return WriteRgb(color, 0, Saturate(ReadRgb(color, 0), amount));
}

} // namespace skin::render
