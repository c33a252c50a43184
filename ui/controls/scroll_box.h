#pragma once

// A plain area that holds controls and scrolls them vertically when they do not fit; the
// scroll bar follows the thumb while it is dragged.

#include "ui/win_control.h"

namespace ui {

class ScrollBox : public WinControl {
public:
    explicit ScrollBox(Component* owner);
    std::u16string_view ClassName() const override { return u"TScrollBox"; }

    // Call after adding or moving children: fits the scroll range to them.
    void UpdateScrollRange();
    int ScrollPosition() const { return position_; }
    void ScrollTo(int position);

    void WndProc(Message& message) override;

protected:
    void CreateParams(ui::CreateParams& params) override;
    void HandleCreated() override;
    void BoundsChanged() override;

private:
    int ContentHeight() const;
    void HandleVScroll(WORD request);

    int position_ = 0;
};

} // namespace ui
