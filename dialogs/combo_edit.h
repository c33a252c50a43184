#pragma once

// The combo edit: a one-line edit with a small flat button inside its right edge that acts on
// a click or on the click key (Alt+Down). Enter and Escape typed into it still reach the form
// as dialog keys. While no skin is active it draws as the platform's edit.

#include "dialogs/combo_rules.h"
#include "dialogs/glyph_list.h"
#include "skin/controls/button_paint.h"
#include "ui/controls/edit.h"

#include <functional>
#include <string>

namespace dialogs {

// The skinned edit the combo edit builds on; without an input mask it is the plain edit.
class TsMaskEdit : public ui::Edit {
public:
    explicit TsMaskEdit(ui::Component* owner) : Edit(owner) {}
    std::u16string_view ClassName() const override { return u"TsMaskEdit"; }
    const std::u16string& SkinSection() const { return skin_section_; }
    void SetSkinSection(std::u16string section) { skin_section_ = std::move(section); }

private:
    std::u16string skin_section_ = u"EDIT";
};

class TsCustomComboEdit;

// Chooses the button's glyph: an item of a list of one's own, or the edit's strip of the
// internal list (normal, hot and pressed side by side).
class TsGlyphMode {
public:
    TsGlyphMode(TsCustomComboEdit& owner, int default_index)
        : owner_(owner), default_index_(default_index) {}

    const GlyphList* Images() const { return images_; }
    void SetImages(const GlyphList* images);
    int ImageIndex() const { return image_index_; }
    void SetImageIndex(int index);
    int ImageIndexHot() const { return image_index_hot_; }
    void SetImageIndexHot(int index) { image_index_hot_ = index; }
    int ImageIndexPressed() const { return image_index_pressed_; }
    void SetImageIndexPressed(int index) { image_index_pressed_ = index; }
    int Blend() const { return blend_; }
    void SetBlend(int percent) { blend_ = percent; }
    bool Grayed() const { return grayed_; }
    void SetGrayed(bool grayed) { grayed_ = grayed; }
    const std::u16string& Hint() const { return hint_; }
    void SetHint(std::u16string hint) { hint_ = std::move(hint); }

    bool UsesOwnImages() const;
    const GlyphList& Source() const;
    int ImageCount() const;
    int Width() const;
    // Draws the glyph of a button state (0 normal, 1 hot, 2 pressed) with its top left corner
    // at (x, y).
    void Draw(HDC dc, int x, int y, int state, bool enabled) const;

private:
    TsCustomComboEdit& owner_;
    int default_index_;
    const GlyphList* images_ = nullptr;
    int image_index_ = -1;
    int image_index_hot_ = -1;
    int image_index_pressed_ = -1;
    int blend_ = 0;
    bool grayed_ = false;
    std::u16string hint_;
};

// The combo edit's button: flat, with the glyph of its state, never taking the focus. With a
// skin its face comes from the "SPEEDBUTTON_SMALL" section and cross-fades as the mouse enters
// and leaves; the glyph of the state is drawn over the face.
class TsEditButton : public ui::WinControl {
public:
    TsEditButton(ui::Component* owner, const TsGlyphMode& glyph);
    std::u16string_view ClassName() const override { return u"TsEditButton"; }

    // 0 normal, 1 hot, 2 pressed.
    int State() const;
    const std::u16string& SkinSection() const { return paint_.SectionName(); }
    bool Skinned() const { return paint_.Skinned(); }
    // The face of the state shown last (empty without a skin).
    const skin::render::SkinBitmap& Cache() const { return paint_.Cache(); }
    const skin::controls::StateFade& Fade() const { return paint_.Fade(); }

    void WndProc(ui::Message& message) override;

protected:
    void PaintWindow(HDC dc, const RECT& area) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    void Compose();
    void ShowFace(const skin::render::SkinBitmap& face);
    void DrawGlyph(HDC dc) const;

    const TsGlyphMode& glyph_;
    bool pressed_ = false;
    skin::controls::ButtonPaint paint_;
};

class TsCustomComboEdit : public TsMaskEdit {
public:
    // `default_glyph` is the edit's strip in the internal glyph list (-1: none).
    TsCustomComboEdit(ui::Component* owner, int default_glyph = -1);
    std::u16string_view ClassName() const override { return u"TsCustomComboEdit"; }

    TsEditButton& Button() { return button_; }
    TsGlyphMode& GlyphMode() { return glyph_mode_; }

    bool ShowButton() const { return show_button_; }
    void SetShowButton(bool show);
    ShortCut ClickKey() const { return click_key_; }
    void SetClickKey(ShortCut key) { click_key_ = key; }
    bool DirectInput() const { return direct_input_; }
    void SetDirectInput(bool direct);
    bool ReadOnly() const { return read_only_; }
    void SetReadOnly(bool read_only);
    bool AutoSelect() const { return auto_select_; }
    void SetAutoSelect(bool select) { auto_select_ = select; }

    // Performs the button's action as a click on it would.
    void DoClick() { ButtonClick(); }
    // The button's action: OnButtonClick, unless the edit is read-only.
    virtual void ButtonClick();
    std::function<void(ui::Control&)> OnButtonClick;

    // The width the button takes from the text: the glyph's plus 2, or 0 without a button.
    int ButtonWidth() const;
    // Places the button and narrows the text to leave it room; runs again whenever the size,
    // the font or the glyph changes.
    void UpdateLayout();

    void WndProc(ui::Message& message) override;

protected:
    void CreateParams(ui::CreateParams& params) override;
    void HandleCreated() override;
    void BoundsChanged() override;
    void FontChanged() override;
    void EnabledChanged() override;
    void KeyDown(WORD& key, ui::ShiftState shift) override;

private:
    void HandleChar(ui::Message& message);
    void PasteFirstLine();
    bool TextLocked() const { return read_only_ || !direct_input_; }

    TsGlyphMode glyph_mode_;
    TsEditButton& button_;
    bool show_button_ = true;
    ShortCut click_key_ = kAltDown;
    bool direct_input_ = true;
    bool read_only_ = false;
    bool auto_select_ = true;
};

} // namespace dialogs
