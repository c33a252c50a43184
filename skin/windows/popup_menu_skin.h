#pragma once

// Popup menu windows ("#32768") dressed with the skin's MAINMENU section: the window's border
// drawn from the section's image with its border mask, and its corners cut along the mask's
// key-colour runs. The dressing is registered with the window-creation watch; each popup is
// caught at its creation and let go at its destruction.

#include "skin/data/loaded_skin.h"
#include "skin/engine/creation_hook.h"
#include "ui/window_subclass.h"

#include <functional>
#include <windows.h>

namespace skin::windows {

class PopupMenuSkinner {
public:
    // The skin must outlive the popup.
    PopupMenuSkinner(HWND menu, const data::LoadedSkin& skin);

    // The skin's section for popups, or -1.
    int Section() const { return section_; }
    int BorderWidth() const { return border_width_; }

private:
    bool Handle(ui::Message& m);
    void PaintBorder();
    void UpdateRegion();

    const data::LoadedSkin& skin_;
    int section_ = -1;
    int border_mask_ = -1;
    int border_width_ = 0;
    SIZE region_size_{};
    ui::WindowSubclass subclass_;
};

// Dresses every popup menu the thread creates from now on while skin() names a skin; a null
// answer leaves the popup to the platform. Taking the handle away lets all dressed popups go.
[[nodiscard]] engine::CreationRuleHandle
RegisterPopupMenuSkinning(std::function<const data::LoadedSkin*()> skin);

} // namespace skin::windows
