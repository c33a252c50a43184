// The alpha image list on the platform: the icons it makes from PNG items, drawing with alpha
// over what is behind, and loading files.

#include "core/error.h"
#include "skin/controls/alpha_image_list.h"
#include "skin/controls/gdi_bitmaps.h"
#include "skin/data/image_decoders.h"
#include "ui/controls/tree_view.h"
#include "ui/form.h"
#include "ui/tests/win32/framework_fixture.h"
#include "ui/wide.h"

#include <algorithm>
#include <array>
#include <cstdlib>
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

class AlphaImageListTreeTest : public ui::FrameworkTest {};

// The platform's tree view draws the list's images with their alpha: over its white ground each
// pixel of a node's picture is the PNG's pixel blended by its alpha, and alpha 0 leaves white.
TEST_F(AlphaImageListTreeTest, TreeNodesShowTheirPicturesBlendedByAlphaOverWhite) {
    TsAlphaImageList list;
    list.AddItem(render::TsImageFormat::ifPNG, FolderPng());
    list.GenerateStdList();
    ui::Form form(nullptr);
    ui::TreeView& tree = ui::Make<ui::TreeView>(form);
    tree.SetParent(&form);
    tree.SetBounds({0, 0, 200, 100});
    tree.SetColor(ui::Rgb(255, 255, 255));
    tree.SetImageList(list.Handle());
    form.SetClientSize(200, 100);
    form.Show();
    TVINSERTSTRUCTW insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<wchar_t*>(L"New Folder");
    HTREEITEM item = TreeView_InsertItem(tree.Handle(), &insert);
    ASSERT_NE(item, nullptr);
    UpdateWindow(tree.Handle());

    RECT text{};
    ASSERT_TRUE(TreeView_GetItemRect(tree.Handle(), item, &text, TRUE));
    // The picture ends where the text begins, less the platform's gap of a few pixels: find it
    // as the 16 x 16 square whose pixels are the blended picture.
    HDC dc = GetDC(tree.Handle());
    const render::SkinBitmap shown = TakeFromDC(
        dc, {0, std::max(0L, text.top - 4), text.left, std::max(text.bottom, text.top + 16) + 4});
    ReleaseDC(tree.Handle(), dc);
    const data::Image32 picture = data::DecodePng(FolderPng());
    auto expected = [&](int x, int y) {
        const std::uint32_t p = picture.At(x, y);
        const int a = static_cast<int>(p >> 24);
        auto channel = [&](int shift) {
            const int s = static_cast<int>((p >> shift) & 0xFF);
            return (s * a + 255 * (255 - a) + 127) / 255;
        };
        return std::array<int, 3>{channel(16), channel(8), channel(0)};
    };
    auto matches_at = [&](int left, int top) {
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                if (top + y < 0) // the platform may draw the picture's top row above the window
                    continue;
                const std::uint32_t s = shown.At(left + x, top + y);
                const std::array<int, 3> e = expected(x, y);
                if (std::abs(static_cast<int>((s >> 16) & 0xFF) - e[0]) > 2 ||
                    std::abs(static_cast<int>((s >> 8) & 0xFF) - e[1]) > 2 ||
                    std::abs(static_cast<int>(s & 0xFF) - e[2]) > 2)
                    return false;
            }
        return true;
    };
    bool found = false;
    for (int top = -2; top + 16 <= shown.Height() && !found; ++top)
        for (int left = 0; left + 16 <= shown.Width() && !found; ++left)
            found = matches_at(left, top);
    EXPECT_TRUE(found) << "no blended picture left of the node's text";
}

} // namespace
} // namespace skin::controls
