#pragma once

// BMP files built field by field for the decoder's tests, so that any field can be damaged.

#include "skin/data/image32.h"

#include <cstdint>
#include <vector>

namespace skin::data::test {

// A BMP file written field by field, so that the tests can damage any of them.
struct BmpBuilder {
    int width = 2, height = 2, bits = 24;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> palette;
    std::vector<std::uint32_t> masks;
    std::vector<std::uint8_t> rows; // as stored, padded
    int header_size = 40;

    std::vector<std::uint8_t> Build() const {
        std::vector<std::uint8_t> out;
        auto put = [&](std::uint32_t v, int n) {
            for (int i = 0; i < n; ++i)
                out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        };
        std::uint32_t offset =
            14 + header_size + 4 * static_cast<std::uint32_t>(masks.size() + palette.size());
        out.push_back('B');
        out.push_back('M');
        put(offset + static_cast<std::uint32_t>(rows.size()), 4);
        put(0, 4);
        put(offset, 4);
        put(header_size, 4);
        put(static_cast<std::uint32_t>(width), 4);
        put(static_cast<std::uint32_t>(height), 4);
        put(1, 2);
        put(bits, 2);
        put(compression, 4);
        put(static_cast<std::uint32_t>(rows.size()), 4);
        put(0, 4);
        put(0, 4);
        put(static_cast<std::uint32_t>(palette.size()), 4);
        put(0, 4);
        for (int i = 40; i < header_size; ++i)
            out.push_back(0);
        for (auto m : masks)
            put(m, 4);
        for (auto p : palette)
            put(p, 4);
        out.insert(out.end(), rows.begin(), rows.end());
        return out;
    }
};

} // namespace skin::data::test
