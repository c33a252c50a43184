// Push buttons and statics dressed from outside, on real windows under Wine: what lies behind
// them (the parent's colour, or the dialog's backdrop at the child's place), the static's text
// and icon, and leaving the window to the platform when the skin is replaced.

#include "skin/render/win32/dib_bitmap.h"
#include "skin/windows/btn_wnd.h"
#include "skin/windows/dialog_children.h"
#include "skin/windows/static_wnd.h"
#include "skin/windows/tests/win32/skinned_form.h"
#include "ui/controls/button.h"

#include <memory>

namespace skin::windows {
namespace {

using namespace testing;

class PaintedWndTest : public ui::FrameworkTest {};

constexpr render::Pixel kRed = 0xFF0000;
constexpr render::Pixel kBlue = 0x0000FF;

int RedOf(render::Pixel p) {
    return static_cast<int>((p >> 16) & 0xFF);
}
int BlueOf(render::Pixel p) {
    return static_cast<int>(p & 0xFF);
}
// How much redder than blue a pixel is.
int Redness(render::Pixel p) {
    return RedOf(p) - BlueOf(p);
}

render::SkinBitmap Filled(render::Pixel colour) {
    render::SkinBitmap bitmap(300, 200);
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            bitmap.At(x, y) = 0xFF000000u | colour;
    return bitmap;
}

// A dialog's cache as the children see it: red left of column 150, blue from there on.
render::SkinBitmap SplitBackdrop() {
    render::SkinBitmap bitmap = Filled(kBlue);
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < 150; ++x)
            bitmap.At(x, y) = 0xFF000000u | kRed;
    return bitmap;
}

// Compares two looks of the same face, one over red and one over blue: where they differ, the
// first must be the redder.
struct ColourShown {
    int Differing = 0;
    int NotRedder = 0;
};
ColourShown Compare(const render::SkinBitmap& red, const render::SkinBitmap& blue) {
    ColourShown shown;
    for (int y = 0; y < red.Height(); ++y)
        for (int x = 0; x < red.Width(); ++x)
            if ((red.At(x, y) & 0xFFFFFF) != (blue.At(x, y) & 0xFFFFFF)) {
                ++shown.Differing;
                shown.NotRedder += Redness(red.At(x, y)) <= Redness(blue.At(x, y));
            }
    return shown;
}

// The handler's look, painted into a bitmap of the window's client size.
render::SkinBitmap PaintedBy(TacPaintedWnd& handler) {
    RECT client{};
    GetClientRect(handler.CtrlHandle(), &client);
    render::SkinBitmap bitmap = render::win32::NewDibBitmap(client.right, client.bottom);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, static_cast<HBITMAP>(bitmap.Handle()));
    handler.PaintTo(dc);
    GdiFlush();
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

struct ChildrenOnForm {
    ui::Form form{nullptr};
    HWND button = nullptr;
    HWND text = nullptr;
    HWND icon = nullptr;

    ChildrenOnForm() {
        form.SetBounds({100, 100, 360, 220});
        form.Show();
        button = Child(L"Button", L"OK", BS_PUSHBUTTON, 10, 10, 90, 30);
        text = Child(L"Static", L"OK", SS_LEFT, 10, 60, 200, 20);
        icon = Child(L"Static", L"", SS_ICON, 10, 100, 32, 32);
        SendMessageW(icon, STM_SETICON,
                     reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_INFORMATION)), 0);
        Settle(100);
    }
    HWND Child(const wchar_t* class_name, const wchar_t* text, DWORD style, int x, int y, int w,
               int h) {
        return CreateWindowExW(0, class_name, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                               form.Handle(), nullptr, nullptr, nullptr);
    }
};

std::unique_ptr<TacMainWnd> DialogHandler(HWND child, const Backdrop& behind) {
    wchar_t class_name[32] = {};
    GetClassNameW(child, class_name, 32);
    const std::u16string name(class_name, class_name + wcslen(class_name));
    const frame::ChildMapping mapping =
        frame::MapDialogChild(name, static_cast<unsigned>(GetWindowLongW(child, GWL_STYLE)), 0);
    return MakeChildHandler(child, mapping, {&Skin(), behind});
}

TEST_F(PaintedWndTest, DialogChildrenStandOnTheBackdropAtTheirOwnPlace) {
    ChildrenOnForm f;
    const render::SkinBitmap red = Filled(kRed), blue = Filled(kBlue), split = SplitBackdrop();
    const render::SkinBitmap* backdrop = &split;
    // Over the split backdrop the button's columns 0-44 lie over red, 45-89 over blue; the
    // statics' columns 0-9 over red, the rest over blue.
    const Backdrop behind = [&](HWND child) -> render::TCacheInfo {
        const int x = child == f.button ? 105 : 140;
        return {backdrop, x, 40, render::kKeyColor, true};
    };

    const auto button = DialogHandler(f.button, behind);
    auto* face = dynamic_cast<TacBtnWnd*>(button.get());
    ASSERT_NE(face, nullptr);
    backdrop = &red;
    const render::SkinBitmap over_red = PaintedBy(*face);
    backdrop = &blue;
    const render::SkinBitmap over_blue = PaintedBy(*face);
    backdrop = &split;
    const render::SkinBitmap over_split = PaintedBy(*face);
    ASSERT_EQ(over_red.Width(), 90);
    const ColourShown shown = Compare(over_red, over_blue);
    EXPECT_GT(shown.Differing, 0) << "the face's corners show it";
    EXPECT_EQ(shown.NotRedder, 0);
    int misplaced = 0;
    for (int y = 0; y < over_split.Height(); ++y)
        for (int x = 0; x < over_split.Width(); ++x)
            misplaced +=
                ((over_split.At(x, y) ^ (x < 45 ? over_red : over_blue).At(x, y)) & 0xFFFFFF) != 0;
    EXPECT_EQ(misplaced, 0);

    // The caption follows a font the dialog gives the button later.
    const render::SkinBitmap before = PaintedBy(*face);
    LOGFONTW large{};
    large.lfHeight = -22;
    large.lfWeight = FW_BOLD;
    HFONT font = CreateFontIndirectW(&large);
    SendMessageW(f.button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const render::SkinBitmap after = PaintedBy(*face);
    int changed = 0;
    for (int y = 0; y < after.Height(); ++y)
        for (int x = 0; x < after.Width(); ++x)
            changed += after.At(x, y) != before.At(x, y);
    EXPECT_GT(changed, 20);

    SendMessageW(f.button, WM_SETFONT, 0, FALSE);
    DeleteObject(font);

    const auto text = DialogHandler(f.text, behind);
    auto* words = dynamic_cast<TacStaticWnd*>(text.get());
    ASSERT_NE(words, nullptr);
    const render::SkinBitmap label = PaintedBy(*words);
    EXPECT_EQ(label.At(5, 10) & 0xFFFFFF, kRed);
    EXPECT_EQ(label.At(150, 10) & 0xFFFFFF, kBlue);
    int ink = 0;
    for (int y = 0; y < label.Height(); ++y)
        for (int x = 0; x < 40; ++x)
            ink += (label.At(x, y) & 0xFFFFFF) != kRed && (label.At(x, y) & 0xFFFFFF) != kBlue;
    EXPECT_GT(ink, 10) << "the static's text";

    // An icon static shows its icon over the backdrop; the same static without one, none.
    const auto icon = DialogHandler(f.icon, behind);
    auto* picture = dynamic_cast<TacStaticWnd*>(icon.get());
    ASSERT_NE(picture, nullptr);
    const render::SkinBitmap with_icon = PaintedBy(*picture);
    SendMessageW(f.icon, STM_SETICON, 0, 0);
    const render::SkinBitmap without_icon = PaintedBy(*picture);
    int icon_pixels = 0, not_backdrop = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const render::Pixel behind_icon = x < 10 ? kRed : kBlue;
            not_backdrop += (without_icon.At(x, y) & 0xFFFFFF) != behind_icon;
            icon_pixels += (with_icon.At(x, y) & 0xFFFFFF) != behind_icon;
        }
    EXPECT_EQ(not_backdrop, 0);
    EXPECT_GT(icon_pixels, 100);
}

TEST_F(PaintedWndTest, WithoutABackdropTheButtonStandsOnItsParentsColour) {
    ui::Form form(nullptr);
    form.SetBounds({100, 100, 300, 160});
    auto& button = ui::Make<ui::Button>(form);
    button.SetText(u"OK");
    button.SetParent(&form);
    button.SetBounds({10, 10, 90, 30});
    form.Show();
    Settle(50);
    TacButtonWnd h(button, Skin());
    form.SetColor(0x0000FF); // red, as the platform writes colours
    const render::SkinBitmap on_red = PaintedBy(h);
    form.SetColor(0xFF0000);
    const render::SkinBitmap on_blue = PaintedBy(h);
    const ColourShown shown = Compare(on_red, on_blue);
    EXPECT_GT(shown.Differing, 0);
    EXPECT_EQ(shown.NotRedder, 0);
}

TEST_F(PaintedWndTest, DialogChildrenLeaveWithTheSkinFormButtonsStay) {
    ChildrenOnForm f;
    const auto button = DialogHandler(f.button, {});
    const auto text = DialogHandler(f.text, {});
    ASSERT_NE(button, nullptr);
    ASSERT_NE(text, nullptr);
    ui::Form form(nullptr);
    form.SetBounds({100, 100, 300, 160});
    auto& own = ui::Make<ui::Button>(form);
    own.SetParent(&form);
    own.SetBounds({10, 10, 90, 30});
    form.Show();
    TacButtonWnd stays(own, Skin());

    for (HWND window : {f.button, f.text, own.Handle()})
        SendMessageW(window, ui::WM_SKINCOMMAND, engine::MakeSkinCommand(engine::SkinCmdSetNewSkin),
                     0);
    EXPECT_TRUE(button->Destroyed());
    EXPECT_TRUE(text->Destroyed());
    for (HWND window : {f.button, f.text}) {
        EXPECT_EQ(TacMainWnd::Of(window), nullptr);
        EXPECT_FALSE(HasHandledMarker(window));
    }
    EXPECT_FALSE(stays.Destroyed());
    EXPECT_EQ(TacMainWnd::Of(own.Handle()), &stays);
}

} // namespace
} // namespace skin::windows
