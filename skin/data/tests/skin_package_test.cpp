#include "skin/data/skin_package.h"
#include "skin/data/tests/test_skins.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <zlib.h>

namespace skin::data {
namespace {

using skin_generator::PackageEntry;
using test::MessageOf;

void PutInt32(Bytes& out, std::int32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i)));
}

// Unpacks bytes lent to a fresh reader, as an internal skin is unpacked.
std::unique_ptr<TacSkinConvertor> Unpack(const Bytes& package) {
    auto reader = std::make_unique<TacSkinConvertor>();
    reader->PackedData = package;
    UnpackSkinPackage(reader);
    return reader;
}

std::string UnpackError(const Bytes& package) {
    auto reader = std::make_unique<TacSkinConvertor>();
    reader->PackedData = package;
    try {
        UnpackSkinPackage(reader);
    } catch (const core::Error& e) {
        return MessageOf(e);
    }
    return "no error";
}

Bytes Text(std::string_view s) {
    return Bytes(s.begin(), s.end());
}

TEST(SkinPackage, InternalSkinHasTheOptionsTextAndFiveImagesInOrder) {
    auto reader = Unpack(test::StoredInternalPackage());
    EXPECT_EQ(reader->ImageCount, 5);
    ASSERT_TRUE(reader->Options);
    ASSERT_EQ(reader->Files.size(), 5u);
    const char16_t* names[] = {u"Master.bmp", u"ExBorder.png", u"GlowEdit.png", u"GlowH.png",
                               u"GlowWhite.png"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(reader->Files[i].FileName, names[i]);
        EXPECT_EQ(reader->Files[i].IsBitmap, i == 0);
    }
    EXPECT_EQ(reader->Files[0].FileStream.size(), 192654u);
    EXPECT_EQ(reader->FindFile(u"EXBORDER.PNG"), &reader->Files[1]);
    EXPECT_EQ(reader->FindFile(u"ExBorder.png"), nullptr); // names are compared upper-cased
}

TEST(SkinPackage, OptionsEntryIsFoundInAnyCapitalisationAndTheLastOneWins) {
    auto reader = Unpack(skin_generator::WritePackage(
        {{"OPTIONS.DAT", Text("first")}, {"a.BmP", Text("bmp")}, {"options.dat", Text("second")}}));
    ASSERT_TRUE(reader->Options);
    EXPECT_EQ(*reader->Options, Text("second"));
    ASSERT_EQ(reader->Files.size(), 1u);
    EXPECT_TRUE(reader->Files[0].IsBitmap);
    EXPECT_EQ(reader->ImageCount, 2); // entry count minus one, whatever the entries are
}

TEST(SkinPackage, WrongMagicFreesTheReaderAndEmptiesTheReference) {
    for (Bytes package : {Text("ASZF\0\0\0\0"), Text("ASz"), Text("")}) {
        auto reader = std::make_unique<TacSkinConvertor>();
        reader->PackedData = package;
        try {
            UnpackSkinPackage(reader);
            ADD_FAILURE() << "no error";
        } catch (const core::Error& e) {
            EXPECT_EQ(MessageOf(e), "Loaded data is not a packed Brelune file");
        }
        EXPECT_EQ(reader, nullptr);
    }
}

TEST(SkinPackage, EmptyAndNegativeEntryCountsGiveNoFiles) {
    for (std::int32_t count : {0, -5, INT32_MIN + 1}) {
        Bytes package = Text("ASzf");
        PutInt32(package, count);
        auto reader = Unpack(package);
        EXPECT_TRUE(reader->Files.empty());
        EXPECT_FALSE(reader->Options);
        EXPECT_EQ(reader->ImageCount, count - 1);
    }
    // Found by the package fuzzer: the lowest count minus one overflowed.
    Bytes lowest = Text("ASzf");
    PutInt32(lowest, INT32_MIN);
    EXPECT_EQ(Unpack(lowest)->ImageCount, INT32_MIN);
}

// Entries stored without compression make the stream's end land where the test wants it: the
// first entry's stream ends exactly at, just before and just after the 128 KB mark.
TEST(SkinPackage, NextEntryStartsRightAfterEachStreamWhereverItEnds) {
    for (int shift : {-3, -1, 0, 1, 7}) {
        Bytes big(131072 - 40 + shift, 0x5A);
        for (std::size_t i = 0; i < big.size(); ++i)
            big[i] = static_cast<std::uint8_t>(i * 7919 >> 5);
        Bytes package = Text("ASzf");
        PutInt32(package, 2);
        auto add = [&](const std::string& name, const Bytes& data, int level) {
            PutInt32(package, static_cast<std::int32_t>(name.size()));
            package.insert(package.end(), name.begin(), name.end());
            PutInt32(package, static_cast<std::int32_t>(data.size()));
            uLongf size = compressBound(data.size());
            Bytes packed(size);
            compress2(packed.data(), &size, data.data(), data.size(), level);
            package.insert(package.end(), packed.begin(), packed.begin() + size);
        };
        add("big.bmp", big, 0);
        add("small.png", Text("tail"), 9);
        auto reader = Unpack(package);
        ASSERT_EQ(reader->Files.size(), 2u);
        EXPECT_EQ(reader->Files[0].FileStream, big);
        EXPECT_EQ(reader->Files[1].FileStream, Text("tail"));
    }
}

TEST(SkinPackage, SecondLoadIntoTheSameReaderReplacesTheFirst) {
    auto dir = std::filesystem::temp_directory_path() / "arbordir_skin_package_test";
    std::filesystem::create_directories(dir);
    auto write = [&](const char* name, const Bytes& bytes) {
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return dir / name;
    };
    auto first = write("first.asz",
                       skin_generator::WritePackage({{"a.png", Text("1")}, {"b.png", Text("2")}}));
    auto second = write("second.asz", skin_generator::WritePackage({{"c.bmp", Text("3")}}));
    std::unique_ptr<TacSkinConvertor> reader;
    LoadSkinPackageFile(dir / "missing.asz", reader, true);
    EXPECT_EQ(reader, nullptr);
    LoadSkinPackageFile(first, reader, true);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->Files.size(), 2u);
    EXPECT_TRUE(reader->PackedData.empty()); // dropped after unpacking
    TacSkinConvertor* same = reader.get();
    LoadSkinPackageFile(second, reader, false);
    EXPECT_EQ(reader.get(), same);
    ASSERT_EQ(reader->Files.size(), 1u);
    EXPECT_EQ(reader->Files[0].FileName, u"c.bmp");
    EXPECT_FALSE(reader->PackedData.empty());
    std::filesystem::remove_all(dir);
}

TEST(SkinPackage, ClearForgetsLentBytesWithoutFreeingThem) {
    Bytes package = skin_generator::WritePackage({{"a.png", Text("1")}});
    auto reader = Unpack(package);
    reader->Clear();
    EXPECT_TRUE(reader->Files.empty());
    EXPECT_TRUE(reader->PackedData.empty());
    EXPECT_EQ(package.size(), skin_generator::WritePackage({{"a.png", Text("1")}}).size());
}

// Damaged packages fail with a message and never allocate what a header merely claims.
TEST(SkinPackage, DamagedPackagesFailCleanly) {
    Bytes good = skin_generator::WritePackage({{"a.png", Text("hello hello hello")}});
    auto with_size = [&](std::int32_t size) {
        Bytes p = good;
        std::size_t at = 8 + 4 + 5;
        for (int i = 0; i < 4; ++i)
            p[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(size) >> (8 * i));
        return p;
    };
    EXPECT_EQ(UnpackError(with_size(0x7FFFFFFF)), "Stream read error");
    EXPECT_EQ(UnpackError(with_size(-1)), "Stream read error");
    EXPECT_EQ(UnpackError(with_size(0)), "stream error");
    Bytes corrupt = good;
    corrupt[8 + 4 + 5 + 4] ^= 0xFF; // the zlib header
    EXPECT_EQ(UnpackError(corrupt), "data error");
    Bytes cut(good.begin(), good.end() - 6); // inside the deflate data
    EXPECT_EQ(UnpackError(cut), "Stream read error");

    Bytes names = Text("ASzf");
    PutInt32(names, 1);
    PutInt32(names, -7);
    EXPECT_EQ(UnpackError(names), "Stream read error");
    Bytes long_name = Text("ASzf");
    PutInt32(long_name, 1);
    PutInt32(long_name, 0x7FFFFFF0);
    EXPECT_EQ(UnpackError(long_name), "Stream read error");
    Bytes many = Text("ASzf");
    PutInt32(many, 0x7FFFFFFF);
    EXPECT_EQ(UnpackError(many), "Stream read error");
}

// A zlib stream of count zero bytes, made in pieces so the test never holds them all.
Bytes DeflatedZeros(std::size_t count) {
    z_stream stream{};
    EXPECT_EQ(deflateInit(&stream, 9), Z_OK);
    const std::vector<std::uint8_t> zeros(1 << 20);
    Bytes out;
    std::uint8_t buffer[1 << 16];
    for (std::size_t left = count;;) {
        const std::size_t piece = std::min(left, zeros.size());
        stream.next_in = const_cast<Bytef*>(zeros.data());
        stream.avail_in = static_cast<uInt>(piece);
        left -= piece;
        const int flush = left == 0 ? Z_FINISH : Z_NO_FLUSH;
        int result = Z_OK;
        do {
            stream.next_out = buffer;
            stream.avail_out = sizeof buffer;
            result = deflate(&stream, flush);
            out.insert(out.end(), buffer, buffer + (sizeof buffer - stream.avail_out));
        } while (stream.avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END));
        if (left == 0)
            break;
    }
    deflateEnd(&stream);
    return out;
}

Bytes OneEntryPackage(std::int32_t stated_size, const Bytes& stream) {
    Bytes package = Text("ASzf");
    PutInt32(package, 1);
    PutInt32(package, 5);
    const Bytes name = Text("a.bmp");
    package.insert(package.end(), name.begin(), name.end());
    PutInt32(package, stated_size);
    package.insert(package.end(), stream.begin(), stream.end());
    return package;
}

TEST(SkinPackage, ZlibBombsFailWithoutAskingForTheirSize) {
    // 300 MiB of zeros deflate to a few hundred kilobytes; the package may unpack to 256 MiB.
    const Bytes bomb = DeflatedZeros(std::size_t{300} << 20);
    ASSERT_LT(bomb.size(), 1u << 20);
    EXPECT_EQ(UnpackError(OneEntryPackage(300 << 20, bomb)), "Stream read error");
    // Stated small, the stream still runs on past the bytes kept: that counts too.
    EXPECT_EQ(UnpackError(OneEntryPackage(100, bomb)), "Stream read error");
    // Below the limit the same kind of entry unpacks.
    const auto reader = Unpack(OneEntryPackage(1 << 20, DeflatedZeros(1 << 20)));
    ASSERT_EQ(reader->Files.size(), 1u);
    EXPECT_EQ(reader->Files[0].FileStream.size(), 1u << 20);
}

TEST(SkinPackage, WhatWasUnpackedBeforeAnErrorStaysWithTheReader) {
    Bytes package = skin_generator::WritePackage({{"a.png", Text("one")}, {"b.png", Text("two")}});
    package.erase(package.end() - 3, package.end());
    auto reader = std::make_unique<TacSkinConvertor>();
    reader->PackedData = package;
    EXPECT_THROW(UnpackSkinPackage(reader), core::Error);
    ASSERT_EQ(reader->Files.size(), 1u);
    EXPECT_EQ(reader->Files[0].FileStream, Text("one"));
}

} // namespace
} // namespace skin::data
