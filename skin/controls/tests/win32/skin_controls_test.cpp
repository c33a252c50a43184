// The skinned buttons and the shadowed label on real windows under Wine: the faces they show,
// their fades counted in the diagnostic trace, the platform's click rules kept.

#include "skin/controls/label_fx.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_speed_button.h"
#include "skin/controls/tests/win32/skin_controls_fixture.h"
#include "skin/data/image_decoders.h"
#include "skin/data/skin_loader.h"
#include "skin/render/button_face.h"
#include "skin/render/button_layout.h"
#include "skin/render/win32/gdi_text_renderer.h"
#include "ui/form.h"
#include "ui/message.h"
#include "ui/tests/win32/framework_fixture.h"
#include "ui/trace.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace skin::controls {
namespace {

using testing::Ended;
using testing::Trace;
using testing::TraceLine;

struct ButtonForm {
    ui::Form form{nullptr};
    TsButton& button = ui::Make<TsButton>(form);
    TsButton& other = ui::Make<TsButton>(form);
    TsSpeedButton& speed = ui::Make<TsSpeedButton>(form);
    TsLabelFX& label = ui::Make<TsLabelFX>(form);
    int clicks = 0;
    int speed_clicks = 0;

    ButtonForm() {
        form.SetBounds({100, 100, 420, 220});
        form.SetColor(ui::Rgb(232, 232, 232));
        button.SetName(u"CreateFolders");
        button.SetParent(&form);
        button.SetBounds({250, 120, 137, 34});
        button.SetText(u"Create Folders");
        button.OnClick = [this](ui::Control&) { ++clicks; };
        other.SetName(u"Other");
        other.SetParent(&form);
        other.SetBounds({10, 120, 75, 25});
        other.SetText(u"Other");
        speed.SetName(u"scan");
        speed.SetParent(&form);
        speed.SetBounds({8, 20, 81, 24});
        speed.SetText(u"Scan...");
        speed.OnClick = [this](ui::Control&) { ++speed_clicks; };
        label.SetName(u"sLabelFX1");
        label.SetParent(&form);
        label.SetBounds({150, 20, 0, 0});
        label.Shadow().Mode = TShadowMode::smCustom;
        label.Shadow().Color = 0x808080;
        label.Shadow().BlurCount = 1;
        label.Changed();
        label.SetText(u"Quillmark");
        form.Show();
        ui::PumpUntil([] { return false; });
    }
};

using SkinControlsTest = testing::SkinControlsTest;

TEST_F(SkinControlsTest, FocusedCreateFoldersIsDrawnHotWithoutAFocusFrame) {
    ButtonForm f;
    f.other.SetFocus();
    ui::PumpUntil([] { return false; });
    EXPECT_EQ(f.button.CurrentState(), 0);
    f.button.SetFocus();
    ui::PumpUntil([] { return false; });
    ASSERT_TRUE(ui::PumpUntil([&] { return !f.button.Fade().Running(); }));
    EXPECT_EQ(f.button.CurrentState(), 1);

    // The hot face over the form's colour: HOTTRANSPARENCY 10 of the form under the hot fill.
    const render::SkinBitmap& cache = f.button.Cache();
    ASSERT_EQ(cache.Width(), 137);
    render::ButtonFace face;
    face.Skin = &Skin();
    face.Section = Skin().GetSkinIndex(u"BUTTON");
    face.State = 1;
    face.Behind = {nullptr, 0, 0, 0xE8E8E8, false};
    render::SkinBitmap background(137, 34);
    render::PaintButtonBackground(background, background.Bounds(), Skin(), face.Section, 1,
                                  face.Behind);
    const data::TsGeneralData& gd = Skin().gd[face.Section];
    const render::Color hot = static_cast<render::Color>(gd.HotColor) & 0xFFFFFF;
    if (gd.HotGradientPercent + gd.HotImagePercent == 0) {
        // A plain hot colour: 10 % of the form's grey mixed in.
        const int red = static_cast<int>(std::lround(0.1 * 0xE8 + 0.9 * (hot & 0xFF)));
        EXPECT_NEAR(double((background.At(68, 17) >> 16) & 0xFF), red, 1.0);
    }
    // No focus frame (SHOWFOCUS is off): the cache equals the face composed without focus.
    face.Caption = f.button.Text();
    face.TextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP;
    const SIZE text = [&] {
        HDC screen = GetDC(nullptr);
        HGDIOBJ old = SelectObject(screen, f.button.GetFont().Handle());
        SIZE s{};
        GetTextExtentPoint32W(screen, L"Create Folders", 14, &s);
        SelectObject(screen, old);
        ReleaseDC(nullptr, screen);
        return s;
    }();
    face.CaptionRect = render::PushButtonCaptionRect(137, 34, text.cx, text.cy, false);
    render::SkinBitmap unfocused(137, 34);
    render::win32::GdiTextRenderer renderer(f.button.GetFont().Handle());
    render::ComposeButtonFace(unfocused, face, renderer);
    int differing = 0;
    for (int y = 0; y < 34; ++y)
        for (int x = 0; x < 137; ++x)
            differing += unfocused.At(x, y) != cache.At(x, y);
    EXPECT_EQ(differing, 0);
    // The window shows the cache.
    HDC dc = GetDC(f.button.Handle());
    const COLORREF shown = GetPixel(dc, 3, 17);
    ReleaseDC(f.button.Handle(), dc);
    const render::Pixel cached = cache.At(3, 17);
    EXPECT_EQ(GetRValue(shown), (cached >> 16) & 0xFF);
    EXPECT_EQ(GetBValue(shown), cached & 0xFF);
}

TEST_F(SkinControlsTest, HoverFadesOverTwentyFramesAndPressOverTen) {
    ButtonForm f;
    f.other.SetFocus();
    ui::PumpUntil([] { return false; });
    Trace trace;
    f.button.Perform(ui::CM_MOUSEENTER);
    ASSERT_TRUE(ui::PumpUntil([&] { return Ended(trace, "CreateFolders", 1); }));
    std::vector<TraceLine> lines = trace.Lines("CreateFolders");
    std::vector<long long> frames, alphas;
    for (const TraceLine& t : lines)
        if (t.event == "fade") {
            frames.push_back(t.frame);
            alphas.push_back(t.value);
        }
    ASSERT_EQ(frames.size(), 20u);
    EXPECT_EQ(frames.front(), 1);
    EXPECT_EQ(frames.back(), 20);
    EXPECT_EQ(alphas.front(), 243);
    EXPECT_EQ(alphas[9], 127);
    EXPECT_EQ(alphas.back(), 0);
    EXPECT_EQ(lines.back().event, "fade-end");

    // Pressing: 10 frames; released after its end, the release fade has 10 more.
    const LPARAM inside = MAKELPARAM(20, 10);
    SendMessageW(f.button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, inside);
    ASSERT_TRUE(ui::PumpUntil([&] { return Ended(trace, "CreateFolders", 2); }));
    EXPECT_EQ(trace.Count("CreateFolders", "fade"), 30);
    EXPECT_EQ(f.button.CurrentState(), 2);
    SendMessageW(f.button.Handle(), WM_LBUTTONUP, 0, inside);
    ASSERT_TRUE(ui::PumpUntil([&] { return Ended(trace, "CreateFolders", 3); }));
    EXPECT_EQ(trace.Count("CreateFolders", "fade"), 40);
    EXPECT_EQ(trace.Count("CreateFolders", "hold"), 0);
    EXPECT_EQ(f.clicks, 1);
    EXPECT_TRUE(f.button.Focused());
}

TEST_F(SkinControlsTest, QuickClickHoldsThePressedFaceAndIsNotLost) {
    ButtonForm f;
    Trace trace;
    f.button.Perform(ui::CM_MOUSEENTER);
    const LPARAM inside = MAKELPARAM(20, 10);
    // Down and up inside one frame.
    SendMessageW(f.button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageW(f.button.Handle(), WM_LBUTTONUP, 0, inside);
    EXPECT_EQ(f.clicks, 1);
    ASSERT_TRUE(ui::PumpUntil([&] { return !f.button.Fade().Running(); }));
    const std::vector<TraceLine> lines = trace.Lines("CreateFolders");
    int hold_at = -1, stop_at = -1;
    for (int i = 0; i < int(lines.size()); ++i) {
        if (lines[i].event == "hold")
            hold_at = i;
        if (lines[i].event == "fade-stop" && stop_at < 0)
            stop_at = i;
    }
    ASSERT_GE(hold_at, 0) << "the pressed face was not held";
    EXPECT_EQ(lines[hold_at].value, 30);
    EXPECT_LT(stop_at, hold_at); // the press fade stopped first
    EXPECT_EQ(lines.back().event, "fade-end");
    int after_hold = 0;
    for (int i = hold_at + 1; i < int(lines.size()); ++i)
        after_hold += lines[i].event == "fade";
    EXPECT_EQ(after_hold, 10);
}

TEST_F(SkinControlsTest, PressMoveAwayAndReleaseIsNoClickAndKeepsTheFocus) {
    ButtonForm f;
    SendMessageW(f.button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
    EXPECT_TRUE(f.button.Focused());
    SendMessageW(f.button.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-60 & 0xFFFF, 10));
    SendMessageW(f.button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(-60 & 0xFFFF, 10));
    ui::PumpUntil([] { return false; });
    EXPECT_EQ(f.clicks, 0);
    EXPECT_TRUE(f.button.Focused());
    // Space still clicks it.
    SendMessageW(f.button.Handle(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(f.button.Handle(), WM_KEYUP, VK_SPACE, 0);
    ui::PumpUntil([] { return false; });
    EXPECT_EQ(f.clicks, 1);
}

TEST_F(SkinControlsTest, SpeedButtonFadesAndStopsItsPressFadeOnRelease) {
    ButtonForm f;
    Trace trace;
    f.speed.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    f.speed.Perform(ui::CM_MOUSEENTER);
    ASSERT_TRUE(ui::PumpUntil([&] { return Ended(trace, "scan", 1); }));
    EXPECT_EQ(trace.Count("scan", "fade"), 20);
    EXPECT_EQ(f.speed.CurrentState(), 1);

    f.speed.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(f.speed.CurrentState(), 2);
    EXPECT_EQ(trace.Count("scan", "fade"), 21); // the first frame at once
    f.speed.Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(f.speed_clicks, 1);
    EXPECT_EQ(trace.Count("scan", "fade-stop"), 1);
    ASSERT_TRUE(ui::PumpUntil([&] { return Ended(trace, "scan", 2); }));
    EXPECT_EQ(trace.Count("scan", "fade"), 31);
}

TEST_F(SkinControlsTest, ShutdownEndsEveryFadeAtOnceAndNoIterationsMeansNoFrames) {
    ButtonForm f;
    f.other.SetFocus();
    ui::PumpUntil([] { return false; });
    Trace trace;
    f.button.Perform(ui::CM_MOUSEENTER);
    f.speed.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    f.speed.Perform(ui::CM_MOUSEENTER);
    EXPECT_EQ(RunningFadeCount(), 2);
    EndAllFades();
    EXPECT_EQ(RunningFadeCount(), 0);
    EXPECT_EQ(trace.Count("CreateFolders", "fade-end"), 1);
    EXPECT_EQ(trace.Count("scan", "fade-end"), 1);
    const int frames_before = trace.Count("CreateFolders", "fade");

    const int button = Skin().GetSkinIndex(u"BUTTON");
    for (int iterations : {0, 1, -4}) {
        Skin().gd[button].FadingIterations = iterations;
        f.button.Perform(ui::CM_MOUSELEAVE);
        f.button.Perform(ui::CM_MOUSEENTER);
        EXPECT_FALSE(f.button.Fade().Running()) << iterations;
    }
    Skin().gd[button].FadingIterations = 20;
    EXPECT_EQ(trace.Count("CreateFolders", "fade"), frames_before);
    EXPECT_GE(trace.Count("CreateFolders", "fade-end"), 4);
}

TEST_F(SkinControlsTest, LabelShadowTrailsDownRightAndAutoSizeMakesRoomForIt) {
    ButtonForm f;
    const SIZE text = [&] {
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, f.label.GetFont().Handle());
        SIZE s{};
        GetTextExtentPoint32W(dc, L"Quillmark", 9, &s);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        return s;
    }();
    EXPECT_EQ(f.label.Width(), text.cx + 2);
    EXPECT_EQ(f.label.Height(), text.cy + 2);
    EXPECT_EQ(f.label.CaptionColor(), 0xFFFFFFu); // white caption, no skin
    f.label.Changed();
    EXPECT_EQ(f.label.CaptionColor(), 0xFFFFFFu); // the skin's TCLEFT is white too
    f.label.Shadow().Mode = TShadowMode::smSkin1;
    EXPECT_EQ(f.label.EffectiveShadow().Blur, 3);
    EXPECT_EQ(f.label.EffectiveShadow().Distance, 1);
    EXPECT_EQ(f.label.EffectiveShadow().ShadowColor, 7500402u);
    f.label.Shadow().Mode = TShadowMode::smCustom;
    f.label.Changed();
    ui::PumpUntil([] { return false; });

    // Some pixel of the label is darker than the form: the shadow.
    HDC dc = GetDC(f.form.Handle());
    int darker = 0;
    for (int y = 0; y < f.label.Height(); ++y)
        for (int x = 0; x < f.label.Width(); ++x)
            if (GetRValue(GetPixel(dc, f.label.Left() + x, f.label.Top() + y)) < 200)
                ++darker;
    ReleaseDC(f.form.Handle(), dc);
    EXPECT_GT(darker, 10);
}

TEST_F(SkinControlsTest, DropDownArrowOpensItsMenuAndSeparatorsShowNoStates) {
    ButtonForm f;
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 100, L"Item");
    f.speed.SetButtonStyle(render::TToolButtonStyle::tbsDropDown);
    f.speed.SetDropdownMenu(menu);
    ASSERT_EQ(f.speed.Width(), 81);

    // A press in the arrow part opens the menu, shown pressed while it is open; the menu is
    // closed from a timer, as its loop runs modally.
    static TsSpeedButton* open_button;
    static int state_while_open;
    open_button = &f.speed;
    state_while_open = -1;
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        state_while_open = open_button->MenuOpen() ? open_button->CurrentState() : -1;
        EndMenu();
    });
    f.speed.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(75, 5));
    f.speed.Perform(ui::CM_MOUSEENTER);
    f.speed.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(75, 5));
    EXPECT_EQ(state_while_open, 2);
    EXPECT_FALSE(f.speed.MenuOpen());
    EXPECT_EQ(f.speed_clicks, 0);

    // A click on the rest of the face is the button's click.
    f.speed.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 5));
    f.speed.Perform(WM_LBUTTONUP, 0, MAKELPARAM(20, 5));
    EXPECT_EQ(f.speed_clicks, 1);
    DestroyMenu(menu);

    // A separator ignores the mouse: it stays in the normal state and shows what is behind.
    f.speed.SetDropdownMenu(nullptr);
    f.speed.SetButtonStyle(render::TToolButtonStyle::tbsSeparator);
    f.speed.Perform(ui::CM_MOUSELEAVE);
    f.speed.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    f.speed.Perform(ui::CM_MOUSEENTER);
    EXPECT_EQ(f.speed.CurrentState(), 0);
    EXPECT_FALSE(f.speed.Fade().Running());
    // Glowing is not allowed without a skin manager that allows it: no glow.
    EXPECT_EQ(f.speed.GlowID(), -1);
}

// The faces of "Create Folders" and "Scan..." in their four looks, side by side in
// artefacts/button_states.png at twice the size for a person to judge; each look differs from
// the others.
TEST_F(SkinControlsTest, ButtonStatesSheet) {
    ButtonForm f;
    f.other.SetFocus();
    auto settle = [&](ui::Control& control, auto&& faded) {
        ASSERT_TRUE(ui::PumpUntil([&] { return !faded(); }));
        RedrawWindow(f.form.Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        (void)control;
    };
    std::vector<render::SkinBitmap> faces;
    auto take = [&](const render::SkinBitmap& cache) { faces.push_back(cache.Clone()); };

    settle(f.button, [&] { return f.button.Fade().Running(); });
    take(f.button.Cache());
    f.button.Perform(ui::CM_MOUSEENTER);
    settle(f.button, [&] { return f.button.Fade().Running(); });
    take(f.button.Cache());
    SendMessageW(f.button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
    settle(f.button, [&] { return f.button.Fade().Running(); });
    take(f.button.Cache());
    SendMessageW(f.button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(-60 & 0xFFFF, 10));
    f.button.Perform(ui::CM_MOUSELEAVE);
    f.other.SetFocus();
    f.button.SetEnabled(false);
    settle(f.button, [&] { return f.button.Fade().Running(); });
    take(f.button.Cache());

    take(f.speed.Cache());
    f.speed.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    f.speed.Perform(ui::CM_MOUSEENTER);
    settle(f.speed, [&] { return f.speed.Fade().Running(); });
    take(f.speed.Cache());
    f.speed.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    settle(f.speed, [&] { return f.speed.Fade().Running(); });
    take(f.speed.Cache());
    f.speed.Perform(WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
    f.speed.Perform(ui::CM_MOUSELEAVE);
    f.speed.SetEnabled(false);
    settle(f.speed, [&] { return f.speed.Fade().Running(); });
    take(f.speed.Cache());

    ASSERT_EQ(faces.size(), 8u);
    for (std::size_t row = 0; row < 2; ++row)
        for (std::size_t a = 0; a < 4; ++a)
            for (std::size_t b = a + 1; b < 4; ++b) {
                const render::SkinBitmap& x = faces[row * 4 + a];
                const render::SkinBitmap& y = faces[row * 4 + b];
                bool differ = x.Width() != y.Width() || x.Height() != y.Height();
                for (int py = 0; !differ && py < x.Height(); ++py)
                    for (int px = 0; !differ && px < x.Width(); ++px)
                        differ = x.At(px, py) != y.At(px, py);
                EXPECT_TRUE(differ) << "row " << row << ": looks " << a << " and " << b;
            }

    constexpr int kZoom = 2, kGap = 8;
    int width = kGap, height = kGap;
    for (std::size_t row = 0; row < 2; ++row) {
        int row_width = kGap;
        for (std::size_t i = 0; i < 4; ++i)
            row_width += faces[row * 4 + i].Width() * kZoom + kGap;
        width = std::max(width, row_width);
        height += faces[row * 4].Height() * kZoom + kGap;
    }
    data::Image32 sheet = data::MakeImage32(width, height, 0xFFE8E8E8u);
    int top = kGap;
    for (std::size_t row = 0; row < 2; ++row) {
        int left = kGap;
        for (std::size_t i = 0; i < 4; ++i) {
            const render::SkinBitmap& face = faces[row * 4 + i];
            for (int y = 0; y < face.Height() * kZoom; ++y)
                for (int x = 0; x < face.Width() * kZoom; ++x)
                    sheet.Row(top + y)[left + x] = face.At(x / kZoom, y / kZoom) | 0xFF000000u;
            left += face.Width() * kZoom + kGap;
        }
        top += faces[row * 4].Height() * kZoom + kGap;
    }
    CreateDirectoryW(L"artefacts", nullptr);
    const std::vector<std::uint8_t> png = data::EncodePng(sheet);
    std::ofstream("artefacts/button_states.png", std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
}

// The buttons take their skin from the skin manager: removing the skin draws the platform's
// look, a new one composes the skinned face again; command 16 stops a running fade.
TEST_F(SkinControlsTest, ButtonsFollowTheManagersSkin) {
    ButtonForm f;
    f.other.SetFocus();
    auto repaint = [&] {
        RedrawWindow(f.form.Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        ui::PumpUntil([] { return false; });
    };
    repaint();
    ASSERT_TRUE(f.button.Skinned());
    ASSERT_TRUE(f.speed.Skinned());
    const render::SkinBitmap skinned = f.button.Cache().Clone();

    manager_->Manager().SetActive(false);
    repaint();
    EXPECT_FALSE(f.button.Skinned());
    EXPECT_FALSE(f.speed.Skinned());
    // The platform's face: its own button colour in the middle of the left edge's inside.
    EXPECT_EQ(f.button.Cache().At(5, 17) & 0xFFFFFF,
              render::ColorToPixel(GetSysColor(COLOR_BTNFACE)) & 0xFFFFFF);

    manager_->Manager().SetActive(true);
    repaint();
    ASSERT_TRUE(f.button.Skinned());
    ASSERT_EQ(f.button.Cache().Width(), skinned.Width());
    for (int y = 0; y < skinned.Height(); ++y)
        for (int x = 0; x < skinned.Width(); ++x)
            ASSERT_EQ(f.button.Cache().At(x, y), skinned.At(x, y)) << x << "," << y;

    f.button.Perform(ui::CM_MOUSEENTER);
    ASSERT_TRUE(f.button.Fade().Running());
    engine::SendSkinCommand(f.button, engine::SkinCmdBeforeRefresh);
    EXPECT_FALSE(f.button.Fade().Running());
}

} // namespace
} // namespace skin::controls
