#include "skin/frame/builtin_shadows.h"

#include <algorithm>
#include <cmath>

namespace skin::frame {
namespace {

struct ShadowLook {
    int Darkest;   // alpha next to the window
    double Reach;  // pixels over which it fades to nothing
    int DropBelow; // how far the window's box is moved down
};

render::SkinBitmap DrawShadow(const ShadowLook& look) {
    constexpr int n = kBuiltInShadowSize;
    constexpr int m = kBuiltInShadowMargin;
    render::SkinBitmap b(n, n);
    // The window's box: inside the margins, moved down so the shadow is deeper below.
    const int left = m, right = n - 1 - m;
    const int top = m + look.DropBelow, bottom = n - 1 - m + look.DropBelow;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const int dx = std::max({left - x, 0, x - right});
            const int dy = std::max({top - y, 0, y - bottom});
            const double d = std::sqrt(static_cast<double>(dx * dx + dy * dy));
            const double fade = std::max(0.0, 1.0 - d / look.Reach);
            const int alpha = static_cast<int>(std::lround(look.Darkest * fade * fade));
            b.At(x, y) = static_cast<render::Pixel>(alpha) << 24;
        }
    return b;
}

} // namespace

const render::SkinBitmap& BuiltInShadow(bool active) {
    static const render::SkinBitmap active_shadow = DrawShadow({120, 10.5, 2});
    static const render::SkinBitmap inactive_shadow = DrawShadow({80, 8.5, 1});
    return active ? active_shadow : inactive_shadow;
}

} // namespace skin::frame
