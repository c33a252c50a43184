#pragma once

// The skinned speed button ("Scan...", "Load Template", "Save Template"): a window-less button
// whose face, glyph and caption come from the skin and whose state changes cross-fade, a fade
// interrupted by the next change continuing from a proportional point.

#include "skin/controls/button_paint.h"
#include "skin/data/loaded_skin.h"
#include "skin/render/skin_bitmap.h"
#include "ui/controls/speed_button.h"

#include <memory>
#include <string>

namespace skin::controls {

class TsSpeedButton : public ui::SpeedButton {
public:
    explicit TsSpeedButton(ui::Component* owner);
    ~TsSpeedButton() override;
    std::u16string_view ClassName() const override { return u"TsSpeedButton"; }

    // The skin state: the section, and the skin of the skin manager.
    engine::TsCommonData& SkinData() { return paint_.SkinData(); }
    void SetSkinSection(std::u16string_view section);
    bool Skinned() const;
    // A 16 x 16 icon with alpha; the button owns it.
    void SetGlyph(HICON glyph);
    // Percent of transparency of the glyph in the normal state.
    void SetBlend(int blend) { blend_ = blend; }
    // Separators and dividers show no states; a drop-down button opens its menu from the arrow
    // part (from anywhere without an OnClick).
    void SetButtonStyle(render::TToolButtonStyle style);
    render::TToolButtonStyle ButtonStyle() const { return style_; }
    // The menu of the arrow part; the button does not own it. Its commands go to the form.
    void SetDropdownMenu(HMENU menu) { dropdown_menu_ = menu; }
    bool MenuOpen() const { return menu_open_; }

    int CurrentState() const;
    const render::SkinBitmap& Cache() const { return paint_.Cache(); }
    const StateFade& Fade() const { return paint_.Fade(); }
    int GlowID() const { return paint_.GlowID(); }

    void Paint(HDC dc) override;
    void WndProc(ui::Message& message) override;

protected:
    void MouseEnter() override;
    void MouseLeave() override;
    // The release shows before the click runs: a click that opens a dialog leaves the button
    // fading up behind it, not held down until the dialog closes.
    void Click() override;

private:
    void StateMayHaveChanged(bool press_or_release = false);
    int ArrowState() const;
    bool OpensMenuAt(int x) const;
    void OpenMenu();
    void Rebuild();
    void Show(const render::SkinBitmap& face);
    // The window-less siblings above the button that overlap it, painted into a face of it.
    bool PaintSiblingsAbove(render::SkinBitmap& face);

    ButtonPaint paint_;
    int blend_ = 0;
    render::TToolButtonStyle style_ = render::TToolButtonStyle::tbsButton;
    HMENU dropdown_menu_ = nullptr;
    bool menu_open_ = false;
};

} // namespace skin::controls
