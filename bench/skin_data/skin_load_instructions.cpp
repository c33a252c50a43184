// Runs the whole load or its floor once, or loads a chain of sections, for callgrind
// (instructions.sh):
//   skin_load_instructions load|floor|chain10000|chain20000

#include "skin_load.h"

#include <cstdio>
#include <string>

namespace {

// Kept out of line so that callgrind can collect exactly this call.
__attribute__((noinline)) std::size_t
Measured(const std::string& op, const skin::data::Bytes& package, const std::string& chain) {
    if (!chain.empty())
        return bench::LoadChainedSections(chain);
    return op == "load" ? bench::LoadWholeSkin(package) : bench::InflateAndDecode(package);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skin_load_instructions load|floor|chain<sections>\n");
        return 2;
    }
    const std::string op = argv[1];
    const skin::data::Bytes package = bench::ReadInternalPackage();
    const std::string chain =
        op.rfind("chain", 0) == 0 ? bench::ChainedSections(std::stoi(op.substr(5))) : "";
    std::printf("%zu\n", Measured(op, package, chain));
    return 0;
}
