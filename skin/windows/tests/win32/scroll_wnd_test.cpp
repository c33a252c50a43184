// The skinned scroll bars and the tree's skin on a real tree view under Wine: the platform's bars
// never take room, the painted thumb stands where the scroll record says, presses repeat by the
// timers (counted in the trace), and taking the skin off gives everything back.

#include "skin/render/win32/dib_bitmap.h"
#include "skin/windows/ctrl_adapter.h"
#include "skin/windows/edit_wnd.h"
#include "skin/windows/tests/win32/skinned_form.h"
#include "skin/windows/tree_view_skin.h"
#include "ui/controls/label.h"
#include "ui/controls/scroll_box.h"
#include "ui/controls/tree_view.h"
#include "ui/trace.h"

#include <cstdio>
#include <uxtheme.h>
#include <vector>

namespace skin::windows {
namespace {

using namespace testing;

class ScrollWndTest : public ui::FrameworkTest {};

struct TreeForm {
    ui::Form form{nullptr};
    ui::TreeView* tree = nullptr;

    explicit TreeForm(int items) {
        form.SetBounds({100, 100, 300, 260});
        tree = &ui::Make<ui::TreeView>(form);
        tree->SetName(u"TreeView1");
        tree->SetParent(&form);
        tree->SetBounds({0, 0, 200, 180});
        tree->SetColor(ui::Rgb(255, 255, 255));
        tree->SetBorder(false);
        for (int i = 0; i < items; ++i)
            tree->InsertItem(TVI_ROOT, u"Folder " + std::u16string(1, char16_t(u'A' + i % 26)), 0,
                             0);
        form.Show();
        Settle(200);
    }
    HWND Window() { return tree->Handle(); }
};

// The vertical bar as the handler must have painted it, from the platform's scroll record.
render::SkinBitmap ExpectedVerticalBar(TacScrollWnd& h, HWND window) {
    SCROLLINFO si{sizeof si, SIF_ALL};
    GetScrollInfo(window, SB_VERT, &si);
    const TacScrollWnd::Bar& v = h.Vertical();
    scroll::BarLook look;
    look.Kind = scroll::BarKind::Vertical;
    look.Metrics = {
        int(v.Rect.bottom - v.Rect.top),
        scroll::SkinArrowLength(Skin(), scroll::BarKind::Vertical, GetSystemMetrics(SM_CXHSCROLL)),
        10};
    look.Thumb = scroll::ThumbOf(look.Metrics, {si.nMin, si.nMax, int(si.nPage), si.nPos, 0});
    look.GlyphSquare = GetSystemMetrics(SM_CXHSCROLL);
    look.Behind = {nullptr, 0, 0, 0xFFFFFF, false};
    render::SkinBitmap bmp(v.Rect.right - v.Rect.left, look.Metrics.Length);
    scroll::PaintBar(bmp, Skin(), scroll::BarSkinOf(Skin(), scroll::BarKind::Vertical), look);
    return bmp;
}

// Pixels of the bar's middle column on screen that differ from the expected bar.
int ColumnDifferences(HWND window, TacScrollWnd& h) {
    const render::SkinBitmap expected = ExpectedVerticalBar(h, window);
    const RECT r = h.Vertical().Rect;
    const int x = expected.Width() / 2;
    HDC dc = GetWindowDC(window);
    int differences = 0;
    for (int y = 0; y < expected.Height(); ++y) {
        const COLORREF screen = GetPixel(dc, r.left + x, r.top + y);
        const render::Pixel p = expected.At(x, y);
        if (screen != RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF))
            ++differences;
    }
    ReleaseDC(window, dc);
    return differences;
}

TEST_F(ScrollWndTest, LongTreeShowsTheSkinnedBarWhereTheRecordSays) {
    TreeForm f(60);
    auto& skin = ui::Make<TsTreeViewSkin>(*f.tree, Skin());
    Settle(200);
    TacScrollWnd* h = TacScrollWnd::Of(f.Window());
    ASSERT_EQ(h, skin.Handler());
    EXPECT_NE(GetPropW(f.Window(), kHandledProperty), nullptr);
    EXPECT_EQ(
        SendMessageW(f.Window(), ui::WM_SKINCOMMAND, MAKEWPARAM(0, engine::SkinCmdCtrlHandled), 0),
        1);
    EXPECT_TRUE(h->Vertical().Visible);
    EXPECT_FALSE(h->Horizontal().Visible)
        << h->Horizontal().Record.Min << " " << h->Horizontal().Record.Max << " "
        << h->Horizontal().Record.Page;
    EXPECT_EQ(GetWindowLongW(f.Window(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0)
        << "the platform's bar bits stay cleared";
    RECT client;
    GetClientRect(f.Window(), &client);
    EXPECT_EQ(client.right, 200 - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(ColumnDifferences(f.Window(), *h), 0);

    // Scrolled by the keyboard and by page: the thumb follows, the platform bar stays away.
    SendMessageW(f.Window(), WM_VSCROLL, SB_PAGEDOWN, 0);
    SendMessageW(f.Window(), WM_KEYDOWN, VK_END, 0);
    Settle(100);
    EXPECT_GT(h->Vertical().Record.Pos, 0);
    EXPECT_EQ(GetWindowLongW(f.Window(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);
    EXPECT_EQ(ColumnDifferences(f.Window(), *h), 0);

    // Expanding, inserting and deleting keep the bits cleared too.
    HTREEITEM parent = f.tree->InsertItem(TVI_ROOT, u"Parent", 0, 0);
    for (int i = 0; i < 30; ++i)
        f.tree->InsertItem(parent, u"Child", 0, 0);
    f.tree->ExpandItem(parent);
    Settle(100);
    EXPECT_EQ(GetWindowLongW(f.Window(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);
    EXPECT_EQ(ColumnDifferences(f.Window(), *h), 0);
}

TEST_F(ScrollWndTest, ShortTreeHasNoBarAndGainsOneWhenItGrows) {
    TreeForm f(3);
    auto& skin = ui::Make<TsTreeViewSkin>(*f.tree, Skin());
    Settle(100);
    EXPECT_FALSE(skin.Handler()->Vertical().Visible);
    for (int i = 0; i < 40; ++i)
        f.tree->InsertItem(TVI_ROOT, u"More", 0, 0);
    Settle(200);
    EXPECT_TRUE(skin.Handler()->Vertical().Visible);
    RECT client;
    GetClientRect(f.Window(), &client);
    EXPECT_EQ(client.right, 200 - GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(ScrollWndTest, HeldArrowSendsOnceThenRepeatsByTheTimers) {
    const std::string path = "scroll_repeat.trace";
    std::remove(path.c_str());
    ui::RedirectTrace(path);
    TreeForm f(60);
    auto& skin = ui::Make<TsTreeViewSkin>(*f.tree, Skin());
    Settle(100);
    TacScrollWnd& h = *skin.Handler();
    RECT wr;
    GetWindowRect(f.Window(), &wr);
    const RECT bar = h.Vertical().Rect;
    const POINT down_arrow{wr.left + (bar.left + bar.right) / 2, wr.top + bar.bottom - 3};
    EXPECT_EQ(SendMessageW(f.Window(), WM_NCHITTEST, 0, MAKELPARAM(down_arrow.x, down_arrow.y)),
              HTVSCROLL);
    SetCursorPos(down_arrow.x, down_arrow.y);
    SendMessageW(f.Window(), WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(down_arrow.x, down_arrow.y));
    EXPECT_EQ(TraceOf(path, "scroll").size(), 1u) << "one line step at once";
    EXPECT_EQ(h.Vertical().Record.Pos, 1);
    Settle(600);
    const auto ticks = TraceOf(path, "scroll-tick");
    ASSERT_GE(ticks.size(), 2u);
    EXPECT_EQ(ticks[0].first, int(scroll::kFirstRepeatTimer));
    for (std::size_t i = 1; i < ticks.size(); ++i)
        EXPECT_EQ(ticks[i].first, int(scroll::kRepeatTimer));
    const std::size_t sent = TraceOf(path, "scroll").size();
    EXPECT_EQ(sent, 1 + ticks.size()) << "one step for every tick over the arrow";
    SendMessageW(f.Window(), WM_LBUTTONUP, 0, 0);
    const auto all = TraceOf(path, "scroll");
    EXPECT_EQ(all.back().first, SB_ENDSCROLL);
    const std::size_t after_release = TraceOf(path, "scroll-tick").size();
    Settle(200);
    EXPECT_EQ(TraceOf(path, "scroll-tick").size(), after_release) << "the timers stopped";
    ui::RedirectTrace("");
}

TEST_F(ScrollWndTest, ThumbDragAndDestroyMidDrag) {
    TreeForm f(60);
    auto& skin = ui::Make<TsTreeViewSkin>(*f.tree, Skin());
    Settle(100);
    TacScrollWnd& h = *skin.Handler();
    RECT wr;
    GetWindowRect(f.Window(), &wr);
    const RECT bar = h.Vertical().Rect;
    const scroll::ThumbPlace thumb = h.ThumbOf(scroll::BarKind::Vertical);
    const int x = wr.left + (bar.left + bar.right) / 2;
    const int y = wr.top + bar.top + thumb.Start(h.Vertical().Metrics) + 2;
    SendMessageW(f.Window(), WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(x, y));
    EXPECT_EQ(GetCapture(), f.Window());
    SetCursorPos(x, wr.bottom + 400);
    SendMessageW(f.Window(), WM_MOUSEMOVE, 0, 0);
    SendMessageW(f.Window(), WM_LBUTTONUP, 0, 0);
    SCROLLINFO si{sizeof si, SIF_ALL};
    GetScrollInfo(f.Window(), SB_VERT, &si);
    EXPECT_EQ(si.nPos, si.nMax - int(si.nPage) + 1) << "dragged past the end: the last position";
    EXPECT_EQ(GetCapture(), nullptr);

    // A drag that ends with the window: nothing dangles for the next window.
    SendMessageW(f.Window(), WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(x, wr.top + bar.top + 2));
    f.tree->SetParent(nullptr);
    DestroyWindow(f.Window());
    TreeForm g(60);
    auto& other = ui::Make<TsTreeViewSkin>(*g.tree, Skin());
    Settle(100);
    const RECT gbar = other.Handler()->Vertical().Rect;
    GetWindowRect(g.Window(), &wr);
    const POINT down{wr.left + (gbar.left + gbar.right) / 2, wr.top + gbar.bottom - 3};
    SendMessageW(g.Window(), WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(down.x, down.y));
    SendMessageW(g.Window(), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(other.Handler()->Vertical().Record.Pos, 1);
}

TEST_F(ScrollWndTest, DetachingGivesBackProcedurePropertyColoursAndBars) {
    TreeForm f(60);
    f.tree->SetColor(ui::Rgb(200, 10, 10));
    const LONG_PTR proc = GetWindowLongPtrW(f.Window(), GWLP_WNDPROC);
    const LRESULT color = SendMessageW(f.Window(), TVM_GETBKCOLOR, 0, 0);
    // Wine reports visual styles active; the tree view then holds a theme of its own.
    const bool themed = IsThemeActive() && GetWindowTheme(f.Window()) != nullptr;
    {
        auto* skin = &ui::Make<TsTreeViewSkin>(*f.tree, Skin());
        Settle(100);
        EXPECT_EQ(COLORREF(SendMessageW(f.Window(), TVM_GETBKCOLOR, 0, 0)), RGB(255, 255, 255))
            << "the EDIT section's colour";
        EXPECT_TRUE(skin->Handler()->VisualStyleOff());
        EXPECT_EQ(GetWindowTheme(f.Window()), nullptr) << "no visual style under the skin";
        delete skin;
    }
    Settle(100);
    EXPECT_EQ(GetWindowTheme(f.Window()) != nullptr, themed) << "the visual style is back";
    EXPECT_EQ(GetWindowLongPtrW(f.Window(), GWLP_WNDPROC), proc);
    EXPECT_EQ(GetPropW(f.Window(), kHandledProperty), nullptr);
    EXPECT_EQ(TacScrollWnd::Of(f.Window()), nullptr);
    EXPECT_EQ(SendMessageW(f.Window(), TVM_GETBKCOLOR, 0, 0), color);
    EXPECT_NE(GetWindowLongW(f.Window(), GWL_STYLE) & WS_VSCROLL, 0)
        << "the platform's bar is back";
}

TEST_F(ScrollWndTest, RemovingTheSkinByCommandGivesTheTreeItsColoursAndBarsBack) {
    TreeForm f(60);
    f.tree->SetColor(ui::Rgb(200, 10, 10));
    const LRESULT color = SendMessageW(f.Window(), TVM_GETBKCOLOR, 0, 0);
    auto& skin = ui::Make<TsTreeViewSkin>(*f.tree, Skin());
    Settle(100);
    ASSERT_NE(SendMessageW(f.Window(), TVM_GETBKCOLOR, 0, 0), color);
    SendMessageW(f.Window(), ui::WM_SKINCOMMAND, MAKEWPARAM(0, engine::SkinCmdRemoveSkin), 0);
    Settle(100);
    EXPECT_TRUE(skin.Handler()->Destroyed());
    EXPECT_EQ(SendMessageW(f.Window(), TVM_GETBKCOLOR, 0, 0), color);
    EXPECT_EQ(GetPropW(f.Window(), kHandledProperty), nullptr);
    EXPECT_NE(GetWindowLongW(f.Window(), GWL_STYLE) & WS_VSCROLL, 0)
        << "the platform's bar is back";
}

TEST_F(ScrollWndTest, VisualStylesStayWhenTheEngineLeavesThem) {
    TreeForm f(5);
    const HTHEME before = GetWindowTheme(f.Window());
    TacMainWnd::SwitchOffVisualStyles() = false;
    auto& skin = ui::Make<TsTreeViewSkin>(*f.tree, Skin());
    TacMainWnd::SwitchOffVisualStyles() = true;
    EXPECT_FALSE(skin.Handler()->VisualStyleOff());
    EXPECT_EQ(GetWindowTheme(f.Window()), before);
}

TEST_F(ScrollWndTest, SelectedNodeIsPaintedFromTheSelectionSection) {
    TreeForm f(5);
    ui::Make<TsTreeViewSkin>(*f.tree, Skin());
    HTREEITEM first = TreeView_GetRoot(f.Window());
    f.tree->SelectItem(first);
    SetFocus(f.Window());
    InvalidateRect(f.Window(), nullptr, TRUE);
    Settle(200);
    RECT r;
    TreeView_GetItemRect(f.Window(), first, &r, TRUE);
    HDC dc = GetDC(f.Window());
    const COLORREF focused = GetPixel(dc, r.right - 2, r.top + 1);
    ReleaseDC(f.Window(), dc);
    EXPECT_NE(focused, RGB(255, 255, 255));
    EXPECT_GT(GetBValue(focused), GetRValue(focused)) << "blue gradient";

    SetFocus(nullptr);
    InvalidateRect(f.Window(), nullptr, TRUE);
    Settle(200);
    SetWindowLongW(f.Window(), GWL_STYLE,
                   GetWindowLongW(f.Window(), GWL_STYLE) | TVS_SHOWSELALWAYS);
    InvalidateRect(f.Window(), nullptr, TRUE);
    Settle(200);
    dc = GetDC(f.Window());
    const COLORREF unfocused = GetPixel(dc, r.right - 2, (r.top + r.bottom) / 2);
    ReleaseDC(f.Window(), dc);
    EXPECT_EQ(unfocused, RGB(156, 205, 255));
}

// A scroll box holding more than it shows, beside the tree of a TreeForm.
ui::ScrollBox& TallScrollBox(ui::Form& form, int left) {
    auto& box = ui::Make<ui::ScrollBox>(form);
    box.SetParent(&form);
    box.SetBounds({left, 0, 80, 150});
    for (int i = 0; i < 5; ++i) {
        auto& label = ui::Make<ui::Label>(box);
        label.SetParent(&box);
        label.SetBounds({0, i * 70, 60, 70});
    }
    box.UpdateScrollRange();
    return box;
}

TEST_F(ScrollWndTest, AdapterGivesListedTreeViewsAndScrollControlsTheirHandlers) {
    TreeForm f(60);
    ui::ScrollBox& box = TallScrollBox(f.form, 202);
    ui::ScrollBox& tagged = TallScrollBox(f.form, 290);
    tagged.SetTag(kSkipTag);
    Settle(50);
    ASSERT_NE(GetWindowLongW(box.Handle(), GWL_STYLE) & WS_VSCROLL, 0) << "the platform's bar";
    ThirdPartyLists lists;
    lists[tlTreeViews] = {u"TTreeView"};
    lists[tlScrollControls] = {u"TScrollBox"};
    auto& adapter = ui::Make<TacCtrlAdapter>(f.form, Skin(), lists);
    Settle(100);
    EXPECT_EQ(adapter.HandlerCount(), 2u);

    auto* tree = dynamic_cast<TacTreeViewWnd*>(adapter.HandlerOf(f.Window()));
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(COLORREF(SendMessageW(f.Window(), TVM_GETBKCOLOR, 0, 0)), RGB(255, 255, 255))
        << "the EDIT section's colour";
    EXPECT_TRUE(tree->Vertical().Visible);
    EXPECT_EQ(ColumnDifferences(f.Window(), *tree), 0);

    auto* scroller = dynamic_cast<TacEditWnd*>(adapter.HandlerOf(box.Handle()));
    ASSERT_NE(scroller, nullptr);
    EXPECT_EQ(scroller->SkinIndex(), Skin().GetSkinIndex(u"PANEL_LOW"));
    EXPECT_TRUE(scroller->Vertical().Visible);
    EXPECT_EQ(GetWindowLongW(box.Handle(), GWL_STYLE) & WS_VSCROLL, 0);
    SendMessageW(box.Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_GT(scroller->Vertical().Record.Pos, 0) << "the bar follows the box's own scrolling";
    EXPECT_EQ(box.ScrollPosition(), scroller->Vertical().Record.Pos);
    EXPECT_EQ(GetWindowLongW(box.Handle(), GWL_STYLE) & WS_VSCROLL, 0);

    EXPECT_EQ(adapter.HandlerOf(tagged.Handle()), nullptr) << "tagged -98";
    EXPECT_EQ(GetPropW(tagged.Handle(), kHandledProperty), nullptr);
}

TEST_F(ScrollWndTest, ScrollSkinGivesAScrollBoxTheSkinnedBarAndTakesItBack) {
    TreeForm f(3);
    ui::ScrollBox& box = TallScrollBox(f.form, 202);
    Settle(50);
    const LONG_PTR proc = GetWindowLongPtrW(box.Handle(), GWLP_WNDPROC);
    RECT window, client;
    GetWindowRect(box.Handle(), &window);
    {
        auto* dressing = &ui::Make<TsScrollSkin>(box, Skin());
        Settle(100);
        TacScrollWnd* h = dressing->Handler();
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(TacScrollWnd::Of(box.Handle()), h);
        EXPECT_TRUE(h->Vertical().Visible);
        EXPECT_EQ(GetWindowLongW(box.Handle(), GWL_STYLE) & WS_VSCROLL, 0);
        GetClientRect(box.Handle(), &client);
        EXPECT_EQ(client.right, 80 - 4 - GetSystemMetrics(SM_CXVSCROLL))
            << "the sunken edge and the skinned bar";

        // Dragging the thumb to the end scrolls the box's children to their end.
        const RECT bar = h->Vertical().Rect;
        const int x = window.left + (bar.left + bar.right) / 2;
        const int y = window.top + bar.top +
                      h->ThumbOf(scroll::BarKind::Vertical).Start(h->Vertical().Metrics) + 2;
        SendMessageW(box.Handle(), WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(x, y));
        SetCursorPos(x, window.bottom + 300);
        SendMessageW(box.Handle(), WM_MOUSEMOVE, 0, 0);
        SendMessageW(box.Handle(), WM_LBUTTONUP, 0, 0);
        EXPECT_EQ(box.ScrollPosition(), 5 * 70 - client.bottom);
        EXPECT_EQ(h->Vertical().Record.Pos, box.ScrollPosition());
        delete dressing;
    }
    Settle(50);
    EXPECT_EQ(GetWindowLongPtrW(box.Handle(), GWLP_WNDPROC), proc);
    EXPECT_EQ(GetPropW(box.Handle(), kHandledProperty), nullptr);
    EXPECT_NE(GetWindowLongW(box.Handle(), GWL_STYLE) & WS_VSCROLL, 0)
        << "the platform's bar is back";
}

// The pixel near the right end of a node's text, where the skinned selection shows.
COLORREF SelectionPixel(HWND window, HTREEITEM item) {
    RECT r;
    TreeView_GetItemRect(window, item, &r, TRUE);
    HDC dc = GetDC(window);
    const COLORREF pixel = GetPixel(dc, r.right - 2, (r.top + r.bottom) / 2);
    ReleaseDC(window, dc);
    return pixel;
}

void Repaint(HWND window) {
    InvalidateRect(window, nullptr, TRUE);
    Settle(150);
}

TEST_F(ScrollWndTest, OwnDrawHandlerComesFirstAndOnlyTheSelectedNodeIsPaintedAfterThePlatform) {
    TreeForm f(5);
    std::vector<std::pair<DWORD, HTREEITEM>> stages;
    bool skip_selected = false;
    f.tree->OnCustomDraw = [&](NMTVCUSTOMDRAW& draw) -> LRESULT {
        const auto item = reinterpret_cast<HTREEITEM>(draw.nmcd.dwItemSpec);
        stages.push_back({draw.nmcd.dwDrawStage, item});
        if (skip_selected && draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT &&
            item == TreeView_GetSelection(draw.nmcd.hdr.hwndFrom))
            return CDRF_SKIPDEFAULT;
        return CDRF_DODEFAULT;
    };
    ui::Make<TsTreeViewSkin>(*f.tree, Skin());
    HTREEITEM first = TreeView_GetRoot(f.Window());
    HTREEITEM second = TreeView_GetNextSibling(f.Window(), first);
    f.tree->SelectItem(second);
    SetFocus(f.Window());
    stages.clear();
    Repaint(f.Window());

    // The platform sends the post-paint stage, for the node the prepaint answer asked it of.
    std::size_t item_prepaints = 0, postpaints = 0;
    for (const auto& [stage, item] : stages) {
        item_prepaints += stage == CDDS_ITEMPREPAINT;
        if (stage == CDDS_ITEMPOSTPAINT) {
            ++postpaints;
            EXPECT_EQ(item, second) << "post-paint only for the selected node";
        }
    }
    EXPECT_GE(item_prepaints, 5u) << "the own handler hears every node";
    EXPECT_GE(postpaints, 1u);
    const COLORREF focused = SelectionPixel(f.Window(), second);
    EXPECT_GT(GetBValue(focused), GetRValue(focused)) << "the skinned selection";
    EXPECT_EQ(SelectionPixel(f.Window(), first), RGB(255, 255, 255)) << "others are the platform's";

    // An own handler that draws the selected node itself keeps the skin off it.
    skip_selected = true;
    Repaint(f.Window());
    const COLORREF skipped = SelectionPixel(f.Window(), second);
    EXPECT_FALSE(GetBValue(skipped) > GetRValue(skipped) && skipped != RGB(255, 255, 255))
        << "no skinned selection over a node the own handler drew";
    skip_selected = false;

    // Without the focus and with HideSelection on, nothing is painted over the node.
    SetFocus(nullptr);
    f.tree->SetHideSelection(true);
    Repaint(f.Window());
    EXPECT_EQ(SelectionPixel(f.Window(), second), RGB(255, 255, 255));
    f.tree->SetHideSelection(false);
    Repaint(f.Window());
    EXPECT_EQ(SelectionPixel(f.Window(), second), RGB(156, 205, 255)) << "shown unfocused";

    // The platform's name editor stays the platform's.
    f.tree->EditItem(second);
    Settle(50);
    HWND editor = TreeView_GetEditControl(f.Window());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(TacMainWnd::Of(editor), nullptr);
    EXPECT_EQ(GetPropW(editor, kHandledProperty), nullptr);
    f.tree->EndEditing(true);
}

TEST_F(ScrollWndTest, CornerBetweenTwoBarsIsASizeGripOnlyAtTheFormsClientCorner) {
    TreeForm f(0);
    RECT area;
    GetClientRect(f.form.Handle(), &area);
    f.tree->SetBounds({0, 0, int(area.right), int(area.bottom)}); // the tree fills the client area
    for (int i = 0; i < 40; ++i)
        f.tree->InsertItem(TVI_ROOT, u"A folder with a name far too long for the tree's width", 0,
                           0);
    auto& skin = ui::Make<TsTreeViewSkin>(*f.tree, Skin());
    Settle(150);
    TacScrollWnd& h = *skin.Handler();
    ASSERT_TRUE(h.Horizontal().Visible && h.Vertical().Visible);
    EXPECT_EQ(GetWindowLongW(f.Window(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);
    RECT wr;
    GetWindowRect(f.Window(), &wr);
    const auto hit = [&](int x, int y) {
        return SendMessageW(f.Window(), WM_NCHITTEST, 0, MAKELPARAM(wr.left + x, wr.top + y));
    };
    const RECT v = h.Vertical().Rect, hz = h.Horizontal().Rect;
    EXPECT_EQ(hit(v.right - 2, hz.bottom - 2), HTBOTTOMRIGHT);
    EXPECT_EQ(hit((v.left + v.right) / 2, v.top + 30), HTVSCROLL);
    EXPECT_EQ(hit(hz.left + 30, (hz.top + hz.bottom) / 2), HTHSCROLL);

    // Away from the form's corner the square is no grip.
    f.tree->SetBounds({0, 0, int(area.right) - 20, int(area.bottom) - 20});
    Settle(100);
    GetWindowRect(f.Window(), &wr);
    const RECT v2 = h.Vertical().Rect, hz2 = h.Horizontal().Rect;
    EXPECT_EQ(hit(v2.right - 2, hz2.bottom - 2), HTNOWHERE);
}

TEST_F(ScrollWndTest, FillingAnEmptyTreeInOneBatchComputesTheFrameOnceABar) {
    const std::string path = "scroll_batch.trace";
    std::remove(path.c_str());
    TreeForm f(0);
    auto& skin = ui::Make<TsTreeViewSkin>(*f.tree, Skin());
    Settle(100);
    ASSERT_FALSE(skin.Handler()->Vertical().Visible);
    ui::RedirectTrace(path);
    // As a template is loaded: redraw off, every item, the parents expanded, redraw on.
    f.tree->SetRedraw(false);
    for (int r = 0; r < 2; ++r) {
        HTREEITEM root = f.tree->InsertItem(TVI_ROOT, u"Root", 0, 0);
        for (int i = 0; i < 150; ++i)
            f.tree->InsertItem(root, u"A child whose name is wider than the tree view", 0, 0);
        f.tree->ExpandItem(root);
    }
    SendMessageW(f.Window(), WM_NCPAINT, 1, 0);
    EXPECT_EQ(TraceOf(path, "scroll-paint").size(), 0u) << "no bar painted while redraw is off";
    f.tree->SetRedraw(true);
    Settle(150);
    ui::RedirectTrace("");
    EXPECT_GE(TraceOf(path, "scroll-paint").size(), 1u);
    TacScrollWnd& h = *skin.Handler();
    EXPECT_TRUE(h.Vertical().Visible);
    EXPECT_TRUE(h.Horizontal().Visible);
    EXPECT_EQ(GetWindowLongW(f.Window(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);
    // Each new bar changes the frame once; a frame change must not set off another.
    EXPECT_LE(TraceOf(path, "scroll-frame").size(), 2u);
    EXPECT_EQ(ColumnDifferences(f.Window(), h), 0);

    // Emptied again, both bars go with one more frame change at most.
    std::remove(path.c_str());
    ui::RedirectTrace(path);
    TreeView_DeleteAllItems(f.Window());
    Settle(100);
    ui::RedirectTrace("");
    EXPECT_FALSE(h.Vertical().Visible);
    EXPECT_FALSE(h.Horizontal().Visible);
    EXPECT_LE(TraceOf(path, "scroll-frame").size(), 2u);
    RECT client;
    GetClientRect(f.Window(), &client);
    EXPECT_EQ(client.right, 200);
}

} // namespace
} // namespace skin::windows
