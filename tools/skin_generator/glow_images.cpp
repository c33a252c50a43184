// The PNG images of the internal skin: the extended border with its drop shadow, and the glows
// around edits, speed buttons and the close button.

#include "tools/skin_generator/internal_skin.h"
#include "tools/skin_generator/layer.h"

#include <algorithm>
#include <cmath>

namespace skin_generator {

namespace {

using skin::data::Image32;

// Distance from a point to a rounded rectangle (0 inside).
double RoundRectDistance(double x, double y, double x0, double y0, double x1, double y1, double r) {
    double cx = std::clamp(x, x0 + r, x1 - r), cy = std::clamp(y, y0 + r, y1 - r);
    double dx = x - cx, dy = y - cy;
    return std::max(std::sqrt(dx * dx + dy * dy) - r, 0.0);
}

// A soft falloff from 1 at distance 0 to 0 at reach: (1 - t)^3, smooth at both ends.
double Falloff(double d, double reach) {
    double t = std::clamp(d / reach, 0.0, 1.0);
    return (1 - t) * (1 - t) * (1 - t);
}

// A glow around a w x h control placed margin pixels in from every side.
Image32 Glow(int margin, int w, int h, Rgb colour, double strength, double radius) {
    Layer l(w + 2 * margin, h + 2 * margin);
    double x0 = margin, y0 = margin, x1 = margin + w, y1 = margin + h;
    for (int y = 0; y < l.Height(); ++y)
        for (int x = 0; x < l.Width(); ++x) {
            double d = RoundRectDistance(x + 0.5, y + 0.5, x0, y0, x1, y1, radius);
            if (d > 0)
                l.Blend(x, y, colour, strength * Falloff(d - 0.5, margin));
        }
    Image32 image = skin::data::MakeImage32(l.Width(), l.Height());
    l.CommitAlpha(image, 0, 0);
    return image;
}

struct FrameLook {
    double shadow;
    Rgb title_top, title_bottom, border, outline;
};

// One state of the extended border, 212 x 148: the window's frame at (50, 50) - (162, 98)
// with a 27-pixel title band and 4-pixel borders, the client area open, a shadow around it.
void ExBorderState(Layer& l, const FrameLook& look) {
    constexpr double x0 = 50, y0 = 50, x1 = 162, y1 = 98, radius = 6;
    constexpr double title = 77, border = 4;
    for (int y = 0; y < l.Height(); ++y)
        for (int x = 0; x < l.Width(); ++x) {
            // The light comes from above: the shadow sits two pixels lower.
            double d = RoundRectDistance(x + 0.5, y + 0.5 - 2, x0, y0, x1, y1, radius);
            if (d > 0)
                l.Blend(x, y, Hex(0x0A1420), look.shadow * Falloff(d, 46));
        }
    auto in_window = [=](double x, double y) {
        return x >= x0 && x < x1 && y >= y0 && y < y1 &&
               RoundRectDistance(x, y, x0, y0, x1, y1 + radius, radius) == 0;
    };
    auto in_client = [=](double x, double y) {
        return x >= x0 + border && x < x1 - border && y >= title && y < y1 - border;
    };
    auto frame = [&](double x, double y) { return in_window(x, y) && !in_client(x, y); };
    l.FillShape(frame, [&](double, double y) {
        return y < title ? Mix(look.title_top, look.title_bottom, (y - y0) / (title - y0))
                         : look.border;
    });
    // A glassy sheen over the upper half of the title band.
    l.FillShape([&](double x, double y) { return frame(x, y) && y < y0 + 12; },
                Solid(Hex(0xFFFFFF)), 0.35);
    l.FillShape(
        [&](double x, double y) {
            return frame(x, y) && !(in_window(x - 1, y - 1) && in_window(x + 1, y + 1) &&
                                    in_window(x + 1, y - 1) && in_window(x - 1, y + 1));
        },
        Solid(look.outline));
    l.StrokeRoundRect(x0 + border - 1, title - 1, x1 - border + 1, y1 - border + 1, 0, 1,
                      Mix(look.border, look.outline, 0.45));
}

} // namespace

Image32 DrawExBorder() {
    const FrameLook looks[2] = {{0.22, Hex(0xF8F8F8), Hex(0xE4E6E8), Hex(0xEDEEEF), Hex(0xA4ABB3)},
                                {0.38, Hex(0xF3F7FB), Hex(0xCFDBE8), Hex(0xDCE5EF), Hex(0x6F8299)}};
    Image32 image = skin::data::MakeImage32(424, 148);
    for (int s = 0; s < 2; ++s) {
        Layer l(212, 148);
        ExBorderState(l, looks[s]);
        l.CommitAlpha(image, 212 * s, 0);
    }
    return image;
}

Image32 DrawGlowEdit() {
    return Glow(8, 8, 8, Hex(0x6FAEEB), 0.55, 2);
}
Image32 DrawGlowWhite() {
    return Glow(15, 10, 10, Hex(0xFFFFFF), 0.85, 3);
}
Image32 DrawGlowH() {
    return Glow(10, 14, 16, Hex(0xFF6A5E), 0.6, 3);
}

} // namespace skin_generator
