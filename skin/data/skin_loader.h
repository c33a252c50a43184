#pragma once

// Loading a skin's data: images and masks first, then the global settings and the section
// records, then the section image indexes and the cached indexes. Every step raises core::Error
// with a message on bad input; what was loaded before an error stays in place.

#include "skin/data/loaded_skin.h"
#include "skin/data/options_text.h"
#include "skin/data/skin_package.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace skin::data {

// Where the image files named in an options text come from.
class SkinFileSource {
public:
    virtual ~SkinFileSource() = default;
    // The bytes of a file as named by the loader (upper-cased by it where the format says so);
    // none when there is no such file. The bytes stay valid while the source lives.
    virtual std::optional<std::span<const std::uint8_t>> Find(std::u16string_view name) = 0;
};

// The files of an unpacked package: the first whose upper-cased name equals the name given.
class PackageFileSource : public SkinFileSource {
public:
    explicit PackageFileSource(const TacSkinConvertor& package) : package_(package) {}
    std::optional<std::span<const std::uint8_t>> Find(std::u16string_view name) override;

private:
    const TacSkinConvertor& package_;
};

// The master bitmap, the masks of every section and the JPEG patterns. Frees what the skin
// held before.
void LoadSkinImages(LoadedSkin& skin, const SkinOptions& options, SkinFileSource& files);
// The GLOBALINFO settings.
void LoadGlobalSettings(TsSkinData& data, const SkinOptions& options);
// One record per section, with inheritance along PARENTCLASS.
void LoadSectionRecords(LoadedSkin& skin, const SkinOptions& options);

// The whole sequence above for one skin, without the skin manager's own steps (version
// message, common sections, hue and saturation, shadow templates).
void LoadSkin(LoadedSkin& skin, const SkinOptions& options, SkinFileSource& files);

} // namespace skin::data
