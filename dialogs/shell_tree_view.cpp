#include "dialogs/shell_tree_view.h"

#include "core/error.h"
#include "core/path.h"
#include "core/text.h"
#include "dialogs/folder_rules.h"
#include "dialogs/root_folders.h"
#include "dialogs/shell_context_menu.h"
#include "ui/application.h"
#include "ui/wide.h"

#include <commctrl.h>
#include <shellapi.h>

namespace dialogs {

namespace {

// Work that must wait until the tree control has finished the notification in progress.
constexpr UINT kDeferredWork = WM_APP + 1;
constexpr UINT_PTR kWatchTimer = 1;
constexpr UINT kWatchInterval = 500;
// The system image list's overlay for shared items.
constexpr UINT kSharedOverlay = 1;

int ShellIcon(LPCITEMIDLIST full_id, UINT extra_flags) {
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(reinterpret_cast<LPCWSTR>(full_id), 0, &info, sizeof(info),
                        SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extra_flags))
        return 0;
    return info.iIcon;
}

HIMAGELIST SystemSmallIcons() {
    SHFILEINFOW info{};
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(windows, 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

std::u16string FullPath(const std::u16string& path) {
    wchar_t full[MAX_PATH * 2];
    const DWORD length = GetFullPathNameW(ui::Wide(path), MAX_PATH * 2, full, nullptr);
    if (length == 0 || length >= MAX_PATH * 2)
        return path;
    return ui::FromWide(std::wstring_view(full, length));
}

std::u16string CurrentDirectory() {
    wchar_t directory[MAX_PATH * 2];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH * 2, directory);
    return length && length < MAX_PATH * 2 ? ui::FromWide(std::wstring_view(directory, length))
                                           : std::u16string();
}

// The last component of a root path, as the root node's text ("C:\Data\" shows "Data", a
// drive root shows itself).
std::u16string RootPathCaption(const std::u16string& path) {
    const std::u16string trimmed = core::ExcludeTrailingPathDelimiter(RootPathText(path));
    std::u16string name = core::ExtractFileName(trimmed);
    return name.empty() ? path : name;
}

int CALLBACK CompareInShellOrder(LPARAM first, LPARAM second, LPARAM) {
    auto* a = reinterpret_cast<TacShellFolder*>(first);
    auto* b = reinterpret_cast<TacShellFolder*>(second);
    if (!a || !b || !a->ParentShellFolder())
        return 0;
    const HRESULT result = a->ParentShellFolder()->CompareIDs(0, a->RelativeId(), b->RelativeId());
    return FAILED(result) ? 0 : static_cast<short>(HRESULT_CODE(result));
}

} // namespace

TacCustomShellTreeView::TacCustomShellTreeView(ui::Component* owner)
    : TreeView(owner), bound_label_(ui::Make<ui::Label>(*this)) {
    SetIndent(19);
}

TacCustomShellTreeView::~TacCustomShellTreeView() {
    if (watch_)
        FindCloseChangeNotification(watch_);
}

void TacCustomShellTreeView::CreateParams(ui::CreateParams& params) {
    TreeView::CreateParams(params);
    params.style &= ~TVS_LINESATROOT; // no lines or buttons in front of the root
}

void TacCustomShellTreeView::HandleCreated() {
    TreeView::HandleCreated();
    if (use_shell_images_)
        TreeView_SetImageList(handle_, SystemSmallIcons(), TVSIL_NORMAL);
    BuildRoot();
}

void TacCustomShellTreeView::SetUseShellImages(bool use) {
    use_shell_images_ = use;
    if (handle_) {
        TreeView_SetImageList(handle_, use ? SystemSmallIcons() : nullptr, TVSIL_NORMAL);
        BuildRoot();
    }
}

void TacCustomShellTreeView::SetRoot(std::u16string root) {
    if (root == root_ && handle_ && RootNode())
        return;
    root_ = std::move(root);
    BuildRoot();
}

void TacCustomShellTreeView::BuildRoot() {
    if (!handle_)
        return;
    ItemId id = ResolveRoot(root_);
    if (!id) {
        const std::u16string message = core::Format(u"Error Setting Path : %s", {root_});
        ui::Application::Instance().ShowError(message);
        root_ = built_root_.empty() ? u"rfDesktop" : built_root_;
        id = ResolveRoot(root_);
        if (!id)
            throw core::Error(message);
    }
    ShowRoot(id.get(), RootFolderNamed(root_).has_value());
    built_root_ = root_;
}

ItemId TacCustomShellTreeView::ResolveRoot(const std::u16string& root) const {
    if (std::optional<TacRootFolder> folder = RootFolderNamed(root))
        return RootFolderId(*folder);
    if (root.empty())
        return nullptr;
    return ParseName(FullPath(RootPathText(root)), handle_);
}

void TacCustomShellTreeView::ShowRoot(LPCITEMIDLIST id, bool named_folder) {
    std::unique_ptr<TacShellFolder> folder = TacShellFolder::ForFullId(id);
    if (!folder)
        throw core::Error(core::Format(u"Error Setting Path : %s", {root_}));
    std::u16string text;
    if (named_folder) {
        ComRef<IShellFolder> desktop = DesktopFolder();
        text = desktop ? DisplayNameOf(*desktop.Get(), id, SHGDN_NORMAL) : std::u16string();
    } else {
        text = RootPathCaption(root_);
    }
    BeginUpdate();
    try {
        TreeView_DeleteAllItems(handle_);
        HTREEITEM root = InsertFolder(nullptr, TVI_LAST, std::move(folder), text);
        TreeView_Expand(handle_, root, TVE_EXPAND);
        TreeView_SelectItem(handle_, root);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    WatchFolder();
}

HTREEITEM TacCustomShellTreeView::InsertFolder(HTREEITEM parent, HTREEITEM after,
                                               std::unique_ptr<TacShellFolder> folder,
                                               std::u16string text) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = after;
    TVITEMW& item = insert.item;
    item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    item.pszText = const_cast<wchar_t*>(ui::Wide(text));
    const bool is_folder = folder->IsFolder();
    // Listing files too, any folder may hold something to show; otherwise only sub-folders count.
    item.cChildren = is_folder && ((object_types_ & otNonFolders) || folder->SubFolders()) ? 1 : 0;
    if (use_shell_images_) {
        item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.iImage = ShellIcon(folder->FullId(), 0);
        item.iSelectedImage = ShellIcon(folder->FullId(), SHGFI_OPENICON);
    }
    if (folder->Properties() & fpShared) {
        item.mask |= TVIF_STATE;
        item.stateMask = TVIS_OVERLAYMASK;
        item.state = INDEXTOOVERLAYMASK(kSharedOverlay);
    }
    TacShellFolder* key = folder.get();
    item.lParam = reinterpret_cast<LPARAM>(key);
    folders_[key] = std::move(folder);
    HTREEITEM node = TreeView_InsertItem(handle_, &insert);
    if (!node)
        folders_.erase(key);
    return node;
}

TacShellFolder* TacCustomShellTreeView::FolderOf(HTREEITEM node) const {
    if (!node || !handle_)
        return nullptr;
    TVITEMW query{};
    query.mask = TVIF_PARAM;
    query.hItem = node;
    if (!TreeView_GetItem(handle_, &query))
        return nullptr;
    auto* folder = reinterpret_cast<TacShellFolder*>(query.lParam);
    return folders_.count(folder) ? folder : nullptr;
}

TacShellFolder* TacCustomShellTreeView::SelectedFolder() const {
    return FolderOf(Selected());
}

HTREEITEM TacCustomShellTreeView::RootNode() const {
    return handle_ ? TreeView_GetRoot(handle_) : nullptr;
}

void TacCustomShellTreeView::BeginUpdate() {
    if (update_count_++ > 0)
        return;
    ui::Application& application = ui::Application::Instance();
    was_busy_ = application.BusyCursor();
    application.SetBusyCursor(true);
    SendMessageW(handle_, WM_SETREDRAW, FALSE, 0);
}

void TacCustomShellTreeView::EndUpdate() {
    if (--update_count_ > 0)
        return;
    SendMessageW(handle_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle_, nullptr, TRUE);
    ui::Application::Instance().SetBusyCursor(was_busy_);
}

void TacCustomShellTreeView::Populate(HTREEITEM node) {
    TacShellFolder* folder = FolderOf(node);
    if (!folder || TreeView_GetChild(handle_, node) || !folder->IsFolder())
        return;
    TVITEMW query{};
    query.mask = TVIF_CHILDREN;
    query.hItem = node;
    if (!TreeView_GetItem(handle_, &query) || query.cChildren == 0)
        return;
    BeginUpdate();
    try {
        FillNode(node);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    if (!TreeView_GetChild(handle_, node)) {
        TVITEMW change{};
        change.mask = TVIF_CHILDREN;
        change.hItem = node;
        change.cChildren = 0;
        TreeView_SetItem(handle_, &change);
    }
}

void TacCustomShellTreeView::FillNode(HTREEITEM node) {
    TacShellFolder* folder = FolderOf(node);
    IShellFolder* shell = folder ? folder->ShellFolder() : nullptr;
    if (!shell)
        return;
    SHCONTF flags = 0;
    if (object_types_ & otFolders)
        flags |= SHCONTF_FOLDERS;
    if (object_types_ & otNonFolders)
        flags |= SHCONTF_NONFOLDERS;
    if (object_types_ & otHidden)
        flags |= SHCONTF_INCLUDEHIDDEN;
    ComRef<IEnumIDList> items;
    if (shell->EnumObjects(handle_, flags, items.Put()) != S_OK || !items)
        return; // a folder that cannot be listed shows no children
    ITEMIDLIST* child = nullptr;
    ULONG fetched = 0;
    while (items->Next(1, &child, &fetched) == S_OK && child) {
        ItemId owned(child);
        auto item = std::make_unique<TacShellFolder>(ComRef<IShellFolder>::Share(shell),
                                                     folder->FullId(), owned.get());
        std::u16string text = item->DisplayName(show_ext_);
        HTREEITEM added = InsertFolder(node, TVI_LAST, std::move(item), std::move(text));
        if (added && OnAddFolder) {
            bool can_add = true;
            OnAddFolder(*FolderOf(added), can_add);
            if (!can_add)
                TreeView_DeleteItem(handle_, added);
        }
    }
    SortChildren(node);
}

void TacCustomShellTreeView::SortChildren(HTREEITEM node) {
    TVSORTCB sort{node, CompareInShellOrder, 0};
    TreeView_SortChildrenCB(handle_, &sort, FALSE);
}

std::u16string TacCustomShellTreeView::Path() const {
    TacShellFolder* folder = SelectedFolder();
    return folder ? folder->PathName() : std::u16string();
}

void TacCustomShellTreeView::SetPath(const std::u16string& path) {
    ItemId id = ParseName(FullPath(path), handle_);
    if (!id)
        throw core::Error(u"Error Setting Path");
    if (TacShellFolder* selected = SelectedFolder();
        selected && SameItem(selected->FullId(), id.get()))
        return;
    HTREEITEM node = RootNode();
    TacShellFolder* root = FolderOf(node);
    if (!root)
        return;
    const int root_level = root->Level();
    const int level = ItemIdCount(id.get());
    if (level < root_level || !SameItem(ItemIdPrefix(id.get(), root_level).get(), root->FullId())) {
        TreeView_SelectItem(handle_, nullptr);
        return;
    }
    for (int k = root_level + 1; k <= level && node; ++k) {
        ItemId ancestor = ItemIdPrefix(id.get(), k);
        Populate(node);
        TreeView_Expand(handle_, node, TVE_EXPAND);
        node = FindChildById(node, ancestor.get());
    }
    TreeView_SelectItem(handle_, node);
    if (node)
        TreeView_EnsureVisible(handle_, node);
}

HTREEITEM TacCustomShellTreeView::FindChildById(HTREEITEM node, LPCITEMIDLIST id) {
    for (HTREEITEM child = TreeView_GetChild(handle_, node); child;
         child = TreeView_GetNextSibling(handle_, child))
        if (TacShellFolder* folder = FolderOf(child); folder && SameItem(folder->FullId(), id))
            return child;
    return nullptr;
}

HTREEITEM TacCustomShellTreeView::FindLoadedById(HTREEITEM first, LPCITEMIDLIST id) const {
    for (HTREEITEM node = first; node; node = TreeView_GetNextSibling(handle_, node)) {
        if (TacShellFolder* folder = FolderOf(node); folder && SameItem(folder->FullId(), id))
            return node;
        if (HTREEITEM found = FindLoadedById(TreeView_GetChild(handle_, node), id))
            return found;
    }
    return nullptr;
}

HTREEITEM TacCustomShellTreeView::FindChildByPath(HTREEITEM node, const std::u16string& path) {
    for (HTREEITEM child = TreeView_GetChild(handle_, node); child;
         child = TreeView_GetNextSibling(handle_, child))
        if (TacShellFolder* folder = FolderOf(child); folder && SamePath(folder->PathName(), path))
            return child;
    return nullptr;
}

void TacCustomShellTreeView::CollectExpanded(HTREEITEM node, std::vector<ItemId>& expanded) const {
    for (HTREEITEM child = TreeView_GetChild(handle_, node); child;
         child = TreeView_GetNextSibling(handle_, child)) {
        if (TreeView_GetItemState(handle_, child, TVIS_EXPANDED) & TVIS_EXPANDED)
            if (TacShellFolder* folder = FolderOf(child))
                expanded.push_back(CloneItemId(folder->FullId()));
        CollectExpanded(child, expanded);
    }
}

HTREEITEM TacCustomShellTreeView::RefreshNode(HTREEITEM node) {
    TacShellFolder* folder = FolderOf(node);
    if (!folder)
        return nullptr;
    auto id_of = [this](HTREEITEM item) {
        TacShellFolder* f = FolderOf(item);
        return f ? CloneItemId(f->FullId()) : ItemId();
    };
    const ItemId top = id_of(TreeView_GetFirstVisible(handle_));
    const ItemId selected = id_of(Selected());
    const bool was_expanded = TreeView_GetItemState(handle_, node, TVIS_EXPANDED) & TVIS_EXPANDED;
    std::vector<ItemId> expanded;
    CollectExpanded(node, expanded);

    HTREEITEM fresh = nullptr;
    BeginUpdate();
    try {
        // The fresh node goes where the old one is, so that the order of siblings stays.
        HTREEITEM previous = TreeView_GetPrevSibling(handle_, node);
        HTREEITEM parent = TreeView_GetParent(handle_, node);
        TVITEMW query{};
        query.mask = TVIF_TEXT;
        query.hItem = node;
        wchar_t text[MAX_PATH * 2] = {};
        query.pszText = text;
        query.cchTextMax = MAX_PATH * 2;
        TreeView_GetItem(handle_, &query);
        fresh = InsertFolder(parent, previous ? previous : TVI_FIRST, folder->Clone(),
                             ui::FromWide(text));
        if (fresh) {
            Populate(fresh);
            if (was_expanded)
                TreeView_Expand(handle_, fresh, TVE_EXPAND);
            for (const ItemId& id : expanded)
                if (HTREEITEM again = FindLoadedById(TreeView_GetChild(handle_, fresh), id.get())) {
                    Populate(again);
                    TreeView_Expand(handle_, again, TVE_EXPAND);
                }
            TreeView_DeleteItem(handle_, node);
            if (selected)
                if (HTREEITEM again = FindLoadedById(RootNode(), selected.get()))
                    TreeView_SelectItem(handle_, again);
            if (top)
                if (HTREEITEM again = FindLoadedById(RootNode(), top.get()))
                    TreeView_SelectSetFirstVisible(handle_, again);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return fresh;
}

bool TacCustomShellTreeView::Edited(HTREEITEM item, const std::u16string& text) {
    if (!TreeView::Edited(item, text))
        return false;
    TacShellFolder* folder = FolderOf(item);
    if (!folder)
        return false;
    try {
        if (!folder->Rename(text, handle_))
            return false;
    } catch (...) {
        // The tree control is in the middle of ending the edit: show the error once it has.
        DeferError(std::current_exception());
        return false;
    }
    if (TacShellFolder* parent = FolderOf(TreeView_GetParent(handle_, item))) {
        deferred_refreshes_.push_back(CloneItemId(parent->FullId()));
        PostMessageW(handle_, kDeferredWork, 0, 0);
    }
    return true;
}

void TacCustomShellTreeView::DeferError(std::exception_ptr error) {
    deferred_errors_.push_back(std::move(error));
    PostMessageW(handle_, kDeferredWork, 0, 0);
}

void TacCustomShellTreeView::RunDeferred() {
    std::vector<std::exception_ptr> errors;
    errors.swap(deferred_errors_);
    for (std::exception_ptr& error : errors)
        ui::Application::Instance().HandleException(error);
    std::vector<ItemId> refreshes;
    refreshes.swap(deferred_refreshes_);
    for (const ItemId& id : refreshes)
        if (HTREEITEM node = FindLoadedById(RootNode(), id.get()))
            RefreshNode(node);
}

bool TacCustomShellTreeView::ContextCommand(const std::u16string& verb) {
    if (verb == u"rename") {
        if (HTREEITEM node = Selected())
            EditItem(node);
        return true;
    }
    if (verb == u"open") {
        saved_directory_ = CurrentDirectory();
        if (TacShellFolder* folder = SelectedFolder()) {
            const std::u16string parent = core::ExtractFilePath(folder->PathName());
            if (!parent.empty())
                SetCurrentDirectoryW(ui::Wide(parent));
        }
    }
    return false;
}

void TacCustomShellTreeView::AfterContextCommand(const std::u16string& verb, HTREEITEM node,
                                                 bool succeeded) {
    // The working directory is ours to give back whether or not the shell managed to open.
    if (verb == u"open" && !saved_directory_.empty()) {
        SetCurrentDirectoryW(ui::Wide(saved_directory_));
        saved_directory_.clear();
    }
    if (!succeeded)
        return;
    if (verb == u"delete") {
        if (TacShellFolder* folder = FolderOf(node); folder && !folder->StillExists())
            TreeView_DeleteItem(handle_, node);
    } else if (verb == u"paste") {
        if (HTREEITEM selected = Selected())
            RefreshNode(selected);
    }
}

void TacCustomShellTreeView::RightClick() {
    POINT screen;
    GetCursorPos(&screen);
    TVHITTESTINFO hit{};
    hit.pt = screen;
    ScreenToClient(handle_, &hit.pt);
    HTREEITEM node = TreeView_HitTest(handle_, &hit);
    if (node && (hit.flags & TVHT_ONITEM) && right_click_select_)
        TreeView_SelectItem(handle_, node);
    if (auto_context_menus_)
        if (HTREEITEM selected = Selected())
            ShowShellContextMenu(*this, selected, screen);
}

void TacCustomShellTreeView::HandleNotify(ui::Message& message) {
    auto* header = reinterpret_cast<NMHDR*>(message.lParam);
    switch (header->code) {
    case TVN_ITEMEXPANDINGW: {
        auto* change = reinterpret_cast<NMTREEVIEWW*>(header);
        message.result = FALSE;
        if (!(change->action & TVE_EXPAND))
            return;
        TacShellFolder* folder = FolderOf(change->itemNew.hItem);
        if (folder && !folder->IsFolder()) {
            // Only files can get here: they open with the shell, and nothing expands.
            SHELLEXECUTEINFOW execute{sizeof(execute)};
            execute.fMask = SEE_MASK_IDLIST | SEE_MASK_ASYNCOK;
            execute.hwnd = handle_;
            execute.lpIDList = const_cast<ITEMIDLIST*>(folder->FullId());
            execute.nShow = SW_SHOWNORMAL;
            ShellExecuteExW(&execute);
            message.result = TRUE;
            return;
        }
        Populate(change->itemNew.hItem);
        return;
    }
    case TVN_DELETEITEMW: {
        auto* change = reinterpret_cast<NMTREEVIEWW*>(header);
        folders_.erase(reinterpret_cast<TacShellFolder*>(change->itemOld.lParam));
        return;
    }
    case NM_RCLICK:
        RightClick();
        message.result = TRUE;
        return;
    case TVN_SELCHANGEDW:
        if (auto_refresh_)
            WatchFolder();
        break;
    }
    TreeView::WndProc(message);
}

void TacCustomShellTreeView::WndProc(ui::Message& message) {
    switch (message.msg) {
    case ui::CN_NOTIFY:
        HandleNotify(message);
        return;
    case kDeferredWork:
        RunDeferred();
        return;
    case WM_TIMER:
        if (message.wParam == kWatchTimer) {
            CheckWatch();
            return;
        }
        break;
    case WM_INITMENUPOPUP:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        if (open_menu_) {
            open_menu_->HandleMenuMsg(message.msg, message.wParam, message.lParam);
            message.result = message.msg == WM_INITMENUPOPUP ? 0 : TRUE;
            return;
        }
        break;
    case WM_DESTROY:
        KillTimer(handle_, kWatchTimer);
        break;
    }
    TreeView::WndProc(message);
}

void TacCustomShellTreeView::SetAutoRefresh(bool refresh) {
    auto_refresh_ = refresh;
    WatchFolder();
}

void TacCustomShellTreeView::WatchFolder() {
    if (watch_) {
        FindCloseChangeNotification(watch_);
        watch_ = nullptr;
    }
    if (!handle_)
        return;
    KillTimer(handle_, kWatchTimer);
    if (!auto_refresh_)
        return;
    TacShellFolder* folder = SelectedFolder();
    if (!folder)
        folder = FolderOf(RootNode());
    const std::u16string path = folder ? FileSystemPath(folder->FullId()) : std::u16string();
    if (path.empty())
        return;
    HANDLE watch = FindFirstChangeNotificationW(
        ui::Wide(path), FALSE, FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_FILE_NAME);
    if (watch == INVALID_HANDLE_VALUE)
        return;
    watch_ = watch;
    SetTimer(handle_, kWatchTimer, kWatchInterval, nullptr);
}

void TacCustomShellTreeView::CheckWatch() {
    if (!watch_ || WaitForSingleObject(watch_, 0) != WAIT_OBJECT_0)
        return;
    FindNextChangeNotification(watch_);
    if (TreeView_GetEditControl(handle_))
        return; // a refresh would take the node being renamed away
    if (HTREEITEM node = Selected() ? Selected() : RootNode())
        RefreshNode(node);
}

void TacCustomShellTreeView::SetParent(ui::WinControl* parent) {
    TreeView::SetParent(parent);
    bound_label_.SetParent(parent);
    AlignBoundLabel();
}

void TacCustomShellTreeView::SetBoundLabelText(std::u16string text) {
    bound_label_.SetText(std::move(text));
    AlignBoundLabel();
}

void TacCustomShellTreeView::BoundsChanged() {
    TreeView::BoundsChanged();
    AlignBoundLabel();
}

void TacCustomShellTreeView::VisibleChanged() {
    TreeView::VisibleChanged();
    bound_label_.SetVisible(Visible());
}

void TacCustomShellTreeView::AlignBoundLabel() {
    const ui::Bounds& label = bound_label_.GetBounds();
    bound_label_.SetBounds({Left() + 4, Top() - label.height, label.width, label.height});
}

} // namespace dialogs
