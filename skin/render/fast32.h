#pragma once

// Direct pixel access over whole rows: a pixel is reached from row 0 by one multiplication and
// one addition, and every loop of the painters walks rows through these records.

#include "skin/render/colors.h"
#include "skin/render/skin_bitmap.h"

#include <cstddef>
#include <cstdint>

namespace skin::render {

// Accessor over one bitmap.
struct TacFast32 {
    SkinBitmap* FBitmap = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    std::ptrdiff_t FDelta = 0; // bytes from one row to the next; negative for bottom-up storage
    Pixel* FStart = nullptr;   // row 0
    int FLength = 0;           // bytes of pixels in one row

    // Refuses (false, FWidth 0) a bitmap with no column or fewer than 2 rows.
    bool Attach(SkinBitmap& bitmap);

    Pixel* Row(int y) const {
        return reinterpret_cast<Pixel*>(reinterpret_cast<std::uint8_t*>(FStart) + y * FDelta);
    }
    // Every pixel, alpha forced to 255.
    void FillBitmap(Color color);
    // R clipped to the bitmap; nothing for an empty R.
    void FillRect(const Rect& r, Color color);
    // The pixel as a colour value, with the pixel's alpha in byte 3.
    Color ReadPixel(int x, int y) const { return PixelToColor(Row(y)[x]); }
    // Stores a colour value in pixel order, byte 3 becoming the alpha.
    void WritePixel(int x, int y, Color color) { Row(y)[x] = ColorToPixel(color); }
};

// Weighted blender of a source onto a destination (see BlendBitmapsRect).
struct TacFastSum32 {
    const SkinBitmap* FBmpSrc = nullptr;
    SkinBitmap* FBmpDst = nullptr;
    int FWidthDst = 0;  // the smaller width of the two
    int FHeightDst = 0; // the smaller height of the two
    // Weight of the destination: 255 keeps it (within rounding), 0 takes the source.
    std::uint8_t Alpha = 0;
    int DstX1 = 0, DstY1 = 0, DstX2 = 0, DstY2 = 0;
    int SrcX1 = 0, SrcY1 = 0, SrcX2 = 0, SrcY2 = 0;

    // Refuses either bitmap smaller than 2 x 2.
    bool Attach(const SkinBitmap& src, SkinBitmap& dst);
    // Destination pixels DstX1 .. DstX2 - 1 of rows DstY1 .. DstY2 - 1 blended, all four bytes,
    // with the source pixels at the same offsets from (SrcX1, SrcY2 - (DstY2 - DstY1)):
    //   d = (d * Alpha + s * (255 - Alpha) + 127) >> 8
    // Rows go bottom-up, as the source and destination may be the same bitmap. A rectangle that
    // reaches outside either bitmap blends nothing.
    void BlendBitmapsRect();
};

} // namespace skin::render
