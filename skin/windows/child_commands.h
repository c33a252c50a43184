#pragma once

// Passing a skin command on to the children of a container, in child order: a child whose window
// answers SkinCmdCtrlHandled with 1 gets the message and passes it on itself; other windowed
// children are walked into; window-less ones are called directly. The walk runs over a snapshot
// and checks every child again, since receivers create and destroy controls meanwhile.

#include <windows.h>

namespace ui {
class WinControl;
}

namespace skin::windows {

void PassSkinCommandToChildren(ui::WinControl& container, WORD command, LPARAM value);

} // namespace skin::windows
