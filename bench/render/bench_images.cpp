#include "bench_images.h"

namespace bench {

SkinBitmap MakeImage(int width, int height, AlphaKind alpha, unsigned seed) {
    std::mt19937 rng(seed);
    SkinBitmap image(width, height);
    for (int y = 0; y < height; ++y) {
        // User-interface images: runs of clear and of opaque pixels, 1 to 24 long, with one or
        // two soft pixels where a run ends (the anti-aliased edge of a glyph or a corner).
        bool opaque = rng() % 2 == 0;
        int left = 0;
        int soft = 0;
        for (int x = 0; x < width; ++x) {
            const Pixel colour = static_cast<Pixel>(rng()) & 0x00FFFFFFu;
            Pixel a = 255;
            if (alpha == AlphaKind::Random) {
                a = rng() & 0xFF;
            } else if (alpha == AlphaKind::UiLike) {
                if (left == 0 && soft == 0) {
                    soft = 1 + static_cast<int>(rng() % 2);
                    left = 1 + static_cast<int>(rng() % 24);
                    opaque = !opaque;
                }
                if (soft > 0) {
                    --soft;
                    a = 1 + rng() % 254;
                } else {
                    --left;
                    a = opaque ? 255 : 0;
                }
            }
            image.At(x, y) = colour | (a << 24);
        }
    }
    return image;
}

pixman_image_t* PixmanView(SkinBitmap& bitmap) {
    return pixman_image_create_bits(PIXMAN_a8r8g8b8, bitmap.Width(), bitmap.Height(), bitmap.Row(0),
                                    static_cast<int>(bitmap.Stride() * sizeof(Pixel)));
}

} // namespace bench
