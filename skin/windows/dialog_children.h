#pragma once

// Handlers for the child windows of a dressed dialog: push buttons with the skin's button
// faces, text and icon statics drawn over the dialog's skinned background, edits and lists with
// the skin's border and scroll bars, list views and trees with skinned scroll bars. All are
// window handlers (TacMainWnd): they mark the window with the "ACSBSC" property.
//
// What lies behind a child is asked from its dialog (the backdrop): the dialog's cache bitmap
// with the child's place in it, or a plain colour.

#include "skin/data/loaded_skin.h"
#include "skin/frame/dialog_rules.h"
#include "skin/windows/painted_wnd.h"

#include <memory>
#include <windows.h>

namespace skin::windows {

// Everything a child handler needs from its dialog.
struct ChildContext {
    const data::LoadedSkin* Skin = nullptr;
    Backdrop Behind;
};

// The handler the mapping asks for, or null when none is built for that kind (the window then
// stays the platform's). Needs a skin.
std::unique_ptr<TacMainWnd> MakeChildHandler(HWND child, const frame::ChildMapping& mapping,
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
