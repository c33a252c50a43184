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

private:
    std::vector<frame::PlatformMenuItem> PlatformItems() const;

    TsSkinProvider& sp_;
    std::wstring name_;
    std::vector<frame::SysMenuItem> items_;
};

} // namespace skin::windows
