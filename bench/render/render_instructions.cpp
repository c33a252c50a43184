// Runs one operation once at 256 x 256 so that callgrind can count its instructions:
//   render_instructions <operation>
// instructions.sh runs every operation under callgrind and prints instructions per pixel.

#include "bench_images.h"
#include "skin/render/blends.h"
#include "skin/render/fills.h"
#include "skin/render/resample.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace skin::render;
using bench::AlphaKind;
using bench::MakeImage;

namespace {

constexpr int kSize = 256;

// Kept out of line so that callgrind can collect exactly this call.
__attribute__((noinline)) void Measured(const std::string& op, SkinBitmap& dst, SkinBitmap& src,
                                        pixman_image_t* pd, pixman_image_t* ps) {
    if (op == "memcpy")
        std::memcpy(dst.Row(0), src.Row(0), sizeof(Pixel) * kSize * kSize);
    else if (op == "fill")
        FillRectOpaque(dst, {0, 0, kSize, kSize}, 0xE8E8E8);
    else if (op == "pixman-fill")
        pixman_fill(dst.Row(0), kSize, 32, 0, 0, kSize, kSize, 0xFFE8E8E8);
    else if (op == "blend")
        BlendPart(dst, src, 127, {0, 0}, {0, 0, kSize, kSize});
    else if (op == "composite-random" || op == "composite-ui")
        CopyAlphaComposite({0, 0, kSize, kSize}, {0, 0, kSize, kSize}, dst, false, EmptyCacheInfo,
                           src);
    else if (op == "pixman-over-random" || op == "pixman-over-ui")
        pixman_image_composite32(PIXMAN_OP_OVER, ps, nullptr, pd, 0, 0, 0, 0, 0, 0, kSize, kSize);
    else if (op == "mitchell-up") {
        SkinBitmap out;
        ResampleFiltered(src, out, kSize * 2, fkMitchell, kSize * 2);
    } else if (op == "pixman-convolution-up") {
        SkinBitmap out(kSize * 2, kSize * 2);
        pixman_image_t* po = bench::PixmanView(out);
        pixman_image_composite32(PIXMAN_OP_SRC, ps, nullptr, po, 0, 0, 0, 0, 0, 0, kSize * 2,
                                 kSize * 2);
        pixman_image_unref(po);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: render_instructions <operation>\n");
        return 2;
    }
    const std::string op = argv[1];
    const AlphaKind alpha =
        op.find("-ui") != std::string::npos ? AlphaKind::UiLike : AlphaKind::Random;
    SkinBitmap src = MakeImage(kSize, kSize, alpha, 4);
    SkinBitmap dst = MakeImage(kSize, kSize, AlphaKind::Opaque, 5);
    pixman_image_t* ps = bench::PixmanView(src);
    pixman_image_t* pd = bench::PixmanView(dst);
    if (op == "pixman-convolution-up") {
        // The cubic (Mitchell) kernel reconstructing a source enlarged twice.
        pixman_transform_t half;
        pixman_transform_init_scale(&half, pixman_double_to_fixed(0.5),
                                    pixman_double_to_fixed(0.5));
        pixman_image_set_transform(ps, &half);
        int count = 0;
        pixman_fixed_t* params = pixman_filter_create_separable_convolution(
            &count, pixman_double_to_fixed(1), pixman_double_to_fixed(1), PIXMAN_KERNEL_CUBIC,
            PIXMAN_KERNEL_CUBIC, PIXMAN_KERNEL_IMPULSE, PIXMAN_KERNEL_IMPULSE, 4, 4);
        pixman_image_set_filter(ps, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, params, count);
        free(params);
        pixman_image_set_repeat(ps, PIXMAN_REPEAT_PAD);
    }
    // A first call warms pixman's lookup of its fast paths, which a real frame would not pay.
    Measured(op, dst, src, pd, ps);
    Measured(op, dst, src, pd, ps);
    pixman_image_unref(ps);
    pixman_image_unref(pd);
    return 0;
}
