// Draws the program's icons and glyphs and writes them into the resource folder: icons as .ico
// files, the tree's pictures and the combo edit's glyph strips as .png files, plus a preview
// sheet at eight times the size. With --check it only compares: the stored files must equal
// what the drawings produce, so that nobody edits a binary by hand.
//
//   icon_painter RESOURCE_DIR [--check] [--preview FILE.png]

#include "designs.h"
#include "glyph_strips.h"
#include "icon_file.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <png.h>
#include <string>

namespace {

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// PNG bytes of an RGBA picture, 8 bits a channel; the same picture always gives the same bytes.
std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint8_t>& rgba) {
    std::vector<std::uint8_t> bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(
        png, &bytes,
        [](png_structp writer, png_bytep data, png_size_t length) {
            auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(writer));
            out->insert(out->end(), data, data + length);
        },
        nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, &rgba[static_cast<std::size_t>(y * width * 4)]);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

// Every picture side by side, each pixel an 8 x 8 block, on a light grey ground.
std::vector<std::uint8_t> Preview(const std::vector<Picture>& all, int& width, int& height) {
    constexpr int kZoom = 8, kGap = 8;
    width = kGap;
    height = 0;
    for (const Picture& picture : all) {
        width += picture.width * kZoom + kGap;
        height = std::max(height, picture.height * kZoom + 2 * kGap);
    }
    std::vector<std::uint8_t> sheet(static_cast<std::size_t>(width * height * 4));
    for (std::size_t i = 0; i < sheet.size(); i += 4)
        sheet[i] = sheet[i + 1] = sheet[i + 2] = 232, sheet[i + 3] = 255;
    int left = kGap;
    for (const Picture& picture : all) {
        for (int y = 0; y < picture.height * kZoom; ++y)
            for (int x = 0; x < picture.width * kZoom; ++x) {
                const std::uint8_t* s = &picture.rgba[static_cast<std::size_t>(
                    ((y / kZoom) * picture.width + x / kZoom) * 4)];
                std::uint8_t* d =
                    &sheet[static_cast<std::size_t>(((y + kGap) * width + left + x) * 4)];
                for (int k = 0; k < 3; ++k)
                    d[k] =
                        static_cast<std::uint8_t>((s[k] * s[3] + d[k] * (255 - s[3]) + 127) / 255);
            }
        left += picture.width * kZoom + kGap;
    }
    return sheet;
}

// Writes the file, or with `check` compares it with what is stored; true when they agree.
bool Store(const std::string& path, const std::vector<std::uint8_t>& bytes, bool check,
           const std::string& directory) {
    if (!check)
        return WriteFile(path, bytes);
    if (ReadFile(path) == bytes)
        return true;
    std::cerr << path << " differs from its drawing; run icon_painter " << directory << "\n";
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: icon_painter RESOURCE_DIR [--check] [--preview FILE.png]\n";
        return 2;
    }
    const std::string directory = argv[1];
    bool check = false;
    std::string preview;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--check") == 0)
            check = true;
        else if (std::strcmp(argv[i], "--preview") == 0 && i + 1 < argc)
            preview = argv[++i];
    }

    int differences = 0;
    std::vector<Picture> all;
    for (const icons::Icon& icon : icons::Designs()) {
        std::vector<icons::IconImage> images;
        for (int size : icon.sizes) {
            icons::Canvas canvas(size, 16.0f);
            icon.draw(canvas);
            images.push_back({size, canvas.Pixels()});
            all.push_back({size, size, images.back().rgba});
        }
        const bool png = icon.file.ends_with(".png");
        const std::vector<std::uint8_t> bytes =
            png ? EncodePng(images.front().size, images.front().size, images.front().rgba)
                : icons::IconFile(images);
        if (bytes.empty() || !Store(directory + "/" + icon.file, bytes, check, directory))
            ++differences;
    }
    for (const icons::GlyphStrip& strip : icons::GlyphStrips()) {
        Picture picture{icons::kStripWidth, icons::kStripHeight, icons::PaintStrip(strip)};
        const std::vector<std::uint8_t> png =
            EncodePng(picture.width, picture.height, picture.rgba);
        if (png.empty() || !Store(directory + "/" + strip.file, png, check, directory))
            ++differences;
        all.push_back(std::move(picture));
    }
    if (!preview.empty()) {
        int width = 0, height = 0;
        const std::vector<std::uint8_t> sheet = Preview(all, width, height);
        const std::vector<std::uint8_t> png = EncodePng(width, height, sheet);
        if (png.empty() || !WriteFile(preview, png)) {
            std::cerr << "cannot write " << preview << "\n";
            return 1;
        }
    }
    if (check)
        std::cout << (differences ? "icons differ from their drawings\n"
                                  : "icons match their drawings\n");
    return differences ? 1 : 0;
}
