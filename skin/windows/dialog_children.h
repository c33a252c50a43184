#pragma once

// Handlers for the child windows of a dressed dialog: push buttons with the skin's button
// faces, text and icon statics drawn over the dialog's skinned background, and the colours of
// edits, lists and trees. Each sits on its window as a comctl32 subclass and marks the window
// as handled with the "ACSBSC" property; the scrolling ones also get skinned scroll bars.
//
// What lies behind a child is asked from its dialog (DialogBackground): the dialog's cache
// bitmap with the child's place in it, or a plain colour.

#include "skin/data/loaded_skin.h"
#include "skin/frame/dialog_rules.h"
#include "skin/render/cache_info.h"
#include "ui/window_subclass.h"

#include <functional>
#include <memory>
#include <windows.h>

namespace skin::windows {

class TacScrollWnd;

// The background of a child window's client area, as its dialog shows it.
using DialogBackground = std::function<render::TCacheInfo(HWND child)>;

class TacChildWnd {
public:
    TacChildWnd(HWND window, frame::ChildMapping mapping);
    virtual ~TacChildWnd();
    TacChildWnd(const TacChildWnd&) = delete;
    TacChildWnd& operator=(const TacChildWnd&) = delete;

    HWND Window() const { return window_; }
    frame::ChildHandler Kind() const { return mapping_.Handler; }
    std::u16string_view Section() const { return mapping_.Section; }
    bool Attached() const { return subclass_.Attached(); }

protected:
    // Messages this handler takes first; true when consumed.
    virtual bool Handle(ui::Message& message) = 0;
    LRESULT CallPrevious(const ui::Message& message) const {
        return subclass_.CallPrevious(message);
    }
    void Attach();

    HWND window_;
    frame::ChildMapping mapping_;

private:
    ui::WindowSubclass subclass_;
};

// Everything a child handler needs from its dialog.
struct ChildContext {
    const data::LoadedSkin* Skin = nullptr;
    DialogBackground Behind;
};

// The handler the mapping asks for, or null when none is built for that kind (the window then
// stays the platform's).
std::unique_ptr<TacChildWnd> MakeChildHandler(HWND child, const frame::ChildMapping& mapping,
                                              const ChildContext& context);

// The colours a child of this mapping takes from its section (the dialog answers the child's
// WM_CTLCOLOR* message with them); false when the mapping keeps the platform's colours.
struct ChildColors {
    COLORREF Back = 0;
    COLORREF Text = 0;
};
bool ColorsOfSection(const data::LoadedSkin& skin, std::u16string_view section, ChildColors& out);

// True for windows that carry the handled marker.
bool HasHandledMarker(HWND window);

} // namespace skin::windows
