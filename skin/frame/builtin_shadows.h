#pragma once

// The drop shadows a form's extended frame wears when its skin brings no shadow image of its
// own: 33 x 33 templates of black with falling alpha around a box that stands for the window
// (inside the 9-pixel shadow margin), a little deeper below than above, darker and wider for
// the active form. Drawn once each and kept.

#include "skin/render/skin_bitmap.h"

namespace skin::frame {

constexpr int kBuiltInShadowSize = 33;
// The shadow margins that go with the built-in templates, on every side.
constexpr int kBuiltInShadowMargin = 9;

const render::SkinBitmap& BuiltInShadow(bool active);

} // namespace skin::frame
