// The images of a skin: the master bitmap, one mask per image key of the options text, and the
// JPEG patterns.

#include "core/error.h"
#include "core/text.h"
#include "skin/data/image_decoders.h"
#include "skin/data/mask_syntax.h"
#include "skin/data/skin_loader.h"

#include <algorithm>

namespace skin::data {

namespace {

constexpr std::u16string_view kGlobalInfo = u"GLOBALINFO";
constexpr std::int64_t kPatternPixels = 900000;

bool IsPng(std::span<const std::uint8_t> bytes) {
    static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return bytes.size() >= 8 && std::equal(kSignature, kSignature + 8, bytes.begin());
}

// A separate image file of the skin as 32-bit pixels, with the rules of its format: PNG alpha
// is cleaned up or premultiplied by the skin's version; images of fewer than 32 bits get alpha
// 255 except on key-colour pixels.
Image32 DecodeSkinImage(std::span<const std::uint8_t> bytes, SkinVersion version) {
    if (IsPng(bytes)) {
        Image32 image = DecodePng(bytes);
        if (version <= SkinVersion{7, 45}) {
            for (Pixel& p : image.pixels)
                p = p == 0x00FFFFFF ? 0 : p;
            return image;
        }
        for (Pixel& p : image.pixels) {
            const Pixel a = p >> 24;
            if (a == 255)
                continue; // most pixels: premultiplied as they are
            p = (a << 24) | (((p >> 16 & 0xFF) * a / 255) << 16) |
                (((p >> 8 & 0xFF) * a / 255) << 8) | ((p & 0xFF) * a / 255);
        }
        return image;
    }
    DecodedBmp bmp = DecodeBmp(bytes);
    if (bmp.bits_per_pixel < 32)
        MakeOpaqueExceptKey(bmp.image);
    return std::move(bmp.image);
}

class ImageLoader : public MaskImageSource {
public:
    ImageLoader(LoadedSkin& skin, const SkinOptions& options, SkinFileSource& files)
        : skin_(skin), options_(options), files_(files) {}

    void Run() {
        version_ = SkinVersion::Parse(options_.ReadString(kGlobalInfo, u"VERSION", u""));
        LoadMasterBitmap();
        for (const std::u16string& section : options_.SectionNames())
            LoadMasksOf(section);
        for (const std::u16string& section : options_.SectionNames())
            LoadJpegsOf(section);
    }

    std::unique_ptr<Image32> LoadImage(std::u16string_view name) override {
        auto bytes = files_.Find(name);
        if (!bytes)
            return nullptr;
        auto image = std::make_unique<Image32>(DecodeSkinImage(*bytes, version_));
        if (image->width == 0)
            return nullptr;
        return image;
    }
    const Image32& MasterBitmap() const override { return skin_.MasterBitmap; }
    SkinVersion Version() const override { return version_; }

private:
    void LoadMasterBitmap() {
        auto name = options_.Value(kGlobalInfo, u"MASTERBITMAP");
        if (!name)
            return;
        auto bytes = files_.Find(*name);
        if (!bytes)
            return;
        skin_.MasterBitmap = DecodeSkinImage(*bytes, version_);
    }

    void LoadMasksOf(const std::u16string& section) {
        const OptionsSection* block = options_.FindSection(section);
        for (const OptionsKey& key : block->Keys) {
            if (!key.HasValue || key.Value.empty())
                continue;
            if (section == kGlobalInfo && key.Name == u"MASTERBITMAP")
                continue;
            if (auto mask = ParseMask(section, key.Name, key.Value, *this))
                skin_.ma.push_back(std::move(*mask));
        }
    }

    // A JPEG of the skin: a pattern when large, otherwise a texture mask of its own image.
    void LoadJpegsOf(const std::u16string& section) {
        const OptionsSection* block = options_.FindSection(section);
        for (const OptionsKey& key : block->Keys) {
            if (!key.HasValue ||
                (!UpperContains(key.Value, u".JPG") && !UpperContains(key.Value, u".JPEG")))
                continue;
            auto bytes = files_.Find(UpperCase(key.Value));
            if (!bytes)
                continue;
            auto image = std::make_unique<Image32>(DecodeJpeg(*bytes));
            if (image->width == 0)
                continue;
            MakeOpaqueExceptKey(*image);
            if (std::int64_t{image->width} * image->height >= kPatternPixels) {
                skin_.pa.push_back({std::move(image), UpperCase(section), UpperCase(key.Name)});
                continue;
            }
            TsMaskData mask;
            mask.Bmp = std::move(image);
            mask.ClassName = UpperCase(section);
            mask.PropertyName = UpperCase(key.Name);
            mask.ImageCount = 1;
            mask.ImgType = TacImgType::itisaTexture;
            skin_.ma.push_back(std::move(mask));
        }
    }

    LoadedSkin& skin_;
    const SkinOptions& options_;
    SkinFileSource& files_;
    SkinVersion version_;
};

} // namespace

std::optional<std::span<const std::uint8_t>> PackageFileSource::Find(std::u16string_view name) {
    const TacImageItem* item = package_.FindFile(name);
    if (!item)
        return std::nullopt;
    return std::span<const std::uint8_t>(item->FileStream);
}

void LoadSkinImages(LoadedSkin& skin, const SkinOptions& options, SkinFileSource& files) {
    skin.ma.clear();
    skin.pa.clear();
    skin.MasterBitmap = {};
    ImageLoader(skin, options, files).Run();
}

void LoadSkin(LoadedSkin& skin, const SkinOptions& options, SkinFileSource& files) {
    LoadSkinImages(skin, options, files);
    LoadGlobalSettings(skin.SkinData, options);
    LoadSectionRecords(skin, options);
    skin.FillSectionImageIndexes();
    skin.RefreshConstData();
}

} // namespace skin::data
