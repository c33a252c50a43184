// The form provider on real windows under Wine: the frame in the plain and the extended mode,
// its region, the title buttons driven by the messages the mouse produces, the layered border
// window around the form.

#include "core/error.h"
#include "skin/engine/skin_command_protocol.h"
#include "skin/frame/frame_painter.h"
#include "skin/frame/frame_region.h"
#include "skin/windows/border_form.h"
#include "skin/windows/form_animation.h"
#include "skin/windows/popup_menu_skin.h"
#include "skin/windows/tests/win32/skinned_form.h"
#include "ui/trace.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace skin::windows {
namespace {

using namespace testing;

class SkinProviderTest : public ui::FrameworkTest {};

TEST_F(SkinProviderTest, OnlyFormsGetAProvider) {
    ui::Form form{nullptr};
    ui::Component plain{&form};
    try {
        ui::Make<TsSkinProvider>(plain);
        FAIL() << "no error";
    } catch (const core::Error& e) {
        EXPECT_EQ(e.Message(), u"TsSkinProvider component may be used with forms only!");
    }
}

TEST_F(SkinProviderTest, PlainFrameTakesTheSystemMenuAndCutsTheCorners) {
    SkinnedForm f(false);
    HWND window = f.Window();
    EXPECT_TRUE(f.provider->HaveSysMenu());
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU, 0);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 400) << "the client area keeps its size";
    EXPECT_EQ(client.bottom, 300);
    const frame::FrameGeometry g = f.provider->Geometry();
    EXPECT_EQ(f.provider->CacheBitmap().Width(), g.CaptionWidth());

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, region), ERROR);
    const auto holes = frame::CornerHoles(
        g.CaptionWidth(), g.Form().Height,
        render::MaskFromSkin(
            &Skin(),
            frame::ResolveFrameSkin(Skin(), u"FORM", u"", frame::BorderStyle::bsSingle).FormBorder),
        render::MaskFromSkin(
            &Skin(), frame::ResolveFrameSkin(Skin(), u"FORM", u"", frame::BorderStyle::bsSingle)
                         .TitleBorder));
    EXPECT_FALSE(holes.empty());
    for (const frame::Rect& h : holes)
        for (int x = h.Left; x < h.Right; ++x)
            EXPECT_FALSE(PtInRegion(region, x, h.Top)) << x << "," << h.Top;
    EXPECT_TRUE(PtInRegion(region, g.CaptionWidth() / 2, g.Form().Height / 2));
    EXPECT_TRUE(PtInRegion(region, 10, 10));
    DeleteObject(region);
}

TEST_F(SkinProviderTest, ActivationChangesTheCaption) {
    SkinnedForm f(false);
    HWND window = f.Window();
    SendMessageW(window, WM_NCACTIVATE, TRUE, 0);
    const render::SkinBitmap active = f.provider->CacheBitmap().Clone();
    SendMessageW(window, WM_NCACTIVATE, FALSE, 0);
    EXPECT_FALSE(f.provider->FormActive());
    const render::SkinBitmap& inactive = f.provider->CacheBitmap();
    const frame::Rect band = f.provider->Geometry().TitleBandRect();
    int differ = 0;
    for (int y = band.Top; y < band.Bottom; ++y)
        for (int x = band.Left; x < band.Right; ++x)
            differ += active.At(x, y) != inactive.At(x, y);
    EXPECT_GT(differ, 100);
}

TEST_F(SkinProviderTest, RedrawLockNeverBelowZero) {
    SkinnedForm f(false);
    SendMessageW(f.Window(), WM_SETREDRAW, TRUE, 0);
    EXPECT_EQ(f.provider->LockCount(), 0);
    SendMessageW(f.Window(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(f.Window(), WM_SETREDRAW, FALSE, 0);
    EXPECT_EQ(f.provider->LockCount(), 2);
    SendMessageW(f.Window(), WM_SETREDRAW, TRUE, 0);
    SendMessageW(f.Window(), WM_SETREDRAW, TRUE, 0);
    SendMessageW(f.Window(), WM_SETREDRAW, TRUE, 0);
    EXPECT_EQ(f.provider->LockCount(), 0);
}

TEST_F(SkinProviderTest, ANewCaptionShowsInTheSkinnedTitleOnly) {
    SkinnedForm f(false);
    HWND window = f.Window();
    f.form.SetText(u"Another caption, somewhat longer");
    Settle();
    // What the screen shows across the title band is the cache's picture, not the platform's
    // own caption.
    const render::SkinBitmap& cache = f.provider->CacheBitmap();
    const frame::Rect band = f.provider->Geometry().TitleBandRect();
    HDC dc = GetWindowDC(window);
    int differ = 0, looked = 0;
    for (int y = band.Top + 2; y < band.Bottom - 1; y += 3)
        for (int x = band.Left + 4; x < band.Right - 4; x += 7) {
            const COLORREF screen = GetPixel(dc, x, y);
            const render::Pixel p = cache.At(x, y);
            ++looked;
            differ += screen != RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
        }
    ReleaseDC(window, dc);
    EXPECT_GT(looked, 100);
    EXPECT_EQ(differ, 0);
}

TEST_F(SkinProviderTest, ChildrenAskForTheBackgroundWithTheSameDeviceContext) {
    SkinnedForm f(true);
    const int width = 400, height = 300;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(SendMessageW(f.Window(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(dc)),
              1);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    const render::SkinBitmap& cache = f.provider->CacheBitmap();
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{200, 150}, std::pair{399, 299}})
        EXPECT_EQ(pixels[y * width + x] & 0xFFFFFF, cache.At(54 + x, 77 + y) & 0xFFFFFF);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(SkinProviderTest, MaximisedPlaceOnTheWorkArea) {
    SkinnedForm plain(false);
    MINMAXINFO info{};
    SendMessageW(plain.Window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    MONITORINFO mi{sizeof(mi)};
    GetMonitorInfoW(MonitorFromWindow(plain.Window(), MONITOR_DEFAULTTONEAREST), &mi);
    const int work_width = mi.rcWork.right - mi.rcWork.left;
    EXPECT_EQ(info.ptMaxPosition.x, mi.rcWork.left - mi.rcMonitor.left - 3);
    EXPECT_EQ(info.ptMaxSize.x, work_width + 6);
    SkinnedForm extended(true);
    SendMessageW(extended.Window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMaxPosition.y, mi.rcWork.top - mi.rcMonitor.top - 2);
}

TEST_F(SkinProviderTest, DoubleClickOnTheIconCloses) {
    SkinnedForm f(true);
    std::vector<WPARAM> commands;
    ui::ProcedureLayer spy =
        f.form.AddProcedureLayer([&](ui::Message& m, const ui::ProcedureChain::Next& next) {
            if (m.msg == WM_SYSCOMMAND && (m.wParam & 0xFFF0) == SC_CLOSE) {
                commands.push_back(m.wParam);
                return;
            }
            next(m);
        });
    const frame::Rect icon = f.provider->Geometry().IconRect();
    const frame::Point on = f.ScreenOf({icon.Left + 4, icon.Top + 4});
    SendMessageW(f.Window(), WM_NCLBUTTONDBLCLK, static_cast<WPARAM>(-1), MAKELPARAM(on.X, on.Y));
    EXPECT_EQ(commands.size(), 1u);
    // On the caption of the main window, which cannot be maximised, nothing happens.
    const frame::Point caption = f.ScreenOf({250, 62});
    SendMessageW(f.Window(), WM_NCLBUTTONDBLCLK, static_cast<WPARAM>(-1),
                 MAKELPARAM(caption.X, caption.Y));
    EXPECT_EQ(commands.size(), 1u);
    EXPECT_FALSE(IsZoomed(f.Window()));
}

TEST_F(SkinProviderTest, DoubleClickOnTheEdgeStretchesASizableFrame) {
    SkinnedForm f(true, ui::BorderStyle::bsSizeable);
    HWND window = f.Window();
    RECT before{};
    GetWindowRect(window, &before);
    const frame::FrameGeometry g = f.provider->Geometry();
    const frame::Point edge = f.ScreenOf({g.FrameRect().Left + 1, 200});
    SendMessageW(window, WM_NCLBUTTONDBLCLK, static_cast<WPARAM>(-1), MAKELPARAM(edge.X, edge.Y));
    RECT wide{};
    GetWindowRect(window, &wide);
    MONITORINFO mi{sizeof(mi)};
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &mi);
    EXPECT_EQ(wide.left, mi.rcWork.left + g.DeltaW());
    EXPECT_EQ(wide.right - wide.left, mi.rcWork.right - mi.rcWork.left - 2 * g.DeltaW());
    EXPECT_EQ(wide.top, before.top);
    const frame::Point again = f.ScreenOf({g.FrameRect().Left + 1, 200});
    SendMessageW(window, WM_NCLBUTTONDBLCLK, static_cast<WPARAM>(-1), MAKELPARAM(again.X, again.Y));
    RECT back{};
    GetWindowRect(window, &back);
    EXPECT_EQ(back.left, before.left);
    EXPECT_EQ(back.right, before.right);
}

TEST_F(SkinProviderTest, PrintPaintsTheWholeSkinnedWindow) {
    SkinnedForm f(false);
    const render::SkinBitmap& cache = f.provider->CacheBitmap();
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), cache.Width(), -cache.Height(), 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(f.Window(), WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (const auto& [x, y] : {std::pair{5, 5}, std::pair{100, 10}, std::pair{200, 150}})
        EXPECT_EQ(pixels[y * cache.Width() + x] & 0xFFFFFF, cache.At(x, y) & 0xFFFFFF) << x;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(SkinProviderTest, HitCodesOfThePlainFrame) {
    SkinnedForm f(false);
    const auto& buttons = f.provider->Layout().Buttons;
    auto hit = [&](frame::Point cache) {
        const frame::Point s = f.ScreenOf(cache);
        return static_cast<int>(SendMessageW(f.Window(), WM_NCHITTEST, 0, MAKELPARAM(s.X, s.Y)));
    };
    EXPECT_EQ(hit({buttons[0].R.Left + 2, buttons[0].R.Top + 2}), HTCLOSE);
    EXPECT_EQ(hit({buttons[2].R.Left + 2, buttons[2].R.Top + 2}), HTMINBUTTON);
    EXPECT_EQ(hit({8, 8}), HTSYSMENU);
    EXPECT_EQ(hit({200, 10}), HTCAPTION);
    EXPECT_EQ(hit({200, 200}), HTCLIENT);
}

TEST_F(SkinProviderTest, MinimiseOnlyWhenReleasedOverTheButton) {
    SkinnedForm f(true);
    HWND window = f.Window();
    const frame::Rect min = f.provider->Layout().Buttons[2].R;
    const frame::Point on = f.ScreenOf({min.Left + 3, min.Top + 3});
    const frame::Point off = f.ScreenOf({200, 60});
    SendMessageW(window, WM_NCLBUTTONDOWN, static_cast<WPARAM>(-1), MAKELPARAM(on.X, on.Y));
    EXPECT_EQ(f.provider->Buttons().StateOf(frame::htMinButton), 2);
    EXPECT_TRUE(TsSkinProvider::ButtonPressedFlag());
    SendMessageW(window, WM_NCLBUTTONUP, static_cast<WPARAM>(-1), MAKELPARAM(off.X, off.Y));
    EXPECT_FALSE(IsIconic(window));
    EXPECT_FALSE(TsSkinProvider::ButtonPressedFlag());
    EXPECT_EQ(f.provider->Buttons().StateOf(frame::htMinButton), 0);

    SendMessageW(window, WM_NCLBUTTONDOWN, static_cast<WPARAM>(-1), MAKELPARAM(on.X, on.Y));
    SendMessageW(window, WM_NCLBUTTONUP, static_cast<WPARAM>(-1), MAKELPARAM(on.X, on.Y));
    EXPECT_TRUE(IsIconic(window));
    EXPECT_FALSE(f.provider->Extended()) << "the border window goes with the minimise";
    SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    Settle();
    EXPECT_FALSE(IsIconic(window));
    EXPECT_TRUE(f.provider->Extended()) << "and comes back on restore";
}

TEST_F(SkinProviderTest, LostCaptureResetsThePressedButton) {
    SkinnedForm f(true);
    const frame::Rect close = f.provider->Layout().Buttons[0].R;
    const frame::Point on = f.ScreenOf({close.Left + 3, close.Top + 3});
    SendMessageW(f.Window(), WM_NCLBUTTONDOWN, static_cast<WPARAM>(-1), MAKELPARAM(on.X, on.Y));
    ASSERT_TRUE(TsSkinProvider::ButtonPressedFlag());
    ReleaseCapture();
    SendMessageW(f.Window(), WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(TsSkinProvider::ButtonPressedFlag());
    EXPECT_EQ(f.provider->Buttons().StateOf(frame::htClose), 0);
    f.provider->SetHotHT(frame::htClose);
    EXPECT_EQ(f.provider->Buttons().StateOf(frame::htClose), 1) << "hot tracking works again";
}

TEST_F(SkinProviderTest, ExtendedFrameLiesAroundTheClippedForm) {
    SkinnedForm f(true);
    HWND window = f.Window();
    ASSERT_TRUE(f.provider->Extended());
    const frame::FrameGeometry g = f.provider->Geometry();
    EXPECT_EQ(g.OffsetX(), 54);
    EXPECT_EQ(g.OffsetY(), 77);
    const render::SkinBitmap& cache = f.provider->CacheBitmap();
    EXPECT_EQ(cache.Width(), 400 + 108);
    EXPECT_EQ(cache.Height(), 300 + 131);

    HWND border = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM out) {
            wchar_t name[64] = {};
            GetClassNameW(w, name, 64);
            if (std::wstring(name) == L"ArbordirBorderFrame" && IsWindowVisible(w))
                *reinterpret_cast<HWND*>(out) = w;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&border));
    ASSERT_TRUE(border);
    EXPECT_EQ(GetWindow(border, GW_OWNER), window);
    EXPECT_TRUE(GetWindowLongW(border, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_TRUE(GetWindowLongW(border, GWL_EXSTYLE) & WS_EX_NOACTIVATE);
    RECT w{}, b{};
    GetWindowRect(window, &w);
    GetWindowRect(border, &b);
    EXPECT_EQ(b.left, w.left - 51);
    EXPECT_EQ(b.top, w.top - 55);
    EXPECT_EQ(b.right - b.left, cache.Width());
    EXPECT_EQ(b.bottom - b.top, cache.Height());

    // The form's own region is exactly its client area.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(window, region), SIMPLEREGION);
    RECT box{};
    GetRgnBox(region, &box);
    DeleteObject(region);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    EXPECT_EQ(box.left, origin.x - w.left);
    EXPECT_EQ(box.top, origin.y - w.top);
    EXPECT_EQ(box.right - box.left, 400);
    EXPECT_EQ(box.bottom - box.top, 300);

    // Moving the form takes the border along.
    SetWindowPos(window, nullptr, 300, 240, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(border, &b);
    EXPECT_EQ(b.left, 300 - 51);
    EXPECT_EQ(b.top, 240 - 55);
}

TEST_F(SkinProviderTest, PlatformTextAndIconLeaveNoAlphaHolesInTheFrame) {
    SkinnedForm f(true);
    f.form.SetText(u"Caption drawn by the platform's font");
    Settle();
    const render::SkinBitmap& cache = f.provider->CacheBitmap();
    const frame::FrameGeometry g = f.provider->Geometry();
    const frame::Rect frame = g.FrameRect();
    const frame::Rect client = g.ClientRect();
    int holes = 0;
    for (int y = frame.Top; y < frame.Bottom; ++y)
        for (int x = frame.Left; x < frame.Right; ++x) {
            const bool inside =
                x >= client.Left && x < client.Right && y >= client.Top && y < client.Bottom;
            holes += !inside && (cache.At(x, y) >> 24) != 255;
        }
    EXPECT_EQ(holes, 0);
    // The caption's ink is there: dark pixels in the title band right of the icon.
    int ink = 0;
    for (int y = 56; y < 76; ++y)
        for (int x = 80; x < 200; ++x)
            ink += (cache.At(x, y) & 0xFF) < 80;
    EXPECT_GT(ink, 20);
}

TEST_F(SkinProviderTest, TheImageHandedOverIsOpaqueOnTheFrameAndClearOverTheClient) {
    SkinnedForm f(true);
    // Text and icon drawn by GDI leave alpha 0 behind them unless the painter mends it.
    f.form.SetText(u"Caption drawn by the platform's font");
    Settle();
    ASSERT_TRUE(f.provider->BorderForm());
    const render::SkinBitmap& sent = f.provider->BorderForm()->SentImage();
    const render::SkinBitmap& cache = f.provider->CacheBitmap();
    ASSERT_EQ(sent.Width(), cache.Width());
    ASSERT_EQ(sent.Height(), cache.Height());
    const frame::FrameGeometry g = f.provider->Geometry();
    const frame::Rect frame = g.FrameRect();
    const frame::Rect client = g.ClientRect();
    EXPECT_EQ(client.Left, 54);
    EXPECT_EQ(client.Top, 77);
    int frame_holes = 0, client_shows = 0, shadow_pixels = 0;
    for (int y = 0; y < sent.Height(); ++y)
        for (int x = 0; x < sent.Width(); ++x) {
            const render::Pixel p = sent.At(x, y);
            const bool in_client =
                x >= client.Left && x < client.Right && y >= client.Top && y < client.Bottom;
            const bool in_frame =
                x >= frame.Left && x < frame.Right && y >= frame.Top && y < frame.Bottom;
            if (in_client)
                client_shows += p != 0;
            else if (in_frame)
                frame_holes += (p >> 24) != 255;
            else
                shadow_pixels += (p >> 24) != 0;
        }
    EXPECT_EQ(frame_holes, 0);
    EXPECT_EQ(client_shows, 0) << "the client area is invisible and lets clicks through";
    EXPECT_GT(shadow_pixels, 1000) << "the shadow is there";
    // Premultiplied: no colour channel above the alpha.
    int brighter = 0;
    for (int y = 0; y < sent.Height(); ++y)
        for (int x = 0; x < sent.Width(); ++x) {
            const render::Pixel p = sent.At(x, y);
            const unsigned a = p >> 24;
            brighter += (p & 0xFF) > a || ((p >> 8) & 0xFF) > a || ((p >> 16) & 0xFF) > a;
        }
    EXPECT_EQ(brighter, 0);
}

TEST_F(SkinProviderTest, SwitchingExtendedBordersOffAndOnChangesTheMode) {
    SkinnedForm f(true);
    HWND window = f.Window();
    ASSERT_TRUE(f.provider->Extended());
    f.provider->SetAllowExtBorders(false);
    EXPECT_FALSE(f.provider->Extended());
    const frame::FrameGeometry plain = f.provider->Geometry();
    EXPECT_EQ(f.provider->CacheBitmap().Width(), plain.CaptionWidth()) << "the plain cache";
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, region), ERROR);
    EXPECT_TRUE(PtInRegion(region, plain.CaptionWidth() / 2, 5)) << "the title is the window's";
    EXPECT_FALSE(PtInRegion(region, 0, 0)) << "the rounded corner is cut";
    f.provider->SetAllowExtBorders(true);
    EXPECT_TRUE(f.provider->Extended());
    ASSERT_EQ(GetWindowRgn(window, region), SIMPLEREGION);
    EXPECT_FALSE(PtInRegion(region, plain.CaptionWidth() / 2, 5));
    DeleteObject(region);
    // Without a skin the platform's frame and system menu come back.
    f.provider->SetSkinSource(nullptr);
    EXPECT_FALSE(f.provider->Extended());
    EXPECT_NE(GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU, 0);
    HRGN none = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(window, none), ERROR);
    DeleteObject(none);
}

TEST_F(SkinProviderTest, MaximisedAndRestoredSizableForm) {
    SkinnedForm f(true, ui::BorderStyle::bsSizeable);
    HWND window = f.Window();
    RECT before{};
    GetWindowRect(window, &before);
    SendMessageW(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Settle();
    ASSERT_TRUE(IsZoomed(window));
    EXPECT_TRUE(f.provider->Extended());
    const frame::TitleButtonLayout& layout = f.provider->Layout();
    EXPECT_EQ(layout.Buttons[1].Image, frame::ButtonImage::Norm) << "the restore look";
    RECT client{};
    GetClientRect(window, &client);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(window, region), SIMPLEREGION);
    RECT box{};
    GetRgnBox(region, &box);
    DeleteObject(region);
    EXPECT_EQ(box.right - box.left, client.right);
    SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    Settle();
    RECT after{};
    GetWindowRect(window, &after);
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.right, before.right);
    EXPECT_TRUE(f.provider->Extended());
}

TEST_F(SkinProviderTest, ChildrenGetTheFormsImageAsTheirBackground) {
    using namespace skin::engine;
    SkinnedForm f(true);
    HWND window = f.Window();
    EXPECT_EQ(SendMessageW(window, ui::WM_SKINCOMMAND, MakeSkinCommand(SkinCmdCtrlHandled), 0), 1);
    EXPECT_EQ(SendMessageW(window, ui::WM_SKINCOMMAND, MakeSkinCommand(SkinCmdGetColor), 0),
              RGB(232, 232, 232));
    BackgroundInfo info;
    info.OffsetX = 10;
    info.OffsetY = 20;
    SendMessageW(window, ui::WM_SKINCOMMAND, MakeSkinCommand(SkinCmdGetBackground),
                 reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.Kind, BackgroundInfo::kBitmap);
    EXPECT_EQ(info.Bmp, &f.provider->CacheBitmap());
    EXPECT_EQ(info.OffsetX, 10 + 54);
    EXPECT_EQ(info.OffsetY, 20 + 77);
    EXPECT_EQ(SendMessageW(window, ui::WM_SKINCOMMAND, MakeSkinCommand(SkinCmdGetOffsets), 0),
              MAKELONG(54, 77));
    // A section the skin lacks leaves the form to the platform, and its own section skins it
    // again.
    f.provider->SkinSection = u"NOSUCHSECTION";
    EXPECT_FALSE(f.provider->Skinned());
    f.provider->SkinSection = u"FORM";
    EXPECT_TRUE(f.provider->Skinned());
    // A skin manager announcing a new skin hands the provider its source.
    FrameSkinSource plain_source = MakeFrameSkinSource(Skin(), false);
    TsSkinProvider::SourceOfManager() = [&](LPARAM) { return &plain_source; };
    SendMessageW(window, ui::WM_SKINCOMMAND, MakeSkinCommand(SkinCmdSetNewSkin), 0);
    TsSkinProvider::SourceOfManager() = nullptr;
    EXPECT_FALSE(f.provider->Extended());
    const int plain_offsets = static_cast<int>(
        SendMessageW(window, ui::WM_SKINCOMMAND, MakeSkinCommand(SkinCmdGetOffsets), 0));
    EXPECT_EQ(LOWORD(plain_offsets), f.provider->OffsetX());
    EXPECT_EQ(HIWORD(plain_offsets), f.provider->OffsetY());
    EXPECT_GT(HIWORD(plain_offsets), LOWORD(plain_offsets)) << "the title band lies above";
    SendMessageW(window, ui::WM_SKINCOMMAND, MakeSkinCommand(SkinCmdRemoveSkin), 0);
    EXPECT_FALSE(f.provider->Skinned());
    EXPECT_NE(GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU, 0);
    EXPECT_EQ(SendMessageW(window, ui::WM_SKINCOMMAND, MakeSkinCommand(SkinCmdGetOffsets), 0), 0);
}

TEST_F(SkinProviderTest, ShadowIsTransparentForTheMouse) {
    SkinnedForm f(true);
    HWND border = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM out) {
            wchar_t name[64] = {};
            GetClassNameW(w, name, 64);
            if (std::wstring(name) == L"ArbordirBorderFrame")
                *reinterpret_cast<HWND*>(out) = w;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&border));
    ASSERT_TRUE(border);
    RECT b{};
    GetWindowRect(border, &b);
    EXPECT_EQ(SendMessageW(border, WM_NCHITTEST, 0, MAKELPARAM(b.left + 10, b.top + 10)),
              HTTRANSPARENT);
    EXPECT_EQ(SendMessageW(border, WM_NCHITTEST, 0, MAKELPARAM(b.left + 100, b.top + 60)),
              frame::htBorderFrame);
    EXPECT_EQ(f.provider->HitTestAt({100, 60}), frame::htCaption);
    EXPECT_EQ(f.provider->HitTestAt({10, 10}), frame::htTransparent);
    // While a modal dialog disables the form, its frame lets every click through.
    EnableWindow(f.Window(), FALSE);
    EXPECT_EQ(SendMessageW(border, WM_NCHITTEST, 0, MAKELPARAM(b.left + 100, b.top + 60)),
              HTTRANSPARENT);
    EnableWindow(f.Window(), TRUE);
}

// What a look at the open "#32768" menu window found.
struct OpenMenu {
    bool found = false;
    std::vector<UINT> ids;
    std::vector<bool> grayed;
    COLORREF column = 0; // a pixel of the icon column
    COLORREF text_area = 0;
    SIZE size{};
    COLORREF left_edge = 0; // of the window, in the middle of its height
    bool has_region = false;
};
OpenMenu g_menu;

void CALLBACK LookAtMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menu_window = FindWindowW(L"#32768", nullptr);
    if (!menu_window || !IsWindowVisible(menu_window))
        return;
    KillTimer(nullptr, timer);
    auto menu = reinterpret_cast<HMENU>(SendMessageW(menu_window, MN_GETHMENU, 0, 0));
    g_menu.found = menu != nullptr;
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        g_menu.ids.push_back(GetMenuItemID(menu, i));
        g_menu.grayed.push_back(
            (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) != 0);
    }
    HDC dc = GetDC(menu_window);
    g_menu.column = GetPixel(dc, 8, 12);
    g_menu.text_area = GetPixel(dc, 80, 12);
    ReleaseDC(menu_window, dc);
    RECT r{};
    GetWindowRect(menu_window, &r);
    g_menu.size = {r.right - r.left, r.bottom - r.top};
    HDC window_dc = GetWindowDC(menu_window);
    g_menu.left_edge = GetPixel(window_dc, 0, g_menu.size.cy / 2);
    ReleaseDC(menu_window, window_dc);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    g_menu.has_region = GetWindowRgn(menu_window, region) != ERROR;
    DeleteObject(region);
    EndMenu();
}

TEST_F(SkinProviderTest, AltSpaceOpensTheSkinnedSystemMenu) {
    SkinnedForm f(true);
    g_menu = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &LookAtMenu);
    SendMessageW(f.Window(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
    KillTimer(nullptr, timer);
    ASSERT_TRUE(g_menu.found);
    const std::vector<UINT> ids = {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, 0, SC_CLOSE};
    EXPECT_EQ(g_menu.ids, ids);
    const std::vector<bool> grayed = {true, false, true, false, false, false};
    EXPECT_EQ(g_menu.grayed, grayed);
    // ICOLINE's colour in the icon column, MAINMENU's beside it (the skin's, not the system's).
    EXPECT_EQ(g_menu.column, RGB(242, 246, 250));
    EXPECT_EQ(g_menu.text_area, RGB(243, 243, 243));
    EXPECT_FALSE(IsIconic(f.Window()));
}

TEST_F(SkinProviderTest, PopupMenusCaughtAtCreationWearTheSkinsBorder) {
    SkinnedForm f(true);
    ASSERT_TRUE(engine::InstallCreationHook());
    // The internal skin's MAINMENU has no border mask, which leaves the platform's border:
    // lend it the form's for the test.
    data::LoadedSkin& lent = data::testing::InternalSkinFromPackage();
    const int section = lent.GetSkinIndex(u"MAINMENU");
    ASSERT_GE(section, 0);
    data::TsGeneralData& menu_section = lent.gd[static_cast<std::size_t>(section)];
    struct Lend {
        data::TsGeneralData& gd;
        int kept = gd.BorderIndex;
        ~Lend() { gd.BorderIndex = kept; }
    } lend{menu_section};
    menu_section.BorderIndex =
        lent.gd[static_cast<std::size_t>(lent.GetSkinIndex(u"FORM"))].BorderIndex;
    ASSERT_TRUE(lent.IsValidImgIndex(menu_section.BorderIndex));
    const data::LoadedSkin* skin = &lent;
    engine::CreationRuleHandle popups = RegisterPopupMenuSkinning([&] { return skin; });
    g_menu = {};
    UINT_PTR timer = SetTimer(nullptr, 0, 50, &LookAtMenu);
    SendMessageW(f.Window(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
    KillTimer(nullptr, timer);
    ASSERT_TRUE(g_menu.found);
    EXPECT_TRUE(g_menu.has_region) << "the corners are cut by the skin";
    // The border is the MAINMENU section's image with its border mask.
    render::SkinBitmap expected(g_menu.size.cx, g_menu.size.cy);
    frame::PaintSection(expected, {0, 0, g_menu.size.cx, g_menu.size.cy}, *skin, section,
                        skin->gd[static_cast<std::size_t>(section)].BorderIndex, 0, false);
    const render::Pixel p = expected.At(0, g_menu.size.cy / 2);
    EXPECT_EQ(g_menu.left_edge, RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));

    // Without a skin, popups are left to the platform.
    skin = nullptr;
    g_menu = {};
    timer = SetTimer(nullptr, 0, 50, &LookAtMenu);
    SendMessageW(f.Window(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
    KillTimer(nullptr, timer);
    ASSERT_TRUE(g_menu.found);
    EXPECT_FALSE(g_menu.has_region);
    popups.Remove();
    engine::RemoveCreationHook();
}

TEST_F(SkinProviderTest, WithoutSkinnedPopupsThePlatformMenuOpens) {
    FrameSkinSource plain_popups = MakeFrameSkinSource(Skin(), true);
    plain_popups.SkinnedPopups = false;
    SkinnedForm f(true, ui::BorderStyle::bsSingle, &plain_popups);
    g_menu = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &LookAtMenu);
    SendMessageW(f.Window(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
    KillTimer(nullptr, timer);
    ASSERT_TRUE(g_menu.found);
    EXPECT_NE(std::find(g_menu.ids.begin(), g_menu.ids.end(), SC_CLOSE), g_menu.ids.end());
    for (std::size_t i = 0; i < g_menu.ids.size(); ++i) {
        if (g_menu.ids[i] == SC_RESTORE || g_menu.ids[i] == SC_SIZE) {
            EXPECT_TRUE(g_menu.grayed[i]) << g_menu.ids[i];
        }
    }
    EXPECT_EQ(GetWindowLongW(f.Window(), GWL_STYLE) & WS_SYSMENU, 0) << "the style goes again";
}

class AnimationTest : public SkinProviderTest {
protected:
    void SetUp() override {
        SkinProviderTest::SetUp();
        char name[MAX_PATH] = {};
        GetTempFileNameA(".", "trc", 0, name);
        path = name;
        ui::RedirectTrace(path);
        source = MakeFrameSkinSource(Skin(), true);
        source.HideTime = 100;
    }
    void TearDown() override {
        ui::RedirectTrace("");
        std::remove(path.c_str());
        SkinProviderTest::TearDown();
    }
    std::string path;
    FrameSkinSource source;
};

// Start-up cost: the image composed while the form is still hidden (its controls ask for their
// background then) is laid out for the extended frame already and is the one shown; showing,
// activating and making the border window compose nothing more.
TEST_F(AnimationTest, ExtendedFormComposesItsImageOnceUpToItsFirstFrame) {
    ui::Form form{nullptr};
    form.SetName(u"once");
    form.SetBorderIcons(ui::biSystemMenu | ui::biMinimize);
    form.SetBounds({120, 110, 300, 200});
    form.SetClientSize(400, 300);
    auto& provider = ui::Make<TsSkinProvider>(form);
    provider.SetSkinSource(&source);
    form.Handle();
    ASSERT_TRUE(provider.PrepareCache());
    EXPECT_EQ(provider.CacheBitmap().Width(), 400 + 108);
    form.Show();
    Settle();
    ASSERT_TRUE(provider.Extended());
    EXPECT_EQ(TraceOf(path, "paint-all").size(), 1u);
    EXPECT_EQ(provider.CacheBitmap().Height(), 300 + 131);

    // A real change still composes again: the inactive look.
    SendMessageW(form.Handle(), WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(TraceOf(path, "paint-all").size(), 2u);
}

TEST_F(AnimationTest, ClosingShrinksAndFadesInEightSteps) {
    auto f = std::make_unique<SkinnedForm>(true, ui::BorderStyle::bsSingle, &source);
    f->form.Close();
    f.reset();
    ASSERT_TRUE(ui::PumpUntil([] { return RunningAnimations() == 0; }));
    const auto hide = TraceOf(path, "hide");
    ASSERT_EQ(hide.size(), 9u) << "ticks 0 .. 8";
    for (std::size_t i = 0; i < hide.size(); ++i)
        EXPECT_EQ(hide[i].first, static_cast<int>(i));
    EXPECT_EQ(hide.front().second, 223);
    EXPECT_EQ(hide.back().second, 0);
}

TEST_F(AnimationTest, MinimiseAndRestoreAnimate) {
    SkinnedForm f(true, ui::BorderStyle::bsSingle, &source);
    SendMessageW(f.Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(f.Window()));
    ASSERT_TRUE(ui::PumpUntil([] { return RunningAnimations() == 0; }));
    const auto down = TraceOf(path, "minimize");
    ASSERT_EQ(down.size(), 13u);
    EXPECT_EQ(down.back().second, 0);
    SendMessageW(f.Window(), WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(ui::PumpUntil([] { return RunningAnimations() == 0; }));
    const auto up = TraceOf(path, "restore");
    ASSERT_EQ(up.size(), 13u);
    EXPECT_EQ(up.back().second, 255);
    EXPECT_TRUE(f.provider->Extended());
}

// The region of a shown form is its client area, and its border lies around it.
void ExpectShownWithItsFrame(SkinnedForm& f) {
    HWND window = f.Window();
    EXPECT_TRUE(IsWindowVisible(window));
    ASSERT_TRUE(f.provider->BorderForm());
    HWND border = f.provider->BorderForm()->Handle();
    ASSERT_TRUE(border);
    EXPECT_TRUE(IsWindowVisible(border));
    RECT w{}, b{};
    GetWindowRect(window, &w);
    GetWindowRect(border, &b);
    EXPECT_EQ(b.left, w.left - 51);
    EXPECT_EQ(b.top, w.top - 55);
    EXPECT_TRUE(RegionIsTheClientArea(f));
}

TEST_F(SkinProviderTest, PrintedPictureHoldsTheFormAndItsWindowedChildren) {
    SkinnedForm f(true);
    HWND child = CreateWindowW(L"BUTTON", L"Push me", WS_CHILD | WS_VISIBLE, 20, 20, 120, 40,
                               f.Window(), nullptr, nullptr, nullptr);
    ASSERT_TRUE(child);
    Settle();
    const render::SkinBitmap picture = PrintedSnapshotOf(*f.provider);
    const frame::FrameGeometry g = f.provider->Geometry();
    ASSERT_EQ(picture.Width(), f.provider->CacheBitmap().Width());
    const frame::Rect client = g.ClientRect();
    int clear = 0;
    for (int y = client.Top; y < client.Bottom; ++y)
        for (int x = client.Left; x < client.Right; ++x)
            clear += (picture.At(x, y) >> 24) != 255;
    EXPECT_EQ(clear, 0) << "the client area is opaque";
    // The button's face and text, where the form's own background would otherwise be.
    const render::Pixel background = picture.At(client.Left + 300, client.Top + 250);
    int button = 0;
    for (int y = client.Top + 20; y < client.Top + 60; ++y)
        for (int x = client.Left + 20; x < client.Left + 140; ++x)
            button += picture.At(x, y) != background;
    EXPECT_GT(button, 100);
    // The frame is the cache's.
    EXPECT_EQ(picture.At(100, 60), f.provider->CacheBitmap().At(100, 60));
    DestroyWindow(child);
}

TEST_F(AnimationTest, ShowingAnimatesInTimeDivTwelveSteps) {
    // Under 12 ms there are no steps: the form shows at once.
    source.ShowTime = 11;
    {
        SkinnedForm f(true, ui::BorderStyle::bsSingle, &source);
        EXPECT_TRUE(TraceOf(path, "show").empty());
        ExpectShownWithItsFrame(f);
    }
    source.ShowTime = 96;
    SkinnedForm f(true, ui::BorderStyle::bsSingle, &source);
    const auto show = TraceOf(path, "show");
    ASSERT_EQ(show.size(), 9u) << "ticks 0 .. 8";
    for (std::size_t i = 0; i < show.size(); ++i) {
        EXPECT_EQ(show[i].first, static_cast<int>(i));
        EXPECT_EQ(show[i].second, static_cast<int>(std::lround(255.0 * double(i) / 8))) << i;
    }
    ExpectShownWithItsFrame(f);
    // Then the frame goes out opaque.
    const auto images = TraceOf(path, "border-image");
    ASSERT_FALSE(images.empty());
    EXPECT_EQ(images.back().second, 255);
}

TEST_F(AnimationTest, HotButtonFadesInOverTenSteps) {
    SkinnedForm f(true, ui::BorderStyle::bsSingle, &source);
    const frame::Rect close = f.provider->Layout().Buttons[0].R;
    const frame::Point on = f.ScreenOf({close.Left + 3, close.Top + 3});
    SetCursorPos(on.X, on.Y);
    const render::SkinBitmap before = f.provider->CacheBitmap().Clone();
    f.provider->SetHotHT(frame::htClose);
    EXPECT_EQ(f.provider->Buttons().StateOf(frame::htClose), 1);
    ASSERT_TRUE(ui::PumpUntil([&] { return TraceOf(path, "fade").size() >= 12; }));
    const auto fade = TraceOf(path, "fade");
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(fade[static_cast<std::size_t>(i)].second, 25 * (i + 1)) << i;
    EXPECT_EQ(fade[10].second, 255);
    // The frame's own image keeps the button normal.
    const render::SkinBitmap& cache = f.provider->CacheBitmap();
    for (int y = close.Top; y < close.Bottom; ++y)
        for (int x = close.Left; x < close.Right; ++x)
            ASSERT_EQ(cache.At(x, y), before.At(x, y));
    // Leaving the button fades it out again.
    SetCursorPos(on.X - 300, on.Y + 300);
    ASSERT_TRUE(ui::PumpUntil([&] {
        const auto lines = TraceOf(path, "fade");
        return !lines.empty() && lines.back().second == 0;
    }));
    EXPECT_EQ(f.provider->Buttons().StateOf(frame::htClose), 0);
}

} // namespace
} // namespace skin::windows
