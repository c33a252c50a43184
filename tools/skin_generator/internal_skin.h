#pragma once

// The internal skin "Glacier (internal)", drawn in code: its options text, master bitmap and
// PNG images, and the package that bundles them. Every function gives the same bytes on every
// run and platform: the drawing uses only exact arithmetic and square roots.

#include "skin/data/image32.h"

#include <cstdint>
#include <string>
#include <vector>

namespace skin_generator {

using Bytes = std::vector<std::uint8_t>;

std::string OptionsText();
// 200 x 321; magenta where the skin is transparent.
skin::data::Image32 DrawMasterBitmap();
// Two states of 212 x 148 side by side: inactive, then active.
skin::data::Image32 DrawExBorder();
skin::data::Image32 DrawGlowEdit();
skin::data::Image32 DrawGlowH();
skin::data::Image32 DrawGlowWhite();

struct PackageEntry {
    std::string name;
    Bytes bytes;
};
// A skin package of the given entries in order, each zlib stream at the default level.
Bytes WritePackage(const std::vector<PackageEntry>& entries);
// The six files of the internal skin, in package order.
std::vector<PackageEntry> InternalSkinFiles();
Bytes BuildInternalSkinPackage();

} // namespace skin_generator
