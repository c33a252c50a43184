#include "ui/controls/tree_view.h"

#include "ui/application.h"
#include "ui/controls/item_tip.h"
#include "ui/wide.h"

namespace ui {

TreeView::TreeView(Component* owner) : WinControl(owner) {
    SetTabStop(true);
    color_ = SystemColor(COLOR_WINDOW);
}

TreeView::~TreeView() {
    DetachEditor();
}

void TreeView::CreateParams(ui::CreateParams& params) {
    WinControl::CreateParams(params);
    params.class_name = WC_TREEVIEWW;
    params.style |= TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_EDITLABELS;
    if (!hide_selection_)
        params.style |= TVS_SHOWSELALWAYS;
    if (border_)
        params.ex_style |= WS_EX_CLIENTEDGE;
}

void TreeView::SetHideSelection(bool hide) {
    hide_selection_ = hide;
    if (!handle_)
        return;
    const LONG style = GetWindowLongW(handle_, GWL_STYLE);
    SetWindowLongW(handle_, GWL_STYLE,
                   hide ? style & ~TVS_SHOWSELALWAYS : style | TVS_SHOWSELALWAYS);
    Invalidate();
}

void TreeView::HandleCreated() {
    if (images_)
        TreeView_SetImageList(handle_, images_, TVSIL_NORMAL);
    if (indent_ > 0)
        TreeView_SetIndent(handle_, indent_);
    TreeView_SetBkColor(handle_, ColorToRgb(color_));
    TreeView_SetTextColor(handle_, ColorToRgb(font_.color));
}

void TreeView::ColorChanged() {
    if (handle_)
        TreeView_SetBkColor(handle_, ColorToRgb(color_));
    Invalidate();
}

void TreeView::FontChanged() {
    WinControl::FontChanged();
    if (handle_)
        TreeView_SetTextColor(handle_, ColorToRgb(font_.color));
}

void TreeView::SetImageList(HIMAGELIST images) {
    images_ = images;
    if (handle_)
        TreeView_SetImageList(handle_, images, TVSIL_NORMAL);
}

void TreeView::SetIndent(int pixels) {
    indent_ = pixels;
    if (handle_)
        TreeView_SetIndent(handle_, pixels);
}

HTREEITEM TreeView::InsertItem(HTREEITEM parent, const std::u16string& text, int image,
                               LPARAM data) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(Wide(text));
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    insert.item.lParam = data;
    Handle();
    return reinterpret_cast<HTREEITEM>(
        CallClassProcedure(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void TreeView::DeleteItem(HTREEITEM item) {
    // Without an item the platform would delete every one.
    if (item)
        CallClassProcedure(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
}

void TreeView::SetItemText(HTREEITEM item, const std::u16string& text) {
    TVITEMW change{};
    change.mask = TVIF_TEXT;
    change.hItem = item;
    change.pszText = const_cast<wchar_t*>(Wide(text));
    CallClassProcedure(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
}

void TreeView::ExpandItem(HTREEITEM item) {
    if (item)
        CallClassProcedure(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

void TreeView::SelectItem(HTREEITEM item) {
    TreeView_SelectItem(Handle(), item);
}

HTREEITEM TreeView::Selected() const {
    return handle_ ? TreeView_GetSelection(handle_) : nullptr;
}

LPARAM TreeView::ItemData(HTREEITEM item) const {
    TVITEMW query{};
    query.mask = TVIF_PARAM;
    query.hItem = item;
    return handle_ && CallClassProcedure(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query))
               ? query.lParam
               : 0;
}

void TreeView::EditItem(HTREEITEM item) {
    // The name editor belongs to the tree view; it needs the focus to take typing.
    if (GetFocus() != Handle() && CanFocus())
        ::SetFocus(handle_);
    TreeView_EditLabel(handle_, item);
}

bool TreeView::IsEditing() const {
    return editor_ != nullptr;
}

void TreeView::EndEditing(bool cancel) {
    if (editor_)
        TreeView_EndEditLabelNow(handle_, cancel);
}

void TreeView::SetRedraw(bool redraw) {
    if (!handle_)
        return;
    SendMessageW(handle_, WM_SETREDRAW, redraw, 0);
    if (redraw)
        InvalidateRect(handle_, nullptr, TRUE);
}

void TreeView::SetItemImage(HTREEITEM item, int image) {
    TVITEMW change{};
    change.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    change.hItem = item;
    change.iImage = image;
    change.iSelectedImage = image;
    CallClassProcedure(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
}

void TreeView::WndProc(Message& message) {
    switch (message.msg) {
    case CN_NOTIFY:
        HandleNotify(message);
        return;
    case WM_CHAR:
        // A key that opened the name editor arrives here as a character afterwards; the
        // tree's search by first letter would move the selection away from the name being
        // edited.
        if (editor_)
            return;
        break;
    case WM_NCDESTROY:
        DetachEditor();
        tip_.reset();
        break;
    }
    WinControl::WndProc(message);
    // After the framework, whose mouse tracking would replace the tip's on the first move.
    if (OnItemTip && handle_ && message.msg != WM_NCDESTROY) {
        if (!tip_)
            tip_ = std::make_unique<ItemTip>(handle_, [this](HTREEITEM item) {
                return OnItemTip ? OnItemTip(item) : std::u16string();
            });
        tip_->Observe(message.msg, message.lParam);
    }
}

void TreeView::HandleNotify(Message& message) {
    auto* header = reinterpret_cast<NMHDR*>(message.lParam);
    switch (header->code) {
    case NM_CUSTOMDRAW:
        message.result = OnCustomDraw ? OnCustomDraw(*reinterpret_cast<NMTVCUSTOMDRAW*>(header))
                                      : CDRF_DODEFAULT;
        break;
    case TVN_SELCHANGEDW:
        if (OnSelectionChanged)
            OnSelectionChanged(reinterpret_cast<NMTREEVIEWW*>(header)->itemNew.hItem);
        break;
    case TVN_ITEMEXPANDEDW: {
        auto* change = reinterpret_cast<NMTREEVIEWW*>(header);
        if (OnExpansionChanged)
            OnExpansionChanged(change->itemNew.hItem, change->action & TVE_EXPAND);
        break;
    }
    case TVN_BEGINLABELEDITW:
        label_edit_open_ = true;
        AttachEditor(TreeView_GetEditControl(handle_));
        message.result = FALSE; // allow the edit
        break;
    case TVN_ENDLABELEDITW: {
        auto* edit = reinterpret_cast<NMTVDISPINFOW*>(header);
        DetachEditor();
        message.result = FALSE;
        // The control reports the end of one edit a second time, with the editor's text, when
        // the editor loses the focus on its way out of a cancelled edit. Only the first counts.
        if (!label_edit_open_)
            break;
        label_edit_open_ = false;
        // No text means the user cancelled: the old name stays and nobody is told.
        if (edit->item.pszText) {
            const std::u16string text = FromWide(edit->item.pszText);
            message.result = Edited(edit->item.hItem, text);
        }
        break;
    }
    }
}

bool TreeView::Edited(HTREEITEM item, const std::u16string& text) {
    return OnEdited ? OnEdited(item, text) : true;
}

void TreeView::AttachEditor(HWND editor) {
    DetachEditor();
    editor_ = editor;
    if (editor_)
        SetWindowSubclass(editor_, EditorProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

void TreeView::DetachEditor() {
    if (editor_)
        RemoveWindowSubclass(editor_, EditorProc, 1);
    editor_ = nullptr;
}

LRESULT CALLBACK TreeView::EditorProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR data) {
    auto* tree = reinterpret_cast<TreeView*>(data);
    if (msg == WM_KEYDOWN) {
        WORD key = static_cast<WORD>(wParam);
        bool consumed = false;
        try {
            consumed = tree->DoKeyDown(key);
        } catch (...) {
            Application::Instance().HandleException(std::current_exception());
            consumed = true;
        }
        // A key handler may have removed the item, and with it this editor.
        if (consumed || !IsWindow(window))
            return 0;
        wParam = key;
    } else if (msg == WM_NCDESTROY) {
        tree->DetachEditor();
    }
    return DefSubclassProc(window, msg, wParam, lParam);
}

} // namespace ui
