// The image list's items come from files and resources: the format test, the decoder, the
// icon mask and the rendering at the list's size and at other sizes must take any bytes.
// The first byte picks the requested size; the rest is the file.

#include "core/error.h"
#include "skin/render/alpha_image.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

using namespace skin::render;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const int asked = 1 + data[0] % 40;
    const std::span<const std::uint8_t> file(data + 1, size - 1);
    if (!DetectImageFormat(file, u"fuzz.ico"))
        return 0;
    try {
        AlphaImageItem item(TsImageFormat::ifPNG,
                            std::vector<std::uint8_t>(file.begin(), file.end()));
        SkinBitmap listed = item.Render(16, 16, 16, 16);
        (void)IconMaskFromAlpha(listed);
        SkinBitmap resized = item.Render(16, 16, asked, asked + 1);
        DeriveAlphaFromBottomLeft(resized);
        (void)item.Render(16, 16, asked, asked + 1);
    } catch (const core::Error&) {
    }
    return 0;
}
