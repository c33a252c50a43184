// Skin announcements on real windows under Wine: removal, return and a new skin reach every
// control behind a form's provider, the edit's and the tree's handlers included, and windows
// made inside a skinned control get their handlers from the form.

#include "skin/engine/common_data.h"
#include "skin/engine/skin_command_protocol.h"
#include "skin/engine/testing/internal_skin_manager.h"
#include "skin/windows/ctrl_adapter.h"
#include "skin/windows/edit_wnd.h"
#include "skin/windows/skin_provider.h"
#include "skin/windows/tree_view_skin.h"
#include "ui/controls/edit.h"
#include "ui/controls/scroll_box.h"
#include "ui/controls/tree_view.h"
#include "ui/form.h"
#include "ui/tests/win32/framework_fixture.h"

#include <vector>

namespace skin::engine {
namespace {

class ShownForm : public ui::Form {
public:
    ShownForm() : ui::Form(nullptr) { SetBounds({40, 40, 360, 240}); }
    void Finish() {
        FinishCreation();
        Show();
        ui::Application::Instance().ProcessMessages();
    }
};

class AnnouncementTest : public ui::FrameworkTest {
protected:
    TsSkinManager& Manager() { return skin_.Manager(); }

    template <class T>
    T& Child(ui::WinControl& parent, int left, int top, int width, int height) {
        auto& child = ui::Make<T>(parent);
        child.SetParent(&parent);
        child.SetBounds({left, top, width, height});
        return child;
    }

    // The panel every test puts its controls on, with its skin state.
    ui::ScrollBox& Panel(ui::Form& form) {
        auto& panel = Child<ui::ScrollBox>(form, 10, 10, 220, 140);
        ui::Make<TsCommonData>(panel, 51).Loaded();
        return panel;
    }

    COLORREF EditColour() {
        const data::LoadedSkin& skin = *Manager().Skin();
        return COLORREF(data::ColorToRGB(skin.gd[std::size_t(skin.GetSkinIndex(u"EDIT"))].Color));
    }

    testing::InternalSkinManager skin_;
};

TEST_F(AnnouncementTest, RemovalReturnAndNewSkinsReachTheControlsBehindTheFormsProvider) {
    ShownForm form;
    auto& provider = ui::Make<windows::TsSkinProvider>(form);
    provider.SetSkinSource(Manager().FrameSource());
    ui::ScrollBox& panel = Panel(form);
    auto& edit = Child<ui::Edit>(panel, 10, 10, 150, 22);
    auto& edit_state = ui::Make<TsCommonData>(edit, kCategoryDirectoryEdit);
    edit_state.SetSkinSection(u"EDIT");
    edit_state.Loaded();
    auto& frame = ui::Make<windows::TsEditSkin>(edit, [this] { return Manager().Skin(); });
    auto& tree = Child<ui::TreeView>(form, 10, 160, 200, 60);
    auto& tree_skin = ui::Make<windows::TsTreeViewSkin>(tree, [this] { return Manager().Skin(); });
    form.Finish();
    ASSERT_NE(tree_skin.Handler(), nullptr);
    ASSERT_TRUE(provider.Skinned());
    ASSERT_NE(frame.Handler(), nullptr);
    const COLORREF first_colour = EditColour();
    EXPECT_EQ(ui::ColorToRgb(edit.GetColor()), first_colour);

    Manager().SetActive(false);
    EXPECT_FALSE(provider.Skinned());
    EXPECT_EQ(edit.GetColor(), ui::SystemColor(COLOR_WINDOW));
    EXPECT_EQ(edit.GetFont().color, ui::SystemColor(COLOR_WINDOWTEXT));
    EXPECT_TRUE(!frame.Handler() || frame.Handler()->Destroyed());
    EXPECT_EQ(GetPropW(edit.Handle(), windows::kHandledProperty), nullptr);
    EXPECT_TRUE(!tree_skin.Handler() || tree_skin.Handler()->Destroyed());
    ui::Application::Instance().ProcessMessages();

    Manager().SetActive(true);
    EXPECT_TRUE(provider.Skinned());
    EXPECT_EQ(ui::ColorToRgb(edit.GetColor()), first_colour);
    ASSERT_NE(frame.Handler(), nullptr);
    EXPECT_FALSE(frame.Handler()->Destroyed());
    EXPECT_EQ(&frame.Handler()->Skin(), Manager().Skin());
    ASSERT_NE(tree_skin.Handler(), nullptr);
    EXPECT_EQ(&tree_skin.Handler()->Skin(), Manager().Skin());

    // Every load is a new data set: the frame handler is made anew for it while the old one is
    // still on the window delivering the announcement, and the edit takes the new colours.
    const data::LoadedSkin* before = Manager().Skin();
    Manager().SetHueOffset(120);
    ASSERT_NE(Manager().Skin(), before);
    EXPECT_EQ(ui::ColorToRgb(edit.GetColor()), EditColour());
    ASSERT_NE(frame.Handler(), nullptr);
    EXPECT_EQ(&frame.Handler()->Skin(), Manager().Skin());
    EXPECT_NE(GetPropW(edit.Handle(), windows::kHandledProperty), nullptr);
    EXPECT_EQ(&tree_skin.Handler()->Skin(), Manager().Skin());
    RedrawWindow(form.Handle(), nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(errors.empty());
}

TEST_F(AnnouncementTest, WindowsMadeInsideASkinnedControlGetTheirHandlersFromTheForm) {
    ShownForm form;
    ui::ScrollBox& panel = Panel(form);
    windows::ThirdPartyLists lists;
    for (auto& list : lists)
        list = {u" "};
    lists[windows::tlEdits] = {u"TEdit"};
    auto& inside = Child<ui::Edit>(panel, 5, 5, 100, 22);
    auto& outside = Child<ui::Edit>(form, 5, 160, 100, 22);
    // Left out by the adapter's first walk, then let in.
    inside.SetTag(windows::kSkipTag);
    outside.SetTag(windows::kSkipTag);
    std::vector<LPARAM> asked;
    ui::ProcedureLayer watch = form.AddProcedureLayer([&](ui::Message& message,
                                                          const ui::ProcedureChain::Next& next) {
        if (message.msg == ui::WM_SKINCOMMAND && ui::SkinCommandOf(message) == SkinCmdAddChildren)
            asked.push_back(message.lParam);
        next(message);
    });
    form.Finish();
    auto& adapter = ui::Make<windows::TacCtrlAdapter>(form, *Manager().Skin(), lists);
    ASSERT_EQ(adapter.HandlerCount(), 0u);
    inside.SetTag(0);
    outside.SetTag(0);

    // A value that is in flight but names no control of the form is answered and ignored.
    int stranger = 0;
    EXPECT_EQ(SendSkinCommand(form, SkinCmdAddChildren, 0, 0, &stranger), 1);
    EXPECT_EQ(adapter.HandlerCount(), 0u);
    EXPECT_EQ(SendSkinCommand(form, SkinCmdAddChildren, 0, 0, &panel), 1);
    EXPECT_NE(adapter.HandlerOf(inside.Handle()), nullptr);
    EXPECT_EQ(adapter.HandlerOf(outside.Handle()), nullptr);
    EXPECT_EQ(SendSkinCommand(form, SkinCmdAddChildren, 0, 0, &form), 1);
    EXPECT_NE(adapter.HandlerOf(outside.Handle()), nullptr);

    // A window the framework did not make, created inside the panel: the panel tells the form.
    asked.clear();
    HWND raw = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, panel.Handle(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(asked, std::vector<LPARAM>{reinterpret_cast<LPARAM>(&panel)});
    DestroyWindow(raw);
    // Hostile: the same command from outside the send helper is refused before any handler.
    asked.clear();
    SendMessageW(form.Handle(), ui::WM_SKINCOMMAND, MakeSkinCommand(SkinCmdAddChildren),
                 reinterpret_cast<LPARAM>(&panel));
    EXPECT_TRUE(asked.empty());
}

} // namespace
} // namespace skin::engine
