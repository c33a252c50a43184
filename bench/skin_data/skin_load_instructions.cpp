// Runs the whole load or its floor once, for callgrind (instructions.sh):
//   skin_load_instructions load|floor

#include "skin_load.h"

#include <cstdio>
#include <string>

namespace {

// Kept out of line so that callgrind can collect exactly this call.
__attribute__((noinline)) std::size_t Measured(const std::string& op,
                                               const skin::data::Bytes& package) {
    return op == "load" ? bench::LoadWholeSkin(package) : bench::InflateAndDecode(package);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skin_load_instructions load|floor\n");
        return 2;
    }
    const skin::data::Bytes package = bench::ReadInternalPackage();
    std::printf("%zu\n", Measured(argv[1], package));
    return 0;
}
