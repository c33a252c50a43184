#include "app/frame_skin.h"

#include "skin/data/skin_loader.h"
#include "skin/windows/skin_provider.h"
#include "skin/windows/tree_view_skin.h"
#include "ui/application.h"
#include "ui/controls/tree_view.h"
#include "ui/form.h"

#include <memory>
#include <windows.h>

namespace app {
namespace {

// The main window's effects: closing fades in 100 ms, minimising takes 200 ms.
constexpr int kHideTime = 100;
constexpr int kMinimizeTime = 200;

struct LoadedInternalSkin {
    std::unique_ptr<skin::data::TacSkinConvertor> reader =
        std::make_unique<skin::data::TacSkinConvertor>();
    skin::data::SkinOptions options;
    skin::data::LoadedSkin skin;
    skin::windows::FrameSkinSource source;
};

std::unique_ptr<LoadedInternalSkin> Load() {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, L"INTERNAL_SKIN", MAKEINTRESOURCEW(10)); // RT_RCDATA
    HGLOBAL resource = found ? LoadResource(module, found) : nullptr;
    if (!resource)
        return nullptr;
    auto loaded = std::make_unique<LoadedInternalSkin>();
    const auto* bytes = static_cast<const std::uint8_t*>(LockResource(resource));
    loaded->reader->PackedData =
        std::span<const std::uint8_t>(bytes, SizeofResource(module, found));
    skin::data::UnpackSkinPackage(loaded->reader);
    loaded->options = skin::data::SkinOptions::Parse(*loaded->reader->Options);
    skin::data::PackageFileSource files(*loaded->reader);
    skin::data::LoadSkin(loaded->skin, loaded->options, files);
    loaded->source = skin::windows::MakeFrameSkinSource(loaded->skin, true);
    loaded->source.HideTime = kHideTime;
    loaded->source.MinimizeTime = kMinimizeTime;
    return loaded;
}

} // namespace

const skin::windows::FrameSkinSource* InternalFrameSkin() {
    static const std::unique_ptr<LoadedInternalSkin> loaded = []() {
        try {
            return Load();
        } catch (...) {
            ui::Application::Instance().HandleException(std::current_exception());
            return std::unique_ptr<LoadedInternalSkin>();
        }
    }();
    return loaded ? &loaded->source : nullptr;
}

void DressForm(ui::Form& form, bool dialog) {
    const skin::windows::FrameSkinSource* source = InternalFrameSkin();
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
}

void DressTreeView(ui::TreeView& tree) {
    const skin::windows::FrameSkinSource* source = InternalFrameSkin();
    if (source && source->Skin)
        ui::Make<skin::windows::TsTreeViewSkin>(tree, *source->Skin);
}

} // namespace app
