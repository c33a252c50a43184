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

// A dialog's cache as the children see it: red left of column 150, blue from there on.
render::SkinBitmap SplitBackdrop() {
    render::SkinBitmap bitmap(300, 200);
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            bitmap.At(x, y) = 0xFF000000u | (x < 150 ? kRed : kBlue);
    return bitmap;
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
    const render::SkinBitmap backdrop = SplitBackdrop();
    // The button's columns 0-44 lie over red, 45-89 over blue; the text's 0-9 over red.
    const Backdrop behind = [&](HWND child) -> render::TCacheInfo {
        const int x = child == f.button ? 105 : 140;
        return {&backdrop, x, 40, render::kKeyColor, true};
    };

    const auto button = DialogHandler(f.button, behind);
    auto* face = dynamic_cast<TacBtnWnd*>(button.get());
    ASSERT_NE(face, nullptr);
    PaintedBy(*face);
    ASSERT_EQ(face->Face().Width(), 90);
    // The button section lets what lies behind show through its fill (half of it, a tenth
    // when hot).
    const int left = Redness(face->Face().At(20, 15)), right = Redness(face->Face().At(70, 15));
    EXPECT_GT(left, 15) << "red behind the left of the face";
    EXPECT_LT(right, -15) << "blue behind the right of the face";

    const auto text = DialogHandler(f.text, behind);
    auto* words = dynamic_cast<TacStaticWnd*>(text.get());
    ASSERT_NE(words, nullptr);
    const render::SkinBitmap shown = PaintedBy(*words);
    EXPECT_EQ(shown.At(5, 10) & 0xFFFFFF, kRed);
    EXPECT_EQ(shown.At(150, 10) & 0xFFFFFF, kBlue);
    int ink = 0;
    for (int y = 0; y < shown.Height(); ++y)
        for (int x = 0; x < 40; ++x)
            ink += (shown.At(x, y) & 0xFFFFFF) != kRed && (shown.At(x, y) & 0xFFFFFF) != kBlue;
    EXPECT_GT(ink, 10) << "the static's text";

    // An icon static shows its icon over the backdrop; the same static without one, none.
    const auto icon = DialogHandler(f.icon, behind);
    auto* picture = dynamic_cast<TacStaticWnd*>(icon.get());
    ASSERT_NE(picture, nullptr);
    const render::SkinBitmap with_icon = PaintedBy(*picture);
    SendMessageW(f.icon, STM_SETICON, 0, 0);
    const render::SkinBitmap without_icon = PaintedBy(*picture);
    int icon_pixels = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            EXPECT_EQ(without_icon.At(x, y) & 0xFFFFFF, kBlue);
            icon_pixels += (with_icon.At(x, y) & 0xFFFFFF) != kBlue;
        }
    EXPECT_GT(icon_pixels, 100);
}

TEST_F(PaintedWndTest, WithoutABackdropTheButtonStandsOnItsParentsColour) {
    for (const ui::Color parent : {ui::Color(0x0000FF), ui::Color(0xFF0000)}) {
        ui::Form form(nullptr);
        form.SetBounds({100, 100, 300, 160});
        form.SetColor(parent); // red, then blue
        auto& button = ui::Make<ui::Button>(form);
        button.SetText(u"OK");
        button.SetParent(&form);
        button.SetBounds({10, 10, 90, 30});
        form.Show();
        Settle(50);
        TacButtonWnd h(button, Skin());
        PaintedBy(h);
        const int redness = Redness(h.Face().At(20, 15));
        if (parent == 0x0000FF)
            EXPECT_GT(redness, 15) << "a red parent";
        else
            EXPECT_LT(redness, -15) << "a blue parent";
    }
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
