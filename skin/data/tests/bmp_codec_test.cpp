#include "skin/data/image_decoders.h"
#include "skin/data/tests/bmp_builder.h"
#include "skin/data/tests/test_skins.h"

#include <gtest/gtest.h>

namespace skin::data {
namespace {

using test::BmpBuilder;

std::string DecodeError(const Bytes& bytes) {
    try {
        DecodeBmp(bytes);
    } catch (const core::Error& e) {
        return test::MessageOf(e);
    }
    return "no error";
}

TEST(BmpCodec, TwentyFourBitRoundTripAndRowOrder) {
    Image32 image = MakeImage32(3, 2);
    image.pixels = {0x00010203, 0x00FF00FF, 0x00A0B0C0, 0x00111111, 0x00222222, 0x00333333};
    Bytes file = EncodeBmp24(image);
    EXPECT_EQ(file.size(), 54u + 2 * 12);
    DecodedBmp decoded = DecodeBmp(file);
    EXPECT_EQ(decoded.bits_per_pixel, 24);
    EXPECT_EQ(decoded.image.pixels, image.pixels);
    MakeOpaqueExceptKey(decoded.image);
    EXPECT_EQ(decoded.image.At(0, 0), 0xFF010203u);
    EXPECT_EQ(decoded.image.At(1, 0), kKeyPixel);
    EXPECT_EQ(EncodeBmp24(MakeImage32(200, 321)).size(), 192654u);
}

TEST(BmpCodec, IndexedDepthsBottomUpAndTopDown) {
    BmpBuilder b;
    b.bits = 1;
    b.width = 9;
    b.palette = {0x000000, 0xFFFFFF};
    b.rows = {0b10000000, 0b10000000, 0, 0,  // bottom row: x 0 and x 8 white
              0b01000000, 0,          0, 0}; // top row: x 1 white
    Image32 one = DecodeBmp(b.Build()).image;
    EXPECT_EQ(one.At(1, 0), 0xFFFFFFu);
    EXPECT_EQ(one.At(0, 1), 0xFFFFFFu);
    EXPECT_EQ(one.At(8, 1), 0xFFFFFFu);
    EXPECT_EQ(one.At(0, 0), 0u);

    b.bits = 4;
    b.width = 3;
    b.height = -2; // top-down
    b.palette = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000};
    b.rows = {0x12, 0x30, 0, 0, 0x03, 0x00, 0, 0};
    Image32 four = DecodeBmp(b.Build()).image;
    EXPECT_EQ(four.pixels,
              (std::vector<Pixel>{0x0000FF, 0x00FF00, 0xFF0000, 0x000000, 0xFF0000, 0x000000}));

    b.bits = 8;
    b.width = 2;
    b.height = 1;
    b.palette = {0x123456};
    b.rows = {0, 200, 0, 0}; // index 200 lies outside the palette: black
    Image32 eight = DecodeBmp(b.Build()).image;
    EXPECT_EQ(eight.pixels, (std::vector<Pixel>{0x123456, 0}));
}

TEST(BmpCodec, ThirtyTwoBitKeepsAlphaOrReadsBitFields) {
    BmpBuilder b;
    b.bits = 32;
    b.width = 1;
    b.height = 1;
    b.rows = {0x10, 0x20, 0x30, 0x40};
    EXPECT_EQ(DecodeBmp(b.Build()).image.At(0, 0), 0x40302010u);
    b.compression = 3;
    b.masks = {0x0000FF00, 0x00FF0000, 0xFF000000}; // red, green, blue
    EXPECT_EQ(DecodeBmp(b.Build()).image.At(0, 0), 0xFF203040u);
}

TEST(BmpCodec, SixteenBitPixelsWidenLikeThePlatform) {
    BmpBuilder b;
    b.bits = 16;
    b.width = 3;
    b.height = 1;
    // 5-5-5: red 31, green 0, blue 0 | red 1, green 16, blue 15 | the unused top bit set
    b.rows = {0x00, 0x7C, 0x0F, 0x06, 0x00, 0x80, 0, 0};
    Image32 plain = DecodeBmp(b.Build()).image;
    EXPECT_EQ(plain.pixels, (std::vector<Pixel>{0xFF0000, 0x08847B, 0x000000}));

    b.compression = 3;
    b.masks = {0xF800, 0x07E0, 0x001F}; // 5-6-5
    b.width = 2;
    b.rows = {0xE0, 0x07, 0x41, 0x08}; // green 63 | red 1, green 2, blue 1
    Image32 fields = DecodeBmp(b.Build()).image;
    EXPECT_EQ(fields.pixels, (std::vector<Pixel>{0x00FF00, 0x080808}));

    // A field of 3 bits repeats itself three times, a field of 10 keeps its top 8 bits.
    b.bits = 32;
    b.masks = {0x00000007, 0x00003FF0, 0};
    b.width = 1;
    b.rows = {0x35, 0x30, 0, 0}; // red 101b, green 0x303
    EXPECT_EQ(DecodeBmp(b.Build()).image.At(0, 0), 0xFFB6C000u);
}

TEST(BmpCodec, RunLengthImagesDecodeRunsEscapesAndSkips) {
    BmpBuilder b;
    b.bits = 8;
    b.compression = 1;
    b.width = 5;
    b.height = 3;
    b.palette = {0x000010, 0x0000FF, 0x00FF00, 0xFF0000};
    b.rows = {3, 1,             // bottom row: three of index 1
              0, 3, 2, 3, 2, 0, // then three literal indexes, padded to a word
              0, 0,             // end of line
              0, 2, 2, 1,       // move 2 right and 1 up: middle row skipped
              9, 3,             // a run past the width is cut
              0, 1};            // end of image
    Image32 eight = DecodeBmp(b.Build()).image;
    EXPECT_EQ(eight.pixels, (std::vector<Pixel>{0, 0, 0xFF0000, 0xFF0000, 0xFF0000, //
                                                0, 0, 0, 0, 0,                      //
                                                0xFF, 0xFF, 0xFF, 0xFF00, 0xFF0000}));
    b.rows.resize(b.rows.size() - 6); // cut short: the decoded part stays
    Image32 cut = DecodeBmp(b.Build()).image;
    EXPECT_EQ(cut.At(4, 2), 0xFF0000u);
    EXPECT_EQ(cut.At(2, 0), 0u);

    b.bits = 4;
    b.compression = 2;
    b.width = 7;
    b.height = 1;
    b.rows = {5, 0x12, 0, 3, 0x30, 0x20, 0, 0};
    Image32 four = DecodeBmp(b.Build()).image;
    EXPECT_EQ(four.pixels,
              (std::vector<Pixel>{0xFF, 0xFF00, 0xFF, 0xFF00, 0xFF, 0xFF0000, 0x000010}));
}

TEST(BmpCodec, DamagedFilesAreRefused) {
    BmpBuilder b;
    b.rows = Bytes(16, 0);
    Bytes good = b.Build();
    EXPECT_EQ(DecodeError(good), "no error");
    Bytes cut(good.begin(), good.end() - 1);
    EXPECT_EQ(DecodeError(cut), "Invalid BMP image: the file is cut short");
    EXPECT_EQ(DecodeError(Bytes(good.begin(), good.begin() + 20)),
              "Invalid BMP image: the file is cut short");
    BmpBuilder huge = b;
    huge.width = 0x7FFFFFFF;
    huge.height = 0x7FFFFFFF;
    EXPECT_EQ(DecodeError(huge.Build()), "Invalid BMP image: image too large");
    BmpBuilder negative = b;
    negative.width = -2;
    EXPECT_EQ(DecodeError(negative.Build()), "Invalid BMP image: bad size");
    BmpBuilder lowest = b;
    lowest.height = INT32_MIN;
    EXPECT_EQ(DecodeError(lowest.Build()), "Invalid BMP image: bad size");
    BmpBuilder rle = b;
    rle.compression = 1; // runs of 8-bit indexes in a 24-bit file
    EXPECT_EQ(DecodeError(rle.Build()), "Invalid BMP image: compressed images are not supported");
    rle.compression = 4; // JPEG inside
    EXPECT_EQ(DecodeError(rle.Build()), "Invalid BMP image: compressed images are not supported");
    rle.compression = 2;
    rle.bits = 4;
    rle.height = -2;
    EXPECT_EQ(DecodeError(rle.Build()),
              "Invalid BMP image: run-length images cannot be stored top-down");
    BmpBuilder twelve = b;
    twelve.bits = 12;
    EXPECT_EQ(DecodeError(twelve.Build()),
              "Invalid BMP image: 12 bits per pixel are not supported");
    BmpBuilder palette = b;
    palette.bits = 8;
    palette.palette.assign(300, 0);
    EXPECT_EQ(DecodeError(palette.Build()), "Invalid BMP image: palette too large");
    EXPECT_EQ(DecodeError({'P', 'K', 3, 4}), "Invalid BMP image: no BM signature");
    BmpBuilder empty = b;
    empty.width = 0;
    EXPECT_TRUE(DecodeBmp(empty.Build()).image.Empty());
}

TEST(ImageCodecs, PngAndJpegErrorsCarryAMessage) {
    Image32 image = MakeImage32(5, 3, 0x7F102030);
    EXPECT_EQ(DecodePng(EncodePng(image)).pixels, image.pixels);
    Bytes png = EncodePng(image);
    png.resize(png.size() / 2);
    EXPECT_THROW(DecodePng(png), core::Error);
    EXPECT_THROW(DecodePng(Bytes{1, 2, 3}), core::Error);
    Bytes jpeg = test::MakeJpeg(16, 8);
    EXPECT_EQ(DecodeJpeg(jpeg).width, 16);
    try {
        DecodeJpeg(Bytes(jpeg.begin(), jpeg.begin() + 20));
        ADD_FAILURE();
    } catch (const core::Error& e) {
        EXPECT_EQ(test::MessageOf(e).rfind("Invalid JPEG image: ", 0), 0u);
    }
}

} // namespace
} // namespace skin::data
