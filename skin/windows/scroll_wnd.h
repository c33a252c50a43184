#pragma once

// The window handler that replaces a scrolling window's standard scroll bars by skinned ones
// (a tree view, the picker's shell tree, a scroll box): it keeps the platform from reserving or
// painting its own bars, lays out, paints, hit-tests and operates the skinned bars itself, and
// answers for the window as handled. It sits on the window as a comctl32 subclass, so handlers
// of other code stack with it and come off in any order.
//
// The window's style bits for the bars stay cleared while the handler is attached: the
// platform's scroll-bar code sets them again whenever a range needs a bar, which changes the
// frame, and the handler clears them in the frame computation and after each message it sees.
// Whether a bar is shown follows the scroll record (a range wider than the page).

#include "skin/scroll/scroll_painter.h"
#include "skin/scroll/scroll_tracker.h"
#include "skin/windows/main_wnd.h"
#include "ui/component.h"
#include "ui/procedure_chain.h"

#include <memory>
#include <string>
#include <windows.h>

namespace skin::windows {

class TacScrollWnd : public TacMainWnd {
public:
    // name names the window in the diagnostic trace.
    TacScrollWnd(HWND window, const data::LoadedSkin& skin, std::u16string name);
    ~TacScrollWnd() override;

    // The scrolling handler of a window, or none.
    static TacScrollWnd* Of(HWND window);

    struct Bar {
        // The platform asked for the bar (set its style bit) and the range still needs it.
        bool Present = false;
        bool Visible = false;
        RECT Rect{}; // in window coordinates
        scroll::ScrollRecord Record;
        scroll::BarMetrics Metrics;
        bool Enabled = true;
    };
    const Bar& Horizontal() const { return bars_[0]; }
    const Bar& Vertical() const { return bars_[1]; }
    // The thumb of a bar as painted, along its axis from the bar's start.
    scroll::ThumbPlace ThumbOf(scroll::BarKind kind) const;

    // Repaints both bars and the corner into the window's frame.
    void PaintBars();
    // The same into a device context of the whole window (printing).
    void PaintBarsInto(HDC window_dc);

protected:
    bool Handle(ui::Message& message) override;
    void AfterMessage() override;
    // The window hid a bar: a platform control hides one with its style bit alone, which the
    // handler keeps cleared, so only the control can tell. The bar comes back with the next
    // range that needs it.
    void DropBar(scroll::BarKind kind);
    // Tracking stops; the platform's own bars come back where the ranges need them.
    void BeforeDetach() override;
    void AfterDetach() override;

private:
    friend struct TrackerHostOf;
    bool SkinCommand(ui::Message& message);
    void CalcSize(ui::Message& message);
    LRESULT HitTest(POINT screen);
    bool PressBar(scroll::BarKind kind, POINT screen);
    void TimerTick(UINT_PTR id);
    void KeepStyleBitsCleared();
    bool ReadRecords();
    void NoteStyleBits(DWORD style);
    void UpdateMetrics();
    scroll::BarView ViewOf(scroll::BarKind kind) const;
    int AlongBar(scroll::BarKind kind, POINT screen) const;
    std::optional<scroll::BarPart> PartUnderCursor() const;
    void SendScroll(scroll::BarKind kind, int code, int pos);
    bool CornerHasGrip() const;
    COLORREF BackgroundColor() const;

    HWND window_;
    Bar bars_[2];
    scroll::BarSkin parts_[2];
    RECT edges_{}; // the window's own border widths
    bool prevent_style_change_ = false;
    bool left_scrollbar_ = false;
    bool sending_ = false;
    bool reframing_ = false;
    bool laid_out_[2] = {false, false}; // whether each bar was enabled when the frame was computed
};

// Skinned scroll bars, and nothing else, for a framework control that scrolls (a scroll box).
// Owned by the control, so that it goes while the control still has its window; the handler
// comes when the window is shown (or now, when it is already), and again for a re-created one.
class TsScrollSkin : public ui::Component {
public:
    TsScrollSkin(ui::Component* owner, const data::LoadedSkin& skin);
    ~TsScrollSkin() override;

    std::u16string_view ClassName() const override { return u"TsScrollSkin"; }
    TacScrollWnd* Handler() const { return handler_.get(); }

private:
    void Attach();

    ui::WinControl& control_;
    const data::LoadedSkin& skin_;
    std::unique_ptr<TacScrollWnd> handler_;
    ui::ProcedureLayer layer_;
};

} // namespace skin::windows
