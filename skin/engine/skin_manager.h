#pragma once

// TsSkinManager: the one component that owns the loaded skin. It chooses a skin by name among
// the internal skins and the skins of the skin directory, loads it into a new data set that
// replaces the current one only when the whole load succeeded, and announces every change to
// the forms and controls with skin commands (skin/engine/broadcast.h).

#include "skin/data/loaded_skin.h"
#include "skin/engine/creation_hook.h"
#include "skin/frame/frame_geometry.h"
#include "skin/frame/frame_painter.h"
#include "skin/manager/announcements.h"
#include "skin/manager/common_sections.h"
#include "skin/manager/skin_choice.h"
#include "skin/windows/frame_skin_source.h"
#include "ui/component.h"
#include "ui/control.h"
#include "ui/procedure_chain.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>
#include <windows.h>

namespace skin::windows {
class TacDialogSkinner;
}

namespace skin::engine {

class FormsLock;

// One skin stored inside the program: a package of bytes (an .asz file's content).
struct TsStoredSkin {
    std::u16string Name;
    std::span<const std::uint8_t> PackedData; // borrowed: a resource or static bytes
};

enum class ShowAction { saIgnore, saRestore, saMinimize };

struct AnimEntry {
    bool Active = true;
    int Time = 0;
};

// A form dragged by its title band shows translucent with the blend value until the release.
struct BlendOnMovingEffect {
    bool Active = false;
    int BlendValue = 170;
    int Time = 1000;
};

struct TacAnimEffects {
    AnimEntry FormShow, FormHide, DialogShow, DialogHide, PageChange;
    AnimEntry SkinChanging{true, 100};
    AnimEntry Minimizing{true, 200};
    BlendOnMovingEffect BlendOnMoving;
};

struct TacSkinEffects {
    bool AllowGlowing = true;
    bool AllowAeroBluring = true;
};

inline constexpr int kThirdPartyListCount = 21;

// What the manager dresses besides the forms and controls that carry skin components.
enum TacSkinningRule : unsigned {
    srStdForms = 1u << 0,   // forms without a skin provider of their own
    srStdDialogs = 1u << 1, // message forms and the platform's dialog windows
    srThirdParty = 1u << 2, // standard controls of other classes
};

class TsSkinManager : public ui::Component {
public:
    explicit TsSkinManager(ui::Component* owner);
    ~TsSkinManager() override;
    std::u16string_view ClassName() const override { return u"TsSkinManager"; }

    // The default manager: the first one created, until it is destroyed.
    static TsSkinManager* Default();

    // Settings. Setting SkinName chooses and loads a skin and announces it.
    const std::u16string& SkinName() const { return skin_name_; }
    void SetSkinName(std::u16string_view name);
    bool Active() const { return active_; }
    void SetActive(bool active);
    const std::u16string& SkinDirectory() const { return skin_directory_; }
    void SetSkinDirectory(std::u16string_view directory);
    bool ExtendedBorders() const { return extended_borders_; }
    void SetExtendedBorders(bool extended);
    int HueOffset() const { return hue_offset_; }
    void SetHueOffset(int degrees);
    int Saturation() const { return saturation_; }
    void SetSaturation(int amount);
    // Options lines laid over every skin loaded (skin/manager/common_sections.h); setting them
    // loads the skin again.
    const std::vector<std::u16string>& CommonSections() const { return common_sections_; }
    void SetCommonSections(std::vector<std::u16string> lines);
    bool SkinnedPopups = true;
    unsigned SkinningRules = srStdForms | srStdDialogs | srThirdParty;
    TacSkinEffects Effects;
    TacAnimEffects AnimEffects;
    std::u16string IcoLineSkin = u"ICOLINE";
    // Class names of foreign controls handled by each kind of control handler.
    std::array<std::vector<std::u16string>, kThirdPartyListCount> ThirdLists;
    std::vector<TsStoredSkin> InternalSkins;

    // "7.1" for a skin of version 7.10; "N/A" without an active skin.
    std::u16string SkinInfo() const;
    static std::u16string_view Version() { return u"7.65"; }

    // Run-time state.
    const data::LoadedSkin* Skin() const { return skin_.get(); }
    bool SkinActive() const { return skin_ && skin_->SkinData.Active; }
    bool SkinIsPacked() const { return skin_is_packed_; }
    frame::Margins FormShadowSize() const { return frame_source_.ShadowSize; }
    // What the form providers paint their frames with; null without an active skin.
    const windows::FrameSkinSource* FrameSource() const;
    ShowAction ShowState() const { return show_state_; }
    bool NonAutoUpdate() const { return batch_.NonAutoUpdate(); }
    // The window-creation hook (skin/engine/creation_hook.h) is installed: the default manager
    // keeps it while its skin is active.
    bool GlobalHookInstalled() const;
    // The default manager's dresser of platform dialogs and run-time forms; null for others.
    windows::TacDialogSkinner* DialogSkinner() const { return dialog_skinner_.get(); }

    std::u16string GetFullSkinDirectory() const;
    std::vector<std::u16string> GetSkinNames(manager::SkinTypes filter, std::u16string& first);
    // Writes the package of every internal skin of that name into the folder as
    // name + " extracted.asz".
    void ExtractInternalSkin(std::u16string_view name, std::u16string_view folder);

    void BeginUpdate() { batch_.BeginUpdate(); }
    void EndUpdate(bool repaint, bool allow_animation);
    void UpdateSkin(bool repaint);
    void RepaintForms(bool lock_forms);
    // Stores the section name in upper case and sends SkinCmdUpdateSection to all.
    void UpdateSkinSection(std::u16string_view section);
    const std::u16string& LastUpdatedSection() const { return last_section_; }

    // The control showing the hot state (SkinCmdMouseEnter / SkinCmdMouseLeave move between them).
    HWND ActiveControl() const { return active_control_; }
    void SetActiveControl(HWND window);
    ui::Control* ActiveGraphControl() const { return active_graph_control_; }
    void SetActiveGraphControl(ui::Control* control);

    // Section lookups of the loaded skin (-1 without one).
    int GetSkinIndex(std::u16string_view section) const;
    data::TColor GetGlobalColor() const;

    // With "/acpreview" as the first argument: offers the main form's window to the skin
    // editor's window; the link opens when the editor answers 1.
    bool ConnectSkinEditor(HWND main_window);
    // The skin editor link: the record of a WM_COPYDATA the main form received.
    LRESULT HandleEditorRecord(WPARAM wParam, const COPYDATASTRUCT* data);
    bool EditorLinkEnabled = false;

    std::function<void()> OnBeforeChange;
    std::function<void()> OnAfterChange;
    // Where the manager's messages go (the error box by default).
    std::function<void(const std::u16string& text, bool error)> OnMessage;

private:
    // On failure the name goes back to old_name.
    void ChooseAndLoad(bool announce, const std::u16string& old_name);
    std::unique_ptr<data::LoadedSkin> LoadChosen(const manager::SkinChoice& choice,
                                                 std::u16string_view options_override);
    void FinishLoad(data::LoadedSkin& skin);
    void ComputeShadow();
    void Announce(bool repaint);
    // Holds the skinned top-level forms still, with the SkinChanging fade when it is active.
    std::unique_ptr<FormsLock> LockForms();
    void RemoveSkin();
    void UpdateCreationHook();
    void ShowMessage(const std::u16string& text, bool error) const;
    bool HookApplication(ui::Message& message);
    // The application window has no button of its own here: a minimise or restore sent to it (by
    // a taskbar or another program) goes to the main form, whose provider animates it, when the
    // form is in a state the command changes.
    void PassToMainForm(UINT command);

    std::u16string skin_name_;
    std::u16string skin_directory_ = std::u16string(manager::kDefaultSkinDirectory);
    bool active_ = true;
    bool extended_borders_ = false;
    int hue_offset_ = 0;
    int saturation_ = 0;
    std::vector<std::u16string> common_sections_;
    std::unique_ptr<FormsLock> pending_lock_;
    bool skin_is_packed_ = false;
    bool editor_link_used_ = false;
    bool handling_editor_record_ = false;
    std::u16string pending_options_;
    std::unique_ptr<data::LoadedSkin> skin_;
    windows::FrameSkinSource frame_source_;
    ShowAction show_state_ = ShowAction::saIgnore;
    manager::AnnouncementBatch batch_;
    std::u16string last_section_;
    HWND active_control_ = nullptr;
    ui::Control* active_graph_control_ = nullptr;
    ui::ProcedureLayer application_hook_;
    std::unique_ptr<windows::TacDialogSkinner> dialog_skinner_;
    // Popup menus dressed at their creation while the skin is active.
    CreationRuleHandle popup_menus_;
};

// Engine-wide flags read by every painter.
bool SkinLoading();
bool SkinChanging();
bool FormsLocked();

// Once per process before any form exists: the built-in shadow images, the skin command gate,
// and "/acver".
void StartEngine();

} // namespace skin::engine
