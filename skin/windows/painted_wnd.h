#pragma once

// The base of the handlers that paint a platform control's whole client area themselves, over
// what lies behind the control: push buttons and statics, on forms and in platform dialogs. The
// platform neither erases nor paints such a window while the handler is on it; WM_PAINT (with
// or without a device context) and WM_PRINTCLIENT all come to PaintTo.

#include "skin/render/cache_info.h"
#include "skin/render/skin_bitmap.h"
#include "skin/windows/main_wnd.h"

#include <functional>
#include <string>

namespace skin::windows {

// What lies behind a window's client area: a composed bitmap with the window's place in it, or
// a plain colour. A dressed dialog answers it for its children from its own cache.
using Backdrop = std::function<render::TCacheInfo(HWND window)>;

// The window's text as the platform keeps it.
std::u16string WindowText(HWND window);

// A bitmap of the window's client size holding what lies behind it: the backdrop's pixels where
// its bitmap reaches, else its plain colour, else (no backdrop or no colour known) the
// platform's face colour.
render::SkinBitmap BackdropBitmap(HWND window, const Backdrop& behind);

class TacPaintedWnd : public TacMainWnd {
public:
    // Composes the window's look and copies it to dc at (0, 0).
    virtual void PaintTo(HDC dc) = 0;

    // From now on the handler takes itself off when another skin replaces the one it paints
    // with, and the window goes back to the platform: for windows that nobody dresses again
    // (the children of a platform dialog). The command still goes on to the window.
    void LeaveOnNewSkin() { leaves_on_new_skin_ = true; }

protected:
    TacPaintedWnd(HWND window, const data::LoadedSkin& skin, std::u16string name,
                  Backdrop behind = {});

    bool Handle(ui::Message& message) override;
    // Paints at once, outside WM_PAINT: after the platform has drawn its own look over ours.
    void Repaint();
    const Backdrop& BackdropOf() const { return behind_; }

private:
    Backdrop behind_;
    bool leaves_on_new_skin_ = false;
};

} // namespace skin::windows
