// Draws the program's icons and glyphs and writes them as .ico files into the resource folder,
// plus a preview sheet at eight times the size. With --check it only compares: the stored
// files must equal what the drawings produce, so that nobody edits a binary by hand.
//
//   icon_painter RESOURCE_DIR [--check] [--preview FILE.png]

#include "designs.h"
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

bool WritePng(const std::string& path, int width, int height,
              const std::vector<std::uint8_t>& rgba) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, &rgba[static_cast<std::size_t>(y * width * 4)]);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

// Every image of every icon side by side, each pixel an 8 x 8 block, on a light grey ground.
std::vector<std::uint8_t> Preview(const std::vector<std::vector<icons::IconImage>>& all, int& width,
                                  int& height) {
    constexpr int kZoom = 8, kGap = 8;
    width = kGap;
    height = 0;
    for (const auto& images : all)
        for (const auto& image : images) {
            width += image.size * kZoom + kGap;
            height = std::max(height, image.size * kZoom + 2 * kGap);
        }
    std::vector<std::uint8_t> sheet(static_cast<std::size_t>(width * height * 4));
    for (std::size_t i = 0; i < sheet.size(); i += 4)
        sheet[i] = sheet[i + 1] = sheet[i + 2] = 232, sheet[i + 3] = 255;
    int left = kGap;
    for (const auto& images : all) {
        for (const auto& image : images) {
            for (int y = 0; y < image.size * kZoom; ++y)
                for (int x = 0; x < image.size * kZoom; ++x) {
                    const std::uint8_t* s = &image.rgba[static_cast<std::size_t>(
                        ((y / kZoom) * image.size + x / kZoom) * 4)];
                    std::uint8_t* d =
                        &sheet[static_cast<std::size_t>(((y + kGap) * width + left + x) * 4)];
                    for (int k = 0; k < 3; ++k)
                        d[k] = static_cast<std::uint8_t>((s[k] * s[3] + d[k] * (255 - s[3]) + 127) /
                                                         255);
                }
            left += image.size * kZoom + kGap;
        }
    }
    return sheet;
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
    std::vector<std::vector<icons::IconImage>> all;
    for (const icons::Icon& icon : icons::Designs()) {
        std::vector<icons::IconImage> images;
        for (int size : icon.sizes) {
            icons::Canvas canvas(size, 16.0f);
            icon.draw(canvas);
            images.push_back({size, canvas.Pixels()});
        }
        const std::vector<std::uint8_t> bytes = icons::IconFile(images);
        const std::string path = directory + "/" + icon.file;
        if (check) {
            if (ReadFile(path) != bytes) {
                std::cerr << path << " differs from its drawing; run icon_painter " << directory
                          << "\n";
                ++differences;
            }
        } else {
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<std::streamsize>(bytes.size()));
        }
        all.push_back(std::move(images));
    }
    if (!preview.empty()) {
        int width = 0, height = 0;
        if (!WritePng(preview, width, height, Preview(all, width, height))) {
            std::cerr << "cannot write " << preview << "\n";
            return 1;
        }
    }
    if (check)
        std::cout << (differences ? "icons differ from their drawings\n"
                                  : "icons match their drawings\n");
    return differences ? 1 : 0;
}
