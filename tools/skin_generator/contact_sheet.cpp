// Draws every mask of a skin package on one PNG so that a person can judge the artwork:
//   skin_contact_sheet <package.asz> <sheet.png>
// Each mask gets its section and key as a label and its state images side by side over a
// checkerboard (small masks enlarged three times); band masks are shown through their
// transparency band, key-colour pixels as holes.

#include "core/error.h"
#include "core/text.h"
#include "skin/data/image_decoders.h"
#include "skin/data/skin_loader.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace {

using namespace skin::data;

// A 3 x 5 font: each glyph is five rows of three bits, top row first.
struct Glyph {
    char c;
    std::uint16_t rows[5];
};
constexpr Glyph kFont[] = {
    {'A', {2, 5, 7, 5, 5}}, {'B', {6, 5, 6, 5, 6}}, {'C', {3, 4, 4, 4, 3}}, {'D', {6, 5, 5, 5, 6}},
    {'E', {7, 4, 6, 4, 7}}, {'F', {7, 4, 6, 4, 4}}, {'G', {3, 4, 5, 5, 3}}, {'H', {5, 5, 7, 5, 5}},
    {'I', {7, 2, 2, 2, 7}}, {'J', {1, 1, 1, 5, 2}}, {'K', {5, 5, 6, 5, 5}}, {'L', {4, 4, 4, 4, 7}},
    {'M', {5, 7, 7, 5, 5}}, {'N', {6, 5, 5, 5, 5}}, {'O', {2, 5, 5, 5, 2}}, {'P', {6, 5, 6, 4, 4}},
    {'Q', {2, 5, 5, 6, 3}}, {'R', {6, 5, 6, 5, 5}}, {'S', {3, 4, 2, 1, 6}}, {'T', {7, 2, 2, 2, 2}},
    {'U', {5, 5, 5, 5, 7}}, {'V', {5, 5, 5, 5, 2}}, {'W', {5, 5, 7, 7, 5}}, {'X', {5, 5, 2, 5, 5}},
    {'Y', {5, 5, 2, 2, 2}}, {'Z', {7, 1, 2, 4, 7}}, {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}},
    {'2', {6, 1, 2, 4, 7}}, {'3', {6, 1, 2, 1, 6}}, {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 6, 1, 6}},
    {'6', {3, 4, 7, 5, 7}}, {'7', {7, 1, 1, 2, 2}}, {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 6}},
    {'_', {0, 0, 0, 0, 7}}, {'.', {0, 0, 0, 0, 2}}, {'-', {0, 0, 7, 0, 0}},
};

constexpr int kSheetWidth = 960;
constexpr int kGap = 12;

void Text(Image32& sheet, int x, int y, const std::string& text, Pixel colour) {
    for (char c : text) {
        for (const Glyph& g : kFont)
            if (g.c == c)
                for (int row = 0; row < 5; ++row)
                    for (int col = 0; col < 3; ++col)
                        if (g.rows[row] >> (2 - col) & 1)
                            for (int s = 0; s < 4; ++s)
                                if (sheet.height > y + 2 * row + s / 2 &&
                                    sheet.width > x + 2 * col + s % 2)
                                    sheet.At(x + 2 * col + s % 2, y + 2 * row + s / 2) = colour;
        x += 8;
    }
}

Pixel Over(Pixel back, Pixel front, unsigned alpha) {
    auto channel = [&](int shift) {
        unsigned b = back >> shift & 0xFF, f = front >> shift & 0xFF;
        return ((f * alpha + b * (255 - alpha) + 127) / 255) << shift;
    };
    return 0xFF000000u | channel(16) | channel(8) | channel(0);
}

// The pixel of state image `state` of a mask at (x, y) of the state, with its opacity.
std::pair<Pixel, unsigned> MaskPixel(const TsMaskData& m, const Image32& source, int state, int x,
                                     int y, int sw, int sh) {
    int sx = m.R.Left + state * sw + x, sy = m.R.Top + y;
    if (sx < 0 || sy < 0 || sx >= source.width || sy >= source.height)
        return {0, 0};
    Pixel p = source.At(sx, sy);
    if (m.MaskType >= 1 && sy + sh < source.height)
        return {p, 255 - (source.At(sx, sy + sh) >> 16 & 0xFF)};
    if (p == kKeyPixel)
        return {0, 0};
    return {p, m.Bmp ? p >> 24 : 255};
}

struct Placed {
    const TsMaskData* mask;
    int x, y, scale, sw, sh, states;
};

int Run(const char* package_file, const char* sheet_file) {
    std::unique_ptr<TacSkinConvertor> reader;
    LoadSkinPackageFile(package_file, reader, true);
    if (!reader || !reader->Options) {
        std::fprintf(stderr, "%s is not a skin package with options\n", package_file);
        return 1;
    }
    SkinOptions options = SkinOptions::Parse(*reader->Options);
    LoadedSkin skin;
    PackageFileSource files(*reader);
    LoadSkin(skin, options, files);

    std::vector<Placed> placed;
    int x = kGap, y = kGap, row_height = 0;
    for (const TsMaskData& m : skin.ma) {
        const Image32& source = m.Bmp ? *m.Bmp : skin.MasterBitmap;
        bool whole = m.R.Width() == 0;
        int states = std::max<int>(m.ImageCount, 1);
        int sw = whole ? source.width : std::max(m.R.Width() / states, 1);
        int sh = whole ? source.height : std::max(StateHeight(m), 1);
        int scale = std::max(sw, sh) <= 40 ? 3 : 1;
        int width = std::max(states * (sw * scale + 4),
                             8 * static_cast<int>(m.ClassName.size() + m.PropertyName.size() + 1));
        if (x + width > kSheetWidth - kGap) {
            x = kGap;
            y += row_height + kGap;
            row_height = 0;
        }
        placed.push_back({&m, x, y, scale, sw, sh, states});
        x += width + kGap;
        row_height = std::max(row_height, 14 + sh * scale);
    }
    Image32 sheet = MakeImage32(kSheetWidth, y + row_height + kGap, 0xFFFFFFFF);
    for (const Placed& p : placed) {
        const TsMaskData& m = *p.mask;
        const Image32& source = m.Bmp ? *m.Bmp : skin.MasterBitmap;
        Text(sheet, p.x, p.y, core::ToUtf8(m.ClassName + u"." + m.PropertyName), 0xFF404858);
        for (int s = 0; s < p.states; ++s) {
            int left = p.x + s * (p.sw * p.scale + 4), top = p.y + 14;
            for (int j = 0; j < p.sh * p.scale; ++j)
                for (int i = 0; i < p.sw * p.scale; ++i) {
                    Pixel board = ((i / 6 + j / 6) % 2) ? 0xFFD8DCE2 : 0xFFF4F6F8;
                    auto [pixel, alpha] =
                        MaskPixel(m, source, s, i / p.scale, j / p.scale, p.sw, p.sh);
                    if (top + j < sheet.height && left + i < sheet.width)
                        sheet.At(left + i, top + j) = Over(board, pixel, alpha);
                }
        }
    }
    auto png = EncodePng(sheet);
    std::ofstream out(sheet_file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    std::printf("%s: %zu masks, %d x %d\n", sheet_file, placed.size(), sheet.width, sheet.height);
    return out ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <package.asz> <sheet.png>\n", argv[0]);
        return 2;
    }
    try {
        return Run(argv[1], argv[2]);
    } catch (const core::Error& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
