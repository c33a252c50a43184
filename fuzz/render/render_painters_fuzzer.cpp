// Drives the painters with sizes, rectangles, mask layouts and offsets taken from the input:
// every painter must clip to its bitmaps whatever it is given (negative border widths, states
// and image counts included, as a skin's options text can give them), every texture kind must
// stay inside its rectangle, and the resampler must stay inside lines shorter than its filter.

#include "core/error.h"
#include "fuzz/fuzz_input.h"
#include "skin/data/gradient.h"
#include "skin/render/blends.h"
#include "skin/render/border_mask.h"
#include "skin/render/button_glyph.h"
#include "skin/render/corner_pixels.h"
#include "skin/render/glyph_composite.h"
#include "skin/render/gradient.h"
#include "skin/render/keyed_copy.h"
#include "skin/render/masked_piece.h"
#include "skin/render/resample.h"
#include "skin/render/state_image.h"
#include "skin/render/stretch.h"
#include "skin/render/texture.h"

#include <cstddef>
#include <cstdint>
#include <optional>
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
    mask.ImageCount = in.Between(-2, 4);
    mask.MaskType = in.Between(-2, 2);
    mask.DrawMode = in.Between(-1, 7);
    mask.WL = in.Between(-8, 20);
    mask.WT = in.Between(-8, 20);
    mask.WR = in.Between(-8, 20);
    mask.WB = in.Between(-8, 20);
    mask.CornerType = in.Between(-1, 2);
    mask.OwnBitmap = in.Byte() % 2 == 0;
    mask.HasManager = true;

    switch (in.Byte() % 14) {
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
        DrawBorderMask(dst, in.AnyRect(), in.Byte() % 2, in.Between(-3, 5), mask, ci);
        break;
    case 2:
        DrawStateImage(dst, {in.Coord(), in.Coord()}, in.Between(-3, 5), ci, mask,
                       in.Between(-1, 2));
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
        // A pattern picture, a texture mask in every fill mode (and unknown ones), a banded
        // texture mask in every mode.
        Rect r = in.AnyRect();
        const int mode = in.Between(-2, 12);
        switch (in.Byte() % 3) {
        case 0:
            PaintTexture(dst, r, src);
            break;
        case 1:
            PaintTexture(dst, r, mode, mask);
            break;
        default:
            PaintMaskedTexture(dst, r, ci, mode, mask);
            break;
        }
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
        RefreshCornerPixels(dst, mask, in.Between(-3, 4), ci);
        const int width = in.Between(-2, 60), height = in.Between(-2, 40);
        for (const Rect& run : BorderShapeRuns(mask, in.Between(-3, 4), width, height))
            if (run.Left < 0 || run.Right > width || run.Top < 0 || run.Bottom > height ||
                run.Height() != 1 || run.IsEmpty())
                __builtin_trap();
        break;
    }
    case 11: {
        const int index = in.Between(-2, 4), glyph_width = in.Between(-3, 20);
        const int transparency = in.Between(-50, 150);
        if (in.Byte() % 2)
            CompositeGlyph(dst, src, in.AnyRect(), {in.Coord(), in.Coord()}, transparency,
                           in.Byte() % 2 ? std::optional<Color>(0x3399CC) : std::nullopt);
        else
            CompositeAlphaGlyph(dst, src, index, glyph_width, {in.Coord(), in.Coord()},
                                transparency, std::nullopt);
        ReflectAlphaGlyph(dst, src, index, glyph_width, {in.Coord(), in.Coord()}, transparency);
        break;
    }
    case 12: {
        KeyedGlyphLook look;
        look.State = in.Between(-2, 3);
        look.Blend = in.Between(-50, 150);
        look.Enabled = in.Byte() % 4 != 0;
        look.DisabledGrayed = in.Byte() % 2;
        DrawKeyedGlyph(dst, src, in.Between(-2, 4), in.Between(-3, 20), {in.Coord(), in.Coord()},
                       look);
        CopyKeyedByColor(dst, src, in.AnyRect(), {in.Coord(), in.Coord()});
        break;
    }
    default:
        StretchNearest(dst, in.AnyRect(), src, in.AnyRect());
        break;
    }
    return 0;
}
