// BMP files from untrusted bytes.

#include "core/error.h"
#include "skin/data/image_decoders.h"

using namespace skin::data;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        DecodedBmp bmp = DecodeBmp({data, size});
        if (bmp.bits_per_pixel < 32)
            MakeOpaqueExceptKey(bmp.image);
    } catch (const core::Error&) {
    }
    return 0;
}
