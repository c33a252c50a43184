#include "skin/windows/ctrl_adapter.h"

#include "core/error.h"
#include "skin/windows/btn_wnd.h"
#include "skin/windows/edit_wnd.h"
#include "skin/windows/tree_view_skin.h"
#include "ui/win_control.h"

#include <algorithm>
#include <functional>

namespace skin::windows {

namespace {

ui::WinControl& FormOf(ui::Component* owner) {
    auto* form = dynamic_cast<ui::WinControl*>(owner);
    if (!form)
        throw core::Error(u"A control adapter must be owned by a form");
    return *form;
}

// The first list naming the class exactly, or tlListCount.
std::size_t ListOf(const ThirdPartyLists& lists, std::u16string_view class_name) {
    for (std::size_t i = 0; i < lists.size(); ++i)
        if (std::find(lists[i].begin(), lists[i].end(), class_name) != lists[i].end())
            return i;
    return tlListCount;
}

} // namespace

TacCtrlAdapter::TacCtrlAdapter(ui::Component* owner, const data::LoadedSkin& skin,
                               ThirdPartyLists lists)
    : ui::Component(owner), form_(FormOf(owner)), skin_(skin), lists_(std::move(lists)) {
    layer_ = form_.AddProcedureLayer([this](ui::Message& m, const ui::ProcedureChain::Next& next) {
        next(m);
        if (m.msg == ui::CM_CONTROLINSERTED && m.lParam) {
            AddItem(*reinterpret_cast<ui::Control*>(m.lParam));
        } else if (m.msg == ui::CM_SHOWINGCHANGED) {
            AddAllItems();
        } else if (m.msg == ui::WM_SKINCOMMAND && HIWORD(m.wParam) == engine::SkinCmdAddChildren) {
            AddChildrenOf(m.lParam);
            m.result = 1;
        }
    });
    AddAllItems();
}

TacCtrlAdapter::~TacCtrlAdapter() {
    layer_ = {};
    handlers_.clear();
}

void TacCtrlAdapter::AddAllItems() {
    DropDestroyed();
    AddItems(form_);
}

void TacCtrlAdapter::AddChildrenOf(LPARAM control) {
    DropDestroyed();
    if (!control) {
        AddItems(form_);
        return;
    }
    // The value is only compared with the form's own controls, never followed.
    ui::Control* found = nullptr;
    const std::function<void(ui::WinControl&)> find = [&](ui::WinControl& parent) {
        for (ui::Control* child : parent.Controls()) {
            if (found)
                return;
            if (reinterpret_cast<LPARAM>(child) == control)
                found = child;
            else if (auto* windowed = dynamic_cast<ui::WinControl*>(child))
                find(*windowed);
        }
    };
    if (reinterpret_cast<LPARAM>(static_cast<ui::Control*>(&form_)) == control) {
        AddItems(form_);
        return;
    }
    find(form_);
    if (!found)
        return;
    AddItem(*found);
    if (auto* windowed = dynamic_cast<ui::WinControl*>(found))
        AddItems(*windowed);
}

void TacCtrlAdapter::AddItems(ui::WinControl& parent) {
    for (ui::Control* control : parent.Controls()) {
        AddItem(*control);
        if (auto* windowed = dynamic_cast<ui::WinControl*>(control))
            AddItems(*windowed);
    }
}

void TacCtrlAdapter::AddItem(ui::Control& control) {
    if (control.Tag() == kSkipTag || !control.Parent())
        return;
    auto* windowed = dynamic_cast<ui::WinControl*>(&control);
    if (!windowed || !windowed->HandleAllocated())
        return;
    HWND window = windowed->Handle();
    if (TacMainWnd::Of(window) || GetPropW(window, kHandledProperty))
        return;
    const std::u16string name(control.Name());
    switch (ListOf(lists_, control.ClassName())) {
    case tlEdits:
        handlers_.push_back(std::make_unique<TacEditWnd>(window, skin_, u"EDIT", name));
        break;
    case tlTreeViews:
        handlers_.push_back(std::make_unique<TacTreeViewWnd>(window, skin_, u"EDIT", name));
        break;
    case tlScrollControls:
        handlers_.push_back(std::make_unique<TacEditWnd>(window, skin_, u"PANEL_LOW", name));
        break;
    case tlButtons:
        handlers_.push_back(std::make_unique<TacButtonWnd>(*windowed, skin_));
        break;
    default:
        // Grids, list views, combo boxes, tab and tool bars and the rest appear nowhere in
        // the program: such a control keeps the platform's look.
        break;
    }
}

TacMainWnd* TacCtrlAdapter::HandlerOf(HWND window) const {
    for (const auto& handler : handlers_)
        if (!handler->Destroyed() && handler->CtrlHandle() == window)
            return handler.get();
    return nullptr;
}

void TacCtrlAdapter::DropDestroyed() {
    std::erase_if(handlers_, [](const auto& handler) { return handler->Destroyed(); });
}

} // namespace skin::windows
