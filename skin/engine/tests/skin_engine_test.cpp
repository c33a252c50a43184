// The skin engine on real windows under Wine: choosing and announcing the internal skin, the
// order of the broadcast, and the gate in front of every skin command.

#include "skin/engine/broadcast.h"
#include "skin/engine/creation_hook.h"
#include "skin/engine/tests/engine_fixture.h"
#include "skin/windows/dialog_skinner.h"
#include "skin/windows/form_animation.h"
#include "skin/windows/skin_provider.h"
#include "ui/controls/scroll_box.h"
#include "ui/controls/speed_button.h"

#include <string>
#include <vector>

namespace skin::engine {
namespace {

class SkinEngineTest : public GatedTest {
protected:
    // Every skin command a control receives, as "name:command".
    void Record(ui::Control& control) {
        layers_.push_back(control.AddProcedureLayer(
            [this, &control](ui::Message& message, const ui::ProcedureChain::Next& next) {
                if (message.msg == ui::WM_SKINCOMMAND) {
                    const WORD command = ui::SkinCommandOf(message);
                    if (command != SkinCmdCtrlHandled)
                        received.push_back(
                            std::string(control.Name().begin(), control.Name().end()) + ":" +
                            std::to_string(command));
                    if (command == SkinCmdCtrlHandled && &control == handles_itself) {
                        message.result = 1;
                        return;
                    }
                }
                next(message);
                if (message.msg == ui::WM_SKINCOMMAND &&
                    ui::SkinCommandOf(message) == SkinCmdGetBackground)
                    message.result = 77;
            }));
    }

    std::vector<std::string> received;
    ui::Control* handles_itself = nullptr;
    std::vector<ui::ProcedureLayer> layers_;
};

TEST_F(SkinEngineTest, BroadcastWalksFormsFromTheLastAndLetsSelfHandlingWindowsPassItOn) {
    BuiltForm first;
    first.SetName(u"first");
    auto& box = ui::Make<ui::ScrollBox>(first);
    box.SetName(u"box");
    box.SetParent(&first);
    auto& inner = ui::Make<ui::SpeedButton>(box);
    inner.SetName(u"inner");
    inner.SetParent(&box);
    BuiltForm second;
    second.SetName(u"second");
    auto& own = ui::Make<ui::ScrollBox>(second);
    own.SetName(u"own");
    own.SetParent(&second);
    auto& hidden = ui::Make<ui::SpeedButton>(own);
    hidden.SetName(u"hidden");
    hidden.SetParent(&own);
    for (ui::Control* control :
         std::initializer_list<ui::Control*>{&first, &box, &inner, &second, &own, &hidden})
        Record(*control);
    first.Finish();
    second.Finish();
    first.Handle();
    second.Handle();
    handles_itself = &own;

    BroadcastSkinCommand(SkinCmdRefresh, 0);
    EXPECT_EQ(received, (std::vector<std::string>{"second:3", "own:3", "first:3", "inner:3"}));
}

TEST_F(SkinEngineTest, PointerCommandsNeedARecordOfOursInFlight) {
    ui::Form form(nullptr);
    form.SetName(u"form");
    Record(form);
    BackgroundInfo info;
    EXPECT_EQ(SendSkinCommand(form, SkinCmdGetBackground, 0, 0, &info), 77);
    EXPECT_EQ(SendMessageW(form.Handle(), ui::WM_SKINCOMMAND, MakeSkinCommand(SkinCmdGetBackground),
                           reinterpret_cast<LPARAM>(&info)),
              0);
    PostMessageW(form.Handle(), ui::WM_SKINCOMMAND, MakeSkinCommand(SkinCmdGetBackground), 0x1234);
    PostMessageW(form.Handle(), ui::WM_SKINCOMMAND, MakeSkinCommand(SkinCmdBGChanged), 0);
    ui::Application::Instance().ProcessMessages();
    EXPECT_EQ(received, (std::vector<std::string>{"form:34", "form:17"}));
    EXPECT_FALSE(IsRecordInFlight(reinterpret_cast<LPARAM>(&info)));
    // Foreign windows never get skin commands.
    HWND foreign = CreateWindowW(L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(SendSkinCommand(foreign, SkinCmdGetColor), 0);
    DestroyWindow(foreign);
}

TEST_F(SkinEngineTest, ManagerChoosesTheInternalSkinAndAnnouncesOncePerBracket) {
    ASSERT_FALSE(InternalPackageBytes().empty());
    BuiltForm form;
    form.SetName(u"form");
    Record(form);
    form.Finish();
    form.Handle();
    TsSkinManager manager(nullptr);
    std::vector<std::u16string> messages;
    manager.OnMessage = [&](const std::u16string& text, bool) { messages.push_back(text); };
    EXPECT_EQ(TsSkinManager::Default(), &manager);
    EXPECT_EQ(manager.SkinInfo(), u"N/A");
    EXPECT_EQ(manager.Version(), u"7.65");
    OfferInternalSkin(manager);
    manager.SetExtendedBorders(true);
    manager.SetSkinName(u"Glacier (internal).ASZ");
    EXPECT_EQ(manager.SkinName(), u"Glacier (internal)");
    EXPECT_EQ(manager.SkinInfo(), u"7.1");
    EXPECT_EQ(manager.FormShadowSize(), (frame::Margins{50, 50, 50, 50}));
    EXPECT_TRUE(manager.SkinIsPacked());
    EXPECT_EQ(std::count(received.begin(), received.end(), "form:1"), 1);
    EXPECT_TRUE(manager.GlobalHookInstalled());

    manager.SetSkinName(u"Nowhere");
    EXPECT_EQ(manager.SkinName(), u"Glacier (internal)");

    received.clear();
    manager.BeginUpdate();
    manager.SetSkinName(u"Glacier (internal)");
    manager.SetSkinName(u"Other");
    manager.EndUpdate(true, false);
    EXPECT_EQ(std::count(received.begin(), received.end(), "form:1"), 1);
    EXPECT_TRUE(manager.AnimEffects.SkinChanging.Active);

    received.clear();
    manager.SetActive(false);
    EXPECT_EQ(received, (std::vector<std::string>{"form:2"}));
    EXPECT_EQ(manager.FrameSource(), nullptr);
    EXPECT_FALSE(CreationHookInstalled());
    manager.SetActive(true);
    EXPECT_NE(manager.FrameSource(), nullptr);
    EXPECT_TRUE(CreationHookInstalled());
    EXPECT_TRUE(messages.empty());
}

TEST_F(SkinEngineTest, OnlyTheDefaultManagerHooksAndItsEndUnhooks) {
    {
        TsSkinManager manager(nullptr);
        OfferInternalSkin(manager);
        TsSkinManager second(nullptr);
        OfferInternalSkin(second);
        second.SetSkinName(u"Glacier (internal)");
        EXPECT_FALSE(CreationHookInstalled());
        manager.SetSkinName(u"Glacier (internal)");
        EXPECT_TRUE(manager.GlobalHookInstalled());
        second.SetActive(false);
        EXPECT_TRUE(CreationHookInstalled());
    }
    EXPECT_FALSE(CreationHookInstalled());
}

INT_PTR CALLBACK InitialisedDialog(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

TEST_F(SkinEngineTest, DressedDialogsFollowTheSkinAndAreLeftToThePlatformWithoutOne) {
    TsSkinManager manager(nullptr);
    OfferInternalSkin(manager);
    manager.SetSkinName(u"Glacier (internal)");
    ASSERT_NE(manager.DialogSkinner(), nullptr);

    alignas(4) WORD words[32] = {};
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words);
    header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    header->cx = 120;
    header->cy = 60;
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), header, nullptr,
                                             InitialisedDialog, 0);
    ASSERT_NE(dialog, nullptr);
    windows::TacDialogSkinner& skinner = *manager.DialogSkinner();
    ASSERT_NE(skinner.DialogOf(dialog), nullptr);
    EXPECT_EQ(skinner.DialogOf(dialog)->Frame()->SkinSection, u"DIALOG");

    // A new skin: the dialog is dressed again with it.
    manager.SetSkinName(u"Glacier (internal)");
    ASSERT_NE(skinner.DialogOf(dialog), nullptr);
    ASSERT_NE(skinner.DialogOf(dialog)->Frame(), nullptr);
    EXPECT_TRUE(skinner.DialogOf(dialog)->Frame()->Skinned());
    EXPECT_EQ(GetWindowLongW(dialog, GWL_STYLE) & WS_SYSMENU, 0);

    // Skinning off: the platform's frame again, and no watch.
    manager.SetActive(false);
    EXPECT_EQ(skinner.DialogCount(), 0u);
    EXPECT_NE(GetWindowLongW(dialog, GWL_STYLE) & WS_SYSMENU, 0);
    EXPECT_FALSE(CreationHookInstalled());
    DestroyWindow(dialog);
}

TEST_F(SkinEngineTest, FailedLoadKeepsThePreviousSkinWhole) {
    static const std::vector<std::uint8_t> damaged{'A', 'S', 'z', 'f', 1, 2, 3};
    TsSkinManager manager(nullptr);
    std::vector<std::u16string> messages;
    manager.OnMessage = [&](const std::u16string& text, bool) { messages.push_back(text); };
    OfferInternalSkin(manager);
    manager.InternalSkins.push_back({u"Broken", damaged});
    manager.SetSkinName(u"Glacier (internal)");
    const data::LoadedSkin* before = manager.Skin();
    ASSERT_NE(before, nullptr);
    manager.SetSkinName(u"Broken");
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(manager.Skin(), before);
    EXPECT_EQ(manager.SkinName(), u"Glacier (internal)");
    EXPECT_EQ(manager.SkinInfo(), u"7.1");
}

TEST_F(SkinEngineTest, MinimiseAndRestoreOfTheApplicationWindowReachTheMainForm) {
    BuiltForm form;
    form.Finish();
    form.SetBounds({100, 100, 300, 200});
    TsSkinManager manager(nullptr);
    OfferInternalSkin(manager);
    manager.SetSkinDirectory(u"c:\\NoSkinsHere");
    manager.SetExtendedBorders(true);
    manager.SetSkinName(u"Glacier (internal)");
    auto& provider = ui::Make<windows::TsSkinProvider>(form);
    provider.SetSkinSource(manager.FrameSource());
    ASSERT_EQ(ui::Application::Instance().MainForm(), &form);
    HWND application = ui::Application::Instance().Handle();
    HWND window = form.Handle();

    // Hidden, the form is left alone, and the hidden application window stays as it is.
    SendMessageW(application, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(IsIconic(window));
    EXPECT_FALSE(IsIconic(application));
    EXPECT_FALSE(IsWindowVisible(application));
    EXPECT_EQ(manager.ShowState(), ShowAction::saMinimize);

    form.Show();
    ui::PumpUntil([&] { return provider.Extended(); });
    ASSERT_TRUE(provider.Extended());
    SendMessageW(application, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(window));
    EXPECT_FALSE(provider.Extended()) << "the border window goes with the minimised form";
    ASSERT_TRUE(ui::PumpUntil([] { return windows::RunningAnimations() == 0; }));

    SendMessageW(application, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(window));
    EXPECT_EQ(manager.ShowState(), ShowAction::saRestore);
    EXPECT_TRUE(provider.Extended()) << "and comes back with it";
    ASSERT_TRUE(ui::PumpUntil([] { return windows::RunningAnimations() == 0; }));
    EXPECT_FALSE(IsWindowVisible(application));
}

} // namespace
} // namespace skin::engine
