#include "ui/controls/scroll_box.h"

#include <algorithm>

namespace ui {

namespace {
constexpr int kLineStep = 16;
}

ScrollBox::ScrollBox(Component* owner) : WinControl(owner) {}

void ScrollBox::CreateParams(ui::CreateParams& params) {
    WinControl::CreateParams(params);
    params.style |= WS_VSCROLL | WS_CLIPCHILDREN;
    params.ex_style |= WS_EX_CLIENTEDGE;
}

void ScrollBox::HandleCreated() {
    UpdateScrollRange();
}

void ScrollBox::BoundsChanged() {
    WinControl::BoundsChanged();
    UpdateScrollRange();
}

int ScrollBox::ContentHeight() const {
    // Children sit at their content position less the scrolled distance.
    int bottom = 0;
    for (const Control* child : Controls())
        if (child->Visible())
            bottom = std::max(bottom, child->Top() + position_ + child->Height());
    return bottom;
}

void ScrollBox::UpdateScrollRange() {
    if (!handle_)
        return;
    const int page = ClientSize().second;
    SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS};
    info.nMin = 0;
    info.nMax = std::max(0, ContentHeight() - 1);
    info.nPage = static_cast<UINT>(std::max(0, page));
    info.nPos = position_;
    SetScrollInfo(handle_, SB_VERT, &info, TRUE);
    ScrollTo(position_); // the range may have shrunk below the position
}

void ScrollBox::ScrollTo(int position) {
    const int page = ClientSize().second;
    position = std::clamp(position, 0, std::max(0, ContentHeight() - page));
    const int delta = position - position_;
    if (delta == 0)
        return;
    position_ = position;
    for (Control* child : std::vector<Control*>(Controls())) {
        Bounds bounds = child->GetBounds();
        bounds.top -= delta;
        child->SetBounds(bounds);
    }
    if (handle_) {
        SetScrollPos(handle_, SB_VERT, position_, TRUE);
        InvalidateRect(handle_, nullptr, TRUE);
    }
}

void ScrollBox::HandleVScroll(WORD request) {
    const int page = ClientSize().second;
    switch (request) {
    case SB_LINEUP:
        ScrollTo(position_ - kLineStep);
        break;
    case SB_LINEDOWN:
        ScrollTo(position_ + kLineStep);
        break;
    case SB_PAGEUP:
        ScrollTo(position_ - page);
        break;
    case SB_PAGEDOWN:
        ScrollTo(position_ + page);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info{sizeof(info), SIF_TRACKPOS};
        GetScrollInfo(handle_, SB_VERT, &info);
        ScrollTo(info.nTrackPos);
        break;
    }
    case SB_TOP:
        ScrollTo(0);
        break;
    case SB_BOTTOM:
        ScrollTo(ContentHeight());
        break;
    }
}

void ScrollBox::WndProc(Message& message) {
    switch (message.msg) {
    case WM_VSCROLL:
        HandleVScroll(LOWORD(message.wParam));
        message.result = 0;
        return;
    case WM_SIZE:
        WinControl::WndProc(message);
        UpdateScrollRange();
        return;
    }
    WinControl::WndProc(message);
}

} // namespace ui
