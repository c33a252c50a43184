#pragma once

// The platform's size grip: a small hatched square in the lower right corner of a resizable
// form that sizes the form when dragged. It places itself in that corner and stays there.

#include "ui/win_control.h"

namespace ui {

class SizeGrip : public WinControl {
public:
    explicit SizeGrip(Component* owner);
    // Puts the grip into the lower right corner of its parent and anchors it there.
    void Dock();

protected:
    void CreateParams(ui::CreateParams& params) override;
};

} // namespace ui
