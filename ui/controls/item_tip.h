#pragma once

// A tip for the tree view item the mouse rests on, with a text the program gives per item.
// The tree view's own item tips are not used: not every platform asks for them (Wine does
// not), so the tip is a tracking tooltip shown on the platform's hover message.

// clang-format off
#include <windows.h> // before <commctrl.h>, which needs its types
#include <commctrl.h>
// clang-format on
#include <functional>
#include <string>

namespace ui {

class ItemTip {
public:
    // `text_of` gives an item's tip; an empty text shows none.
    ItemTip(HWND tree, std::function<std::u16string(HTREEITEM item)> text_of);
    ~ItemTip();
    ItemTip(const ItemTip&) = delete;
    ItemTip& operator=(const ItemTip&) = delete;

    // Every message of the tree view, after the tree view handled it.
    void Observe(UINT msg, LPARAM lParam);
    bool Showing() const { return showing_; }

private:
    HTREEITEM ItemAt(LPARAM client_point) const;
    void Track();
    void Show(LPARAM client_point);
    void Hide();

    HWND tree_;
    std::function<std::u16string(HTREEITEM item)> text_of_;
    HWND tip_ = nullptr;
    std::wstring text_;
    // Only compared, never used: the item may be gone by now.
    HTREEITEM under_mouse_ = nullptr;
    bool showing_ = false;
};

} // namespace ui
