#pragma once

// The yardstick: a bare platform tree view in a plain window, with the look of the program's
// tree (styles, size, font, image list, indent), filled the fastest way the platform allows:
// redraw off, every item inserted collapsed, then every parent expanded from the bottom up.

// clang-format off
#include <windows.h> // before <commctrl.h>, which needs its types
#include <commctrl.h>
// clang-format on

#include <string>
#include <vector>

namespace bench {

// The items to show: names in pre-order with their depth (0 for a root).
struct OutlineItem {
    int level = 0;
    std::wstring name;
};
using Outline = std::vector<OutlineItem>;

class BareTree {
public:
    // Copies the look of `model`, the program's tree view.
    explicit BareTree(HWND model);
    ~BareTree();
    BareTree(const BareTree&) = delete;
    BareTree& operator=(const BareTree&) = delete;

    HWND Tree() const { return tree_; }
    // Inserts the outline's items after the items there are, collapsed; returns the roots.
    std::vector<HTREEITEM> Insert(const Outline& outline);
    // Expands every inserted item that has children, each root's subtree from the bottom up.
    void ExpandAll();
    // Insert and ExpandAll with redraw off, then one repaint.
    void Fill(const Outline& outline);
    void Clear();
    // Deletes the first root with its subtree.
    void DeleteFirstRoot();
    void SetRedraw(bool redraw);
    // Handles what is queued and paints what is invalid.
    void Settle();

private:
    HWND frame_ = nullptr;
    HWND tree_ = nullptr;
    // For each root inserted, the items with children in its subtree, in pre-order.
    std::vector<std::vector<HTREEITEM>> expandable_;
};

} // namespace bench
