#include "app/frame_skin.h"

#include "dialogs/message_dialogs.h"
#include "skin/engine/common_data.h"
#include "skin/engine/skin_manager.h"
#include "skin/windows/ctrl_adapter.h"
#include "skin/windows/dialog_skinner.h"
#include "skin/windows/edit_wnd.h"
#include "skin/windows/scroll_wnd.h"
#include "skin/windows/skin_provider.h"
#include "skin/windows/tree_view_skin.h"
#include "ui/application.h"
#include "ui/controls/tree_view.h"
#include "ui/form.h"

#include <windows.h>

namespace app {
namespace {

constexpr char16_t kInternalSkinName[] = u"Glacier (internal)";

std::span<const std::uint8_t> InternalSkinPackage() {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, L"INTERNAL_SKIN", MAKEINTRESOURCEW(10)); // RT_RCDATA
    HGLOBAL resource = found ? LoadResource(module, found) : nullptr;
    if (!resource)
        return {};
    return {static_cast<const std::uint8_t*>(LockResource(resource)),
            SizeofResource(module, found)};
}

} // namespace

skin::engine::TsSkinManager& CreateSkinManager(ui::Component& owner) {
    auto& manager = ui::Make<skin::engine::TsSkinManager>(owner);
    manager.SetName(u"sSkinManager1");
    manager.Effects.AllowGlowing = false;
    manager.Effects.AllowAeroBluring = false;
    manager.SetExtendedBorders(true);
    manager.AnimEffects.FormHide.Time = 100;
    manager.IcoLineSkin = u"ICOLINE";
    const std::span<const std::uint8_t> package = InternalSkinPackage();
    if (!package.empty())
        manager.InternalSkins.push_back({kInternalSkinName, package});
    manager.SetSkinDirectory(u"c:\\Skins");
    manager.SetSkinName(kInternalSkinName);
    if (skin::windows::TacDialogSkinner* skinner = manager.DialogSkinner())
        skinner->RequestedPosition = [] {
            const dialogs::MessageBoxPosition requested = dialogs::RequestedMessageBoxPosition();
            return POINT{requested.x, requested.y};
        };
    return manager;
}

const skin::data::LoadedSkin* CurrentSkin() {
    skin::engine::TsSkinManager* manager = skin::engine::TsSkinManager::Default();
    return manager ? manager->Skin() : nullptr;
}

void DressForm(ui::Form& form, bool dialog) {
    skin::engine::TsSkinManager* manager = skin::engine::TsSkinManager::Default();
    const skin::windows::FrameSkinSource* source = manager ? manager->FrameSource() : nullptr;
    if (!source)
        return;
    auto& provider = ui::Make<skin::windows::TsSkinProvider>(form);
    provider.SetName(u"sSkinProvider1");
    if (dialog) {
        provider.SkinSection = u"DIALOG";
        provider.ShowAppIcon = false;
        provider.Grip = skin::windows::GripMode::gmRightBottom;
    }
    provider.SetSkinSource(source);
    // Framework controls without a skinned counterpart that the manager's lists name.
    if (const skin::data::LoadedSkin* skin = manager->Skin())
        ui::Make<skin::windows::TacCtrlAdapter>(form, *skin, manager->ThirdLists);
}

void DressTreeView(ui::TreeView& tree) {
    ui::Make<skin::windows::TsTreeViewSkin>(
        tree, skin::windows::TsTreeViewSkin::CurrentSkin(CurrentSkin));
}

void DressEdit(ui::WinControl& edit) {
    // The edit's colours follow its section through its skin state; the handler draws the frame.
    auto& skin_data =
        ui::Make<skin::engine::TsCommonData>(edit, skin::engine::kCategoryDirectoryEdit);
    skin_data.SetSkinSection(u"EDIT");
    skin_data.Loaded();
    // The frame follows the manager's skin as it changes, goes and comes back.
    ui::Make<skin::windows::TsEditSkin>(edit, skin::windows::TsEditSkin::CurrentSkin(CurrentSkin));
}

void DressScrollBars(ui::WinControl& control) {
    if (const skin::data::LoadedSkin* skin = CurrentSkin())
        ui::Make<skin::windows::TsScrollSkin>(control, *skin);
}

} // namespace app
