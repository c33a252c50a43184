#include "ui/control.h"

#include "ui/form.h"
#include "ui/win_control.h"

#include <algorithm>
#include <windowsx.h>

namespace ui {

Control::Control(Component* owner)
    : Component(owner),
      procedure_(ProcedureChain::Create([this](Message& message) { WndProc(message); })) {}

Control::~Control() {
    DestroyComponents();
    if (Form* form = ParentForm())
        form->ForgetControl(*this);
    if (parent_)
        parent_->RemoveControl(*this);
}

void Control::SetParent(WinControl* parent) {
    if (parent == parent_)
        return;
    if (parent_)
        parent_->RemoveControl(*this);
    parent_ = parent;
    if (parent_)
        parent_->InsertControl(*this);
}

Form* Control::ParentForm() const {
    for (const Control* control = this; control; control = control->parent_)
        if (auto* form = dynamic_cast<Form*>(const_cast<Control*>(control)))
            return form;
    return nullptr;
}

void Control::SetBounds(const Bounds& bounds) {
    if (bounds == bounds_)
        return;
    const Bounds old = bounds_;
    Invalidate();
    bounds_ = bounds;
    BoundsChanged();
    Invalidate();
    if (dynamic_cast<WinControl*>(this))
        return; // the platform tells a window itself
    if (old.left != bounds.left || old.top != bounds.top)
        Perform(WM_MOVE, 0, MAKELPARAM(bounds.left, bounds.top));
    if (old.width != bounds.width || old.height != bounds.height)
        Perform(WM_SIZE, SIZE_RESTORED, MAKELPARAM(bounds.width, bounds.height));
}

void Control::SetAnchors(unsigned anchors) {
    anchors_ = anchors;
    if (!parent_)
        return;
    const auto [width, height] = parent_->ClientSize();
    right_gap_ = width - bounds_.Right();
    bottom_gap_ = height - bounds_.Bottom();
}

void Control::ApplyAnchors(int parent_width, int parent_height) {
    Bounds bounds = bounds_;
    if (anchors_ & akRight) {
        const int right = parent_width - right_gap_;
        if (anchors_ & akLeft)
            bounds.width = std::max(0, right - bounds.left);
        else
            bounds.left = right - bounds.width;
    }
    if (anchors_ & akBottom) {
        const int bottom = parent_height - bottom_gap_;
        if (anchors_ & akTop)
            bounds.height = std::max(0, bottom - bounds.top);
        else
            bounds.top = bottom - bounds.height;
    }
    SetBounds(bounds);
}

void Control::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    if (!visible)
        Invalidate();
    visible_ = visible;
    VisibleChanged();
    Invalidate();
    Perform(CM_VISIBLECHANGED, visible);
}

void Control::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    EnabledChanged();
    Perform(CM_ENABLEDCHANGED, enabled);
}

void Control::SetColor(Color color) {
    if (color == color_)
        return;
    color_ = color;
    ColorChanged();
    Perform(CM_COLORCHANGED);
}

void Control::SetFont(const Font& font) {
    if (font == font_)
        return;
    font_ = font;
    FontChanged();
    Perform(CM_FONTCHANGED);
}

const std::u16string& Control::Text() const {
    return GetText();
}

void Control::SetText(std::u16string text) {
    if (text == GetText())
        return;
    StoreText(std::move(text));
    TextChanged();
    Perform(CM_TEXTCHANGED);
}

LRESULT Control::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    Message message{msg, wParam, lParam, 0};
    procedure_->Dispatch(message);
    return message.result;
}

void Control::WndProc(Message& message) {
    switch (message.msg) {
    case CM_MOUSEENTER:
        mouse_in_control_ = true;
        MouseEnter();
        return;
    case CM_MOUSELEAVE:
        mouse_in_control_ = false;
        MouseLeave();
        return;
    default:
        DefaultHandler(message);
    }
}

void Control::DefaultHandler(Message& message) {
    message.result = 0;
}

void Control::Click() {
    if (OnClick)
        OnClick(*this);
}

void Control::Invalidate() {}

bool GraphicControl::HandlePressAndRelease(Message& message) {
    switch (message.msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        pressed_ = true;
        Invalidate();
        return true;
    case WM_LBUTTONUP: {
        const bool was_pressed = pressed_;
        pressed_ = false;
        Invalidate();
        const int x = GET_X_LPARAM(message.lParam);
        const int y = GET_Y_LPARAM(message.lParam);
        if (was_pressed && x >= 0 && y >= 0 && x < Width() && y < Height())
            Click();
        return true;
    }
    }
    return false;
}

void GraphicControl::Invalidate() {
    if (parent_ && parent_->HandleAllocated()) {
        RECT area{bounds_.left, bounds_.top, bounds_.Right(), bounds_.Bottom()};
        InvalidateRect(parent_->Handle(), &area, FALSE);
    }
}

} // namespace ui
