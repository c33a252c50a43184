#pragma once

// The base of every visual control, windowed or not.
//
// Every message a control handles runs through its procedure chain (ui/procedure_chain.h):
// first the layers other objects put in front (the skin engine's form provider, a skinned
// control's painter), then the virtual WndProc, which hands each message to a named handler and
// the rest to DefaultHandler.

#include "ui/color.h"
#include "ui/component.h"
#include "ui/font.h"
#include "ui/geometry.h"
#include "ui/message.h"
#include "ui/procedure_chain.h"

#include <functional>
#include <memory>
#include <string>

namespace ui {

class WinControl;
class Form;

// The edges of its parent a control keeps its distance to when the parent is resized. A
// control anchored to two opposite edges grows with the parent.
enum Anchor : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };

class Control : public Component {
public:
    explicit Control(Component* owner);
    ~Control() override;

    WinControl* Parent() const { return parent_; }
    virtual void SetParent(WinControl* parent);
    // The form this control lives on, or none.
    Form* ParentForm() const;

    const Bounds& GetBounds() const { return bounds_; }
    void SetBounds(const Bounds& bounds);
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.width; }
    int Height() const { return bounds_.height; }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    Color GetColor() const { return color_; }
    void SetColor(Color color);
    const Font& GetFont() const { return font_; }
    void SetFont(const Font& font);
    const std::u16string& Text() const;
    void SetText(std::u16string text);

    // Sends a message straight through the control's procedure chain and returns its result;
    // works for window-less controls too.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    void Perform(Message& message) { procedure_->Dispatch(message); }
    // Puts a procedure in front of the control's own; it lasts as long as the returned handle.
    [[nodiscard]] ProcedureLayer AddProcedureLayer(ProcedureChain::Layer layer) {
        return procedure_->Add(std::move(layer));
    }

    unsigned Anchors() const { return anchors_; }
    // Fixes the control's distances to the anchored edges of its parent's client area as they
    // are now; call once the layout is final.
    void SetAnchors(unsigned anchors);
    // Moves and sizes the control for a new client size of its parent.
    void ApplyAnchors(int parent_width, int parent_height);

    bool MouseInControl() const { return mouse_in_control_; }
    virtual void Invalidate();

    std::u16string_view ClassName() const override { return u"TControl"; }

    std::function<void(Control&)> OnClick;

    // Handles a message: the default WindowProc. Overrides handle theirs and call the base.
    virtual void WndProc(Message& message);
    // What happens to a message that nobody handled.
    virtual void DefaultHandler(Message& message);

protected:
    virtual void Click();
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    // Called after the setters changed what the control shows.
    // A window-less control also hears its moves and sizes as WM_MOVE and WM_SIZE (position in
    // the parent's client area, new size), as windowed ones do from the platform.
    virtual void BoundsChanged() {}
    virtual void TextChanged() { Invalidate(); }
    virtual void FontChanged() { Invalidate(); }
    virtual void ColorChanged() { Invalidate(); }
    virtual void VisibleChanged() {}
    virtual void EnabledChanged() { Invalidate(); }
    // A window-less control's text lives here; windowed controls keep theirs in the window.
    virtual const std::u16string& GetText() const { return text_; }
    virtual void StoreText(std::u16string text) { text_ = std::move(text); }

    WinControl* parent_ = nullptr;
    Bounds bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    bool mouse_in_control_ = false;
    Color color_ = SystemColor(COLOR_BTNFACE);
    Font font_;

private:
    std::shared_ptr<ProcedureChain> procedure_;
    std::u16string text_;
    unsigned anchors_ = akLeft | akTop;
    int right_gap_ = 0;  // parent client width minus the right edge, when anchored right
    int bottom_gap_ = 0; // parent client height minus the bottom edge, when anchored bottom
};

// A control without a window of its own: its parent paints it and forwards its mouse input.
class GraphicControl : public Control {
public:
    using Control::Control;
    std::u16string_view ClassName() const override { return u"TGraphicControl"; }
    // Paints into the parent's device context, whose origin is moved to the control's corner
    // and clipped to it.
    virtual void Paint(HDC dc) = 0;
    void Invalidate() override;
    // The left button went down on the control and has not been released yet.
    bool Pressed() const { return pressed_; }

protected:
    // A release of the left button inside the control after a press on it is a click.
    // Returns true for the button messages it used.
    bool HandlePressAndRelease(Message& message);

private:
    bool pressed_ = false;
};

} // namespace ui
