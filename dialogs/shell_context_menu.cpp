#include "dialogs/shell_context_menu.h"

#include "dialogs/shell_tree_view.h"
#include "ui/wide.h"

namespace dialogs {

namespace {

constexpr UINT kFirstCommand = 1;
constexpr UINT kLastCommand = 0x7FFF;

std::u16string LowerAscii(std::u16string text) {
    for (char16_t& c : text)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    return text;
}

std::u16string VerbOf(IContextMenu& menu, UINT offset) {
    wchar_t verb[128] = {};
    if (FAILED(
            menu.GetCommandString(offset, GCS_VERBW, nullptr, reinterpret_cast<LPSTR>(verb), 128)))
        return {};
    return LowerAscii(ui::FromWide(verb));
}

// Keeps the tree told about the open menu for exactly as long as it is open.
class OpenMenu {
public:
    OpenMenu(TacCustomShellTreeView& tree, IContextMenu& menu) : tree_(tree) {
        menu.QueryInterface(IID_IContextMenu2, menu2_.PutVoid());
        tree_.SetOpenContextMenu(menu2_.Get());
    }
    ~OpenMenu() { tree_.SetOpenContextMenu(nullptr); }
    OpenMenu(const OpenMenu&) = delete;
    OpenMenu& operator=(const OpenMenu&) = delete;

private:
    TacCustomShellTreeView& tree_;
    ComRef<IContextMenu2> menu2_;
};

struct PopupMenu {
    HMENU handle = CreatePopupMenu();
    ~PopupMenu() {
        if (handle)
            DestroyMenu(handle);
    }
};

} // namespace

void ShowShellContextMenu(TacCustomShellTreeView& tree, HTREEITEM node, POINT screen) {
    TacShellFolder* folder = tree.FolderOf(node);
    if (!folder || !folder->ParentShellFolder() || folder->IsDesktop())
        return;
    HWND window = tree.Handle();
    ComRef<IContextMenu> menu;
    LPCITEMIDLIST ids[] = {folder->RelativeId()};
    if (FAILED(folder->ParentShellFolder()->GetUIObjectOf(window, 1, ids, IID_IContextMenu, nullptr,
                                                          menu.PutVoid())) ||
        !menu)
        return;
    PopupMenu popup;
    if (!popup.handle || FAILED(menu->QueryContextMenu(popup.handle, 0, kFirstCommand, kLastCommand,
                                                       CMF_EXPLORE | CMF_CANRENAME)))
        return;
    UINT command = 0;
    {
        OpenMenu open(tree, *menu.Get());
        command = static_cast<UINT>(TrackPopupMenu(popup.handle, TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                   screen.x, screen.y, 0, window, nullptr));
    }
    if (command < kFirstCommand)
        return;
    const UINT offset = command - kFirstCommand;
    const std::u16string verb = VerbOf(*menu.Get(), offset);
    if (tree.ContextCommand(verb))
        return;
    CMINVOKECOMMANDINFO invoke{sizeof(invoke)};
    invoke.hwnd = window;
    invoke.lpVerb = MAKEINTRESOURCEA(offset);
    invoke.nShow = SW_SHOWNORMAL;
    const bool done = SUCCEEDED(menu->InvokeCommand(&invoke));
    tree.AfterContextCommand(verb, node, done);
}

} // namespace dialogs
