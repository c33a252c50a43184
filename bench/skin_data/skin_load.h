#pragma once

// The two pieces of work the skin-load benchmark compares, on the internal skin's package:
// the whole load as the skin manager runs it, and its floor, the bare inflating of every entry
// and decoding of every image with zlib, libpng and the BMP decoder.

#include "skin/data/skin_loader.h"

#include <cstddef>
#include <string>
#include <vector>

namespace bench {

skin::data::Bytes ReadInternalPackage();

// Unpacks, parses the options, loads images, masks and records; returns the number of masks.
std::size_t LoadWholeSkin(const skin::data::Bytes& package);

// Inflates every entry into a buffer of its stated size and decodes the images; returns the
// number of bytes produced.
std::size_t InflateAndDecode(const skin::data::Bytes& package);

// An options text of sections each naming the next as parent, with a mask and a few keys at the
// far end, as a hostile package might hold.
std::string ChainedSections(int sections);
// Parses that text and loads its records; returns the head's glow count.
std::size_t LoadChainedSections(const std::string& text);

} // namespace bench
