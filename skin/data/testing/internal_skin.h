#pragma once

// The internal skin as tests load it: from the package file in the source tree, whose path the
// build gives as ARBORDIR_INTERNAL_SKIN_PACKAGE. Loaded once per test program.

#include "skin/data/skin_loader.h"
#include "skin/data/skin_package.h"

#include <memory>

namespace skin::data::testing {

inline LoadedSkin& InternalSkinFromPackage() {
    struct Loaded {
        std::unique_ptr<TacSkinConvertor> reader = std::make_unique<TacSkinConvertor>();
        SkinOptions options;
        LoadedSkin skin;
        Loaded() {
            LoadSkinPackageFile(ARBORDIR_INTERNAL_SKIN_PACKAGE, reader, true);
            options = SkinOptions::Parse(*reader->Options);
            PackageFileSource files(*reader);
            LoadSkin(skin, options, files);
        }
    };
    static Loaded loaded;
    return loaded.skin;
}

} // namespace skin::data::testing
