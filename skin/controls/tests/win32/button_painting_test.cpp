// When the skinned buttons compose and show their faces, on real windows under Wine: each fade
// frame offered to the button before it is copied, the gates of the paint message (updating,
// a changed background, a button partly outside its parent), a window-less button's siblings
// above it kept in its cache, and a push button clipped to the shape of its border.

#include "skin/controls/skin_button.h"
#include "skin/controls/skin_speed_button.h"
#include "skin/controls/tests/win32/skin_controls_fixture.h"
#include "skin/render/corner_pixels.h"
#include "skin/render/mask_source.h"
#include "ui/form.h"
#include "ui/message.h"

#include <cstdlib>
#include <vector>

namespace skin::controls {
namespace {

using testing::Ended;
using testing::Trace;
using testing::TraceLine;

// A window-less control that paints one colour over its whole rectangle.
class Patch : public ui::GraphicControl {
public:
    Patch(ui::Component* owner, COLORREF colour) : GraphicControl(owner), colour_(colour) {}
    void Paint(HDC dc) override {
        HBRUSH brush = CreateSolidBrush(colour_);
        RECT r{0, 0, Width(), Height()};
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }

private:
    COLORREF colour_;
};

struct PaintForm {
    ui::Form form{nullptr};
    TsButton& button = ui::Make<TsButton>(form);
    TsButton& other = ui::Make<TsButton>(form);

    PaintForm() {
        form.SetBounds({120, 120, 420, 220});
        form.SetColor(ui::Rgb(232, 232, 232));
        button.SetName(u"CreateFolders");
        button.SetParent(&form);
        button.SetBounds({250, 120, 137, 34});
        button.SetText(u"Create Folders");
        other.SetName(u"Other");
        other.SetParent(&form);
        other.SetBounds({10, 120, 75, 25});
        other.SetText(u"Other");
        form.Show();
        other.SetFocus();
        ui::PumpUntil([] { return false; });
    }
};

void Redraw(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
}

COLORREF ShownAt(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF shown = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return shown;
}

COLORREF AsColorRef(render::Pixel p) {
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void Smear(HWND window, COLORREF colour) {
    HDC dc = GetDC(window);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT r{0, 0, 2000, 2000};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    ReleaseDC(window, dc);
}

int ChannelDistance(render::Pixel a, render::Pixel b) {
    int most = 0;
    for (int shift : {0, 8, 16})
        most = std::max(most, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return most;
}

class ButtonPaintingTest : public testing::SkinControlsTest {};

TEST_F(ButtonPaintingTest, EachFadeFrameIsOfferedToTheButtonBeforeItIsCopied) {
    PaintForm f;
    const render::SkinBitmap normal = f.button.Cache().Clone();
    ASSERT_EQ(normal.Width(), 137);

    // Where the hot face differs most from the normal one, consecutive frames differ too.
    struct Offer {
        int frame_width = 0;
        COLORREF shown = 0;
        COLORREF offered = 0;
    };
    std::vector<Offer> offers;
    bool take = false;
    int px = 0, py = 0;
    ui::ProcedureLayer layer =
        f.button.AddProcedureLayer([&](ui::Message& m, const ui::ProcedureChain::Next& next) {
            if (m.msg == ui::WM_SKINCOMMAND && ui::SkinCommandOf(m) == engine::SkinCmdFadeFrame) {
                const auto* frame = reinterpret_cast<const render::SkinBitmap*>(m.lParam);
                offers.push_back({frame->Width(), ShownAt(f.button.Handle(), px, py),
                                  AsColorRef(frame->At(px, py))});
                if (take) {
                    m.result = 1;
                    return;
                }
            }
            next(m);
        });

    {
        // A first hover, only to learn the hot face.
        Trace trace;
        f.button.Perform(ui::CM_MOUSEENTER);
        ASSERT_TRUE(ui::PumpUntil([&] { return Ended(trace, "CreateFolders", 1); }));
    }
    const render::SkinBitmap hot = f.button.Cache().Clone();
    int widest = -1;
    for (int y = 0; y < hot.Height(); ++y)
        for (int x = 0; x < hot.Width(); ++x)
            if (const int d = ChannelDistance(hot.At(x, y), normal.At(x, y)); d > widest) {
                widest = d;
                px = x;
                py = y;
            }
    ASSERT_GE(widest, 40) << "the hot face hardly differs from the normal one";
    f.button.Perform(ui::CM_MOUSELEAVE);
    ASSERT_TRUE(ui::PumpUntil([&] { return !f.button.Fade().Running(); }));
    offers.clear();

    // Not taken: every frame offered first, then copied to the window.
    Trace trace;
    f.button.Perform(ui::CM_MOUSEENTER);
    ASSERT_TRUE(ui::PumpUntil([&] { return Ended(trace, "CreateFolders", 1); }));
    const std::vector<TraceLine> lines = trace.Lines("CreateFolders");
    std::vector<long long> offered_frames;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].event == "fade-offer") {
            offered_frames.push_back(lines[i].frame);
            ASSERT_GT(i, 0u);
            EXPECT_EQ(lines[i - 1].event, "fade");
            EXPECT_EQ(lines[i - 1].frame, lines[i].frame);
            EXPECT_EQ(lines[i].value, 0);
        }
    ASSERT_EQ(offered_frames.size(), 20u);
    for (std::size_t k = 0; k < offered_frames.size(); ++k)
        EXPECT_EQ(offered_frames[k], static_cast<long long>(k + 1));
    ASSERT_EQ(offers.size(), 20u);
    int shown_before = 0;
    for (std::size_t k = 1; k < offers.size(); ++k) {
        EXPECT_EQ(offers[k].frame_width, 137);
        // When frame k is offered the window still shows frame k - 1.
        if (offers[k].offered != offers[k - 1].offered)
            shown_before += offers[k].shown == offers[k - 1].offered;
        EXPECT_NE(offers[k].shown, offers[k].offered) << "frame " << k + 1 << " already shown";
    }
    EXPECT_GE(shown_before, 15);

    // Taken by the button: no frame reaches the window; the final face does.
    f.button.Perform(ui::CM_MOUSELEAVE);
    ASSERT_TRUE(ui::PumpUntil([&] { return !f.button.Fade().Running(); }));
    Smear(f.button.Handle(), RGB(0, 0, 255));
    const COLORREF smeared = ShownAt(f.button.Handle(), px, py);
    take = true;
    offers.clear();
    Trace taken("skin_controls_test_taken");
    f.button.Perform(ui::CM_MOUSEENTER);
    ASSERT_TRUE(ui::PumpUntil([&] { return Ended(taken, "CreateFolders", 1); }));
    ASSERT_EQ(offers.size(), 20u);
    for (const Offer& o : offers)
        EXPECT_EQ(o.shown, smeared);
    EXPECT_EQ(taken.Count("CreateFolders", "fade-offer"), 20);
    EXPECT_EQ(ShownAt(f.button.Handle(), px, py), AsColorRef(hot.At(px, py)));
}

TEST_F(ButtonPaintingTest, PaintComposesOnlyWhenTheBackgroundChangedAndNotWhileUpdating) {
    PaintForm f;
    HWND button = f.button.Handle();
    Redraw(button);
    Trace trace;
    const auto composed = [&] { return trace.Count("CreateFolders", "compose"); };
    const auto skipped = [&] { return trace.Count("CreateFolders", "paint-skipped"); };

    // Wholly inside its form, with nothing changed: the face is copied, not composed again.
    Redraw(button);
    Redraw(button);
    EXPECT_EQ(composed(), 0);
    const COLORREF face = ShownAt(button, 3, 17);
    EXPECT_EQ(face, AsColorRef(f.button.Cache().At(3, 17)));

    // Told that what lies behind it changed: composed once more.
    engine::SendSkinCommand(f.button, engine::SkinCmdBGChanged);
    Redraw(button);
    Redraw(button);
    EXPECT_EQ(composed(), 1);

    // Updating: the paint draws nothing, whatever the window showed stays.
    engine::SendSkinCommand(f.button, engine::SkinCmdSetUpdating, 1);
    Smear(button, RGB(255, 0, 0));
    Redraw(button);
    EXPECT_EQ(skipped(), 1);
    EXPECT_EQ(ShownAt(button, 3, 17), RGB(255, 0, 0));
    engine::SendSkinCommand(f.button, engine::SkinCmdSetUpdating, 0);
    Redraw(button);
    EXPECT_EQ(ShownAt(button, 3, 17), face);
    EXPECT_EQ(skipped(), 1);

    // A parent that is being updated holds its children's paint too.
    bool parent_updating = true;
    bool parent_half_visible = false;
    {
        ui::ProcedureLayer layer =
            f.form.AddProcedureLayer([&](ui::Message& m, const ui::ProcedureChain::Next& next) {
                if (m.msg == ui::WM_SKINCOMMAND &&
                    ui::SkinCommandOf(m) == engine::SkinCmdIsUpdating) {
                    m.result = parent_updating;
                    return;
                }
                if (m.msg == ui::WM_SKINCOMMAND &&
                    ui::SkinCommandOf(m) == engine::SkinCmdGetHalfVisible) {
                    m.result = parent_half_visible;
                    return;
                }
                next(m);
            });
        Redraw(button);
        EXPECT_EQ(skipped(), 2);
        // A parent partly hidden itself: each paint composes.
        parent_updating = false;
        parent_half_visible = true;
        const int before = composed();
        Redraw(button);
        Redraw(button);
        EXPECT_EQ(composed(), before + 2);
    }

    // Partly outside the form's client area: composed on every paint, as what shows behind it
    // may move; back inside, once more and then no more.
    f.button.SetBounds({350, 120, 137, 34});
    Redraw(button);
    int before = composed();
    Redraw(button);
    Redraw(button);
    EXPECT_EQ(composed(), before + 2);
    f.button.SetBounds({250, 120, 137, 34});
    Redraw(button);
    Redraw(button);
    before = composed();
    Redraw(button);
    Redraw(button);
    EXPECT_EQ(composed(), before);
    EXPECT_TRUE(errors.empty());
}

TEST_F(ButtonPaintingTest, CommandTwentyThreeComposesAndDisablingStopsAFade) {
    PaintForm f;
    Trace trace;
    // 23: the face of the state shown composed again (what a fade asks for its target).
    engine::SendSkinCommand(f.button, engine::SkinCmdRebuildBorder);
    EXPECT_EQ(trace.Count("CreateFolders", "compose"), 1);

    // Disabled in the middle of a hover fade: the fade stops where it is and the next paint
    // shows the dimmed normal face.
    f.button.Perform(ui::CM_MOUSEENTER);
    ASSERT_TRUE(f.button.Fade().Running());
    f.button.SetEnabled(false);
    EXPECT_FALSE(f.button.Fade().Running());
    EXPECT_EQ(trace.Count("CreateFolders", "fade-stop"), 1);
    EXPECT_EQ(trace.Count("CreateFolders", "fade-end"), 0);
    Redraw(f.button.Handle());
    EXPECT_EQ(f.button.CurrentState(), 0);
    const render::SkinBitmap dimmed = f.button.Cache().Clone();
    f.button.SetEnabled(true);
    f.button.Perform(ui::CM_MOUSELEAVE);
    Redraw(f.button.Handle());
    ASSERT_TRUE(ui::PumpUntil([&] { return !f.button.Fade().Running(); }));
    // Dimmed over a plain colour: half way toward the form's grey.
    const render::Pixel face = f.button.Cache().At(68, 8);
    for (int shift : {0, 8, 16}) {
        const int own = (face >> shift) & 0xFF;
        EXPECT_NEAR(double((dimmed.At(68, 8) >> shift) & 0xFF), (own + 0xE8) / 2.0, 1.5) << shift;
    }
    EXPECT_EQ(ShownAt(f.button.Handle(), 68, 8), AsColorRef(face));
}

struct SpeedForm {
    ui::Form form{nullptr};
    Patch& below = ui::Make<Patch>(form, RGB(0, 0, 0));
    TsSpeedButton& speed = ui::Make<TsSpeedButton>(form);
    TsSpeedButton& twin = ui::Make<TsSpeedButton>(form);
    Patch& above = ui::Make<Patch>(form, RGB(0, 200, 0));

    SpeedForm() {
        form.SetBounds({120, 120, 420, 220});
        form.SetColor(ui::Rgb(232, 232, 232));
        // The order of joining the form is the order of painting: one patch under the button's
        // left end, one over its right end.
        below.SetParent(&form);
        below.SetBounds({10, 25, 20, 10});
        for (TsSpeedButton* b : {&speed, &twin}) {
            b->SetParent(&form);
            b->SetText(u"Scan...");
        }
        speed.SetName(u"scan");
        speed.SetBounds({20, 20, 81, 24});
        twin.SetName(u"twin");
        twin.SetBounds({20, 100, 81, 24});
        above.SetParent(&form);
        above.SetBounds({90, 24, 30, 12});
        form.Show();
        ui::PumpUntil([] { return false; });
    }

    // Mouse over both buttons; returns when both fades have ended.
    void Hover(const Trace& trace) {
        for (TsSpeedButton* b : {&speed, &twin}) {
            b->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
            b->Perform(ui::CM_MOUSEENTER);
        }
        ui::PumpUntil([&] { return Ended(trace, "scan", 1) && Ended(trace, "twin", 1); });
    }
};

TEST_F(ButtonPaintingTest, SpeedButtonCacheHoldsTheSiblingsAboveIt) {
    SpeedForm f;
    Trace trace;
    // Frames are shown straight on the form: the patch above stays on top in every one.
    int frames_checked = 0, frames_covering = 0;
    ui::Timer look = ui::Application::Instance().Timers().Start(10, [&] {
        const render::SkinBitmap& frame = f.speed.Fade().Frame();
        if (!f.speed.Fade().Running() || frame.IsEmpty())
            return;
        ++frames_checked;
        // Blending a pixel with itself may lose one step of rounding.
        frames_covering += ChannelDistance(frame.At(75, 8), 0x00C800) <= 1;
    });
    f.Hover(trace);
    look.Stop();
    ASSERT_TRUE(Ended(trace, "scan", 1));
    EXPECT_EQ(trace.Count("scan", "fade"), 20);
    EXPECT_GT(frames_checked, 0);
    EXPECT_EQ(frames_covering, frames_checked);

    // The cache: the twin's face everywhere but under the patch above, which is painted in;
    // the patch below is not.
    const render::SkinBitmap& cache = f.speed.Cache();
    const render::SkinBitmap& plain = f.twin.Cache();
    ASSERT_EQ(cache.Width(), 81);
    ASSERT_EQ(plain.Width(), 81);
    int mismatches = 0, covered = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 81; ++x) {
            const bool under_patch = x >= 70 && y >= 4 && y < 16;
            if (under_patch) {
                covered += (cache.At(x, y) & 0xFFFFFF) == 0x00C800;
            } else {
                mismatches += cache.At(x, y) != plain.At(x, y);
            }
        }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(covered, 11 * 12);

    // On screen after a paint of the form: the patch over the button, the button over the
    // patch below it.
    Redraw(f.form.Handle());
    EXPECT_EQ(ShownAt(f.form.Handle(), 20 + 75, 20 + 8), RGB(0, 200, 0));
    EXPECT_EQ(ShownAt(f.form.Handle(), 20 + 5, 20 + 8), AsColorRef(plain.At(5, 8)));
    EXPECT_EQ(ShownAt(f.form.Handle(), 20 + 40, 20 + 12), AsColorRef(plain.At(40, 12)));
    EXPECT_TRUE(errors.empty());
}

TEST_F(ButtonPaintingTest, SpeedButtonFadeRefillsKeyedCornersFromTheBackgroundOfNow) {
    SpeedForm f;
    // A fading section whose border has keyed corners (the internal skin's SPEEDBUTTON border
    // blends its corners by a mask band instead).
    int section = -1;
    render::MaskSource border;
    for (const char16_t* name : {u"SPEEDBUTTON", u"TOOLBUTTON", u"BUTTON"}) {
        section = Skin().GetSkinIndex(name);
        if (section < 0 || !Skin().gd[section].FadingEnabled)
            continue;
        border = render::MaskFromSkin(&Skin(), Skin().gd[section].BorderIndex);
        if (border.CornerType > 0 && border.MaskType == 0) {
            f.speed.SetSkinSection(name);
            break;
        }
    }
    ASSERT_GT(border.CornerType, 0) << "no fading section with keyed corners";
    Redraw(f.form.Handle());
    // A corner pixel that is key in the normal and the hot image.
    const int sw = render::StateWidth(border);
    int cx = -1, cy = -1;
    for (int y = 0; y < border.WT && cx < 0; ++y)
        for (int x = 0; x < border.WL && cx < 0; ++x)
            if (border.Image.At(border.R.Left + x, border.R.Top + y) == render::kKeyPixel &&
                border.Image.At(border.R.Left + sw + x, border.R.Top + y) == render::kKeyPixel) {
                cx = x;
                cy = y;
            }
    ASSERT_GE(cx, 0);
    ASSERT_EQ(f.speed.Cache().At(cx, cy) & 0xFFFFFF, 0xE8E8E8u);

    // The form changes its colour behind the composed face; the next fade's frames show the
    // new colour in the corner from the first one on, though they blend two faces.
    f.form.SetColor(ui::Rgb(40, 80, 160));
    ui::PumpUntil([] { return false; });
    // The face was not composed again for it (nothing told the button).
    ASSERT_EQ(f.speed.Cache().At(cx, cy) & 0xFFFFFF, 0xE8E8E8u);
    std::vector<render::Pixel> corners;
    ui::Timer look = ui::Application::Instance().Timers().Start(10, [&] {
        if (f.speed.Fade().Running() && !f.speed.Fade().Frame().IsEmpty())
            corners.push_back(f.speed.Fade().Frame().At(cx, cy));
    });
    Trace trace;
    f.speed.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    f.speed.Perform(ui::CM_MOUSEENTER);
    // The first frame is drawn at once.
    ASSERT_TRUE(f.speed.Fade().Running());
    corners.push_back(f.speed.Fade().Frame().At(cx, cy));
    ASSERT_TRUE(ui::PumpUntil([&] { return Ended(trace, "scan", 1); }));
    look.Stop();
    ASSERT_GE(corners.size(), 2u);
    for (render::Pixel p : corners)
        EXPECT_LE(ChannelDistance(p, 0x2850A0), 1) << std::hex << p;
    EXPECT_EQ(f.speed.Cache().At(cx, cy) & 0xFFFFFF, 0x2850A0u);
}

TEST_F(ButtonPaintingTest, ButtonWithCutCornersIsClippedToItsBorderInTheStateShown) {
    PaintForm f;
    const int section = Skin().GetSkinIndex(u"BUTTON_HUGE");
    ASSERT_GE(section, 0);
    const render::MaskSource border = render::MaskFromSkin(&Skin(), Skin().gd[section].BorderIndex);
    ASSERT_EQ(border.CornerType, 2);
    // The key pixels of the four corner pieces of a state image: what the shape leaves out.
    const auto corner_keys = [&](int state) {
        const int sw = render::StateWidth(border);
        const int sh = render::StateHeight(border);
        const int left = border.R.Left + render::StateIndex(border, state) * sw;
        const int top = border.R.Top;
        int keys = 0;
        const auto count = [&](int x0, int y0, int w, int h) {
            for (int y = y0; y < y0 + h; ++y)
                for (int x = x0; x < x0 + w; ++x)
                    keys += border.Image.At(x, y) == render::kKeyPixel;
        };
        count(left, top, border.WL, border.WT);
        count(left + sw - border.WR, top, border.WR, border.WT);
        count(left, top + sh - border.WB, border.WL, border.WB);
        count(left + sw - border.WR, top + sh - border.WB, border.WR, border.WB);
        return keys;
    };
    const auto region_area = [&](HWND window, bool& corner_in, bool& centre_in) {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        const int kind = GetWindowRgn(window, region);
        int area = -1;
        if (kind != ERROR) {
            area = 0;
            for (int y = 0; y < 34; ++y)
                for (int x = 0; x < 137; ++x)
                    area += PtInRegion(region, x, y) != FALSE;
            corner_in = PtInRegion(region, 0, 0) != FALSE;
            centre_in = PtInRegion(region, 68, 17) != FALSE;
        }
        DeleteObject(region);
        return area;
    };
    const int normal_keys = corner_keys(0);
    ASSERT_GT(normal_keys, 0);
    ASSERT_EQ(border.Image.At(border.R.Left, border.R.Top), render::kKeyPixel);

    f.button.SetSkinSection(u"BUTTON_HUGE");
    Redraw(f.button.Handle());
    ASSERT_TRUE(ui::PumpUntil([&] { return f.button.RegionApplied(); }));
    bool corner_in = true, centre_in = false;
    EXPECT_EQ(region_area(f.button.Handle(), corner_in, centre_in), 137 * 34 - normal_keys);
    EXPECT_FALSE(corner_in);
    EXPECT_TRUE(centre_in);

    // A fade lets go of the shape for its frames and takes the hot one at its end.
    std::vector<int> kinds;
    ui::ProcedureLayer layer =
        f.button.AddProcedureLayer([&](ui::Message& m, const ui::ProcedureChain::Next& next) {
            next(m);
            if (m.msg == ui::WM_SKINCOMMAND && ui::SkinCommandOf(m) == engine::SkinCmdFadeFrame) {
                HRGN region = CreateRectRgn(0, 0, 0, 0);
                kinds.push_back(GetWindowRgn(f.button.Handle(), region));
                DeleteObject(region);
            }
        });
    Trace trace;
    f.button.Perform(ui::CM_MOUSEENTER);
    ASSERT_TRUE(ui::PumpUntil([&] { return Ended(trace, "CreateFolders", 1); }));
    ASSERT_EQ(kinds.size(), 20u);
    for (int kind : kinds)
        EXPECT_EQ(kind, ERROR);
    EXPECT_TRUE(f.button.RegionApplied());
    EXPECT_EQ(region_area(f.button.Handle(), corner_in, centre_in), 137 * 34 - corner_keys(1));

    // Back to a section without cut corners: the whole window again.
    f.button.SetSkinSection(u"BUTTON");
    Redraw(f.button.Handle());
    EXPECT_FALSE(f.button.RegionApplied());
    EXPECT_TRUE(f.button.RegionRuns().empty());
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(f.button.Handle(), region), ERROR);
    DeleteObject(region);
    EXPECT_TRUE(errors.empty());
}

} // namespace
} // namespace skin::controls
