#include "skin_load.h"

#include "skin/data/image_decoders.h"

#include <cstring>
#include <fstream>
#include <stdexcept>
#include <zlib.h>

namespace bench {

using namespace skin::data;

Bytes ReadInternalPackage() {
    std::ifstream in(ARBORDIR_INTERNAL_SKIN_PACKAGE, std::ios::binary);
    Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.empty())
        throw std::runtime_error("cannot read " ARBORDIR_INTERNAL_SKIN_PACKAGE);
    return bytes;
}

std::size_t LoadWholeSkin(const Bytes& package) {
    auto reader = std::make_unique<TacSkinConvertor>();
    reader->PackedData = package;
    UnpackSkinPackage(reader);
    reader->PackedData = {};
    SkinOptions options = SkinOptions::Parse(*reader->Options);
    LoadedSkin skin;
    PackageFileSource files(*reader);
    LoadSkin(skin, options, files);
    return skin.ma.size();
}

namespace {

std::int32_t ReadInt32(const std::uint8_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return static_cast<std::int32_t>(v);
}

} // namespace

// The package is trusted here: the floor does no checking beyond what zlib does itself.
std::size_t InflateAndDecode(const Bytes& package) {
    std::size_t produced = 0;
    const std::uint8_t* p = package.data() + 8;
    std::int32_t count = ReadInt32(package.data() + 4);
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t name_length = ReadInt32(p);
        const char* name = reinterpret_cast<const char*>(p + 4);
        p += 4 + name_length;
        std::int32_t size = ReadInt32(p);
        p += 4;
        Bytes out(static_cast<std::size_t>(size));
        z_stream stream{};
        inflateInit(&stream);
        stream.next_in = const_cast<Bytef*>(p);
        stream.avail_in = static_cast<uInt>(package.data() + package.size() - p);
        stream.next_out = out.data();
        stream.avail_out = static_cast<uInt>(size);
        inflate(&stream, Z_FINISH);
        p = stream.next_in;
        inflateEnd(&stream);
        std::string_view extension(name + name_length - 4, 4);
        if (extension == ".bmp")
            produced += DecodeBmp(out).image.pixels.size() * 4;
        else if (extension == ".png")
            produced += DecodePng(out).pixels.size() * 4;
        else
            produced += out.size();
    }
    return produced;
}

std::string ChainedSections(int sections) {
    std::string text;
    for (int i = 0; i < sections; ++i)
        text.append("[S")
            .append(std::to_string(i))
            .append("]\nPARENTCLASS=S")
            .append(std::to_string(i + 1))
            .append("\n");
    text.append("[S").append(std::to_string(sections)).append("]\nGLOW=9\nCOLOR=-5\n");
    text.append("BORDERSMASK=^0000^0000^0003^0003^0001^0001^0001^0001^1^0^1^1\n");
    return text;
}

std::size_t LoadChainedSections(const std::string& text) {
    const SkinOptions options =
        SkinOptions::Parse({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    TacSkinConvertor empty;
    PackageFileSource files(empty);
    LoadedSkin skin;
    LoadSkin(skin, options, files);
    return static_cast<std::size_t>(skin.gd.front().GlowCount);
}

} // namespace bench
