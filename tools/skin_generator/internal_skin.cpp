#include "tools/skin_generator/internal_skin.h"

#include "skin/data/image_decoders.h"

namespace skin_generator {

std::vector<PackageEntry> InternalSkinFiles() {
    std::string options = OptionsText();
    return {
        {"Options.dat", Bytes(options.begin(), options.end())},
        {"Master.bmp", skin::data::EncodeBmp24(DrawMasterBitmap())},
        {"ExBorder.png", skin::data::EncodePng(DrawExBorder())},
        {"GlowEdit.png", skin::data::EncodePng(DrawGlowEdit())},
        {"GlowH.png", skin::data::EncodePng(DrawGlowH())},
        {"GlowWhite.png", skin::data::EncodePng(DrawGlowWhite())},
    };
}

Bytes BuildInternalSkinPackage() {
    return WritePackage(InternalSkinFiles());
}

} // namespace skin_generator
