// JPEG files through libjpeg. Its errors leave through longjmp, so everything between setjmp
// and the jump is plain data; the pixels are written into an image the caller owns.

#include "core/error.h"
#include "core/text.h"
#include "skin/data/image_decoders.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace skin::data {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ExitWithMessage(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    info->err->format_message(info, errors->message);
    std::longjmp(errors->jump, 1);
}

void Silent(j_common_ptr) {}

// False with a message in errors.message when libjpeg gave up.
// The row buffer belongs to the caller too: no object with a destructor may live in this frame.
bool ReadJpeg(std::span<const std::uint8_t> bytes, Image32& image, std::vector<JSAMPLE>& row,
              ErrorManager& errors) {
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = ExitWithMessage;
    errors.base.output_message = Silent;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_calc_output_dimensions(&info);
    if (std::int64_t{info.output_width} * info.output_height > kMaxImagePixels) {
        std::snprintf(errors.message, sizeof errors.message, "too large");
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    int width = static_cast<int>(info.output_width);
    image.width = width;
    image.height = static_cast<int>(info.output_height);
    image.pixels.assign(static_cast<std::size_t>(width) * image.height, 0);
    row.assign(static_cast<std::size_t>(width) * 3, 0);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {row.data()};
        Pixel* out = image.Row(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, rows, 1);
        for (int x = 0; x < width; ++x)
            out[x] = (std::uint32_t{row[3 * x]} << 16) | (row[3 * x + 1] << 8) | row[3 * x + 2];
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

Image32 DecodeJpeg(std::span<const std::uint8_t> bytes) {
    Image32 image;
    std::vector<JSAMPLE> row;
    ErrorManager errors{};
    if (!ReadJpeg(bytes, image, row, errors))
        throw core::Error(
            core::Format(u"Invalid JPEG image: %s", {core::FromUtf8(errors.message)}));
    return image;
}

} // namespace skin::data
