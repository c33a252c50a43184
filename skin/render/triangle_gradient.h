#pragma once

// Colours interpolated over triangles, as the window system's triangle gradient fill does.

#include "skin/render/skin_bitmap.h"

#include <array>
#include <cstdint>
#include <span>

namespace skin::render {

// A corner with 16-bit channels (an 8-bit value v is v * 256).
struct GradientVertex {
    int X = 0;
    int Y = 0;
    std::uint16_t Red = 0, Green = 0, Blue = 0, Alpha = 0;
};

using GradientTriangle = std::array<int, 3>; // indexes into the vertices

// Every pixel whose coordinates lie in a triangle gets the colour interpolated there from the
// triangle's corners (each 16-bit channel >> 8) with alpha 255; a pixel on an edge shared by two
// triangles is painted by one of them. The Win32 build lets the window system's GradientFill do it
// when the bitmap lives in a DIB section and msimg32 provides it.
void FillGradientTriangles(SkinBitmap& bitmap, std::span<const GradientVertex> vertices,
                           std::span<const GradientTriangle> triangles);

// The portable interpolation, the same in every build.
void FillGradientTrianglesPortable(SkinBitmap& bitmap, std::span<const GradientVertex> vertices,
                                   std::span<const GradientTriangle> triangles);

} // namespace skin::render
