#include "skin/engine/forms_lock.h"

#include "skin/frame/form_animation.h"
#include "skin/windows/form_animation.h"
#include "skin/windows/skin_provider.h"
#include "ui/application.h"
#include "ui/form.h"

#include <algorithm>

namespace skin::engine {
namespace {

windows::TsSkinProvider* ProviderOf(ui::Form& form) {
    for (ui::Component* component : form.Components())
        if (auto* provider = dynamic_cast<windows::TsSkinProvider*>(component))
            return provider;
    return nullptr;
}

bool StillAForm(ui::Form* form) {
    const auto& forms = ui::Application::Instance().Forms();
    return std::find(forms.begin(), forms.end(), form) != forms.end();
}

} // namespace

struct FormsLock::Locked {
    ui::Form* Form = nullptr;
    HWND Window = nullptr;
    render::SkinBitmap Picture;
    frame::Rect ScreenRect{};
};

FormsLock::FormsLock(int fade_ms) : fade_ms_(fade_ms) {
    // Nothing is locked or faded while the application is minimised.
    ui::Form* main = ui::Application::Instance().MainForm();
    if (main && main->HandleAllocated() && IsIconic(main->Handle()))
        return;
    for (ui::Form* form : std::vector<ui::Form*>(ui::Application::Instance().Forms())) {
        if (!form->HandleAllocated() || form->Destroying() || form->Parent())
            continue;
        const HWND window = form->Handle();
        windows::TsSkinProvider* provider = ProviderOf(*form);
        if (!provider || !provider->Skinned() || !IsWindowVisible(window) || IsIconic(window))
            continue;
        auto locked = std::make_unique<Locked>();
        locked->Form = form;
        locked->Window = window;
        if (fade_ms_ > 0) {
            locked->Picture = windows::SnapshotOf(*provider);
            locked->ScreenRect = windows::SnapshotRect(*provider);
        }
        SendMessageW(window, WM_SETREDRAW, FALSE, 0);
        locked_.push_back(std::move(locked));
    }
}

FormsLock::~FormsLock() {
    for (const std::unique_ptr<Locked>& locked : locked_) {
        if (!StillAForm(locked->Form) || !IsWindow(locked->Window))
            continue;
        SendMessageW(locked->Window, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(locked->Window, nullptr, nullptr,
                     RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        if (fade_ms_ <= 0 || locked->Picture.IsEmpty() || !IsWindowVisible(locked->Window))
            continue;
        auto frames = frame::HideFrames(locked->Picture.Width(), locked->Picture.Height(), fade_ms_,
                                        255, frame::AnimationMode::atFading);
        windows::StartAnimation(std::move(locked->Picture), locked->ScreenRect, std::move(frames),
                                false, frame::kFadeInterval, locked->Form->Name(), "skin-change");
    }
}

} // namespace skin::engine
