#include "icon_file.h"

namespace icons {

namespace {

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::vector<std::uint8_t> DibImage(const IconImage& image) {
    const int size = image.size;
    const int mask_stride = ((size + 31) / 32) * 4;
    std::vector<std::uint8_t> out;
    Put32(out, 40); // header size
    Put32(out, static_cast<std::uint32_t>(size));
    Put32(out, static_cast<std::uint32_t>(size * 2)); // colour rows and mask rows
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0); // uncompressed
    Put32(out, static_cast<std::uint32_t>(size * size * 4 + mask_stride * size));
    for (int i = 0; i < 4; ++i)
        Put32(out, 0);
    for (int y = size - 1; y >= 0; --y) { // bottom-up
        for (int x = 0; x < size; ++x) {
            const std::uint8_t* p = &image.rgba[static_cast<std::size_t>((y * size + x) * 4)];
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(mask_stride), 0);
        for (int x = 0; x < size; ++x)
            if (image.rgba[static_cast<std::size_t>((y * size + x) * 4 + 3)] == 0)
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace

std::vector<std::uint8_t> IconFile(const std::vector<IconImage>& images) {
    std::vector<std::vector<std::uint8_t>> bodies;
    for (const IconImage& image : images)
        bodies.push_back(DibImage(image));
    std::vector<std::uint8_t> out;
    Put16(out, 0);
    Put16(out, 1); // icon
    Put16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int size = images[i].size;
        out.push_back(static_cast<std::uint8_t>(size >= 256 ? 0 : size));
        out.push_back(static_cast<std::uint8_t>(size >= 256 ? 0 : size));
        out.push_back(0); // no palette
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, static_cast<std::uint32_t>(bodies[i].size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(bodies[i].size());
    }
    for (const auto& body : bodies)
        out.insert(out.end(), body.begin(), body.end());
    return out;
}

} // namespace icons
