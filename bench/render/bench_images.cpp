#include "bench_images.h"

namespace bench {

SkinBitmap MakeImage(int width, int height, AlphaKind alpha, unsigned seed) {
    std::mt19937 rng(seed);
    SkinBitmap image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Pixel colour = static_cast<Pixel>(rng()) & 0x00FFFFFFu;
            Pixel a = 255;
            if (alpha == AlphaKind::Random) {
                a = rng() & 0xFF;
            } else if (alpha == AlphaKind::UiLike) {
                // Runs of clear and opaque pixels with a soft pixel at each change.
                const unsigned roll = rng() % 100;
                a = roll < 45 ? 0 : roll < 92 ? 255 : rng() & 0xFF;
                if (x > 0 && roll >= 20 && roll < 80)
                    a = image.At(x - 1, y) >> 24;
            }
            image.At(x, y) = colour | (a << 24);
        }
    return image;
}

pixman_image_t* PixmanView(SkinBitmap& bitmap) {
    return pixman_image_create_bits(PIXMAN_a8r8g8b8, bitmap.Width(), bitmap.Height(),
                                    bitmap.Row(0),
                                    static_cast<int>(bitmap.Stride() * sizeof(Pixel)));
}

} // namespace bench
