#pragma once

// The shell's own context menu for the item of a shell tree node.

#include "dialogs/shell_item.h"

#include <commctrl.h>

namespace dialogs {

class TacCustomShellTreeView;

// Shows the menu at a screen position and carries out the chosen command: the tree is offered
// the verb first, the shell carries out the rest, and the tree hears about the outcome.
void ShowShellContextMenu(TacCustomShellTreeView& tree, HTREEITEM node, POINT screen);

} // namespace dialogs
