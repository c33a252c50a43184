// The internal skin's buttons, speed buttons, edits and title bars painted at several sizes and
// states, written as PNG files under the test's output folder ("rendered/") for a person to look
// at, and summed into one checksum so that an unintended change of any pixel is caught.

#include "core/text.h"
#include "skin/data/image_decoders.h"
#include "skin/data/skin_loader.h"
#include "skin/render/blends.h"
#include "skin/render/border_mask.h"
#include "skin/render/section_fill.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace skin::render {
namespace {

struct InternalSkin {
    std::unique_ptr<data::TacSkinConvertor> reader = std::make_unique<data::TacSkinConvertor>();
    data::SkinOptions options;
    data::LoadedSkin skin;

    InternalSkin() {
        data::LoadSkinPackageFile(ARBORDIR_INTERNAL_SKIN_PACKAGE, reader, true);
        options = data::SkinOptions::Parse(*reader->Options);
        data::PackageFileSource files(*reader);
        data::LoadSkin(skin, options, files);
    }
};

const InternalSkin& Skin() {
    static const InternalSkin skin;
    return skin;
}

// The section's face in a state over the form's face, blended by its transparency, and its
// border on top with the corners showing the form.
SkinBitmap PaintControl(const data::LoadedSkin& skin, const std::u16string& name, int width,
                        int height, int state) {
    const data::TsGeneralData& form = skin.gd[static_cast<std::size_t>(skin.GetSkinIndex(u"FORM"))];
    const int index = skin.GetSkinIndex(name);
    const data::TsGeneralData& section = skin.gd[static_cast<std::size_t>(index)];
    state = std::min(state, std::max(section.States - 1, 0));
    const Rect all{0, 0, width, height};

    SkinBitmap background(width, height);
    FillSection(background, all, SectionFillFor(form, 0), skin, EmptyCacheInfo);

    SectionFillParams fill = SectionFillFor(section, state);
    fill.TextureMask =
        state > 0 ? skin.GetTextureIndex(index, name, u"HOTPATTERN") : section.TextureNormal;
    SkinBitmap face(width, height);
    FillSection(face, all, fill, skin, EmptyCacheInfo);

    const int transparency = state > 0 ? section.HotTransparency : section.Transparency;
    SkinBitmap result = background.Clone();
    if (transparency <= 0)
        result = face.Clone();
    else if (transparency < 100)
        BlendPart(result, face, static_cast<std::uint8_t>(std::min(transparency * 255 / 100, 255)),
                  {0, 0}, all);
    const TCacheInfo behind{&background, 0, 0, kKeyColor, true};
    DrawBorderMask(result, all, true, state, MaskFromSkin(&skin, section.BorderIndex), behind);
    return result;
}

void WritePng(const SkinBitmap& bitmap, const std::filesystem::path& path) {
    data::Image32 image = data::MakeImage32(bitmap.Width(), bitmap.Height());
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            image.At(x, y) = bitmap.At(x, y);
    const std::vector<std::uint8_t> bytes = data::EncodePng(image);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// FNV-1a over the pixel words, in painting order.
void AddToChecksum(std::uint64_t& sum, const SkinBitmap& bitmap) {
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const Pixel p = bitmap.At(x, y);
            for (int shift = 0; shift < 32; shift += 8) {
                sum ^= (p >> shift) & 0xFF;
                sum *= 0x100000001B3ull;
            }
        }
}

TEST(InternalSkinRender, ControlsAtSeveralSizesAndStates) {
    const data::LoadedSkin& skin = Skin().skin;
    ASSERT_FALSE(skin.MasterBitmap.Empty());
    const struct {
        const char16_t* section;
        std::initializer_list<std::pair<int, int>> sizes;
    } controls[] = {
        {u"BUTTON", {{137, 34}, {75, 25}, {20, 15}, {20, 16}}},
        {u"SPEEDBUTTON", {{23, 22}, {60, 30}, {6, 7}}},
        {u"EDIT", {{200, 21}, {121, 40}, {3, 3}}},
        {u"FORMTITLE", {{300, 30}, {120, 24}}},
    };
    const std::filesystem::path folder = "rendered";
    std::filesystem::create_directories(folder);
    std::uint64_t checksum = 0xCBF29CE484222325ull;
    int images = 0;
    for (const auto& control : controls) {
        ASSERT_GE(skin.GetSkinIndex(control.section), 0) << core::ToUtf8(control.section);
        for (const auto& [w, h] : control.sizes)
            for (int state = 0; state < 3; ++state) {
                const SkinBitmap image = PaintControl(skin, control.section, w, h, state);
                char name[96];
                std::snprintf(name, sizeof name, "%s_%dx%d_state%d.png",
                              core::ToUtf8(control.section).c_str(), w, h, state);
                WritePng(image, folder / name);
                AddToChecksum(checksum, image);
                ++images;
            }
    }
    EXPECT_EQ(images, 36);
    // Whoever changes what these controls look like on purpose looks at the images and then
    // records the new value printed here.
    char printed[32];
    std::snprintf(printed, sizeof printed, "0x%016llX", static_cast<unsigned long long>(checksum));
    EXPECT_STREQ(printed, "0x42B4A9DED615E927")
        << "images written to " << std::filesystem::absolute(folder).string();
}

// A few pixels that say the composition is right, independent of the checksum.
TEST(InternalSkinRender, FacesAreOpaqueAndKeyedCornersShowTheForm) {
    const data::LoadedSkin& skin = Skin().skin;
    for (const char16_t* name : {u"EDIT", u"SPEEDBUTTON", u"FORMTITLE"}) {
        const SkinBitmap control = PaintControl(skin, name, 60, 24, 1);
        // Blends lose at most a unit of alpha.
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 60; ++x)
                ASSERT_GE(control.At(x, y) >> 24, 254u)
                    << core::ToUtf8(name) << " " << x << "," << y;
    }
    SkinBitmap form(137, 34);
    FillSection(form, {0, 0, 137, 34},
                SectionFillFor(skin.gd[static_cast<std::size_t>(skin.GetSkinIndex(u"FORM"))], 0),
                skin, EmptyCacheInfo);
    const SkinBitmap button = PaintControl(skin, u"BUTTON", 137, 34, 0);
    const data::TsGeneralData& section =
        skin.gd[static_cast<std::size_t>(skin.GetSkinIndex(u"BUTTON"))];
    ASSERT_TRUE(skin.IsValidImgIndex(section.BorderIndex));
    ASSERT_GT(skin.ma[static_cast<std::size_t>(section.BorderIndex)].CornerType, 0);
    EXPECT_EQ(button.At(0, 0), form.At(0, 0) | 0xFF000000u);
    EXPECT_EQ(button.At(136, 33), form.At(136, 33) | 0xFF000000u);
}

} // namespace
} // namespace skin::render
