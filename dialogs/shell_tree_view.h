#pragma once

// A tree of the shell namespace: each node carries a TacShellFolder; nodes are filled the first
// time they are expanded, in the shell's own order, with the system's icons. Folders can be
// renamed in place, a right click shows the shell's context menu of the item, and Path selects
// a folder by its path, expanding the way down to it.

#include "dialogs/shell_folder.h"
#include "ui/controls/label.h"
#include "ui/controls/tree_view.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace dialogs {

enum TacObjectType : unsigned { otFolders = 1, otNonFolders = 2, otHidden = 4 };

class TacCustomShellTreeView : public ui::TreeView {
public:
    explicit TacCustomShellTreeView(ui::Component* owner);
    ~TacCustomShellTreeView() override;
    std::u16string_view ClassName() const override { return u"TacCustomShellTreeView"; }

    // A root-folder name ("rfDesktop") or a path. Changing it rebuilds the tree.
    const std::u16string& Root() const { return root_; }
    void SetRoot(std::u16string root);
    unsigned ObjectTypes() const { return object_types_; }
    void SetObjectTypes(unsigned types) { object_types_ = types; }
    bool UseShellImages() const { return use_shell_images_; }
    void SetUseShellImages(bool use);
    bool AutoRefresh() const { return auto_refresh_; }
    void SetAutoRefresh(bool refresh);
    TacShowExtension ShowExt() const { return show_ext_; }
    void SetShowExt(TacShowExtension show) { show_ext_ = show; }
    bool AutoContextMenus() const { return auto_context_menus_; }
    void SetAutoContextMenus(bool show) { auto_context_menus_ = show; }
    bool RightClickSelect() const { return right_click_select_; }
    void SetRightClickSelect(bool select) { right_click_select_ = select; }
    // The skin section the tree will be drawn with once a skin is active.
    const std::u16string& SkinSection() const { return skin_section_; }
    void SetSkinSection(std::u16string section) { skin_section_ = std::move(section); }

    // Asked for every node being added; clearing `can_add` leaves the item out.
    std::function<void(TacShellFolder& folder, bool& can_add)> OnAddFolder;

    // The selected node's path name, or empty with no selection.
    std::u16string Path() const;
    // Selects the folder with this path, expanding its ancestors; clears the selection when
    // the folder lies outside the tree. Raises "Error Setting Path" for a path the shell cannot
    // parse.
    void SetPath(const std::u16string& path);
    TacShellFolder* SelectedFolder() const;
    TacShellFolder* FolderOf(HTREEITEM node) const;

    // Fills a node with its items, if that has not happened yet.
    void Populate(HTREEITEM node);
    // Reads the node's items again, keeping what was expanded, selected and scrolled to.
    // Returns the node that now stands for the item.
    HTREEITEM RefreshNode(HTREEITEM node);
    // The child of `node` whose path name is `path`, or none.
    HTREEITEM FindChildByPath(HTREEITEM node, const std::u16string& path);
    HTREEITEM RootNode() const;

    // The caption above the tree's top left corner.
    ui::Label& BoundLabel() { return bound_label_; }
    void SetBoundLabelText(std::u16string text);
    void SetParent(ui::WinControl* parent) override;

    // A verb chosen from the context menu, offered to the tree before the shell carries it
    // out; true when the tree did it itself.
    virtual bool ContextCommand(const std::u16string& verb);
    // Called after the shell carried out a verb of the context menu.
    virtual void AfterContextCommand(const std::u16string& verb, HTREEITEM node, bool succeeded);
    // Menu messages the shell's context menu wants while it is open (owner-drawn entries).
    void SetOpenContextMenu(IContextMenu2* menu) { open_menu_ = menu; }

    void WndProc(ui::Message& message) override;

protected:
    void CreateParams(ui::CreateParams& params) override;
    void HandleCreated() override;
    bool Edited(HTREEITEM item, const std::u16string& text) override;
    void BoundsChanged() override;
    void VisibleChanged() override;

private:
    void BuildRoot();
    ItemId ResolveRoot(const std::u16string& root) const;
    void ShowRoot(LPCITEMIDLIST id, bool named_folder);
    HTREEITEM InsertFolder(HTREEITEM parent, HTREEITEM after,
                           std::unique_ptr<TacShellFolder> folder, std::u16string text);
    void FillNode(HTREEITEM node);
    void SortChildren(HTREEITEM node);
    HTREEITEM FindChildById(HTREEITEM node, LPCITEMIDLIST id);
    HTREEITEM FindLoadedById(HTREEITEM first, LPCITEMIDLIST id) const;
    void CollectExpanded(HTREEITEM node, std::vector<ItemId>& expanded) const;
    void HandleNotify(ui::Message& message);
    void RightClick();
    void AlignBoundLabel();
    void DeferError(std::exception_ptr error);
    void RunDeferred();
    void BeginUpdate();
    void EndUpdate();
    void WatchFolder();
    void CheckWatch();

    std::u16string root_ = u"rfDesktop";
    std::u16string built_root_; // the last root that could be shown
    unsigned object_types_ = otFolders;
    bool use_shell_images_ = true;
    bool auto_refresh_ = false;
    TacShowExtension show_ext_ = TacShowExtension::seSystem;
    bool auto_context_menus_ = true;
    bool right_click_select_ = true;
    std::u16string skin_section_ = u"EDIT";
    ui::Label& bound_label_;
    std::unordered_map<const TacShellFolder*, std::unique_ptr<TacShellFolder>> folders_;
    std::vector<std::exception_ptr> deferred_errors_;
    std::vector<ItemId> deferred_refreshes_;
    IContextMenu2* open_menu_ = nullptr;
    int update_count_ = 0;
    bool was_busy_ = false;
    std::u16string saved_directory_; // while a context menu's "open" runs
    HANDLE watch_ = nullptr;
    ItemId watched_;
};

// The shell tree as forms use it.
class TsShellTreeView : public TacCustomShellTreeView {
public:
    using TacCustomShellTreeView::TacCustomShellTreeView;
    std::u16string_view ClassName() const override { return u"TsShellTreeView"; }
};

} // namespace dialogs
