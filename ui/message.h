#pragma once

// A window message as the controls handle it, and the framework's private messages.

#include <windows.h>

namespace ui {

struct Message {
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
};

// The skin engine's command message: the command in the high word of WParam, a small argument
// in the low word, a pointer or value in LParam, the answer in the result. Which commands a
// window accepts from where is decided by the skin command gate (ui/skin_command_gate.h).
constexpr UINT WM_SKINCOMMAND = 0xA100;
inline WORD SkinCommandOf(const Message& message) {
    return HIWORD(message.wParam);
}

// Framework notifications between controls. They never reach the platform.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_MOUSEENTER = CM_BASE + 1; // the mouse came over the control's client area
constexpr UINT CM_MOUSELEAVE = CM_BASE + 2; // it left the client area
constexpr UINT CM_DIALOGKEY = CM_BASE + 3; // wParam key code; sent to the form; result 1 = consumed
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 4; // wParam key code; result 1 = the control takes it
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 5;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 6;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 7; // wParam the new Visible
constexpr UINT CM_FONTCHANGED = CM_BASE + 8;
constexpr UINT CM_COLORCHANGED = CM_BASE + 9;
// To a windowed control whose window became shown or hidden on screen, by its own Visible or by
// an ancestor's; wParam 1 when it is showing now.
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 10;
// To a parent after a control was inserted into it or removed from it; lParam the Control*.
constexpr UINT CM_CONTROLINSERTED = CM_BASE + 11;
constexpr UINT CM_CONTROLREMOVED = CM_BASE + 12;
// To a control whose window was destroyed and created anew; wParam the old window (gone).
// Whatever was attached to the old window attaches to Handle() again.
constexpr UINT CM_RECREATEWND = CM_BASE + 13;
// The mouse came over the window's non-client area (frame, title bar, scroll bars) and left it.
constexpr UINT CM_NCMOUSEENTER = CM_BASE + 14;
constexpr UINT CM_NCMOUSELEAVE = CM_BASE + 15;

// Notifications the parent window gets about a child are reflected to the child control as
// CN_BASE + the original message (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR...).
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;

} // namespace ui
