// A skin package from untrusted bytes: unpacked, and when it holds an options text, loaded
// with its own files as a skin manager would. Errors are expected; crashes, hangs and leaks
// are not.

#include "core/error.h"
#include "skin/data/skin_loader.h"

using namespace skin::data;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto reader = std::make_unique<TacSkinConvertor>();
    reader->PackedData = {data, size};
    try {
        UnpackSkinPackage(reader);
        if (reader && reader->Options) {
            SkinOptions options = SkinOptions::Parse(*reader->Options);
            LoadedSkin skin;
            PackageFileSource files(*reader);
            LoadSkin(skin, options, files);
        }
    } catch (const core::Error&) {
    }
    if (reader)
        reader->Clear();
    return 0;
}
