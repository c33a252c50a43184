// Push-button handlers and the form adapter on real windows under Wine: the button shows the
// skin's BUTTON face in the state the platform's button is in (also right after the platform
// drew itself), with the focus dots and the disabled blend; the adapter dresses exactly the
// classes its lists name.

#include "skin/windows/btn_wnd.h"
#include "skin/windows/ctrl_adapter.h"
#include "skin/windows/edit_wnd.h"
#include "skin/windows/tests/win32/skinned_form.h"
#include "ui/controls/button.h"
#include "ui/controls/edit.h"

#include <vector>

namespace skin::windows {
namespace {

using namespace testing;

class BtnWndTest : public ui::FrameworkTest {};

struct ButtonForm {
    ui::Form form{nullptr};
    ui::Button* button = nullptr;
    ui::Edit* edit = nullptr;

    ButtonForm() {
        form.SetBounds({100, 100, 300, 160});
        edit = &ui::Make<ui::Edit>(form);
        edit->SetParent(&form);
        edit->SetBounds({10, 70, 100, 22});
        button = &ui::Make<ui::Button>(form);
        button->SetName(u"OKButton");
        button->SetText(u"OK");
        button->SetParent(&form);
        button->SetBounds({10, 10, 90, 30});
        form.Show();
        SetFocus(edit->Handle());
        Settle(150);
    }
    HWND Window() { return button->Handle(); }
};

std::vector<render::Pixel> PixelsOf(const render::SkinBitmap& face) {
    std::vector<render::Pixel> pixels;
    for (int y = 0; y < face.Height(); ++y)
        for (int x = 0; x < face.Width(); ++x)
            pixels.push_back(face.At(x, y) & 0xFFFFFF);
    return pixels;
}

// Client pixels on screen that differ from the face.
int ScreenDifferences(TacBtnWnd& h) {
    HDC dc = GetDC(h.CtrlHandle());
    int differences = 0;
    const render::SkinBitmap& face = h.Face();
    for (int y = 0; y < face.Height(); ++y)
        for (int x = 0; x < face.Width(); ++x) {
            const render::Pixel p = face.At(x, y);
            differences += GetPixel(dc, x, y) != RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
        }
    ReleaseDC(h.CtrlHandle(), dc);
    return differences;
}

TEST_F(BtnWndTest, FaceFollowsThePlatformButtonsState) {
    ButtonForm f;
    TacButtonWnd h(*f.button, Skin());
    Settle(100);
    EXPECT_EQ(h.SkinIndex(), Skin().GetSkinIndex(u"BUTTON"));
    EXPECT_EQ(h.CurrentState(), 0);
    ASSERT_EQ(h.Face().Width(), 90);
    EXPECT_EQ(ScreenDifferences(h), 0);
    const std::vector<render::Pixel> normal = PixelsOf(h.Face());

    // Pushed: the platform draws its pushed look at once; the face covers it.
    SendMessageW(f.Window(), BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(h.CurrentState(), 2);
    EXPECT_EQ(ScreenDifferences(h), 0);
    const std::vector<render::Pixel> pushed = PixelsOf(h.Face());
    EXPECT_NE(pushed, normal);
    SendMessageW(f.Window(), BM_SETSTATE, FALSE, 0);
    EXPECT_EQ(h.CurrentState(), 0);

    // The mouse over it, and as the default button: hot.
    SendMessageW(f.Window(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(h.CurrentState(), 1);
    const std::vector<render::Pixel> hot = PixelsOf(h.Face());
    EXPECT_NE(hot, normal);
    SendMessageW(f.Window(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(h.CurrentState(), 0);
    f.button->SetDefault(true);
    Settle(50);
    EXPECT_EQ(h.CurrentState(), 1);
    f.button->SetDefault(false);
    Settle(50);

    // Focused: hot with the focus dots round the caption, where the skin shows them.
    SetFocus(f.Window());
    Settle(50);
    EXPECT_EQ(h.CurrentState(), 1);
    EXPECT_EQ(ScreenDifferences(h), 0);
    const data::TsGeneralData& button = Skin().gd[static_cast<std::size_t>(h.SkinIndex())];
    if (button.ShowFocus)
        EXPECT_NE(PixelsOf(h.Face()), hot) << "the focus dots";
    else
        EXPECT_EQ(PixelsOf(h.Face()), hot);
    SetFocus(f.edit->Handle());
    Settle(50);

    // Disabled: state 0 blended with what lies behind.
    EnableWindow(f.Window(), FALSE);
    Settle(50);
    EXPECT_EQ(h.CurrentState(), 0);
    EXPECT_EQ(ScreenDifferences(h), 0);
    EXPECT_NE(PixelsOf(h.Face()), normal);
}

TEST_F(BtnWndTest, PlatformButtonWithoutFontUsesTheMessageFontAndDetachesCleanly) {
    ButtonForm f;
    HWND plain = CreateWindowExW(0, L"BUTTON", L"Cancel", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                 120, 10, 90, 30, f.form.Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(plain, nullptr);
    const LONG_PTR proc = GetWindowLongPtrW(plain, GWLP_WNDPROC);
    {
        TacBtnWnd h(plain, Skin(), u"", u"Cancel");
        Settle(100);
        EXPECT_EQ(TacMainWnd::Of(plain), &h);
        EXPECT_EQ(ScreenDifferences(h), 0);
        // The caption is drawn: the face differs from one composed without it.
        SetWindowTextW(plain, L"");
        const std::vector<render::Pixel> empty = PixelsOf(h.Face());
        SetWindowTextW(plain, L"Cancel");
        EXPECT_NE(PixelsOf(h.Face()), empty);
        EXPECT_EQ(ScreenDifferences(h), 0);
    }
    EXPECT_EQ(GetWindowLongPtrW(plain, GWLP_WNDPROC), proc);
    EXPECT_EQ(GetPropW(plain, kHandledProperty), nullptr);
    EXPECT_EQ(TacMainWnd::Of(plain), nullptr);
    DestroyWindow(plain);
}

TEST_F(BtnWndTest, AdapterDressesTheListedClassesOnlyAndSkipsTagged) {
    ButtonForm f;
    auto& tagged = ui::Make<ui::Button>(f.form);
    tagged.SetParent(&f.form);
    tagged.SetTag(kSkipTag);
    tagged.SetBounds({120, 10, 90, 30});
    ThirdPartyLists lists;
    lists[tlButtons] = {u"TButton"};
    auto& adapter = ui::Make<TacCtrlAdapter>(f.form, Skin(), lists);
    Settle(50);
    EXPECT_NE(dynamic_cast<TacButtonWnd*>(adapter.HandlerOf(f.Window())), nullptr);
    EXPECT_EQ(adapter.HandlerOf(tagged.Handle()), nullptr) << "tagged -98";
    EXPECT_EQ(adapter.HandlerOf(f.edit->Handle()), nullptr) << "TEdit is not listed";
    EXPECT_EQ(adapter.HandlerCount(), 1u);

    // A button inserted later is dressed when the form hears of it; a second walk adds nothing.
    auto& later = ui::Make<ui::Button>(f.form);
    later.SetBounds({10, 100, 90, 30});
    later.SetParent(&f.form);
    ASSERT_NE(later.Handle(), nullptr); // creates the window
    SendMessageW(f.form.Handle(), ui::WM_SKINCOMMAND, MAKEWPARAM(0, engine::SkinCmdAddChildren), 0);
    EXPECT_NE(adapter.HandlerOf(later.Handle()), nullptr);
    adapter.AddAllItems();
    EXPECT_EQ(adapter.HandlerCount(), 2u);

    // The edits' list gives edits the edit handler; a derived class is not its base's.
    ThirdPartyLists edits;
    edits[tlEdits] = {u"TEdit"};
    auto& edit_adapter = ui::Make<TacCtrlAdapter>(f.form, Skin(), edits);
    EXPECT_NE(dynamic_cast<TacEditWnd*>(edit_adapter.HandlerOf(f.edit->Handle())), nullptr);
    EXPECT_EQ(edit_adapter.HandlerCount(), 1u) << "the buttons are handled already";
}

} // namespace
} // namespace skin::windows
