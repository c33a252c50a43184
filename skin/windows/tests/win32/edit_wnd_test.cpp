// The edit handler on a real edit under Wine: its frame on screen is the EDIT section's border,
// hot with the focus or the mouse, printed the same way, framed in BORDERCOLOR in dialog mode;
// it answers the skin commands, and taking it off gives the window its own frame back.

#include "skin/windows/edit_wnd.h"
#include "skin/windows/tests/win32/skinned_form.h"
#include "ui/controls/edit.h"

#include <vector>

namespace skin::windows {
namespace {

using namespace testing;

class EditWndTest : public ui::FrameworkTest {};

struct EditForm {
    ui::Form form{nullptr};
    ui::Edit* edit = nullptr;
    ui::Edit* other = nullptr;

    EditForm() {
        form.SetBounds({100, 100, 300, 160});
        form.SetColor(ui::Rgb(230, 230, 230));
        edit = &ui::Make<ui::Edit>(form);
        edit->SetName(u"Edit1");
        edit->SetParent(&form);
        edit->SetBounds({10, 10, 200, 26});
        other = &ui::Make<ui::Edit>(form);
        other->SetParent(&form);
        other->SetBounds({10, 60, 200, 26});
        form.Show();
        Settle(150);
    }
    HWND Window() { return edit->Handle(); }
};

COLORREF ToColorRef(render::Pixel p) {
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

// Pixels of the frame strips in dc (of the whole window) that differ from the image.
int FrameDifferences(HWND window, HDC dc, const render::SkinBitmap& image) {
    RECT client;
    GetClientRect(window, &client);
    RECT wr;
    GetWindowRect(window, &wr);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const int left = origin.x - wr.left, top = origin.y - wr.top;
    int differences = 0;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const bool inside =
                x >= left && x < left + client.right && y >= top && y < top + client.bottom;
            if (!inside && GetPixel(dc, x, y) != ToColorRef(image.At(x, y)))
                ++differences;
        }
    return differences;
}

int ScreenFrameDifferences(TacEditWnd& h) {
    HDC dc = GetWindowDC(h.CtrlHandle());
    const int differences = FrameDifferences(h.CtrlHandle(), dc, h.BorderImage());
    ReleaseDC(h.CtrlHandle(), dc);
    return differences;
}

TEST_F(EditWndTest, FrameIsTheSectionsBorderHotWithFocusOrMouse) {
    EditForm f;
    SetFocus(f.other->Handle());
    TacEditWnd h(f.Window(), Skin(), u"", u"Edit1");
    Settle(100);
    EXPECT_EQ(GetPropW(f.Window(), kHandledProperty), reinterpret_cast<HANDLE>(1));
    EXPECT_EQ(h.SkinIndex(), Skin().GetSkinIndex(u"EDIT")) << "EDIT when none is given";
    EXPECT_FALSE(h.Hot());
    const auto pixels = [&] {
        std::vector<render::Pixel> all;
        const render::SkinBitmap& image = h.BorderImage();
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x)
                all.push_back(image.At(x, y));
        return all;
    };
    const std::vector<render::Pixel> normal = pixels();
    EXPECT_EQ(normal.size(), 200u * 26u);
    EXPECT_EQ(ScreenFrameDifferences(h), 0);

    // Focus makes it hot when the section or its border has a hot state; the frame follows.
    const data::TsGeneralData& edit = Skin().gd[static_cast<std::size_t>(h.SkinIndex())];
    const bool has_hot =
        edit.States > 1 || (Skin().IsValidImgIndex(edit.BorderIndex) &&
                            Skin().ma[static_cast<std::size_t>(edit.BorderIndex)].ImageCount > 1);
    ASSERT_TRUE(has_hot) << "the internal skin's EDIT has a hot border";
    SetFocus(f.Window());
    Settle(50);
    EXPECT_TRUE(h.Hot());
    EXPECT_EQ(ScreenFrameDifferences(h), 0);
    EXPECT_NE(pixels(), normal) << "the hot border differs";

    SetFocus(f.other->Handle());
    Settle(50);
    EXPECT_FALSE(h.Hot());
    EXPECT_EQ(ScreenFrameDifferences(h), 0);

    // The mouse over the edit, then gone.
    SendMessageW(f.Window(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(h.Hot());
    EXPECT_EQ(ScreenFrameDifferences(h), 0);
    SendMessageW(f.Window(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(h.Hot());
    EXPECT_EQ(ScreenFrameDifferences(h), 0);
}

TEST_F(EditWndTest, PrintedFrameEqualsThePaintedOne) {
    EditForm f;
    TacEditWnd h(f.Window(), Skin(), u"EDIT", u"Edit1");
    Settle(100);
    RECT wr;
    GetWindowRect(f.Window(), &wr);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, wr.right - wr.left, wr.bottom - wr.top);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    SendMessageW(f.Window(), WM_PRINT, WPARAM(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(FrameDifferences(f.Window(), dc, h.BorderImage()), 0);
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
}

TEST_F(EditWndTest, DialogModeFramesTheWindowColourInBorderColor) {
    EditForm f;
    TacEditWnd h(f.Window(), Skin(), u"EDIT", u"Edit1", true);
    const data::TColor border = data::ColorToRGB(Skin().SkinData.BorderColor);
    if (border == data::kKeyColor)
        GTEST_SKIP() << "the skin has no BORDERCOLOR";
    const render::SkinBitmap& image = h.BorderImage();
    EXPECT_EQ(image.At(0, 0) & 0xFFFFFF, border);
    EXPECT_EQ(image.At(image.Width() - 1, image.Height() - 1) & 0xFFFFFF, border);
    EXPECT_EQ(ToColorRef(image.At(1, 1)), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(h.Color(), GetSysColor(COLOR_WINDOW));
}

TEST_F(EditWndTest, TheWindowsColourIsTheSectionsWithRedAndBlueInPlace) {
    EditForm f;
    // The shared skin, reddened for this test only.
    auto& edit = const_cast<data::TsGeneralData&>(
        Skin().gd[static_cast<std::size_t>(Skin().GetSkinIndex(u"EDIT"))]);
    const data::TsGeneralData kept = edit;
    edit.Color = edit.HotColor = 0x0000C0; // red, as skin colours are written
    COLORREF shown = 0;
    {
        TacEditWnd h(f.Window(), Skin(), u"EDIT", u"Edit1");
        shown = h.Color();
    }
    edit = kept;
    EXPECT_EQ(shown, RGB(0xC0, 0, 0));
}

TEST_F(EditWndTest, SkinCommandsAndDetaching) {
    EditForm f;
    const LONG_PTR proc = GetWindowLongPtrW(f.Window(), GWLP_WNDPROC);
    {
        TacEditWnd h(f.Window(), Skin(), u"EDIT", u"Edit1");
        const auto command = [&](WORD code, LPARAM value = 0) {
            return SendMessageW(f.Window(), ui::WM_SKINCOMMAND, MAKEWPARAM(0, code), value);
        };
        EXPECT_EQ(command(engine::SkinCmdCtrlHandled), 1);
        EXPECT_EQ(command(engine::SkinCmdIsUpdating), 0);
        command(engine::SkinCmdSetUpdating, 1);
        EXPECT_EQ(command(engine::SkinCmdIsUpdating), 1);
        EXPECT_TRUE(h.Updating());
        command(engine::SkinCmdRefresh);
        EXPECT_FALSE(h.Updating()) << "a refresh ends updating";
        const data::TsGeneralData& edit = Skin().gd[static_cast<std::size_t>(h.SkinIndex())];
        EXPECT_EQ(COLORREF(command(engine::SkinCmdGetColor)),
                  ToColorRef(data::ColorToRGB(edit.Color)));
        EXPECT_EQ(TacScrollWnd::Of(f.Window()), &h);
    }
    EXPECT_EQ(GetWindowLongPtrW(f.Window(), GWLP_WNDPROC), proc);
    EXPECT_EQ(GetPropW(f.Window(), kHandledProperty), nullptr);
    EXPECT_EQ(TacScrollWnd::Of(f.Window()), nullptr);
    EXPECT_EQ(
        SendMessageW(f.Window(), ui::WM_SKINCOMMAND, MAKEWPARAM(0, engine::SkinCmdCtrlHandled), 0),
        0);
}

TEST_F(EditWndTest, EditSkinFollowsARecreatedWindowAndGoesWithTheEdit) {
    EditForm f;
    auto& skin = ui::Make<TsEditSkin>(*f.edit, Skin());
    ASSERT_NE(skin.Handler(), nullptr);
    EXPECT_EQ(skin.Handler()->CtrlHandle(), f.Window());
    f.edit->RecreateWnd();
    Settle(100);
    ASSERT_NE(skin.Handler(), nullptr);
    EXPECT_EQ(skin.Handler()->CtrlHandle(), f.Window()) << "the new window";
    EXPECT_EQ(ScreenFrameDifferences(*skin.Handler()), 0);
}

} // namespace
} // namespace skin::windows
