// The alpha image list on the platform: the icons it makes from PNG items, drawing with alpha
// over what is behind, and loading files.

#include "core/error.h"
#include "skin/controls/alpha_image_list.h"
#include "skin/controls/gdi_bitmaps.h"
#include "skin/data/image_decoders.h"
#include "ui/wide.h"

#include <gtest/gtest.h>

namespace skin::controls {
namespace {

// A 16 x 16 folder-like picture: clear border, a half-transparent left column, opaque inside.
std::vector<std::uint8_t> FolderPng() {
    data::Image32 image = data::MakeImage32(16, 16);
    for (int y = 3; y <= 12; ++y)
        for (int x = 2; x <= 13; ++x)
            image.At(x, y) = (x == 2 ? 0x80000000u : 0xFF000000u) | 0x3060C0;
    return data::EncodePng(image);
}

struct MemoryCanvas {
    HDC dc = CreateCompatibleDC(nullptr);
    render::SkinBitmap dib;
    HGDIOBJ old = nullptr;
    MemoryCanvas(int w, int h, COLORREF fill) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(bi.bmiHeader), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bitmap);
        RECT all{0, 0, w, h};
        HBRUSH brush = CreateSolidBrush(fill);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    ~MemoryCanvas() {
        DeleteObject(SelectObject(dc, old));
        DeleteDC(dc);
    }
    COLORREF At(int x, int y) { return GetPixel(dc, x, y); }
};

TEST(AlphaImageListTest, PngItemsBecomeIconsMaskedWhereAlphaIsZero) {
    TsAlphaImageList list;
    list.AddItem(render::TsImageFormat::ifPNG, FolderPng());
    list.GenerateStdList();
    ASSERT_TRUE(list.StdListIsGenerated());
    ASSERT_EQ(list.Count(), 1);
    ASSERT_EQ(list.Items().size(), 1u); // kept: DoubleData

    HICON icon = ImageList_GetIcon(list.Handle(), 0, ILD_NORMAL);
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    std::vector<std::uint32_t> mask(16 * 16);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(bi.bmiHeader), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, info.hbmMask, 0, 16, mask.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    EXPECT_NE(mask[0] & 0xFFFFFF, 0u);          // alpha 0: transparent
    EXPECT_EQ(mask[5 * 16 + 2] & 0xFFFFFF, 0u); // alpha 128: part of the image
    EXPECT_EQ(mask[5 * 16 + 7] & 0xFFFFFF, 0u);
    const render::SkinBitmap pixels = IconPixels(icon);
    EXPECT_EQ(pixels.At(7, 5), 0xFF3060C0u);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

TEST(AlphaImageListTest, DrawingBlendsByAlphaAndIgnoresTheEnabledState) {
    TsAlphaImageList list;
    list.AddItem(render::TsImageFormat::ifPNG, FolderPng());
    list.GenerateStdList();
    MemoryCanvas enabled(40, 40, RGB(255, 255, 255));
    list.Draw(enabled.dc, 0, 10, 20, true);
    EXPECT_EQ(enabled.At(9, 20), RGB(255, 255, 255));
    EXPECT_EQ(enabled.At(10, 20), RGB(255, 255, 255)); // alpha 0 in the picture
    EXPECT_EQ(enabled.At(26, 36), RGB(255, 255, 255)); // outside the square
    EXPECT_EQ(enabled.At(17, 25), RGB(0x30, 0x60, 0xC0));
    // Alpha 128 over white: ((s - 255) * 128 + 255 * 256) >> 8.
    const COLORREF half = enabled.At(12, 25);
    EXPECT_EQ(GetRValue(half), ((0x30 - 255) * 128 + 255 * 256) >> 8);
    EXPECT_EQ(GetBValue(half), ((0xC0 - 255) * 128 + 255 * 256) >> 8);

    MemoryCanvas disabled(40, 40, RGB(255, 255, 255));
    list.Draw(disabled.dc, 0, 10, 20, false);
    for (int y = 18; y < 38; ++y)
        for (int x = 8; x < 28; ++x)
            ASSERT_EQ(disabled.At(x, y), enabled.At(x, y)) << x << "," << y;
    list.Draw(disabled.dc, 5, 0, 0); // outside the list: nothing
    list.Draw(disabled.dc, -1, 0, 0);
    EXPECT_EQ(disabled.At(0, 0), RGB(255, 255, 255));
}

TEST(AlphaImageListTest, BitmapsAtOtherSizesAndTheCache) {
    TsAlphaImageList list;
    list.AddItem(render::TsImageFormat::ifPNG, FolderPng());
    list.GenerateStdList();
    // The decoded size is the list's: the 16 x 16 image whatever was asked.
    EXPECT_EQ(list.CreateBitmap32(0, 32, 32).Width(), 16);
    EXPECT_TRUE(list.CreateBitmap32(1, 16, 16).IsEmpty());
    TsAlphaImageList big(24, 24);
    big.AddItem(render::TsImageFormat::ifPNG, FolderPng());
    big.GenerateStdList();
    EXPECT_EQ(big.CreateBitmap32(0, 24, 24).Width(), 24);
    ASSERT_NE(big.Items()[0].CacheBmp(), nullptr);
    EXPECT_EQ(big.Items()[0].CacheBmp()->Width(), 24);
}

TEST(AlphaImageListTest, LoadingDetectsTheFormatOrSaysWhy) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::u16string base = ui::FromWide(dir);
    auto write = [](const std::u16string& name, const std::vector<std::uint8_t>& bytes) {
        HANDLE f =
            CreateFileW(ui::Wide(name), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(f);
    };
    const std::u16string png_as_ico = base + u"alpha_list_png.ico";
    const std::u16string zero_icon = base + u"alpha_list_zero.icon";
    write(png_as_ico, FolderPng());
    write(zero_icon, {0, 0, 1, 0, 1, 0});

    TsAlphaImageList list;
    list.LoadFromFile(png_as_ico);
    EXPECT_EQ(list.Count(), 1);
    ASSERT_EQ(list.Items().size(), 1u);
    EXPECT_EQ(list.Items()[0].ImageFormat(), render::TsImageFormat::ifPNG);
    try {
        list.LoadFromFile(zero_icon);
        FAIL() << "no error";
    } catch (const core::Error& e) {
        EXPECT_EQ(e.Message(),
                  u"Cannot load " + zero_icon + u"\r\nInvalid or unexpected image format.");
    }
    EXPECT_EQ(list.Count(), 1);
    DeleteFileW(ui::Wide(png_as_ico));
    DeleteFileW(ui::Wide(zero_icon));
}

} // namespace
} // namespace skin::controls
