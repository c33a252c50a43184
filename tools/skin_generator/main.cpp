// Writes the internal skin package: skin_generator <output file>
// The build keeps the result in skin/data/internal/; a test checks that it is up to date.

#include "tools/skin_generator/internal_skin.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <package file>\n", argv[0]);
        return 2;
    }
    skin_generator::Bytes package = skin_generator::BuildInternalSkinPackage();
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(package.data()),
              static_cast<std::streamsize>(package.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%s: %zu bytes\n", argv[1], package.size());
    return 0;
}
