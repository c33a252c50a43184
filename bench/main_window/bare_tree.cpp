#include "bare_tree.h"

namespace bench {

namespace {

constexpr wchar_t kFrameClass[] = L"ArbordirBenchBareFrame";

void RegisterFrameClass() {
    WNDCLASSEXW frame{};
    frame.cbSize = sizeof(frame);
    frame.lpfnWndProc = DefWindowProcW;
    frame.hInstance = GetModuleHandleW(nullptr);
    frame.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frame.lpszClassName = kFrameClass;
    RegisterClassExW(&frame); // a second registration fails harmlessly
}

} // namespace

BareTree::BareTree(HWND model) {
    RegisterFrameClass();
    RECT bounds;
    GetWindowRect(model, &bounds);
    frame_ = CreateWindowExW(0, kFrameClass, L"Bare tree view", WS_OVERLAPPEDWINDOW, 40, 40,
                             bounds.right - bounds.left + 40, bounds.bottom - bounds.top + 60,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(model, GWL_STYLE));
    const DWORD ex_style = static_cast<DWORD>(GetWindowLongPtrW(model, GWL_EXSTYLE));
    tree_ =
        CreateWindowExW(ex_style, WC_TREEVIEWW, L"", (style & ~WS_POPUP) | WS_CHILD | WS_VISIBLE, 0,
                        0, bounds.right - bounds.left, bounds.bottom - bounds.top, frame_, nullptr,
                        GetModuleHandleW(nullptr), nullptr);
    SendMessageW(tree_, WM_SETFONT, SendMessageW(model, WM_GETFONT, 0, 0), FALSE);
    TreeView_SetImageList(tree_, TreeView_GetImageList(model, TVSIL_NORMAL), TVSIL_NORMAL);
    TreeView_SetIndent(tree_, TreeView_GetIndent(model));
    TreeView_SetBkColor(tree_, TreeView_GetBkColor(model));
    ShowWindow(frame_, SW_SHOWNOACTIVATE);
    Settle();
}

BareTree::~BareTree() {
    DestroyWindow(frame_);
}

std::vector<HTREEITEM> BareTree::Insert(const Outline& outline) {
    std::vector<HTREEITEM> roots;
    std::vector<HTREEITEM> parents; // the last item of each level down to the current one
    TVINSERTSTRUCTW insert{};
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const OutlineItem& item = outline[i];
        parents.resize(static_cast<std::size_t>(item.level));
        insert.hParent = parents.empty() ? TVI_ROOT : parents.back();
        insert.item.pszText = const_cast<wchar_t*>(item.name.c_str());
        HTREEITEM inserted = TreeView_InsertItem(tree_, &insert);
        parents.push_back(inserted);
        if (item.level == 0) {
            roots.push_back(inserted);
            expandable_.emplace_back();
        }
        // The outline says which items get children: no message needed to find them later.
        if (i + 1 < outline.size() && outline[i + 1].level > item.level)
            expandable_.back().push_back(inserted);
    }
    return roots;
}

void BareTree::ExpandAll() {
    for (const std::vector<HTREEITEM>& subtree : expandable_)
        for (auto item = subtree.rbegin(); item != subtree.rend(); ++item)
            TreeView_Expand(tree_, *item, TVE_EXPAND);
}

void BareTree::Fill(const Outline& outline) {
    SetRedraw(false);
    Insert(outline);
    ExpandAll();
    SetRedraw(true);
    Settle();
}

void BareTree::Clear() {
    TreeView_DeleteAllItems(tree_);
    expandable_.clear();
    Settle();
}

void BareTree::DeleteFirstRoot() {
    TreeView_DeleteItem(tree_, TreeView_GetRoot(tree_));
    if (!expandable_.empty())
        expandable_.erase(expandable_.begin());
    Settle();
}

void BareTree::SetRedraw(bool redraw) {
    SendMessageW(tree_, WM_SETREDRAW, redraw, 0);
    if (redraw)
        InvalidateRect(tree_, nullptr, TRUE);
}

void BareTree::Settle() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    UpdateWindow(frame_);
}

} // namespace bench
