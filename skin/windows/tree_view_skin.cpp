#include "skin/windows/tree_view_skin.h"

#include "core/error.h"
#include "skin/render/win32/dib_bitmap.h"
#include "skin/render/win32/gdi_text_renderer.h"
#include "skin/scroll/selection_painter.h"
#include "skin/windows/frame_platform.h"
#include "ui/controls/tree_view.h"

namespace skin::windows {

TacTreeViewWnd::TacTreeViewWnd(HWND window, const data::LoadedSkin& skin, std::u16string section,
                               std::u16string name)
    : TacScrollWnd(window, skin, std::move(name)),
      section_(skin.GetSkinIndex(section.empty() ? u"EDIT" : section)),
      std_color_(COLORREF(SendMessageW(window, TVM_GETBKCOLOR, 0, 0))),
      std_font_color_(COLORREF(SendMessageW(window, TVM_GETTEXTCOLOR, 0, 0))) {
    SetSkinParams();
}

TacTreeViewWnd::~TacTreeViewWnd() {
    if (!Destroyed())
        RestoreStdParams();
}

void TacTreeViewWnd::RestoreStdParams() {
    if (!IsWindow(CtrlHandle()))
        return;
    SendMessageW(CtrlHandle(), TVM_SETBKCOLOR, 0, LPARAM(std_color_));
    SendMessageW(CtrlHandle(), TVM_SETTEXTCOLOR, 0, LPARAM(std_font_color_));
}

void TacTreeViewWnd::SetSkinParams() {
    if (!skin_.IsValidSkinIndex(section_))
        return;
    const data::TsGeneralData& gd = skin_.gd[static_cast<std::size_t>(section_)];
    const bool hot = gd.States > 1 && GetFocus() == CtrlHandle();
    color_ = COLORREF(data::ColorToRGB(hot ? gd.HotColor : gd.Color));
    const COLORREF font =
        COLORREF(data::ColorToRGB(hot ? gd.HotFontColor.Color : gd.FontColor.Color));
    if (COLORREF(SendMessageW(CtrlHandle(), TVM_GETBKCOLOR, 0, 0)) != color_)
        SendMessageW(CtrlHandle(), TVM_SETBKCOLOR, 0, LPARAM(color_));
    if (COLORREF(SendMessageW(CtrlHandle(), TVM_GETTEXTCOLOR, 0, 0)) != font)
        SendMessageW(CtrlHandle(), TVM_SETTEXTCOLOR, 0, LPARAM(font));
}

void TacTreeViewWnd::DropUnneededBars() {
    if (!Vertical().Present && !Horizontal().Present)
        return;
    HWND tree = CtrlHandle();
    const auto next = [tree](HTREEITEM item, WPARAM how) {
        return reinterpret_cast<HTREEITEM>(
            SendMessageW(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
    };
    const HTREEITEM first = next(nullptr, TVGN_ROOT);
    if (!first) {
        DropBar(scroll::BarKind::Vertical);
        DropBar(scroll::BarKind::Horizontal);
        return;
    }
    if (!Vertical().Present || next(nullptr, TVGN_FIRSTVISIBLE) != first)
        return;
    // Not scrolled: the bar is needed while more nodes are open than fit in the window.
    const auto fitting = static_cast<int>(SendMessageW(tree, TVM_GETVISIBLECOUNT, 0, 0));
    int open = 1;
    for (HTREEITEM item = first; open <= fitting && (item = next(item, TVGN_NEXTVISIBLE));)
        ++open;
    if (open <= fitting)
        DropBar(scroll::BarKind::Vertical);
}

bool TacTreeViewWnd::Handle(ui::Message& m) {
    switch (m.msg) {
    case WM_PAINT:
        // Deleting and collapsing reach the tree past the handler; the repaint that follows
        // them comes here.
        DropUnneededBars();
        break;
    case WM_ERASEBKGND: {
        if (!skin_.IsValidSkinIndex(section_))
            break;
        HDC dc = m.wParam ? HDC(m.wParam) : GetDC(CtrlHandle());
        RECT r;
        GetClientRect(CtrlHandle(), &r);
        HBRUSH brush = CreateSolidBrush(
            COLORREF(data::ColorToRGB(skin_.gd[static_cast<std::size_t>(section_)].Color)));
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        if (!m.wParam)
            ReleaseDC(CtrlHandle(), dc);
        m.result = 0;
        return true;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        m.result = CallPrevious(m);
        SetSkinParams();
        return true;
    case ui::WM_SKINCOMMAND: {
        const WORD command = HIWORD(m.wParam);
        if (command != engine::SkinCmdSetNewSkin && command != engine::SkinCmdRemoveSkin &&
            command != engine::SkinCmdRefresh)
            break;
        if (command == engine::SkinCmdRemoveSkin)
            RestoreStdParams();
        // The tree's owner hears the announcement too, and may put a handler for the new skin
        // in this one's place meanwhile.
        const LRESULT answer = CallPrevious(m);
        if (Destroyed()) {
            m.result = answer;
            return true;
        }
        if (command == engine::SkinCmdRefresh)
            SetSkinParams();
        break;
    }
    case WM_LBUTTONUP: {
        const bool consumed = TacScrollWnd::Handle(m);
        if (!consumed)
            m.result = CallPrevious(m);
        if (GetCapture() == CtrlHandle())
            ReleaseCapture();
        return true;
    }
    default:
        break;
    }
    return TacScrollWnd::Handle(m);
}

namespace {

ui::TreeView& TreeOf(ui::Component* owner) {
    auto* tree = dynamic_cast<ui::TreeView*>(owner);
    if (!tree)
        throw core::Error(u"A tree view skin must be owned by a tree view");
    return *tree;
}

} // namespace

TsTreeViewSkin::TsTreeViewSkin(ui::Component* owner, const data::LoadedSkin& skin)
    : TsTreeViewSkin(owner, [&skin] { return &skin; }) {}

TsTreeViewSkin::TsTreeViewSkin(ui::Component* owner, CurrentSkin current)
    : ui::Component(owner), tree_(TreeOf(owner)), current_(std::move(current)) {
    old_draw_item_ = tree_.OnCustomDraw;
    tree_.OnCustomDraw = [this](NMTVCUSTOMDRAW& draw) { return CustomDraw(draw); };
    layer_ = AttachWhenShown(tree_, [this] { Attach(); });
    skin_layer_ =
        tree_.AddProcedureLayer([this](ui::Message& m, const ui::ProcedureChain::Next& next) {
            const WORD command = m.msg == ui::WM_SKINCOMMAND ? ui::SkinCommandOf(m) : 0;
            // Without a handler the tree still takes the announcements, to get one back.
            if (command == engine::SkinCmdCtrlHandled && (!handler_ || handler_->Destroyed())) {
                m.result = 1;
                return;
            }
            next(m);
            if (command == engine::SkinCmdSetNewSkin || command == engine::SkinCmdRefresh)
                Attach();
        });
    Attach();
}

TsTreeViewSkin::~TsTreeViewSkin() {
    layer_ = {};
    skin_layer_ = {};
    tree_.OnCustomDraw = old_draw_item_;
    handler_.reset();
    retired_.reset();
    if (tree_.HandleAllocated())
        InvalidateRect(tree_.Handle(), nullptr, TRUE);
}

void TsTreeViewSkin::Attach() {
    if (!tree_.HandleAllocated())
        return;
    const data::LoadedSkin* skin = current_ ? current_() : nullptr;
    if (handler_ && (handler_->Destroyed() || handler_->CtrlHandle() != tree_.Handle() ||
                     &handler_->Skin() != skin)) {
        // It may be the handler delivering this message: off the window now, freed later.
        handler_->Detach();
        retired_ = std::move(handler_);
    }
    if (!handler_ && skin)
        handler_ = std::make_unique<TacTreeViewWnd>(tree_.Handle(), *skin, SkinSection,
                                                    std::u16string(tree_.Name()));
}

LRESULT TsTreeViewSkin::CustomDraw(NMTVCUSTOMDRAW& draw) {
    LRESULT result = CDRF_DODEFAULT;
    if (old_draw_item_) {
        result = old_draw_item_(draw);
        if (result & CDRF_SKIPDEFAULT)
            return result;
    }
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return result | CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        // Only the selected node is looked at again after the platform drew it.
        if (draw.nmcd.uItemState & CDIS_SELECTED)
            result |= CDRF_NOTIFYPOSTPAINT;
        return result;
    case CDDS_ITEMPOSTPAINT:
        PaintSelected(draw);
        return result;
    default:
        return result;
    }
}

void TsTreeViewSkin::PaintSelected(NMTVCUSTOMDRAW& draw) {
    HWND window = draw.nmcd.hdr.hwndFrom;
    const auto item = reinterpret_cast<HTREEITEM>(draw.nmcd.dwItemSpec);
    if (!handler_ || handler_->Destroyed() || item != TreeView_GetSelection(window))
        return;
    const bool focused = GetFocus() == window;
    const bool hide_selection = !(GetWindowLongW(window, GWL_STYLE) & TVS_SHOWSELALWAYS);
    if (!focused && hide_selection)
        return;
    RECT r;
    if (!TreeView_GetItemRect(window, item, &r, TRUE) || r.right <= r.left || r.bottom <= r.top)
        return;
    wchar_t buffer[520] = {};
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buffer;
    tv.cchTextMax = int(std::size(buffer));
    TreeView_GetItem(window, &tv);

    render::SkinBitmap bmp = render::win32::NewDibBitmap(r.right - r.left, r.bottom - r.top);
    render::win32::GdiTextRenderer text(
        reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    scroll::SelectionLook look;
    look.Text.assign(reinterpret_cast<const char16_t*>(buffer));
    look.Focused = focused;
    look.Enabled = IsWindowEnabled(window) != FALSE;
    look.ControlColor = data::TColor(SendMessageW(window, TVM_GETBKCOLOR, 0, 0));
    if (look.ControlColor == -1)
        look.ControlColor = data::TColor(GetSysColor(COLOR_WINDOW));
    const bool focus_rect = scroll::PaintSelection(bmp, handler_->Skin(), text, look);
    BlitRect(draw.nmcd.hdc, r.left, r.top, bmp, bmp.Bounds());
    if (focus_rect)
        DrawFocusRect(draw.nmcd.hdc, &r);
}

} // namespace skin::windows
