// The Win32 layer of the painters against the portable rules, under the window system.

#include "../bitmap_test_util.h"
#include "skin/data/gradient.h"
#include "skin/render/fills.h"
#include "skin/render/gradient.h"
#include "skin/render/stretch.h"
#include "skin/render/text_glow.h"
#include "skin/render/win32/dib_bitmap.h"
#include "skin/render/win32/gdi_text_renderer.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <windows.h>

namespace skin::render {
namespace {

using testing::Byte;

TEST(DibBitmapTest, PaintersAndGdiShareThePixels) {
    SkinBitmap dib = win32::NewDibBitmap(5, 4);
    ASSERT_NE(dib.Handle(), nullptr);
    EXPECT_EQ(dib.Stride(), 5);
    FillRectOpaque(dib, {1, 1, 3, 3}, 0x0000FF);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, static_cast<HBITMAP>(dib.Handle()));
    EXPECT_EQ(GetPixel(dc, 2, 2), RGB(255, 0, 0));
    SetPixel(dc, 4, 3, RGB(0, 0, 255));
    GdiFlush();
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_EQ(dib.At(4, 3) & 0x00FFFFFFu, 0x0000FFu);
}

TEST(StretchTest, WindowSystemStretchAgreesWhenGrowingAcross) {
    // The painters' nearest-pixel rule is their own in every build; the window system's stretch
    // agrees with it when growing along a row, and differs by a neighbour elsewhere.
    for (const auto& [sw, dw] : {std::pair{2, 111}, std::pair{3, 9}, std::pair{17, 40}}) {
        SkinBitmap src = win32::NewDibBitmap(sw, 1);
        for (int x = 0; x < sw; ++x)
            src.At(x, 0) = 0xFF000000u | static_cast<Pixel>(x);
        SkinBitmap platform = win32::NewDibBitmap(dw, 1);
        HDC to = CreateCompatibleDC(nullptr);
        HDC from = CreateCompatibleDC(nullptr);
        HGDIOBJ old_to = SelectObject(to, static_cast<HBITMAP>(platform.Handle()));
        HGDIOBJ old_from = SelectObject(from, static_cast<HBITMAP>(src.Handle()));
        SetStretchBltMode(to, COLORONCOLOR);
        StretchBlt(to, 0, 0, dw, 1, from, 0, 0, sw, 1, SRCCOPY);
        GdiFlush();
        SelectObject(from, old_from);
        SelectObject(to, old_to);
        DeleteDC(from);
        DeleteDC(to);
        SkinBitmap portable(dw, 1);
        StretchNearest(portable, {0, 0, dw, 1}, src, {0, 0, sw, 1});
        int differ = 0;
        for (int x = 0; x < dw; ++x)
            differ += (platform.At(x, 0) & 0xFF) != (portable.At(x, 0) & 0xFF);
        // Only where a centre falls exactly on a source pixel's edge.
        EXPECT_LE(differ, dw / 8 + 1) << sw << " -> " << dw;
    }
}

TEST(TriangleGradientTest, GradientFillAgreesWithTheBarycentricInterpolation) {
    // The five-point face of the skin's ALPHAEDIT (white, E8, E8, white, E8) and a colourful one.
    for (const char16_t* text :
         {u"16777215;0;0;2;0;15263976;0;0;0;0;15263976;0;0;0;0;16777215;0;0;0;0;15263976;0;0;0;0",
          u"255;0;0;2;0;65280;0;0;0;0;16711680;0;0;0;0;0;0;0;0;0;16777215;0;0;0;0"}) {
        const data::TsGradArray pies = data::ParseGradient(text);
        for (const auto& [w, h] : {std::pair{120, 23}, std::pair{37, 61}}) {
            SkinBitmap platform = win32::NewDibBitmap(w, h);
            SkinBitmap portable = testing::Filled(w, h, 0);
            FillRectOpaque(platform, platform.Bounds(), 0);
            PaintGradient(platform, {0, 0, w, h}, pies);
            PaintGradient(portable, {0, 0, w, h}, pies);
            int worst = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    ASSERT_EQ(platform.At(x, y) >> 24, 255u) << x << "," << y;
                    for (int c = 0; c < 3; ++c) {
                        const int diff =
                            std::abs(Byte(platform.At(x, y), c) - Byte(portable.At(x, y), c));
                        worst = std::max(worst, diff);
                    }
                }
            // Both decide coverage and colour at the pixel's coordinates and truncate.
            EXPECT_EQ(worst, 0) << w << "x" << h;
        }
    }
}

TEST(GdiTextTest, InkLandsInsideItsRectangleAndAddsUp) {
    win32::GdiTextRenderer text;
    EXPECT_GT(text.TextWidth(u"Create Folders"), text.TextWidth(u"Create"));
    GrayBitmap mask(80, 30, 255);
    text.DrawInk(mask, u"Hi", {10, 5, 70, 25}, DT_LEFT | DT_TOP | DT_SINGLELINE);
    int ink = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x)
            if (mask.At(x, y) < 128) {
                ++ink;
                EXPECT_GE(x, 10);
                EXPECT_GE(y, 5);
            }
    EXPECT_GT(ink, 5);
    // A second pass elsewhere keeps the first one's ink.
    text.DrawInk(mask, u"Hi", {40, 5, 70, 25}, DT_LEFT | DT_TOP | DT_SINGLELINE);
    int more = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x)
            more += mask.At(x, y) < 128;
    EXPECT_GT(more, ink);
}

TEST(GdiTextTest, EllipsisAndGlowWithRealFonts) {
    win32::GdiTextRenderer text;
    const std::u16string fitted = FitTextEllipsis(text, u"Create Folders here", 50);
    ASSERT_GE(fitted.size(), 4u);
    EXPECT_EQ(fitted.substr(fitted.size() - 3), u"...");
    EXPECT_LE(text.TextWidth(fitted), 50);
    SkinBitmap b = testing::Filled(100, 40, 0xFF000000);
    GrayBitmap cache;
    DrawTextGlow(b, text, u"Glow", {20, 10, 80, 30}, cache, 0xFFFFFF, 3, goAll,
                 DT_LEFT | DT_TOP | DT_SINGLELINE);
    int lit = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x)
            lit += (b.At(x, y) & 0xFF) > 0;
    EXPECT_GT(lit, 20);
}

} // namespace
} // namespace skin::render
