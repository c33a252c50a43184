#include "core/error.h"
#include "skin/render/colors.h"
#include "skin/render/gray_bitmap.h"
#include "skin/render/skin_bitmap.h"

#include <gtest/gtest.h>

namespace skin::render {
namespace {

TEST(SkinBitmapTest, RowsAreAddressedTopDownWithTheStride) {
    SkinBitmap bitmap(3, 2);
    EXPECT_EQ(bitmap.Stride(), 3);
    bitmap.At(2, 1) = 0x11223344;
    EXPECT_EQ(bitmap.Row(1)[2], 0x11223344u);
    EXPECT_EQ(&bitmap.At(0, 1), bitmap.Row(0) + 3);
}

TEST(SkinBitmapTest, RefusesSizesThatOverflowBeforeAllocating) {
    EXPECT_THROW(SkinBitmap(-1, 4), core::Error);
    EXPECT_THROW(SkinBitmap(0x10000, 0x10000), core::Error);
    EXPECT_THROW(SkinBitmap(0x7FFFFFFF, 0x7FFFFFFF), core::Error);
    EXPECT_THROW(GrayBitmap(0x7FFFFFFF, 2), core::Error);
    EXPECT_TRUE(SkinBitmap(0, 5).IsEmpty());
}

TEST(SkinBitmapTest, AdoptedStorageIsReleasedOnceAndMovesWithTheBitmap) {
    Pixel storage[4] = {};
    int releases = 0;
    {
        // Bottom-up storage, as a DIB with a positive height keeps it.
        SkinBitmap adopted = SkinBitmap::Adopt(storage + 2, 2, 2, -2, nullptr, [&] { ++releases; });
        adopted.At(0, 1) = 7;
        EXPECT_EQ(storage[0], 7u);
        SkinBitmap moved = std::move(adopted);
        EXPECT_TRUE(adopted.IsEmpty());
        SkinBitmap copy = moved.Clone();
        EXPECT_EQ(copy.At(0, 1), 7u);
        EXPECT_EQ(copy.Stride(), 2);
        EXPECT_EQ(releases, 0);
    }
    EXPECT_EQ(releases, 1);
}

TEST(ColorsTest, PixelOrderSwapsRedAndBlueOnly) {
    EXPECT_EQ(ColorToPixel(0x12345678u), 0x12785634u);
    EXPECT_EQ(PixelToColor(ColorToPixel(0xAABBCCDDu)), 0xAABBCCDDu);
    EXPECT_EQ(ColorToPixel(kKeyColor), kKeyColor);
}

} // namespace
} // namespace skin::render
