#pragma once

// The items of the skinned system menu: generated from the window's platform system menu,
// their visibility and enabled states from the window rules, where the menu opens, and the
// measures of a skinned popup item.

#include "skin/frame/title_buttons.h"

#include <string>
#include <vector>

namespace skin::frame {

// Window commands (WM_SYSCOMMAND).
enum SysCommand : unsigned {
    scSize = 0xF000,
    scMove = 0xF010,
    scMinimize = 0xF020,
    scMaximize = 0xF030,
    scClose = 0xF060,
    scKeyMenu = 0xF100,
    scRestore = 0xF120,
    scContextHelp = 0xF180,
};

// One item of the platform's system menu as the window reports it.
struct PlatformMenuItem {
    unsigned Id = 0;
    std::u16string Caption; // empty for a separator or an item without text
    bool Separator = false;
};

struct SysMenuItem {
    std::u16string Name; // "acIR", "acIM", ... empty for separators and foreign items
    unsigned Command = 0;
    std::u16string Caption;
    std::u16string ShortCut; // the caption's text after a tab
    bool Separator = false;
    bool Foreign = false; // an item the application added to the platform menu
    bool Visible = true;
    bool Enabled = true;
};

// The fallback captions, string resources 58976 .. 58981 of the program.
struct FallbackCaption {
    unsigned Command;
    int ResourceId;
    const char16_t* Text;
};
const FallbackCaption* FallbackCaptionFor(unsigned command);

// Restore, Move, Size, Minimize, Maximize, a separator, the foreign items with a separator after
// them, and Close. caption_of gives the text of a resource id (the fallback text when the
// program has none).
std::vector<SysMenuItem> GenerateSystemMenu(const std::vector<PlatformMenuItem>& platform,
                                            std::u16string (*caption_of)(int resource_id));

// Whether the window's platform menu has items of its own, which needs a regeneration first.
bool HasForeignItems(const std::vector<SysMenuItem>& items);

// Visibility and enabled states, run before every popup and after every window command.
void UpdateItems(std::vector<SysMenuItem>& items, const WindowRules& rules);

// The items a user sees, separators that would stand first, last or doubled left out.
std::vector<const SysMenuItem*> ShownItems(const std::vector<SysMenuItem>& items);

// Where the menu opens, in screen coordinates, for a click on the icon and for Alt+Space.
Point SystemMenuBelowIcon(const FrameGeometry& g, Point window_top_left, int icon_height);
Point SystemMenuForKey(const FrameGeometry& g, Point window_top_left, int icon_height);

// Measures of the skinned popup: margin 2, spacing 8.
struct PopupItemMetrics {
    static constexpr int kMargin = 2;
    static constexpr int kSpacing = 8;
};
// Height of an item with that caption: 2 for a separator ("-"); the text height of "W" x 1.25
// rounded, or the glyph when taller, plus two margins.
int PopupItemHeight(const std::u16string& caption, int w_text_height, int glyph_height);
int PopupItemWidth(int glyph_width, int caption_and_shortcut_width);
// Width of the icon column.
int PopupIconColumnWidth(int glyph_width);
// Width of the popup window's skinned border: the menu section's border mask's left width, 3
// when the mask gives none, 0 without a mask.
int PopupBorderWidth(bool has_mask, int mask_left_width);

} // namespace skin::frame
