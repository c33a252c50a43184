#include "skin/data/tests/test_skins.h"

#include <cstdio>
#include <fstream>
#include <jpeglib.h>

namespace skin::data::test {

Bytes StoredInternalPackage() {
    std::ifstream in(ARBORDIR_INTERNAL_SKIN_PACKAGE, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::unique_ptr<LoadedPackage> LoadPackage(const Bytes& package) {
    auto loaded = std::make_unique<LoadedPackage>();
    loaded->reader = std::make_unique<TacSkinConvertor>();
    loaded->reader->PackedData = package;
    UnpackSkinPackage(loaded->reader);
    loaded->reader->PackedData = {};
    const Bytes empty;
    loaded->options =
        SkinOptions::Parse(loaded->reader->Options ? *loaded->reader->Options : empty);
    PackageFileSource files(*loaded->reader);
    LoadSkin(loaded->skin, loaded->options, files);
    return loaded;
}

const LoadedSkin& InternalSkin() {
    static const std::unique_ptr<LoadedPackage> loaded = LoadPackage(StoredInternalPackage());
    return loaded->skin;
}

Bytes MakePackage(const std::string& options,
                  const std::vector<skin_generator::PackageEntry>& files) {
    std::vector<skin_generator::PackageEntry> entries = {
        {"Options.dat", Bytes(options.begin(), options.end())}};
    entries.insert(entries.end(), files.begin(), files.end());
    return skin_generator::WritePackage(entries);
}

std::string MessageOf(const core::Error& error) {
    return core::ToUtf8(error.Message());
}

Bytes MakeJpeg(int width, int height) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 3, 128);
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

} // namespace skin::data::test
