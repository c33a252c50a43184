#include "skin/windows/child_commands.h"

#include "skin/engine/skin_command_protocol.h"
#include "ui/win_control.h"

#include <algorithm>
#include <vector>

namespace skin::windows {
namespace {

bool HandlesItself(ui::WinControl& control) {
    return control.HandleAllocated() &&
           SendMessageW(control.Handle(), ui::WM_SKINCOMMAND,
                        engine::MakeSkinCommand(engine::SkinCmdCtrlHandled), 0) == 1;
}

} // namespace

void PassSkinCommandToChildren(ui::WinControl& container, WORD command, LPARAM value) {
    const std::vector<ui::Control*> children = container.Controls();
    for (ui::Control* child : children) {
        // Receivers may have removed or destroyed children meanwhile.
        const auto& now = container.Controls();
        if (std::find(now.begin(), now.end(), child) == now.end())
            continue;
        if (child->Destroying())
            return;
        auto* windowed = dynamic_cast<ui::WinControl*>(child);
        if (!windowed || !windowed->HandleAllocated())
            child->Perform(ui::WM_SKINCOMMAND, engine::MakeSkinCommand(command), value);
        else if (HandlesItself(*windowed))
            SendMessageW(windowed->Handle(), ui::WM_SKINCOMMAND, engine::MakeSkinCommand(command),
                         value);
        else
            PassSkinCommandToChildren(*windowed, command, value);
    }
}

} // namespace skin::windows
