#include "tools/skin_generator/internal_skin.h"

#include <stdexcept>
#include <zlib.h>

namespace skin_generator {

namespace {

void PutInt32(Bytes& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

} // namespace

Bytes WritePackage(const std::vector<PackageEntry>& entries) {
    Bytes out = {'A', 'S', 'z', 'f'};
    PutInt32(out, static_cast<std::uint32_t>(entries.size()));
    for (const PackageEntry& entry : entries) {
        PutInt32(out, static_cast<std::uint32_t>(entry.name.size()));
        out.insert(out.end(), entry.name.begin(), entry.name.end());
        PutInt32(out, static_cast<std::uint32_t>(entry.bytes.size()));
        uLongf size = compressBound(static_cast<uLong>(entry.bytes.size()));
        Bytes packed(size);
        if (compress2(packed.data(), &size, entry.bytes.data(),
                      static_cast<uLong>(entry.bytes.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
            throw std::runtime_error("zlib could not compress " + entry.name);
        out.insert(out.end(), packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(size));
    }
    return out;
}

} // namespace skin_generator
