#pragma once

// The destination field: an edit with a small button inside its right edge that opens a
// folder picker and writes the chosen folder back. Alt+Down acts like a click on the button.

#include "ui/controls/edit.h"

namespace dialogs {

// The flat button inside a combo edit, with one 16 x 16 glyph.
class TsEditButton : public ui::WinControl {
public:
    explicit TsEditButton(ui::Component* owner);
    ~TsEditButton() override;

    void SetGlyph(HICON glyph);
    void WndProc(ui::Message& message) override;

protected:
    void CreateParams(ui::CreateParams& params) override;
    void PaintWindow(HDC dc, const RECT& area) override;
    void MouseEnter() override { Invalidate(); }
    void MouseLeave() override { Invalidate(); }

private:
    HICON glyph_ = nullptr;
    bool pressed_ = false;
};

class TsDirectoryEdit : public ui::Edit {
public:
    explicit TsDirectoryEdit(ui::Component* owner);

    void SetGlyph(HICON glyph) { button_.SetGlyph(glyph); }
    const std::u16string& DialogTitle() const { return dialog_title_; }
    void SetDialogTitle(std::u16string title) { dialog_title_ = std::move(title); }

    // What a click on the button does: OnButtonClick first, then the picker.
    void ButtonClick();
    std::function<void(ui::Control&)> OnButtonClick;

protected:
    void BoundsChanged() override;
    void KeyDown(WORD& key, ui::ShiftState shift) override;
    // Opens the folder picker on the field's folder and writes the choice back.
    virtual void PickFolder();

private:
    void PlaceButton();

    TsEditButton& button_;
    std::u16string dialog_title_;
};

} // namespace dialogs
