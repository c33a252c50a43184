#pragma once

// TsCommonData: the skin state of one skinned control. It names the section the control is
// drawn with, caches the indexes of its images, holds the control's composed image and the
// flags that say when that image must be rebuilt, and answers the skin commands every skinned
// control understands (HandleMessage, called ahead of the control's own handling).

#include "skin/engine/skin_command_protocol.h"
#include "skin/render/skin_bitmap.h"
#include "ui/message.h"

#include <memory>
#include <string>

namespace ui {
class Control;
}

namespace skin::engine {

class TsSkinManager;

// Control categories (COC).
inline constexpr int COC_TsSpeedButton = 92;
inline constexpr int COC_TsButton = 93;
inline constexpr int COC_TsBitBtn = 94;
inline constexpr int COC_TsTreeView = 96;
inline constexpr int COC_TsDirectoryEdit = 134;
inline constexpr int COC_TsSkinProvider = 224;

bool IsEditCategory(int coc);
bool NeverHot(int coc);
bool NoHoverGlow(int coc);
bool FrameOnFocus(int coc);
// The section a control of the category takes when none is set; empty for the owner's class.
std::u16string_view DefaultSection(int coc);

class TsCommonData {
public:
    // Bits of CtrlSkinState.
    static constexpr unsigned kPlainBackground = 0x1;
    static constexpr unsigned kPrinting = 0x200;
    static constexpr unsigned kInUpdate = 0x800;

    TsCommonData(ui::Control& owner, int category, bool create_cache = false);
    ~TsCommonData();
    TsCommonData(const TsCommonData&) = delete;
    TsCommonData& operator=(const TsCommonData&) = delete;

    ui::Control& Owner() const { return owner_; }
    TsSkinManager* Manager() const;
    void SetManager(TsSkinManager* manager) { manager_ = manager; }

    const std::u16string& SkinSection() const { return section_; }
    void SetSkinSection(std::u16string_view section);
    void Loaded();
    void UpdateIndexes();
    bool Skinned(bool check_active = false) const;

    void BeginUpdate();
    void EndUpdate(bool repaint);
    void Invalidate();
    bool RepaintIfMoved() const;
    bool HotState() const;
    bool GetUpdating() const;
    // Colour and font colour from the section, for edit-like controls.
    void ApplySkinColors(bool repaint);

    // The skin command table and the common messages. True when consumed.
    bool HandleMessage(ui::Message& message);

    // The cache bitmap, sized to the owner; null when it cannot be allocated (plain painting).
    render::SkinBitmap* EnsureCacheBitmap();
    render::SkinBitmap* CacheBitmap() const { return cache_.get(); }

    int COC;
    int SkinIndex = -1;
    int BorderIndex = -1;
    int Texture = -1;
    int HotTexture = -1;
    int GlowID = -1;
    int HUEOffset = 0;
    int Saturation = 0;
    bool CustomColor = false;
    bool CustomFont = false;
    bool Updating = false;
    bool UrgentPainting = false;
    bool BGChanged = true;
    bool HalfVisible = true;
    bool Focused = false;
    bool MouseAbove = false;
    unsigned CtrlSkinState = 0;
    unsigned BGType = 0;
    HDC PrintDC = nullptr;

private:
    void AnswerBackground(ui::Message& message);
    void RecomputePlainBackground();

    ui::Control& owner_;
    TsSkinManager* manager_ = nullptr;
    std::u16string section_ = u"UNKNOWN";
    int update_count_ = 0;
    std::unique_ptr<render::SkinBitmap> cache_;
};

// The skin state of a framework control, found through the one table of the process; none for
// controls that are not skinned by the engine.
TsCommonData* RecordOf(const ui::Control& control);

} // namespace skin::engine
