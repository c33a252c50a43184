#pragma once

// The skinned push button ("Create Folders") and the push button with a glyph (the folder
// picker's OK, Cancel and Create). They stay platform push buttons, so that focus, the default
// button, keys and clicks keep the platform's rules (a press that leaves the button before the
// release is no click); only the drawing is ours: the paint message shows our face, and where the
// platform draws its own look at once (focus, text) ours goes back over it. (Owner-drawn, the
// button lost the focus to the tree's name editor now and then under Wine after a press that
// left it.) Each state change cross-fades when the skin's section asks for it.

#include "skin/controls/button_paint.h"
#include "skin/data/loaded_skin.h"
#include "skin/render/button_glyph.h"
#include "skin/render/skin_bitmap.h"
#include "ui/controls/button.h"

#include <memory>
#include <string>
#include <vector>

namespace skin::controls {

class TsButton : public ui::Button {
public:
    explicit TsButton(ui::Component* owner, int category = engine::kCategoryButton);
    ~TsButton() override;
    std::u16string_view ClassName() const override { return u"TsButton"; }

    // The skin state: the section, and the skin of the skin manager; without a usable section
    // the button is drawn as the platform's push button.
    engine::TsCommonData& SkinData() { return paint_.SkinData(); }
    void SetSkinSection(std::u16string_view section);
    bool Skinned() const;
    void SetShowFocus(bool show) { show_focus_ = show; }
    // The split style: a line and a down arrow in the 16 rightmost pixels.
    void SetSplit(bool split);
    // A 16 x 16 icon shown left of the caption; the button owns it.
    void SetGlyph(HICON glyph);

    // 0 normal, 1 hot (mouse over, focused or default), 2 pressed.
    int CurrentState() const;
    // A border whose corners cut the window (corner type 2) clips the button to the shape of
    // its border in the state shown; the shape's rectangles, empty without one.
    const std::vector<render::Rect>& RegionRuns() const { return region_runs_; }
    bool RegionApplied() const { return region_applied_; }
    // The face of the state shown last.
    const render::SkinBitmap& Cache() const { return paint_.Cache(); }
    const StateFade& Fade() const { return paint_.Fade(); }
    int GlowID() const { return paint_.GlowID(); }

    void WndProc(ui::Message& message) override;

private:
    void StateMayHaveChanged(bool press_or_release = false);
    void PostStateCheck();
    void Rebuild();
    void ComposeSkinned();
    void ComposePlain();
    void Show(const render::SkinBitmap& face);
    void Paint(HDC dc);
    // Whether the button lies wholly inside its parent's client area.
    bool InsideParent() const;
    void UpdateRegionRuns();
    void ApplyRegion();
    void ReleaseRegion();
    // The pressed face held for a moment when the release comes before the press fade ended.
    void HoldPressedFace();

    ButtonPaint paint_;
    bool show_focus_ = true;
    bool split_ = false;
    bool mouse_above_ = false;
    bool releasing_ = false;
    bool state_check_posted_ = false;
    HICON glyph_icon_ = nullptr;
    std::vector<render::Rect> region_runs_;
    bool region_applied_ = false;
};

class TsBitBtn : public TsButton {
public:
    explicit TsBitBtn(ui::Component* owner) : TsButton(owner, engine::kCategoryBitBtn) {}
    std::u16string_view ClassName() const override { return u"TsBitBtn"; }
};

} // namespace skin::controls
