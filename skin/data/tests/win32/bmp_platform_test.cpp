// The BMP decoder against the window system's own reading of the same files: 16-bit and
// run-length encoded images built here, loaded by LoadImage and read back by GetDIBits.

#include "skin/data/image_decoders.h"
#include "skin/data/tests/bmp_builder.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <windows.h>

namespace skin::data {
namespace {

using test::BmpBuilder;

// The file's pixels as the window system reads them into a bitmap of the screen's format, top
// row first, colour bytes only. (Read into a section of the file's own format, 16-bit pixels go
// through 5-5-5 first and pixels a run-length image skips take the first palette colour.)
std::vector<Pixel> PlatformPixels(const std::vector<std::uint8_t>& file, int width, int height) {
    wchar_t folder[MAX_PATH], path[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"bmp", 0, path);
    HANDLE out = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(out, file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
    CloseHandle(out);
    auto bitmap =
        static_cast<HBITMAP>(LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    DeleteFileW(path);
    std::vector<Pixel> pixels(static_cast<std::size_t>(width) * height, 0xDEADBEEF);
    if (bitmap == nullptr) {
        ADD_FAILURE() << "LoadImage refused the file";
        return pixels;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC dc = GetDC(nullptr);
    int rows = GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(bitmap);
    EXPECT_EQ(rows, height);
    for (Pixel& p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

void ExpectSameAsPlatform(const BmpBuilder& b, const char* what) {
    std::vector<std::uint8_t> file = b.Build();
    Image32 ours = DecodeBmp(file).image;
    std::vector<Pixel> theirs = PlatformPixels(file, b.width, b.height);
    ASSERT_EQ(ours.pixels.size(), theirs.size()) << what;
    int differences = 0;
    for (std::size_t i = 0; i < theirs.size(); ++i) {
        if ((ours.pixels[i] & 0xFFFFFF) != theirs[i] && differences++ < 5)
            ADD_FAILURE() << what << ": pixel " << i % b.width << "," << i / b.width << " ours "
                          << std::hex << ours.pixels[i] << " platform's " << theirs[i];
    }
}

TEST(BmpPlatformTest, SixteenBitImagesReadAsThePlatformReadsThem) {
    std::mt19937 random(16);
    BmpBuilder b;
    b.bits = 16;
    b.width = 37; // rows of 74 bytes, padded to 76
    b.height = 9;
    b.rows.resize(76 * 9);
    for (auto& byte : b.rows)
        byte = static_cast<std::uint8_t>(random());
    ExpectSameAsPlatform(b, "5-5-5");
    b.compression = BI_BITFIELDS;
    b.masks = {0xF800, 0x07E0, 0x001F};
    ExpectSameAsPlatform(b, "5-6-5");
    b.masks = {0x0F00, 0x00F0, 0x000F};
    ExpectSameAsPlatform(b, "4-4-4");
}

// A stream of runs, literal runs, skips and early line ends over the whole image.
std::vector<std::uint8_t> RandomRuns(std::mt19937& random, int width, int height, bool four) {
    std::vector<std::uint8_t> out;
    auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    auto index = [&] { return static_cast<std::uint8_t>(random() % (four ? 16 : 256)); };
    int x = 0, y = 0;
    while (y < height) {
        int left = width - x;
        if (left == 0 || chance(4)) {
            out.insert(out.end(), {0, 0});
            x = 0;
            ++y;
        } else if (chance(8)) {
            int dx = static_cast<int>(random() % (left + 1));
            int dy = y + 1 < height && chance(30) ? 1 : 0;
            out.insert(out.end(),
                       {0, 2, static_cast<std::uint8_t>(dx), static_cast<std::uint8_t>(dy)});
            x += dx;
            y += dy;
        } else if (left >= 3 && chance(40)) {
            int count = 3 + static_cast<int>(random() % std::min(left - 2, 30));
            out.insert(out.end(), {0, static_cast<std::uint8_t>(count)});
            int bytes = four ? (count + 1) / 2 : count;
            for (int i = 0; i < bytes; ++i)
                out.push_back(four ? static_cast<std::uint8_t>(index() << 4 | index()) : index());
            if (bytes % 2)
                out.push_back(0);
            x += count;
        } else {
            int count = 1 + static_cast<int>(random() % std::min(left, 40));
            std::uint8_t value = four ? static_cast<std::uint8_t>(index() << 4 | index()) : index();
            out.insert(out.end(), {static_cast<std::uint8_t>(count), value});
            x += count;
        }
    }
    out.insert(out.end(), {0, 1});
    return out;
}

TEST(BmpPlatformTest, RunLengthImagesReadAsThePlatformReadsThem) {
    std::mt19937 random(8);
    for (bool four : {false, true}) {
        for (int round = 0; round < 4; ++round) {
            BmpBuilder b;
            b.bits = four ? 4 : 8;
            b.compression = four ? BI_RLE4 : BI_RLE8;
            b.width = 20 + static_cast<int>(random() % 60);
            b.height = 5 + static_cast<int>(random() % 20);
            b.palette.resize(four ? 16 : 256);
            for (auto& colour : b.palette)
                colour = random() & 0xFFFFFF;
            b.palette[0] = 0x405060; // skipped pixels must not take the first colour
            b.rows = RandomRuns(random, b.width, b.height, four);
            ExpectSameAsPlatform(b, four ? "4-bit runs" : "8-bit runs");
        }
    }
}

} // namespace
} // namespace skin::data
