#include "skin/data/image_decoders.h"
#include "skin/data/tests/test_skins.h"

#include <gtest/gtest.h>

namespace skin::data {
namespace {

using test::InternalSkin;

// The package kept for the build is what the generator draws today: whoever changes the
// generator regenerates it (tools/skin_generator), and whoever edits the file by hand is told.
TEST(InternalSkin, StoredPackageEqualsTheGeneratorsOutput) {
    Bytes stored = test::StoredInternalPackage();
    ASSERT_FALSE(stored.empty()) << ARBORDIR_INTERNAL_SKIN_PACKAGE;
    auto files = skin_generator::InternalSkinFiles();
    auto reader = std::make_unique<TacSkinConvertor>();
    reader->PackedData = stored;
    UnpackSkinPackage(reader);
    ASSERT_EQ(reader->Files.size() + 1, files.size());
    EXPECT_EQ(*reader->Options, files[0].bytes);
    for (std::size_t i = 1; i < files.size(); ++i) {
        EXPECT_EQ(core::ToUtf8(reader->Files[i - 1].FileName), files[i].name);
        EXPECT_EQ(reader->Files[i - 1].FileStream, files[i].bytes) << files[i].name;
    }
    EXPECT_EQ(stored, skin_generator::WritePackage(files));
    EXPECT_EQ(stored[8 + 4 + 11 + 4], 0x78); // zlib header of the default level
    EXPECT_EQ(stored[8 + 4 + 11 + 4 + 1], 0x9C);
}

TEST(InternalSkin, MasterBitmapIs200By321With24Bits) {
    auto reader = std::make_unique<TacSkinConvertor>();
    Bytes stored = test::StoredInternalPackage();
    reader->PackedData = stored;
    UnpackSkinPackage(reader);
    DecodedBmp master = DecodeBmp(reader->FindFile(u"MASTER.BMP")->FileStream);
    EXPECT_EQ(master.bits_per_pixel, 24);
    EXPECT_EQ(master.image.width, 200);
    EXPECT_EQ(master.image.height, 321);
    EXPECT_EQ(InternalSkin().MasterBitmap.At(199, 320), kKeyPixel);
    EXPECT_EQ(InternalSkin().MasterBitmap.At(0, 170) >> 24, 255u);
}

// Every rectangle of the master bitmap that a mask names lies inside it and holds artwork:
// some pixel that is not the key colour (band masks: some opaque pixel in the mask band).
TEST(InternalSkin, EveryMasterRectangleHoldsArtwork) {
    const LoadedSkin& skin = InternalSkin();
    const Image32& master = skin.MasterBitmap;
    int checked = 0;
    for (const TsMaskData& m : skin.ma) {
        if (m.Bmp)
            continue;
        SCOPED_TRACE(core::ToUtf8(m.ClassName) + " " + core::ToUtf8(m.PropertyName));
        ASSERT_GE(m.R.Left, 0);
        ASSERT_GE(m.R.Top, 0);
        ASSERT_LE(m.R.Right, master.width);
        ASSERT_LE(m.R.Bottom, master.height);
        ASSERT_GT(m.R.Width(), 0);
        ASSERT_GT(m.R.Height(), 0);
        bool art = false;
        for (int y = m.R.Top; y < m.R.Bottom; ++y)
            for (int x = m.R.Left; x < m.R.Right; ++x)
                art = art || master.At(x, y) != kKeyPixel;
        EXPECT_TRUE(art);
        ++checked;
    }
    EXPECT_GT(checked, 60);
}

// Rectangles of different masks never overlap, unless they are the same rectangle.
TEST(InternalSkin, MasterRectanglesDoNotOverlap) {
    const LoadedSkin& skin = InternalSkin();
    for (std::size_t i = 0; i < skin.ma.size(); ++i)
        for (std::size_t j = i + 1; j < skin.ma.size(); ++j) {
            const TsMaskData &a = skin.ma[i], &b = skin.ma[j];
            if (a.Bmp || b.Bmp || a.R == b.R)
                continue;
            bool overlap = a.R.Left < b.R.Right && b.R.Left < a.R.Right && a.R.Top < b.R.Bottom &&
                           b.R.Top < a.R.Bottom;
            EXPECT_FALSE(overlap) << core::ToUtf8(a.ClassName + u"." + a.PropertyName) << " and "
                                  << core::ToUtf8(b.ClassName + u"." + b.PropertyName);
        }
}

} // namespace
} // namespace skin::data
