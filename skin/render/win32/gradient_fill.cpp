// Triangle gradients through msimg32's GradientFill, looked up at run time.

#include "skin/render/fills.h"
#include "skin/render/triangle_gradient.h"

#include <vector>
#include <windows.h>

namespace skin::render {

namespace {

using GradientFillProc = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

GradientFillProc FindGradientFill() {
    static const GradientFillProc proc = [] {
        HMODULE module = LoadLibraryW(L"msimg32.dll");
        return module ? reinterpret_cast<GradientFillProc>(
                            reinterpret_cast<void*>(GetProcAddress(module, "GradientFill")))
                      : nullptr;
    }();
    return proc;
}

} // namespace

void FillGradientTriangles(SkinBitmap& bitmap, std::span<const GradientVertex> vertices,
                           std::span<const GradientTriangle> triangles) {
    const GradientFillProc gradient_fill = FindGradientFill();
    if (!gradient_fill || !bitmap.Handle()) {
        FillGradientTrianglesPortable(bitmap, vertices, triangles);
        return;
    }
    std::vector<TRIVERTEX> points;
    Rect covered{};
    for (const GradientVertex& v : vertices) {
        points.push_back({v.X, v.Y, v.Red, v.Green, v.Blue, v.Alpha});
        covered = points.size() == 1
                      ? Rect{v.X, v.Y, v.X, v.Y}
                      : Rect{std::min(covered.Left, v.X), std::min(covered.Top, v.Y),
                             std::max(covered.Right, v.X), std::max(covered.Bottom, v.Y)};
    }
    std::vector<GRADIENT_TRIANGLE> mesh;
    for (const GradientTriangle& t : triangles)
        mesh.push_back(
            {static_cast<ULONG>(t[0]), static_cast<ULONG>(t[1]), static_cast<ULONG>(t[2])});
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, static_cast<HBITMAP>(bitmap.Handle()));
    gradient_fill(dc, points.data(), static_cast<ULONG>(points.size()), mesh.data(),
                  static_cast<ULONG>(mesh.size()), GRADIENT_FILL_TRIANGLE);
    GdiFlush();
    SelectObject(dc, old);
    DeleteDC(dc);
    // GDI leaves the alpha byte to chance; painted pixels are opaque.
    SetAlphaRect(bitmap, covered, 255, false);
}

} // namespace skin::render
