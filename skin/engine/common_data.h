#pragma once

// TsCommonData: the skin state every skinned control keeps (published as its SkinData). It
// names the section the control is drawn with, finds that section's record in the skin of its
// manager (looked up again whenever the manager's skin changes, so a control never holds an
// index into a skin that has gone), keeps the composed image, the flags that say when it must be
// rebuilt, the hover and focus state, and answers the skin commands a control understands. It
// sits in front of its control's own message handling as a procedure layer, so a control only
// handles what is particular to it.
//
//   class TsSomething : public ui::Control {
//       skin::engine::TsCommonData& skin_data_ =
//           ui::Make<skin::engine::TsCommonData>(*this, skin::engine::kCategorySpeedButton);
//       void Paint(HDC dc) {
//           const data::TsGeneralData* section = skin_data_.RecordOf();
//           if (!section) { /* the plain platform look */ return; }
//           render::TCacheInfo behind = skin_data_.ParentBackground();
//           ...  // compose into skin_data_.CacheBmp(), then skin_data_.BGChanged = false
//       }
//   };

#include "skin/data/loaded_skin.h"
#include "skin/engine/skin_command_protocol.h"
#include "skin/render/cache_info.h"
#include "skin/render/control_background.h"
#include "skin/render/skin_bitmap.h"
#include "ui/color.h"
#include "ui/component.h"
#include "ui/procedure_chain.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <windows.h>

namespace ui {
class Control;
class WinControl;
} // namespace ui

namespace skin::engine {

class TsSkinManager;

// Control categories (COC) of the controls this program skins.
inline constexpr int kCategoryEdit = 2;
inline constexpr int kCategorySpeedButton = 92;
inline constexpr int kCategoryButton = 93;
inline constexpr int kCategoryBitBtn = 94;
inline constexpr int kCategoryTreeView = 96;
inline constexpr int kCategoryDirectoryEdit = 134;
inline constexpr int kCategorySkinProvider = 224;

// The category tables that steer a control's reactions.
bool IsEditCategory(int category);
bool NeverHot(int category);
bool NeverGlows(int category);
bool FrameFollowsFocus(int category);
// The section a control of the category takes when none was set; empty: the owner's class name.
std::u16string_view DefaultSectionOf(int category);

// CtrlSkinState bits.
inline constexpr std::uint16_t kPlainBackground = 0x0001;
inline constexpr std::uint16_t kPrinting = 0x0200;
inline constexpr std::uint16_t kInUpdate = 0x0800;

class TsCommonData : public ui::Component {
public:
    // Owned by the control it serves (owner must be a ui::Control); the control's messages
    // pass through it first.
    TsCommonData(ui::Component* owner, int category, bool create_cache = false);
    ~TsCommonData() override;
    std::u16string_view ClassName() const override { return u"TsCtrlSkinData"; }

    // The skin state of a control, or none.
    static TsCommonData* Of(const ui::Control& control);

    ui::Control& OwnerControl() const { return owner_; }
    int Category() const { return category_; }

    // The section, upper case; an empty name is "UNKNOWN".
    const std::u16string& SkinSection() const { return section_; }
    void SetSkinSection(std::u16string_view section);
    // None: the default skin manager.
    TsSkinManager* SkinManager() const;
    void SetSkinManager(TsSkinManager* manager);
    bool ManagerStored() const { return manager_ != nullptr; }

    // The skin the control is drawn with; none when it is not skinned.
    const data::LoadedSkin* Skin() const;
    // The one lookup of the control's section record: none when the control is not skinned
    // (no manager, an inactive one, or a section the skin does not have).
    const data::TsGeneralData* RecordOf() const;
    int SkinIndex() const;
    int BorderIndex() const;
    bool Skinned(bool check_active = true) const;

    bool CustomColor() const { return custom_color_; }
    void SetCustomColor(bool custom);
    bool CustomFont() const { return custom_font_; }
    void SetCustomFont(bool custom);
    int HUEOffset() const { return hue_offset_; }
    void SetHUEOffset(int degrees);
    int Saturation() const { return saturation_; }
    void SetSaturation(int amount);

    // Flags of the composed image.
    bool BGChanged = true;
    bool HalfVisible = true;
    bool UrgentPainting = false;
    bool Focused = false;
    bool MouseAbove = false;
    int GlowID = -1;
    std::uint16_t CtrlSkinState = 0;
    std::uint16_t BGType = 0;
    HDC PrintDC = nullptr;

    // The composed image: created on first use, sized to the control by EnsureCacheBitmap.
    render::SkinBitmap& CacheBmp() { return cache_; }
    const render::SkinBitmap& CacheBmp() const { return cache_; }
    render::SkinBitmap& EnsureCacheBitmap();
    // What composition needs of this state.
    render::ControlSkinState RenderState() const;

    // When no section was set, the category's; otherwise the indexes again. Skin colours are
    // applied (without repaint) when skinned.
    void Loaded();
    void UpdateIndexes();
    void BeginUpdate();
    void EndUpdate(bool repaint);
    bool Updating() const { return updating_; }
    void SetUpdating(bool updating) { updating_ = updating; }
    // The image must be rebuilt; a showing control repaints.
    void Invalidate();
    // Whether what lies behind the control changes its image when it moves.
    bool RepaintIfMoved();
    // The control looks hot: focused, or (for categories that may be hot) under the mouse.
    bool HotState() const;
    // Whether the control must not paint now (it, or a parent, is being updated).
    bool GetUpdating();
    // The owner's Color and Font colour from the section (edit-like controls, unless custom).
    void ApplySkinColors(bool repaint);

    // What lies behind the control: the parent's composed image (Ready, with the control's
    // origin inside it) or its plain colour.
    render::TCacheInfo ParentBackground();
    // Asks the parent (SkinCmdGetBackground); true when answered. With paint, the parent draws
    // info.R of itself into info.TargetDC.
    bool GetParentBackground(BackgroundInfo& info, bool paint);
    // The colour a child sees through the control in the state.
    render::Color EffectiveColor(int state);

    // The skin commands and the common messages; true when the message was answered here.
    bool HandleMessage(ui::Message& message);

private:
    void Layer(ui::Message& message, const ui::ProcedureChain::Next& next);
    bool HandleSkinCommand(ui::Message& message);
    bool FromOwnManager(const ui::Message& message) const;
    void Refresh();
    void RemoveSkin();
    void AnswerBackground(BackgroundInfo& info, int state);
    render::Color AnswerColor();
    render::Color ParentColor();
    void UpdatePlainBackground();
    void RedrawFrame();
    ui::WinControl* ParentWindow() const;

    ui::Control& owner_;
    int category_;
    std::u16string section_;
    TsSkinManager* manager_ = nullptr;
    bool custom_color_ = false;
    bool custom_font_ = false;
    int hue_offset_ = 0;
    int saturation_ = 0;
    int update_count_ = 0;
    bool updating_ = false;
    // Skinning was removed by the manager: no record until a new skin or a refresh.
    bool removed_ = false;
    // The skin the indexes below belong to.
    mutable const data::LoadedSkin* indexed_skin_ = nullptr;
    mutable int skin_index_ = -1;
    mutable int border_index_ = -1;
    mutable int texture_ = -1;
    mutable int hot_texture_ = -1;
    render::SkinBitmap cache_;
    ui::ProcedureLayer layer_;
};

} // namespace skin::engine
