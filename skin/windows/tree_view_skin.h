#pragma once

// The skin's additions to a tree view (the main window's folder tree, the picker's shell tree):
// a handler on its window that takes the background and text colours from the skin's section
// (EDIT by default), fills the background and replaces the scroll bars, and the selected node
// painted from the skin's SELECTION section after the platform has drawn it. Everything else is
// the platform tree's own; its name editor stays unskinned.

#include "skin/windows/scroll_wnd.h"
#include "ui/component.h"
#include "ui/procedure_chain.h"

#include <commctrl.h>
#include <functional>
#include <memory>

namespace ui {
class TreeView;
}

namespace skin::windows {

// The handler on the tree's window.
class TacTreeViewWnd : public TacScrollWnd {
public:
    TacTreeViewWnd(HWND window, const data::LoadedSkin& skin, std::u16string section,
                   std::u16string name);
    ~TacTreeViewWnd() override;

    // The section's background and text colours for the focus state given to the platform tree.
    void SetSkinParams();
    // The tree's own colours back.
    void RestoreStdParams();

protected:
    bool Handle(ui::Message& message) override;

private:
    // Drops the bars the tree no longer needs (it hides them without a word to the handler).
    void DropUnneededBars();

    int section_;
    COLORREF std_color_;
    COLORREF std_font_color_;
    COLORREF color_ = 0;
};

// Owned by the tree, so that it goes while the tree still has its window.
class TsTreeViewSkin : public ui::Component {
public:
    // The owner is the tree view it dresses. The handler comes when the tree's window is shown
    // (or now, when it is already), and again for a re-created window.
    TsTreeViewSkin(ui::Component* owner, const data::LoadedSkin& skin);
    // The handler paints with the skin current names, made anew with every skin announced to
    // the tree (none: the platform's look).
    using CurrentSkin = std::function<const data::LoadedSkin*()>;
    TsTreeViewSkin(ui::Component* owner, CurrentSkin current);
    ~TsTreeViewSkin() override;

    std::u16string_view ClassName() const override { return u"TsTreeViewSkin"; }
    std::u16string SkinSection = u"EDIT";

    TacTreeViewWnd* Handler() const { return handler_.get(); }

private:
    void Attach();
    LRESULT CustomDraw(NMTVCUSTOMDRAW& draw);
    void PaintSelected(NMTVCUSTOMDRAW& draw);

    ui::TreeView& tree_;
    CurrentSkin current_;
    std::unique_ptr<TacTreeViewWnd> handler_;
    std::unique_ptr<TacTreeViewWnd> retired_;
    std::function<LRESULT(NMTVCUSTOMDRAW&)> old_draw_item_; // FOldDrawItem
    ui::ProcedureLayer layer_;
    ui::ProcedureLayer skin_layer_;
};

} // namespace skin::windows
