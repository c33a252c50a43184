#include "skin/render/blur.h"

#include <gtest/gtest.h>

namespace skin::render {
namespace {

TEST(BlurTest, UniformMasksStayWithinOneUnit) {
    for (int value : {255, 200, 0}) {
        GrayBitmap mask(9, 7, static_cast<std::uint8_t>(value));
        GaussianBlurGray(mask, 2.5);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 9; ++x)
                ASSERT_LE(value - mask.At(x, y), 1) << x << "," << y;
    }
}

TEST(BlurTest, KernelIsCutWhereTheTailsWeighLessThanHalfALevel) {
    // For radius 1 the weights beyond offset 2 are dropped: a dot reaches two pixels.
    GrayBitmap mask(21, 21, 255);
    mask.At(10, 10) = 0;
    GaussianBlurGray(mask, 1.0);
    EXPECT_LT(mask.At(12, 10), 255);
    EXPECT_LT(mask.At(10, 8), 255);
    EXPECT_EQ(mask.At(13, 10), 255);
    EXPECT_EQ(mask.At(10, 7), 255);
    EXPECT_EQ(mask.At(12, 10), mask.At(8, 10));
    EXPECT_EQ(mask.At(10, 12), mask.At(12, 10));
    EXPECT_LT(mask.At(10, 10), mask.At(11, 10));
}

TEST(BlurTest, EdgesRepeatTheirSamples) {
    // An ink column at the left edge stays ink at the edge: samples beyond it repeat it.
    GrayBitmap mask(8, 3, 255);
    for (int y = 0; y < 3; ++y)
        mask.At(0, y) = mask.At(1, y) = mask.At(2, y) = 0;
    GaussianBlurGray(mask, 1.0);
    EXPECT_LE(mask.At(0, 1), 1);
    EXPECT_EQ(mask.At(7, 1), 255);
}

TEST(BlurTest, NonPositiveRadiusChangesNothing) {
    GrayBitmap mask(3, 3, 255);
    mask.At(1, 1) = 0;
    GaussianBlurGray(mask, 0);
    GaussianBlurGray(mask, -1);
    EXPECT_EQ(mask.At(1, 1), 0);
    EXPECT_EQ(mask.At(0, 1), 255);
}

} // namespace
} // namespace skin::render
