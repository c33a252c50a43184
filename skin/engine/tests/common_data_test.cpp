// A control's skin state on real windows under Wine: its section and record across skin
// changes, the commands it answers, what lies behind it, hover, and the edit colours.

#include "skin/engine/common_data.h"
#include "skin/engine/tests/engine_fixture.h"
#include "skin/frame/form_animation.h"
#include "skin/render/color_mix.h"
#include "skin/windows/form_animation.h"
#include "skin/windows/skin_provider.h"
#include "ui/controls/edit.h"
#include "ui/controls/scroll_box.h"
#include "ui/controls/speed_button.h"
#include "ui/trace.h"

#include <cstdio>
#include <vector>

namespace skin::engine {
namespace {

class CommonDataTest : public GatedTest {
protected:
    void SetUp() override {
        GatedTest::SetUp();
        manager_ = std::make_unique<TsSkinManager>(nullptr);
        OfferInternalSkin(*manager_);
        manager_->SetSkinName(u"Glacier (internal)");
        ASSERT_TRUE(manager_->SkinActive());
    }
    void TearDown() override {
        manager_.reset();
        GatedTest::TearDown();
    }

    template <class T>
    T& Child(ui::WinControl& parent, int left, int top, int width, int height) {
        auto& child = ui::Make<T>(parent);
        child.SetParent(&parent);
        child.SetBounds({left, top, width, height});
        return child;
    }

    const data::TsGeneralData& Section(std::u16string_view name) const {
        const data::LoadedSkin& skin = *manager_->Skin();
        return skin.gd[std::size_t(skin.GetSkinIndex(name))];
    }

    std::unique_ptr<TsSkinManager> manager_;
};

TEST_F(CommonDataTest, SectionNameAndRecordFollowTheManagersSkin) {
    BuiltForm form;
    auto& box = Child<ui::ScrollBox>(form, 10, 10, 100, 60);
    auto& state = ui::Make<TsCommonData>(box, 74);
    EXPECT_EQ(TsCommonData::Of(box), &state);
    EXPECT_EQ(state.SkinIndex(), -1);
    state.Loaded();
    EXPECT_EQ(state.SkinSection(), u"GROUPBOX");
    state.SetSkinSection(u"button");
    EXPECT_EQ(state.SkinSection(), u"BUTTON");
    const data::TsGeneralData* record = state.RecordOf();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record, &Section(u"BUTTON"));
    EXPECT_TRUE(state.Skinned());

    // A new load is a new skin object: the record is found in it, never in the old one.
    const data::LoadedSkin* old_skin = manager_->Skin();
    const data::TColor plain_color = Section(u"SELECTION").Color;
    ASSERT_NE(render::ShiftHue(render::Color(plain_color), 40), render::Color(plain_color));
    manager_->SetHueOffset(40);
    ASSERT_NE(manager_->Skin(), old_skin);
    EXPECT_EQ(render::Color(Section(u"SELECTION").Color),
              render::ShiftHue(render::Color(plain_color), 40));
    EXPECT_EQ(state.RecordOf(), &Section(u"BUTTON"));
    EXPECT_EQ(state.Skin(), manager_->Skin());

    state.SetSkinSection(u"");
    EXPECT_EQ(state.SkinSection(), u"UNKNOWN");
    EXPECT_EQ(state.RecordOf(), nullptr);
    EXPECT_FALSE(state.Skinned());

    // Removal and a new skin, as announced to the control's window.
    state.SetSkinSection(u"PANEL");
    form.Finish();
    form.Handle();
    manager_->SetActive(false);
    EXPECT_EQ(state.RecordOf(), nullptr);
    EXPECT_TRUE(state.CacheBmp().IsEmpty());
    manager_->SetActive(true);
    EXPECT_EQ(state.RecordOf(), &Section(u"PANEL"));
}

TEST_F(CommonDataTest, AnswersTheCommandTableForItsControl) {
    BuiltForm form;
    auto& box = Child<ui::ScrollBox>(form, 0, 0, 50, 40);
    auto& state = ui::Make<TsCommonData>(box, kCategoryButton);
    state.Loaded();
    form.Finish();
    form.Handle();
    EXPECT_EQ(SendSkinCommand(box, SkinCmdCtrlHandled), 1);
    EXPECT_EQ(SendSkinCommand(box, SkinCmdGetSkinData, 0, 0, &state),
              reinterpret_cast<LRESULT>(&state));
    int index = -7;
    SendSkinCommand(box, SkinCmdGetSkinIndex, 0, 0, &index);
    EXPECT_EQ(index, manager_->Skin()->GetSkinIndex(u"BUTTON"));
    state.BGChanged = false;
    EXPECT_EQ(SendSkinCommand(box, SkinCmdIsUpdating), 0);
    SendSkinCommand(box, SkinCmdSetUpdating, 1);
    EXPECT_EQ(SendSkinCommand(box, SkinCmdIsUpdating), 1);
    SendSkinCommand(box, SkinCmdSetUpdating, 0);
    SendSkinCommand(box, SkinCmdBGChanged);
    EXPECT_TRUE(state.BGChanged);
    std::u16string section = u"panel";
    SendSkinCommand(box, SkinCmdSetSection, 0, 0, &section);
    EXPECT_EQ(state.SkinSection(), u"PANEL");
    // The skin state's address never goes to another process.
    EXPECT_EQ(
        SendMessageW(box.Handle(), ui::WM_SKINCOMMAND, MakeSkinCommand(SkinCmdGetSkinData), 0), 0);

    // A partly transparent control without its image cannot show what lies behind it yet.
    state.SetSkinSection(u"BUTTON");
    BackgroundInfo info;
    SendSkinCommand(box, SkinCmdGetBackground, 0, 0, &info);
    EXPECT_EQ(info.Kind, BackgroundInfo::kPlainColor);
    EXPECT_EQ(info.Color, 0xFF00FFu);
}

TEST_F(CommonDataTest, TransparentContainerHandsOnTheFormsImageWithItsOffsets) {
    BuiltForm form;
    form.SetBounds({0, 0, 300, 200});
    auto& provider = ui::Make<windows::TsSkinProvider>(form);
    provider.SetSkinSource(manager_->FrameSource());
    auto& group = Child<ui::ScrollBox>(form, 20, 30, 150, 100);
    auto& group_state = ui::Make<TsCommonData>(group, 74);
    group_state.Loaded();
    auto& button = Child<ui::SpeedButton>(group, 5, 7, 40, 20);
    auto& button_state = ui::Make<TsCommonData>(button, kCategorySpeedButton);
    button_state.Loaded();
    form.Finish();
    form.Handle();
    ASSERT_EQ(group_state.RecordOf()->Transparency, 100);
    ASSERT_TRUE(group_state.CacheBmp().IsEmpty());

    BackgroundInfo direct;
    SendSkinCommand(form, SkinCmdGetBackground, 0, 0, &direct);
    ASSERT_EQ(direct.Kind, BackgroundInfo::kBitmap);
    const render::TCacheInfo behind = button_state.ParentBackground();
    EXPECT_TRUE(behind.Ready);
    EXPECT_EQ(behind.Bmp, direct.Bmp);
    EXPECT_EQ(behind.X, direct.OffsetX + 20 + 5);
    EXPECT_EQ(behind.Y, direct.OffsetY + 30 + 7);
}

TEST_F(CommonDataTest, ColourSeenThroughFallsBackToTheParentsOwnColour) {
    BuiltForm form;
    auto& outer = Child<ui::ScrollBox>(form, 0, 0, 200, 100);
    outer.SetColor(ui::Rgb(1, 2, 3));
    // A parent that cannot tell what lies behind it.
    ui::ProcedureLayer unknown =
        outer.AddProcedureLayer([](ui::Message& message, const ui::ProcedureChain::Next& next) {
            if (message.msg == ui::WM_SKINCOMMAND && ui::SkinCommandOf(message) == SkinCmdGetColor)
                message.result = 0xFF00FF;
            else
                next(message);
        });
    auto& group = Child<ui::ScrollBox>(outer, 10, 10, 100, 50);
    auto& state = ui::Make<TsCommonData>(group, 74);
    state.Loaded();
    form.Finish();
    form.Handle();
    EXPECT_EQ(SendSkinCommand(group, SkinCmdGetColor), LRESULT(ui::Rgb(1, 2, 3)));

    // The button's half: T / 100 of the parent, the rest its own colour.
    state.SetSkinSection(u"BUTTON");
    const data::TsGeneralData& button = Section(u"BUTTON");
    ASSERT_EQ(button.Transparency, 50);
    const render::Color expected =
        render::MixRatio(render::Color(ui::Rgb(1, 2, 3)),
                         render::Color(data::ColorToRGB(button.Color)) & 0xFFFFFF, 0.5);
    EXPECT_EQ(render::Color(SendSkinCommand(group, SkinCmdGetColor)), expected);
}

TEST_F(CommonDataTest, HoverMovesBetweenControlsAndAWindowlessOneMayRefuseToLeave) {
    BuiltForm form;
    auto& first = Child<ui::ScrollBox>(form, 0, 0, 50, 40);
    auto& second = Child<ui::ScrollBox>(form, 60, 0, 50, 40);
    auto& flat = Child<ui::SpeedButton>(form, 120, 0, 30, 20);
    auto& first_state = ui::Make<TsCommonData>(first, kCategoryButton);
    auto& second_state = ui::Make<TsCommonData>(second, kCategoryButton);
    auto& flat_state = ui::Make<TsCommonData>(flat, kCategorySpeedButton);
    for (TsCommonData* state : {&first_state, &second_state, &flat_state})
        state->Loaded();
    form.Finish();
    form.Handle();

    first.Perform(ui::CM_MOUSEENTER);
    EXPECT_EQ(manager_->ActiveControl(), first.Handle());
    EXPECT_TRUE(first_state.MouseAbove);
    manager_->SetActiveControl(second.Handle());
    EXPECT_FALSE(first_state.MouseAbove);
    EXPECT_TRUE(second_state.MouseAbove);

    flat.Perform(ui::CM_MOUSEENTER);
    EXPECT_EQ(manager_->ActiveGraphControl(), &flat);
    EXPECT_EQ(manager_->ActiveControl(), nullptr);
    // Still under the mouse: the change to none is refused.
    manager_->SetActiveGraphControl(nullptr);
    EXPECT_EQ(manager_->ActiveGraphControl(), &flat);
    flat.Perform(ui::CM_MOUSELEAVE);
    EXPECT_EQ(manager_->ActiveGraphControl(), nullptr);
    EXPECT_FALSE(flat_state.MouseAbove);
}

TEST_F(CommonDataTest, EditTakesTheSectionColoursAndGetsTheWindowColoursBack) {
    BuiltForm form;
    auto& edit = Child<ui::Edit>(form, 0, 0, 120, 21);
    edit.SetColor(ui::Rgb(1, 2, 3));
    auto& state = ui::Make<TsCommonData>(edit, kCategoryDirectoryEdit);
    state.SetSkinSection(u"edit");
    state.Loaded();
    const COLORREF color = COLORREF(data::ColorToRGB(Section(u"EDIT").Color));
    EXPECT_EQ(state.SkinSection(), u"EDIT");
    EXPECT_EQ(ui::ColorToRgb(edit.GetColor()), color);
    EXPECT_EQ(ui::ColorToRgb(edit.GetFont().color),
              COLORREF(data::ColorToRGB(Section(u"EDIT").FontColor.Color)));

    // A control's own colour stays.
    state.SetCustomColor(true);
    edit.SetColor(ui::Rgb(9, 8, 7));
    state.ApplySkinColors(false);
    EXPECT_EQ(edit.GetColor(), ui::Rgb(9, 8, 7));
    state.SetCustomColor(false);

    form.Finish();
    form.Handle();
    manager_->SetActive(false);
    EXPECT_EQ(edit.GetColor(), ui::SystemColor(COLOR_WINDOW));
    EXPECT_EQ(edit.GetFont().color, ui::SystemColor(COLOR_WINDOWTEXT));
    manager_->SetActive(true);
    EXPECT_EQ(ui::ColorToRgb(edit.GetColor()), color);
}

// Runs after the hover test on purpose: a bracketed change once hung there.
TEST_F(CommonDataTest, SkinChangeHoldsTheFormsStillAndFadesFromTheOldLook) {
    char name[MAX_PATH] = {};
    GetTempFileNameA(".", "trc", 0, name);
    const std::string trace = name;
    ui::RedirectTrace(trace);
    manager_->SetExtendedBorders(true);
    manager_->AnimEffects.SkinChanging = {true, 100};
    BuiltForm form;
    form.SetName(u"faded");
    form.SetBounds({50, 50, 300, 200});
    auto& provider = ui::Make<windows::TsSkinProvider>(form);
    provider.SetSkinSource(manager_->FrameSource());
    std::vector<bool> drawing_during_change;
    ui::ProcedureLayer watch = form.AddProcedureLayer([&](ui::Message& message,
                                                          const ui::ProcedureChain::Next& next) {
        if (message.msg == ui::WM_SKINCOMMAND && ui::SkinCommandOf(message) == SkinCmdSetNewSkin)
            drawing_during_change.push_back(IsWindowVisible(form.Handle()) != FALSE);
        next(message);
    });
    form.Finish();
    form.Show();
    ui::Application::Instance().ProcessMessages();

    manager_->SetSkinName(u"Glacier (internal)");
    windows::WaitForAnimations(3000);
    EXPECT_EQ(drawing_during_change, std::vector<bool>{false});
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    const int faded = CountLines(trace, "skin-change");
    EXPECT_EQ(faded,
              int(frame::HideFrames(10, 10, 100, 255, frame::AnimationMode::atFading).size()));
    EXPECT_GT(faded, 0);

    // Changes inside an update bracket ended without animation: one announcement, no fade.
    manager_->BeginUpdate();
    manager_->SetSkinName(u"Glacier (internal)");
    manager_->SetHueOffset(30);
    manager_->EndUpdate(true, false);
    windows::WaitForAnimations(3000);
    EXPECT_EQ(CountLines(trace, "skin-change"), faded);
    EXPECT_EQ(drawing_during_change.size(), 2u);
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    ui::RedirectTrace("");
    std::remove(trace.c_str());
}

} // namespace
} // namespace skin::engine
