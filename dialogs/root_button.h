#pragma once

// A flat button of the picker's root column: a special folder's large icon above its name.

#include "dialogs/root_folders.h"
#include "ui/control.h"

#include <functional>

namespace dialogs {

class TacRootButton : public ui::GraphicControl {
public:
    TacRootButton(ui::Component* owner, TacRootFolder folder);
    ~TacRootButton() override;
    std::u16string_view ClassName() const override { return u"TacRootButton"; }

    TacRootFolder Folder() const { return folder_; }
    // The skin section the button will be drawn with once a skin is active.
    const std::u16string& SkinSection() const { return skin_section_; }

    void Paint(HDC dc) override;
    void WndProc(ui::Message& message) override;

protected:
    void MouseEnter() override { Invalidate(); }
    void MouseLeave() override { Invalidate(); }

private:
    TacRootFolder folder_;
    HICON icon_ = nullptr;
    std::u16string skin_section_ = u"TOOLBUTTON";
};

} // namespace dialogs
