#pragma once

// The handler of an edit-like window (the destination field, an edit of a platform dialog): its
// frame is the skin section's border (EDIT by default) painted over what lies behind the window,
// hot while the window has the focus or the mouse, and its scroll bars are the skinned ones.
// The client area and its colours stay the window's own; a window of a platform dialog (dialog
// mode) gets the platform's window colour framed in the skin's BORDERCOLOR instead.

#include "skin/render/skin_bitmap.h"
#include "skin/windows/scroll_wnd.h"
#include "ui/component.h"
#include "ui/procedure_chain.h"

#include <functional>
#include <memory>

namespace ui {
class WinControl;
}

namespace skin::windows {

class TacEditWnd : public TacScrollWnd {
public:
    TacEditWnd(HWND window, const data::LoadedSkin& skin, std::u16string section,
               std::u16string name, bool dialog_mode = false);
    ~TacEditWnd() override;

    int SkinIndex() const { return section_; }
    bool DlgMode() const { return dialog_mode_; }
    // The border in the hot state: the window has the focus or the mouse, and the section (or
    // its border mask) has a hot state.
    bool Hot() const;
    // The colour of the window's own area: the section's (hot when Hot()), or the platform's
    // window colour in dialog mode. The owning control takes it from the skin itself.
    COLORREF Color() const;
    void SetSkinParams();

    // The border image, the size of the window: rebuilt when the state or the size changed.
    const render::SkinBitmap& BorderImage();
    // Paints the border strips (outside the client area and the bars) into a device context of
    // the whole window.
    void PaintBorder(HDC window_dc);

protected:
    bool Handle(ui::Message& message) override;

private:
    void RebuildBorderImage();
    void RepaintFrame();
    COLORREF Behind() const;

    int section_;
    bool dialog_mode_;
    bool mouse_over_ = false;
    bool bg_changed_ = true;
    bool image_hot_ = false;
    render::SkinBitmap image_;
};

// Owned by the edit it dresses, so that it goes while the edit still has its window. The
// handler comes when the edit's window is shown (or now, when it is already), again for a
// re-created window, and anew with every skin announced to the edit: it paints with the skin
// the current function names (none: the platform's look).
class TsEditSkin : public ui::Component {
public:
    using CurrentSkin = std::function<const data::LoadedSkin*()>;
    TsEditSkin(ui::Component* owner, const data::LoadedSkin& skin,
               std::u16string section = u"EDIT");
    TsEditSkin(ui::Component* owner, CurrentSkin current, std::u16string section = u"EDIT");
    ~TsEditSkin() override;

    std::u16string_view ClassName() const override { return u"TsEditSkin"; }
    TacEditWnd* Handler() const { return handler_.get(); }

private:
    void Attach();

    ui::WinControl& edit_;
    CurrentSkin current_;
    std::u16string section_;
    std::unique_ptr<TacEditWnd> handler_;
    std::unique_ptr<TacEditWnd> retired_;
    ui::ProcedureLayer layer_;
    ui::ProcedureLayer skin_layer_;
};

} // namespace skin::windows
