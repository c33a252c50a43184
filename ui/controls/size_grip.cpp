#include "ui/controls/size_grip.h"

namespace ui {

SizeGrip::SizeGrip(Component* owner) : WinControl(owner) {}

void SizeGrip::CreateParams(ui::CreateParams& params) {
    WinControl::CreateParams(params);
    params.class_name = L"SCROLLBAR";
    params.style |= SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN;
    if (suppressed_)
        params.style &= ~WS_VISIBLE;
}

void SizeGrip::Dock() {
    if (!parent_)
        return;
    const int width = GetSystemMetrics(SM_CXVSCROLL);
    const int height = GetSystemMetrics(SM_CYHSCROLL);
    const auto [client_width, client_height] = parent_->ClientSize();
    SetBounds({client_width - width, client_height - height, width, height});
    SetAnchors(akRight | akBottom);
}

void SizeGrip::SetSuppressed(bool suppressed) {
    if (suppressed == suppressed_)
        return;
    suppressed_ = suppressed;
    VisibleChanged();
}

void SizeGrip::VisibleChanged() {
    if (handle_)
        ShowWindow(handle_, Visible() && !suppressed_ ? SW_SHOWNA : SW_HIDE);
}

SizeGrip* SizeGrip::Of(const WinControl& form) {
    for (Control* control : form.Controls())
        if (auto* grip = dynamic_cast<SizeGrip*>(control))
            return grip;
    return nullptr;
}

} // namespace ui
