#pragma once

// The form adapter: gives the framework controls of a form that have no skinned counterpart a
// window handler, by their exact class name (no inheritance) against the skin manager's lists
// of control classes: the edits' list a TacEditWnd, the buttons' list a TacButtonWnd, the tree
// views' list a TacTreeViewWnd and the scroll controls' list a TacEditWnd of section
// "PANEL_LOW" (lists without a handler of their own leave the platform's look). It walks
// the form's controls when it is made, when the form is shown, when a control is inserted and
// on the skin command AddChildren (the control it names and those inside it); controls tagged
// -98, without a window, or whose window is handled already are left alone. The handlers are
// owned by the adapter, which the form owns.

#include "skin/windows/main_wnd.h"
#include "ui/component.h"
#include "ui/procedure_chain.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ui {
class Control;
class WinControl;
} // namespace ui

namespace skin::windows {

// Lists of the manager's class-name lists by their place.
enum ThirdPartyList : std::size_t {
    tlEdits = 0,
    tlButtons = 1,
    tlTreeViews = 9,
    tlScrollControls = 18,
    tlListCount = 21,
};
using ThirdPartyLists = std::array<std::vector<std::u16string>, tlListCount>;

// A control whose tag is this is never dressed by the adapter.
inline constexpr std::intptr_t kSkipTag = -98;

class TacCtrlAdapter : public ui::Component {
public:
    // The owner is the form whose controls are dressed.
    TacCtrlAdapter(ui::Component* owner, const data::LoadedSkin& skin, ThirdPartyLists lists);
    ~TacCtrlAdapter() override;

    std::u16string_view ClassName() const override { return u"TacCtrlAdapter"; }

    // Walks every control of the form, the children of children too.
    void AddAllItems();
    // SkinCmdAddChildren: the control passed (one of the form's, or the form itself) and the
    // controls inside it; with none, the whole form.
    void AddChildrenOf(LPARAM control);
    // The handler the adapter gave a window, or none.
    TacMainWnd* HandlerOf(HWND window) const;
    std::size_t HandlerCount() const { return handlers_.size(); }

private:
    void AddItems(ui::WinControl& parent);
    void AddItem(ui::Control& control);
    void DropDestroyed();

    ui::WinControl& form_;
    const data::LoadedSkin& skin_;
    ThirdPartyLists lists_;
    std::vector<std::unique_ptr<TacMainWnd>> handlers_;
    ui::ProcedureLayer layer_;
};

} // namespace skin::windows
