#include "skin/render/fast32.h"

#include "skin/render/pixel_rows.h"

#include <algorithm>
#include <cassert>

namespace skin::render {

bool TacFast32::Attach(SkinBitmap& bitmap) {
    if (bitmap.Width() < 1 || bitmap.Height() < 2) {
        FWidth = 0;
        return false;
    }
    FBitmap = &bitmap;
    FWidth = bitmap.Width();
    FHeight = bitmap.Height();
    FDelta = bitmap.Stride() * static_cast<std::ptrdiff_t>(sizeof(Pixel));
    FStart = bitmap.Row(0);
    FLength = FWidth * static_cast<int>(sizeof(Pixel));
    return true;
}

void TacFast32::FillBitmap(Color color) {
    FillRect({0, 0, FWidth, FHeight}, color);
}

void TacFast32::FillRect(const Rect& r, Color color) {
    const Rect clipped = Intersect(r, {0, 0, FWidth, FHeight});
    if (clipped.IsEmpty())
        return;
    const Pixel value = (ColorToPixel(color) & 0x00FFFFFFu) | 0xFF000000u;
    for (int y = clipped.Top; y < clipped.Bottom; ++y)
        rows::Fill(Row(y) + clipped.Left, clipped.Width(), value);
}

bool TacFastSum32::Attach(const SkinBitmap& src, SkinBitmap& dst) {
    if (src.Width() < 2 || src.Height() < 2 || dst.Width() < 2 || dst.Height() < 2)
        return false;
    FBmpSrc = &src;
    FBmpDst = &dst;
    FWidthDst = std::min(src.Width(), dst.Width());
    FHeightDst = std::min(src.Height(), dst.Height());
    return true;
}

void TacFastSum32::BlendBitmapsRect() {
    if (!FBmpSrc || !FBmpDst)
        return;
    const int width = DstX2 - DstX1;
    const int height = DstY2 - DstY1;
    const int src_top = SrcY2 - height;
    if (width <= 0 || height <= 0 || DstX1 < 0 || DstY1 < 0 || DstX2 > FBmpDst->Width() ||
        DstY2 > FBmpDst->Height() || SrcX1 < 0 || src_top < 0 || SrcX1 + width > FBmpSrc->Width() ||
        SrcY2 > FBmpSrc->Height())
        return;
    // Where source and destination overlap within a row the result depends on the order in
    // which pixels are visited: the plain loop keeps the strict left-to-right order.
    const bool same = FBmpSrc == FBmpDst;
    for (int y = DstY2 - 1; y >= DstY1; --y) {
        Pixel* d = FBmpDst->Row(y) + DstX1;
        const Pixel* s = FBmpSrc->Row(y - (DstY2 - SrcY2)) + SrcX1;
        if (same && s < d && d < s + width)
            rows::scalar::WeightedBlend(d, s, width, Alpha);
        else
            rows::WeightedBlend(d, s, width, Alpha);
    }
}

} // namespace skin::render
