#pragma once

// The platform's size grip: a small hatched square in the lower right corner of a resizable
// form that sizes the form when dragged. It places itself in that corner and stays there.

#include "ui/win_control.h"

namespace ui {

class SizeGrip : public WinControl {
public:
    explicit SizeGrip(Component* owner);
    std::u16string_view ClassName() const override { return u"TSizeGrip"; }
    // Puts the grip into the lower right corner of its parent and anchors it there.
    void Dock();
    // A skin that paints a grip of its own hides this one; Visible stays what the form set, and
    // the grip shows again when the skin lets go.
    void SetSuppressed(bool suppressed);
    bool Suppressed() const { return suppressed_; }

    // The grip of a form, if it has one among its controls.
    static SizeGrip* Of(const WinControl& form);

protected:
    void CreateParams(ui::CreateParams& params) override;
    void VisibleChanged() override;

private:
    bool suppressed_ = false;
};

} // namespace ui
