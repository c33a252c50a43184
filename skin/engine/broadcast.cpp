#include "skin/engine/broadcast.h"

#include "skin/engine/skin_command_protocol.h"
#include "skin/windows/child_commands.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/win_control.h"

#include <algorithm>
#include <set>
#include <vector>

namespace skin::engine {

const std::set<HWND>& RegisteredSkinnedWindows();

namespace {

std::vector<ui::WinControl*>& SkinnedForms() {
    static std::vector<ui::WinControl*> forms;
    return forms;
}

template <typename List, typename Item>
bool Contains(const List& list, const Item* item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

bool HandlesItself(ui::WinControl& control) {
    return control.HandleAllocated() && SendMessageW(control.Handle(), ui::WM_SKINCOMMAND,
                                                     MakeSkinCommand(SkinCmdCtrlHandled), 0) == 1;
}

void SendToWindowAndChildren(ui::WinControl& form, WORD command, LPARAM value) {
    if (form.HandleAllocated())
        SendMessageW(form.Handle(), ui::WM_SKINCOMMAND, MakeSkinCommand(command), value);
    BroadcastToChildren(form, command, value);
}

} // namespace

void BroadcastToChildren(ui::WinControl& container, WORD command, LPARAM value) {
    windows::PassSkinCommandToChildren(container, command, value);
}

void BroadcastSkinCommand(WORD command, LPARAM value) {
    ui::Application& application = ui::Application::Instance();
    const std::vector<ui::Form*> forms = application.Forms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        ui::Form* form = *it;
        if (!Contains(application.Forms(), form) || form->Destroying() || form->Loading())
            continue;
        if (HandlesItself(*form))
            SendMessageW(form->Handle(), ui::WM_SKINCOMMAND, MakeSkinCommand(command), value);
        else
            SendToWindowAndChildren(*form, command, value);
    }
    const std::vector<ui::WinControl*> skinned = SkinnedForms();
    for (ui::WinControl* form : skinned)
        if (Contains(SkinnedForms(), form) && !form->Destroying())
            SendToWindowAndChildren(*form, command, value);
    const std::vector<HWND> hooked(RegisteredSkinnedWindows().begin(),
                                   RegisteredSkinnedWindows().end());
    for (HWND window : hooked)
        if (IsSkinnedWindow(window) && IsWindowVisible(window))
            SendMessageW(window, ui::WM_SKINCOMMAND, MakeSkinCommand(command), value);
}

void RegisterSkinnedForm(ui::WinControl& form) {
    if (!Contains(SkinnedForms(), &form))
        SkinnedForms().push_back(&form);
}

void UnregisterSkinnedForm(ui::WinControl& form) {
    std::erase(SkinnedForms(), &form);
}

} // namespace skin::engine
