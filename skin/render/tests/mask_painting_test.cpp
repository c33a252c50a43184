#include "bitmap_test_util.h"
#include "skin/render/border_mask.h"
#include "skin/render/corner_pixels.h"
#include "skin/render/masked_piece.h"
#include "skin/render/state_image.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace skin::render {
namespace {

using testing::Filled;
using testing::Hex;

// A source whose every pixel names its own place: opaque, red = x, green = y.
SkinBitmap Coordinates(int width, int height) {
    SkinBitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.At(x, y) = 0xFF000000u | (static_cast<Pixel>(x) << 16) | (static_cast<Pixel>(y) << 8);
    return b;
}

MaskSource Border(SkinBitmap& image, Rect r, int count, int mask_type, int draw_mode, int wl,
                  int wt, int wr, int wb) {
    MaskSource m;
    m.Image = image.View();
    m.R = r;
    m.ImageCount = count;
    m.MaskType = mask_type;
    m.DrawMode = draw_mode;
    m.WL = wl;
    m.WT = wt;
    m.WR = wr;
    m.WB = wb;
    m.HasManager = true;
    return m;
}

// Where a destination coordinate along one axis reads in the state image, by the rules of
// the nine pieces: corners 1:1, the middle tiled from its first pixel or stretched to the
// nearest pixel.
int SourceAlong(int d, int size, int first, int last, int state_size, bool stretch) {
    const int middle = state_size - first - last;
    if (d < first)
        return d;
    if (d >= size - last)
        return state_size - (size - d);
    const int offset = d - first;
    const int length = size - first - last;
    if (!stretch)
        return first + offset % middle;
    return first +
           static_cast<int>((2 * offset + 1) * static_cast<std::int64_t>(middle) / (2 * length));
}

TEST(BorderMaskTest, WidthsAreFittedToSmallRectangles) {
    SkinBitmap image(84, 200);
    // The skin's BUTTON border: 13, 9, 13, 12.
    const MaskSource button = Border(image, {0, 159, 84, 181}, 3, 0, 5, 13, 9, 13, 12);
    EXPECT_EQ(FitBorderWidths(button, 20, 15), (BorderWidths{10, 6, 10, 8}));
    // An odd sum leaves the pieces overlapping by one for an even size...
    EXPECT_EQ(FitBorderWidths(button, 20, 16), (BorderWidths{10, 7, 10, 10}));
    // ... and one apart for an odd one; big rectangles keep the widths.
    EXPECT_EQ(FitBorderWidths(button, 25, 17), (BorderWidths{13, 7, 12, 9}));
    EXPECT_EQ(FitBorderWidths(button, 137, 34), (BorderWidths{13, 9, 13, 12}));
    // Height 2: d = 9 takes WT below 0, so WT is 0 and WB gets no more than the height.
    EXPECT_EQ(FitBorderWidths(button, 2, 2), (BorderWidths{1, 0, 1, 2}));
    EXPECT_EQ(FitBorderWidths(Border(image, {0, 0, 9, 9}, 1, 0, 0, 0, 9, 1, 0), 4, 3),
              (BorderWidths{0, 3, 1, 0}));
}

TEST(BorderMaskTest, RandomMasksNeverPaintOutsideTheRectangle) {
    constexpr Pixel kSentinel = 0x5A5A5A5Au;
    std::mt19937 rng(20);
    SkinBitmap image = testing::Random(64, 64, rng);
    for (int round = 0; round < 4000; ++round) {
        const int count = 1 + static_cast<int>(rng() % 4);
        const int mask_type = static_cast<int>(rng() % 2);
        const int w = count * (1 + static_cast<int>(rng() % 12));
        const int h = (mask_type + 1) * (1 + static_cast<int>(rng() % 12));
        const int x0 = static_cast<int>(rng() % 16);
        const int y0 = static_cast<int>(rng() % 16);
        auto width = [&] { return static_cast<int>(rng() % 24); };
        const MaskSource mask =
            Border(image, {x0, y0, x0 + w, y0 + h}, count, mask_type, static_cast<int>(rng() % 8),
                   width(), width(), width(), width());
        SkinBitmap dst = testing::Filled(24, 24, kSentinel);
        const int left = 2 + static_cast<int>(rng() % 6);
        const int top = 2 + static_cast<int>(rng() % 6);
        const Rect r{left, top, left + static_cast<int>(rng() % 14),
                     top + static_cast<int>(rng() % 14)};
        DrawBorderMask(dst, r, rng() % 2 == 0, static_cast<int>(rng() % 4), mask, EmptyCacheInfo);
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x) {
                if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom)
                    continue;
                ASSERT_EQ(dst.At(x, y), kSentinel)
                    << "round " << round << " at " << x << "," << y << " in " << r.Width() << "x"
                    << r.Height() << " widths " << mask.WL << "," << mask.WT << "," << mask.WR
                    << "," << mask.WB;
            }
    }
}

TEST(BorderMaskTest, EveryPixelComesFromItsPieceWhenTilingOrStretching) {
    SkinBitmap image = Coordinates(40, 12);
    for (bool stretch : {false, true}) {
        // Two states of 20 x 12: corners 4 x 3 and 5 x 2, a middle of 11 x 7.
        const MaskSource mask = Border(image, {0, 0, 40, 12}, 2, 0,
                                       (stretch ? dmStretch : 0) | dmPaintCentre, 4, 3, 5, 2);
        for (const auto& [w, h] : {std::pair{37, 29}, std::pair{9, 5}, std::pair{16, 12}}) {
            SkinBitmap dst = Filled(w + 4, h + 4, 0);
            DrawBorderMask(dst, {2, 2, 2 + w, 2 + h}, false, 1, mask, EmptyCacheInfo);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const int sx = 20 + SourceAlong(x, w, 4, 5, 20, stretch);
                    const int sy = SourceAlong(y, h, 3, 2, 12, stretch);
                    ASSERT_EQ(dst.At(2 + x, 2 + y), image.At(sx, sy))
                        << (stretch ? "stretch " : "tile ") << w << "x" << h << " at " << x << ","
                        << y;
                }
            EXPECT_EQ(dst.At(1, 1), 0u) << "nothing outside the rectangle";
            EXPECT_EQ(dst.At(w + 2, h + 2), 0u);
        }
    }
}

TEST(BorderMaskTest, StatesAndDrawModesChooseWhatIsDrawn) {
    SkinBitmap image = Coordinates(30, 10);
    MaskSource mask = Border(image, {0, 0, 30, 10}, 3, 0, 7, 3, 3, 3, 3);
    SkinBitmap dst = Filled(12, 12, 0);
    DrawBorderMask(dst, {0, 0, 12, 12}, false, 0, mask, EmptyCacheInfo);
    EXPECT_EQ(dst.At(0, 0), 0u) << "mode 7 draws nothing in the normal state";
    DrawBorderMask(dst, {0, 0, 12, 12}, false, 1, mask, EmptyCacheInfo);
    EXPECT_EQ(dst.At(0, 0), image.At(10, 0));
    // A state beyond the strip draws the last image.
    DrawBorderMask(dst, {0, 0, 12, 12}, false, 4, mask, EmptyCacheInfo);
    EXPECT_EQ(dst.At(0, 0), image.At(20, 0));
    SkinBitmap thin = Filled(12, 12, 0);
    DrawBorderMask(thin, {0, 0, 1, 12}, false, 1, mask, EmptyCacheInfo);
    DrawBorderMask(thin, {0, 0, 12, 1}, false, 1, mask, EmptyCacheInfo);
    mask.HasManager = false;
    DrawBorderMask(thin, {0, 0, 12, 12}, false, 1, mask, EmptyCacheInfo);
    EXPECT_EQ(thin.At(0, 0), 0u);
}

TEST(BorderMaskTest, AnEmptyMiddleLeavesEdgesUnpainted) {
    SkinBitmap image = Coordinates(6, 6);
    const MaskSource mask = Border(image, {0, 0, 6, 6}, 1, 0, dmPaintCentre, 3, 3, 3, 3);
    SkinBitmap dst = Filled(20, 20, 0x11);
    DrawBorderMask(dst, {0, 0, 20, 20}, false, 0, mask, EmptyCacheInfo);
    EXPECT_EQ(dst.At(0, 0), image.At(0, 0));
    EXPECT_EQ(dst.At(19, 19), image.At(5, 5));
    EXPECT_EQ(dst.At(10, 0), 0x11u);
    EXPECT_EQ(dst.At(10, 10), 0x11u);
}

TEST(BorderMaskTest, KeyedCornersShowFillColourOrBackground) {
    SkinBitmap image = Coordinates(8, 8);
    image.At(0, 0) = kKeyPixel;
    image.At(2, 2) = kKeyPixel; // in the middle: edges and centre copy it opaque
    MaskSource mask = Border(image, {0, 0, 8, 8}, 1, 0, dmPaintCentre, 2, 2, 2, 2);
    SkinBitmap dst = Filled(8, 8, 0);
    const TCacheInfo plain{nullptr, 0, 0, 0x0000FF, false};
    DrawBorderMask(dst, {0, 0, 8, 8}, true, 0, mask, plain);
    EXPECT_EQ(dst.At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(dst.At(2, 2), kKeyPixel);

    SkinBitmap background = Filled(20, 20, 0x00123456);
    const TCacheInfo ready{&background, 5, 5, kKeyColor, true};
    mask.CornerType = 1;
    SkinBitmap filled = Filled(8, 8, 0x77);
    DrawBorderMask(filled, {0, 0, 8, 8}, true, 0, mask, ready);
    EXPECT_EQ(filled.At(0, 0), 0xFF123456u);
    SkinBitmap skipped = Filled(8, 8, 0x77);
    DrawBorderMask(skipped, {0, 0, 8, 8}, false, 0, mask, ready);
    EXPECT_EQ(skipped.At(0, 0), 0x77u);
    EXPECT_EQ(skipped.At(1, 0), image.At(1, 0));
}

// A band mask: colour images on top, their masks below (0 = opaque, 255 = transparent).
SkinBitmap BandImage(Pixel colour, Pixel mask_value, int width, int half) {
    SkinBitmap b(width, half * 2);
    for (int y = 0; y < half; ++y)
        for (int x = 0; x < width; ++x) {
            b.At(x, y) = colour;
            b.At(x, y + half) = mask_value;
        }
    return b;
}

TEST(MaskedPieceTest, BlendsThroughTheMaskBand) {
    SkinBitmap image = BandImage(0xFFC80000, 0x00404040, 4, 4);
    image.At(1, 0) = kKeyPixel;
    const MaskSource mask = Border(image, {0, 0, 4, 8}, 1, 1, 0, 1, 1, 1, 1);
    SkinBitmap dst = Filled(4, 4, 0x80000064);
    CopyMaskedPiece({0, 0, 2, 1}, {0, 0, 2, 1}, dst, mask, false, EmptyCacheInfo, image);
    // Red: ((0 - 200) x 64 + 200 x 256) >> 8 = 150; blue ((100 - 0) x 64 + 0) >> 8 = 25.
    EXPECT_EQ(dst.At(0, 0), 0x80960019u) << Hex(dst.At(0, 0));
    EXPECT_EQ(dst.At(1, 0), 0x80000064u) << "key pixel left alone";
    // With a Ready cache and no fill there is no key test: magenta is blended like a colour.
    SkinBitmap background = Filled(4, 4, 0x00ABCDEF);
    const TCacheInfo ready{&background, 0, 0, kKeyColor, true};
    CopyMaskedPiece({0, 1, 2, 2}, {0, 0, 2, 1}, dst, mask, false, ready, image);
    EXPECT_EQ(dst.At(1, 1), 0x80BF00D8u) << Hex(dst.At(1, 1));
    // Filling: the key pixel takes the background, every written pixel gets alpha 255.
    CopyMaskedPiece({0, 2, 2, 3}, {0, 0, 2, 1}, dst, mask, true, ready, image);
    EXPECT_EQ(dst.At(1, 2), 0xFFABCDEFu);
    EXPECT_EQ(dst.At(0, 2), 0xFF960019u);
    const TCacheInfo colour{nullptr, 0, 0, 0x00FF00, false};
    CopyMaskedPiece({0, 3, 2, 4}, {0, 0, 2, 1}, dst, mask, true, colour, image);
    EXPECT_EQ(dst.At(1, 3), 0xFF00FF00u);
}

TEST(MaskedPieceTest, OnePixelCentreFillsBlendsOrSkips) {
    for (const auto& [m, want] :
         {std::pair{Pixel{0}, Pixel{0xFFC80000}}, std::pair{Pixel{0x00FFFFFF}, Pixel{0x80000064}},
          std::pair{Pixel{0x00404040}, Pixel{0x80960019}}}) {
        SkinBitmap image = BandImage(0xFFC80000, m, 1, 1);
        SkinBitmap dst = Filled(5, 5, 0x80000064);
        StretchMaskedPiece(dst, {1, 1, 4, 4}, {0, 0, 1, 1}, 1, true, image);
        EXPECT_EQ(dst.At(2, 2), want) << Hex(m);
        EXPECT_EQ(dst.At(0, 0), 0x80000064u);
    }
}

TEST(MaskedPieceTest, StretchedPieceOfOneColourStaysThatColour) {
    SkinBitmap image = BandImage(0xFF336699, 0, 3, 4);
    for (bool centre : {false, true}) {
        SkinBitmap dst = Filled(12, 12, 0xFF000000);
        // Shrinking one axis, and the centre, use the smooth filters (which may lose a unit on
        // a flat colour); growing both axes takes the nearest pixel.
        StretchMaskedPiece(dst, {0, 0, 10, 2}, {0, 0, 3, 4}, 4, centre, image);
        StretchMaskedPiece(dst, {0, 4, 5, 9}, {0, 0, 3, 4}, 4, centre, image);
        for (int y : {0, 1, 4, 8})
            for (int c = 0; c < 3; ++c)
                EXPECT_LE(testing::Byte(0x336699, c) - testing::Byte(dst.At(1, y), c), 1) << y;
        if (!centre) {
            EXPECT_EQ(dst.At(4, 8), 0xFF336699u);
        }
        EXPECT_EQ(dst.At(1, 3), 0xFF000000u);
    }
    SkinBitmap dst = Filled(12, 12, 0);
    // A piece whose mask band leaves the source draws nothing; nor does a negative start.
    StretchMaskedPiece(dst, {0, 0, 5, 5}, {0, 2, 3, 5}, 4, false, image);
    StretchMaskedPiece(dst, {-1, 0, 5, 5}, {0, 0, 3, 4}, 4, false, image);
    EXPECT_EQ(dst.At(0, 0), 0u);
    EXPECT_EQ(dst.At(2, 2), 0u);
}

TEST(StateImageTest, BandMaskGrowsAlphaAndDisabledIsFainter) {
    // Two states of 2 x 1 with their masks one row lower.
    SkinBitmap image(4, 2);
    image.At(0, 0) = image.At(2, 0) = 0xFFC80000;
    image.At(1, 0) = image.At(3, 0) = kKeyPixel;
    image.At(0, 1) = image.At(2, 1) = 0x00404040;
    image.At(1, 1) = image.At(3, 1) = 0;
    MaskSource mask = Border(image, {0, 0, 4, 2}, 2, 1, 0, 0, 0, 0, 0);
    SkinBitmap dst = Filled(3, 2, 0x00000064);
    DrawStateImage(dst, {1, 0}, 1, EmptyCacheInfo, mask, simNormal);
    // Alpha 0 + (255 - 64) x 255 div 255 = 191.
    EXPECT_EQ(dst.At(1, 0), 0xBF960019u) << Hex(dst.At(1, 0));
    EXPECT_EQ(dst.At(2, 0), 0x00000064u);
    DrawStateImage(dst, {1, 1}, 0, EmptyCacheInfo, mask, simDisabled);
    // Mask 64 + 100 = 164: red (-200 x 164 + 51200) >> 8 = 71, blue 100 x 164 >> 8 = 64.
    EXPECT_EQ(dst.At(1, 1), 0xBF470040u) << Hex(dst.At(1, 1));
    // Negative points cut the image's left part away.
    SkinBitmap cut = Filled(2, 1, 0x00000064);
    DrawStateImage(cut, {-1, 0}, 0, EmptyCacheInfo, mask, simNormal);
    EXPECT_EQ(cut.At(0, 0), 0x00000064u);
}

TEST(StateImageTest, KeyedImagesOfTheMasterAndOfTheirOwn) {
    SkinBitmap image = testing::FromRows(2, 1, {0xFFC80000, kKeyPixel});
    MaskSource mask = Border(image, {0, 0, 2, 1}, 1, 0, 0, 0, 0, 0, 0);
    SkinBitmap dst = Filled(2, 1, 0x80000064);
    const TCacheInfo plain{nullptr, 0, 0, 0x00FF00, false};
    DrawStateImage(dst, {0, 0}, 0, plain, mask, simNormal);
    EXPECT_EQ(dst.At(0, 0), 0xFFC80000u);
    EXPECT_EQ(dst.At(1, 0), 0xFF00FF00u);
    SkinBitmap half = Filled(2, 1, 0x80000064);
    DrawStateImage(half, {0, 0}, 0, plain, mask, simDisabled);
    EXPECT_EQ(half.At(0, 0), 0x80640032u) << Hex(half.At(0, 0));
    EXPECT_EQ(half.At(1, 0), 0x80000064u);
    mask.OwnBitmap = true;
    SkinBitmap own = Filled(2, 1, 0x80000064);
    DrawStateImage(own, {0, 0}, 0, plain, mask, simNormal);
    EXPECT_EQ(own.At(0, 0), 0xFFC80000u);
    EXPECT_EQ(own.At(1, 0), 0x80000064u);
    // An own image smaller than its rectangle draws nothing.
    mask.R = {0, 0, 3, 1};
    mask.ImageCount = 1;
    SkinBitmap none = Filled(2, 1, 5);
    DrawStateImage(none, {0, 0}, 0, plain, mask, simNormal);
    EXPECT_EQ(none.At(0, 0), 5u);
}

TEST(CornerTest, RefreshTakesTheBackgroundUnderKeyedCornerPixels) {
    SkinBitmap image = Coordinates(6, 6);
    image.At(0, 0) = image.At(5, 5) = kKeyPixel;
    MaskSource mask = Border(image, {0, 0, 6, 6}, 1, 0, 0, 2, 2, 2, 2);
    SkinBitmap cache = Filled(10, 8, 0xFF111111);
    SkinBitmap background = Filled(20, 20, 0x80ABCDEF);
    const TCacheInfo ready{&background, 3, 3, kKeyColor, true};
    RefreshCornerPixels(cache, mask, 0, ready);
    EXPECT_EQ(cache.At(0, 0), 0xFF111111u) << "CornerType 0 refreshes nothing";
    mask.CornerType = 1;
    RefreshCornerPixels(cache, mask, 0, ready);
    EXPECT_EQ(cache.At(0, 0), 0xFFABCDEFu);
    EXPECT_EQ(cache.At(9, 7), 0xFFABCDEFu);
    EXPECT_EQ(cache.At(1, 0), 0xFF111111u);
    const TCacheInfo plain{nullptr, 0, 0, 0x0000FF, false};
    RefreshCornerPixels(cache, mask, 0, plain);
    EXPECT_EQ(cache.At(0, 0), 0xFFFF0000u);
}

TEST(CornerTest, HoleRunsOfTopAndBottomCorners) {
    // One 6 x 4 state: key runs in the top-left row 0 (columns 0-1) and the top-right row 1
    // (column 5); bottom-left row 3 (column 0).
    SkinBitmap image = Coordinates(6, 4);
    image.At(0, 0) = image.At(1, 0) = image.At(5, 1) = image.At(0, 3) = kKeyPixel;
    const MaskSource mask = Border(image, {0, 0, 6, 4}, 1, 0, 0, 2, 2, 2, 1);
    std::vector<Rect> rects;
    CornerHoleRects(rects, 40, mask, false, 10);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0], (Rect{0, 10, 2, 11}));
    EXPECT_EQ(rects[1], (Rect{39, 11, 40, 12}));
    CornerHoleRects(rects, 40, mask, true, 30);
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[2], (Rect{0, 30, 1, 31}));
}

// Which pixels of a width x height shape the runs cover, row by row ('#' kept, '.' cut).
std::vector<std::string> ShapeOf(const std::vector<Rect>& runs, int width, int height) {
    std::vector<std::string> rows(height, std::string(width, '.'));
    for (const Rect& r : runs) {
        EXPECT_EQ(r.Height(), 1);
        for (int x = r.Left; x < r.Right; ++x) {
            EXPECT_EQ(rows[r.Top][x], '.') << "runs overlap at " << x << "," << r.Top;
            rows[r.Top][x] = '#';
        }
    }
    return rows;
}

TEST(CornerTest, ShapeCutsOnlyTheSeeThroughPixelsTheOutsideReaches) {
    // Two 6 x 6 states, borders 2 wide. State 0: the top-left corner keyed in an L of three
    // pixels, the bottom-right corner's outer pixel keyed, and one key pixel closed in by the
    // top edge (row 1, inside the tiled middle) that must stay. State 1: only the top-right
    // corner's outer pixel.
    SkinBitmap image = Coordinates(12, 6);
    image.At(0, 0) = image.At(1, 0) = image.At(0, 1) = kKeyPixel;
    image.At(5, 5) = kKeyPixel;
    image.At(2, 1) = kKeyPixel;
    image.At(11, 0) = kKeyPixel;
    MaskSource mask = Border(image, {0, 0, 12, 6}, 2, 0, 0, 2, 2, 2, 2);
    mask.CornerType = 2;

    EXPECT_EQ(ShapeOf(BorderShapeRuns(mask, 0, 9, 5), 9, 5),
              (std::vector<std::string>{"..#######", //
                                        ".########", //
                                        "#########", //
                                        "#########", //
                                        "########."}));
    EXPECT_EQ(ShapeOf(BorderShapeRuns(mask, 1, 9, 5), 9, 5),
              (std::vector<std::string>{"########.", //
                                        "#########", //
                                        "#########", //
                                        "#########", //
                                        "#########"}));
    // A key pixel on the outer row of the tiled top edge opens the shape at each tile.
    image.At(3, 0) = kKeyPixel;
    EXPECT_EQ(ShapeOf(BorderShapeRuns(mask, 0, 9, 5), 9, 5)[0], "..#.#.###");

    // Without a border image: the whole rectangle; nothing for no size.
    EXPECT_EQ(ShapeOf(BorderShapeRuns(MaskSource(), 0, 4, 2), 4, 2),
              (std::vector<std::string>{"####", "####"}));
    EXPECT_TRUE(BorderShapeRuns(mask, 0, 0, 5).empty());
    EXPECT_TRUE(BorderShapeRuns(mask, 0, 7, -1).empty());
}

} // namespace
} // namespace skin::render
