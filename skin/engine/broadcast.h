#pragma once

// Sending a skin command to every skinned window: the forms of the application from the last
// to the first, the forms registered as skinned, then the windows the creation hook dressed.
// The walk runs over a snapshot and checks every form and child again before sending, since
// receivers create and destroy windows meanwhile.

#include <windows.h>

namespace ui {
class Control;
class WinControl;
} // namespace ui

namespace skin::engine {

// Sends the command to all. A form or control whose window answers SkinCmdCtrlHandled with 1
// gets the message and passes it on itself; other windowed children are walked into,
// window-less ones are called directly.
void BroadcastSkinCommand(WORD command, LPARAM value);

// The children of one container, in child order.
void BroadcastToChildren(ui::WinControl& container, WORD command, LPARAM value);

// Forms skinned from outside the application's list (run-time dialogs built by the engine).
void RegisterSkinnedForm(ui::WinControl& form);
void UnregisterSkinnedForm(ui::WinControl& form);

} // namespace skin::engine
