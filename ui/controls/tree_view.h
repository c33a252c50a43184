#pragma once

// The platform tree view: items with text and an image, in-place editing of their names, and
// events for what the user does. Keys typed into the name editor reach OnKeyDown as well, so
// that the tree's key handling also works while a name is being edited.

#include "ui/win_control.h"

#include <commctrl.h>
#include <memory>
#include <string>

namespace ui {

class ItemTip;

class TreeView : public WinControl {
public:
    explicit TreeView(Component* owner);
    ~TreeView() override;

    std::u16string_view ClassName() const override { return u"TTreeView"; }

    void SetImageList(HIMAGELIST images);
    void SetIndent(int pixels);
    void SetBorder(bool border) { border_ = border; }
    // False keeps the selected item marked while the tree has no focus.
    void SetHideSelection(bool hide);

    HTREEITEM InsertItem(HTREEITEM parent, const std::u16string& text, int image, LPARAM data);
    void DeleteItem(HTREEITEM item);
    void SetItemText(HTREEITEM item, const std::u16string& text);
    void ExpandItem(HTREEITEM item);
    void SelectItem(HTREEITEM item);
    HTREEITEM Selected() const;
    LPARAM ItemData(HTREEITEM item) const;
    // Opens the name editor on the item; it takes the keyboard focus.
    void EditItem(HTREEITEM item);
    bool IsEditing() const;
    // Accepts (or cancels) the edit in progress, if any.
    void EndEditing(bool cancel);
    void SetRedraw(bool redraw);
    // The image the item shows, selected or not.
    void SetItemImage(HTREEITEM item, int image);

    // A user's or the control's own change of the selected item.
    std::function<void(HTREEITEM item)> OnSelectionChanged;
    // An accepted name edit; return false to refuse the text.
    std::function<bool(HTREEITEM item, const std::u16string& text)> OnEdited;
    std::function<void(HTREEITEM item, bool expanded)> OnExpansionChanged;
    // The tip of the item the mouse rests on; empty for none. Set, it replaces the tree
    // view's own tips.
    std::function<std::u16string(HTREEITEM item)> OnItemTip;
    // Custom drawing: gets every NM_CUSTOMDRAW of the tree, and its answer (CDRF_...) is the
    // notification's result; without it the platform draws everything. A skin addition keeps
    // the handler it finds and calls it first.
    std::function<LRESULT(NMTVCUSTOMDRAW& draw)> OnCustomDraw;

    void WndProc(Message& message) override;

protected:
    void CreateParams(ui::CreateParams& params) override;
    void HandleCreated() override;
    // The background colour and the font's colour reach the platform's tree.
    void ColorChanged() override;
    void FontChanged() override;
    // An accepted name edit: asks OnEdited. Derived trees put their own acceptance here;
    // returning false keeps the old text.
    virtual bool Edited(HTREEITEM item, const std::u16string& text);

private:
    void HandleNotify(Message& message);
    void AttachEditor(HWND editor);
    void DetachEditor();
    static LRESULT CALLBACK EditorProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);

    HIMAGELIST images_ = nullptr;
    int indent_ = 0;
    bool border_ = true;
    bool hide_selection_ = true;
    HWND editor_ = nullptr;
    bool label_edit_open_ = false;
    std::unique_ptr<ItemTip> tip_;
};

} // namespace ui
