#pragma once

// The form's system menu once the provider has taken the platform's system-menu style away: its
// items mirror the window's platform system menu (captions, foreign items), their states follow
// the window, and it opens as a popup menu whose choice becomes a window command.

#include "skin/frame/system_menu_model.h"

#include <string>
#include <vector>
#include <windows.h>

namespace skin::windows {

class TsSkinProvider;

class TsSystemMenu {
public:
    explicit TsSystemMenu(TsSkinProvider& provider);

    // "acSysMenu" and the tick count at creation.
    const std::wstring& Name() const { return name_; }
    // Rebuilds the items from the window's platform menu.
    void Generate();
    void UpdateItems();
    const std::vector<frame::SysMenuItem>& Items() const { return items_; }
    // Opens at the screen point and carries out the chosen command.
    void Popup(int x, int y);

    // The skinned popup's items are drawn by their owner, the form: true when the item is one of
    // this menu's and was measured or drawn.
    bool Measure(MEASUREITEMSTRUCT& item);
    bool Draw(const DRAWITEMSTRUCT& item);

private:
    std::vector<frame::PlatformMenuItem> PlatformItems() const;

    const frame::SysMenuItem* OwnItem(ULONG_PTR data, UINT type) const;
    // Without skinned popups: the window's platform menu, its items set by the same rules.
    void PlatformPopup(int x, int y);

    TsSkinProvider& sp_;
    // The items of the open popup, by their item data less one.
    std::vector<const frame::SysMenuItem*> open_items_;
    std::wstring name_;
    std::vector<frame::SysMenuItem> items_;
};

} // namespace skin::windows
