// Drives the painters with sizes, rectangles, mask layouts and offsets taken from the input:
// every painter must clip to its bitmaps whatever it is given, and the resampler must stay
// inside lines shorter than its filter.

#include "core/error.h"
#include "fuzz/fuzz_input.h"
#include "skin/data/gradient.h"
#include "skin/render/blends.h"
#include "skin/render/border_mask.h"
#include "skin/render/corner_pixels.h"
#include "skin/render/gradient.h"
#include "skin/render/keyed_copy.h"
#include "skin/render/masked_piece.h"
#include "skin/render/resample.h"
#include "skin/render/state_image.h"
#include "skin/render/stretch.h"
#include "skin/render/texture.h"

#include <cstddef>
#include <cstdint>
#include <vector>

using namespace skin::render;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Input in(data, size, 48);
    SkinBitmap src = in.AnyBitmap(40);
    SkinBitmap dst = in.AnyBitmap(40);
    SkinBitmap background = in.AnyBitmap(40);
    const TCacheInfo ci{&background, in.Coord(), in.Coord(), static_cast<Color>(in.Byte()),
                        in.Byte() % 2 == 0};

    MaskSource mask;
    mask.Image = src.View();
    mask.R = in.AnyRect();
    mask.ImageCount = in.Byte() % 5;
    mask.MaskType = in.Byte() % 4 - 1;
    mask.DrawMode = in.Byte() % 8;
    mask.WL = in.Size(20);
    mask.WT = in.Size(20);
    mask.WR = in.Size(20);
    mask.WB = in.Size(20);
    mask.CornerType = in.Byte() % 3;
    mask.OwnBitmap = in.Byte() % 2 == 0;
    mask.HasManager = true;

    switch (in.Byte() % 12) {
    case 0: {
        SkinBitmap out;
        try {
            ResampleFiltered(src, out, in.Size(90), static_cast<FilterKind>(in.Byte() % 7),
                             in.Size(90));
        } catch (const core::Error&) {
            // A source below 2 x 2 is refused with a message.
        }
        break;
    }
    case 1:
        DrawBorderMask(dst, in.AnyRect(), in.Byte() % 2, in.Byte() % 5, mask, ci);
        break;
    case 2:
        DrawStateImage(dst, {in.Coord(), in.Coord()}, in.Byte() % 5, ci, mask, 1 + in.Byte() % 2);
        break;
    case 3:
        CopyMaskedPiece(in.AnyRect(), in.AnyRect(), dst, mask, in.Byte() % 2, ci, src);
        break;
    case 4:
        StretchMaskedPiece(dst, in.AnyRect(), in.AnyRect(), in.Coord(), in.Byte() % 2, src);
        break;
    case 5:
        BlendPart(dst, src, static_cast<std::uint8_t>(in.Byte()), {in.Coord(), in.Coord()},
                  in.AnyRect());
        break;
    case 6:
        CopyAlphaComposite(in.AnyRect(), in.AnyRect(), dst, in.Byte() % 2, ci, src);
        break;
    case 7:
        CopyKeyedRect(dst, src, in.Coord(), in.Byte() % 2, ci, kKeyColor, in.AnyRect(), in.Coord());
        BlendRectFrom(dst, in.Coord(), in.Coord(), kKeyColor, 0.5, in.AnyRect(), src);
        break;
    case 8: {
        Rect r = in.AnyRect();
        if (in.Byte() % 2)
            PaintTexture(dst, r, in.Byte() % 12, mask);
        else
            PaintMaskedTexture(dst, r, ci, in.Byte() % 12, mask);
        break;
    }
    case 9: {
        skin::data::TsGradArray pies(static_cast<std::size_t>(in.Byte() % 6));
        for (auto& pie : pies)
            pie = {in.Byte() << 8 | in.Byte(), in.Byte() << 16, in.Byte() % 101, in.Byte() % 4, 0};
        if (in.Byte() % 2)
            PaintGradient(dst, in.AnyRect(), pies, in.Coord() % 4);
        else
            PaintGradientTexture(dst, in.AnyRect(), pies, in.Byte(), in.AnyRect(), src);
        break;
    }
    case 10: {
        std::vector<Rect> rects;
        CornerHoleRects(rects, in.Size(60), mask, in.Byte() % 2, in.Coord());
        RefreshCornerPixels(dst, mask, in.Byte() % 4, ci);
        break;
    }
    default:
        StretchNearest(dst, in.AnyRect(), src, in.AnyRect());
        break;
    }
    return 0;
}
