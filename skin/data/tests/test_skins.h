#pragma once

// Skins for the tests: the stored internal skin, and small packages built from options text
// and files.

#include "core/error.h"
#include "core/text.h"
#include "skin/data/skin_loader.h"
#include "tools/skin_generator/internal_skin.h"

#include <string>
#include <utility>
#include <vector>

namespace skin::data::test {

// The package file kept in the repository for the build.
Bytes StoredInternalPackage();

// A loaded skin from a package, as the skin manager does it.
struct LoadedPackage {
    std::unique_ptr<TacSkinConvertor> reader;
    SkinOptions options;
    LoadedSkin skin;
};
std::unique_ptr<LoadedPackage> LoadPackage(const Bytes& package);
// The internal skin, loaded once for all tests.
const LoadedSkin& InternalSkin();

// A package of an options text and further files.
Bytes MakePackage(const std::string& options,
                  const std::vector<skin_generator::PackageEntry>& files = {});

// The UTF-8 text of an error's message, for comparisons.
std::string MessageOf(const core::Error& error);

// A JPEG of the given size, flat grey.
Bytes MakeJpeg(int width, int height);

} // namespace skin::data::test
