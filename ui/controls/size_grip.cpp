#include "ui/controls/size_grip.h"

namespace ui {

SizeGrip::SizeGrip(Component* owner) : WinControl(owner) {}

void SizeGrip::CreateParams(ui::CreateParams& params) {
    WinControl::CreateParams(params);
    params.class_name = L"SCROLLBAR";
    params.style |= SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN;
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

} // namespace ui
