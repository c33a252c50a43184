// An options text from untrusted bytes, loaded against a fixed set of small images so that
// every image syntax reaches real pixels: records, inheritance, masks, lookups and the cached
// indexes. Errors are expected; crashes and hangs are not.

#include "core/error.h"
#include "skin/data/image_decoders.h"
#include "skin/data/skin_loader.h"

using namespace skin::data;

namespace {

// Whatever name is asked for, a BMP or PNG name gets a small image of that kind.
class FixedFiles : public SkinFileSource {
public:
    FixedFiles() {
        Image32 master = MakeImage32(64, 48, 0xFF8090A0);
        for (int i = 0; i < 64; ++i)
            master.At(i, i % 48) = kKeyPixel;
        bmp_ = EncodeBmp24(master);
        png_ = EncodePng(MakeImage32(24, 18, 0x80FFFFFF));
    }
    std::optional<std::span<const std::uint8_t>> Find(std::u16string_view name) override {
        std::u16string upper = UpperCase(name);
        if (upper.find(u".BMP") != upper.npos)
            return std::span<const std::uint8_t>(bmp_);
        if (upper.find(u".PNG") != upper.npos)
            return std::span<const std::uint8_t>(png_);
        return std::nullopt;
    }

private:
    Bytes bmp_, png_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FixedFiles files;
    try {
        SkinOptions options = SkinOptions::Parse({data, size});
        LoadedSkin skin;
        LoadSkin(skin, options, files);
        int widths = 0;
        for (int i = 0; i < static_cast<int>(skin.ma.size()); ++i)
            widths += skin.MaskWidthLeft(i) + skin.MaskWidthTop(i) + skin.MaskWidthRight(i) +
                      skin.MaskWidthBottom(i);
        static volatile int sink;
        sink = widths;
        (void)sink;
        skin.GetHighLightColor(true);
        skin.GetHighLightFontColor(false);
    } catch (const core::Error&) {
    }
    return 0;
}
