#include "ui/controls/item_tip.h"

#include "ui/wide.h"

#include <windowsx.h>

namespace ui {

namespace {

constexpr UINT_PTR kToolId = 1;
// Wide enough for a reason of two or three lines.
constexpr int kMaxTipWidth = 360;

TTTOOLINFOW ToolInfo(HWND tree, wchar_t* text) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = tree;
    tool.uId = kToolId;
    tool.lpszText = text;
    return tool;
}

} // namespace

ItemTip::ItemTip(HWND tree, std::function<std::u16string(HTREEITEM item)> text_of)
    : tree_(tree), text_of_(std::move(text_of)) {
    // One tip at a time: the tree view's own would show for names it cannot show in full.
    TreeView_SetToolTips(tree_, nullptr);
}

ItemTip::~ItemTip() {
    if (tip_ && IsWindow(tip_))
        DestroyWindow(tip_);
}

void ItemTip::Observe(UINT msg, LPARAM lParam) {
    switch (msg) {
    case WM_MOUSEMOVE:
        if (HTREEITEM item = ItemAt(lParam); item != under_mouse_) {
            Hide();
            under_mouse_ = item;
            if (item)
                Track();
        }
        break;
    case WM_MOUSEHOVER:
        Show(lParam);
        break;
    case WM_MOUSELEAVE:
        under_mouse_ = nullptr;
        Hide();
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_KILLFOCUS:
        Hide();
        break;
    }
}

HTREEITEM ItemTip::ItemAt(LPARAM client_point) const {
    TVHITTESTINFO hit{};
    hit.pt = {GET_X_LPARAM(client_point), GET_Y_LPARAM(client_point)};
    HTREEITEM item = TreeView_HitTest(tree_, &hit);
    return (hit.flags & TVHT_ONITEM) ? item : nullptr;
}

void ItemTip::Track() {
    // The leave tracking of the framework stays on: a request replaces the window's flags.
    TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, tree_, HOVER_DEFAULT};
    TrackMouseEvent(&track);
}

void ItemTip::Show(LPARAM client_point) {
    // The item is found again where the mouse rests, rather than trusting an older handle.
    HTREEITEM item = ItemAt(client_point);
    if (!item || item != under_mouse_)
        return;
    text_ = ToWide(text_of_(item));
    if (text_.empty())
        return;
    TTTOOLINFOW tool = ToolInfo(tree_, text_.data());
    if (!tip_) {
        tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, tree_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        if (!tip_)
            return;
        SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
    }
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    // Below the pointer, clear of the cursor's picture.
    POINT at{GET_X_LPARAM(client_point), GET_Y_LPARAM(client_point)};
    ClientToScreen(tree_, &at);
    SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y + 20));
    SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    showing_ = true;
}

void ItemTip::Hide() {
    if (!showing_)
        return;
    TTTOOLINFOW tool = ToolInfo(tree_, nullptr);
    SendMessageW(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    showing_ = false;
}

} // namespace ui
