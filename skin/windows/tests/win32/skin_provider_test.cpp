// The form provider on real windows under Wine: the frame in the plain and the extended mode,
// its region, the title buttons driven by the messages the mouse produces, the layered border
// window around the form.

#include "core/error.h"
#include "skin/data/skin_loader.h"
#include "skin/frame/frame_region.h"
#include "skin/windows/border_form.h"
#include "skin/windows/skin_provider.h"
#include "ui/form.h"
#include "ui/tests/win32/framework_fixture.h"

#include <memory>

namespace skin::windows {
namespace {

struct InternalSkin {
    std::unique_ptr<data::TacSkinConvertor> reader = std::make_unique<data::TacSkinConvertor>();
    data::SkinOptions options;
    data::LoadedSkin skin;

    InternalSkin() {
        data::LoadSkinPackageFile(ARBORDIR_INTERNAL_SKIN_PACKAGE, reader, true);
        options = data::SkinOptions::Parse(*reader->Options);
        data::PackageFileSource files(*reader);
        data::LoadSkin(skin, options, files);
    }
};

const data::LoadedSkin& Skin() {
    static const InternalSkin skin;
    return skin.skin;
}

const FrameSkinSource& Source(bool extended) {
    static const FrameSkinSource plain = MakeFrameSkinSource(Skin(), false);
    static const FrameSkinSource ext = MakeFrameSkinSource(Skin(), true);
    return extended ? ext : plain;
}

// The main window's kind of form: bsSingle, system menu and minimise.
struct SkinnedForm {
    ui::Form form{nullptr};
    TsSkinProvider* provider = nullptr;

    explicit SkinnedForm(bool extended, ui::BorderStyle style = ui::BorderStyle::bsSingle) {
        form.SetBorderStyle(style);
        if (style == ui::BorderStyle::bsSingle)
            form.SetBorderIcons(ui::biSystemMenu | ui::biMinimize);
        form.SetText(u"Arbordir");
        form.SetBounds({120, 110, 300, 200});
        form.SetClientSize(400, 300);
        provider = &ui::Make<TsSkinProvider>(form);
        provider->SetSkinSource(&Source(extended));
        form.Show();
        ui::PumpUntil([] { return false; });
    }
    HWND Window() { return form.Handle(); }
    frame::Point ScreenOf(frame::Point cache_point) {
        RECT w{};
        GetWindowRect(Window(), &w);
        const frame::FrameGeometry g = provider->Geometry();
        const frame::Point o = g.Extended() ? g.BorderFormOffset() : frame::Point{};
        return {w.left - o.X + cache_point.X, w.top - o.Y + cache_point.Y};
    }
};

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
    ui::PumpUntil([] { return false; });
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
}

} // namespace
} // namespace skin::windows
