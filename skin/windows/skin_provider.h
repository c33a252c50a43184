#pragma once

// The skin provider of a form: sits in front of the form's window procedure and replaces what
// the platform draws outside the client area (title band, icon, caption, title buttons, frame,
// grip) by the skin's, keeps the whole window in one cache bitmap, answers hit tests, runs the
// title buttons and the system menu, and clips the window with a region. In the extended frame
// mode the frame and its shadow live in a layered window around the form (TacBorderForm).

#include "skin/frame/button_tracker.h"
#include "skin/frame/frame_geometry.h"
#include "skin/frame/frame_painter.h"
#include "skin/frame/system_menu_model.h"
#include "skin/frame/title_buttons.h"
#include "skin/render/skin_bitmap.h"
#include "skin/windows/frame_skin_source.h"
#include "ui/component.h"
#include "ui/procedure_chain.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace ui {
class Form;
class WindowSubclass;
} // namespace ui

namespace skin::windows {

class TacBorderForm;
class TsSystemMenu;
class TitleButtonFade;

enum class GripMode { gmNone, gmRightBottom };

class TsSkinProvider : public ui::Component {
public:
    // The owner must be a form: "TsSkinProvider component may be used with forms only!"
    explicit TsSkinProvider(ui::Component* owner);
    // The frame of a window the program did not build (a platform dialog): the provider sits
    // in front of its procedure as a subclass, and the window's style bits say which frame and
    // title buttons it wears. It lets go of the window when the window is destroyed.
    TsSkinProvider(ui::Component* owner, HWND window);
    ~TsSkinProvider() override;

    std::u16string_view ClassName() const override { return u"TsSkinProvider"; }

    // Settings of the form definition.
    std::u16string SkinSection = u"FORM";
    std::u16string TitleSkin;
    bool ShowAppIcon = true;
    frame::CaptionAlignment CaptionAlignment = frame::CaptionAlignment::taLeftJustify;
    GripMode Grip = GripMode::gmNone;
    bool DrawNonClientArea = true;
    bool AllowAnimation = true;
    bool ScreenSnap = false;
    int SnapBuffer = 10;

    // The skin to show; null (or a source without a skin, or a missing section) leaves the
    // form to the platform. The source must outlive its use here.
    void SetSkinSource(const FrameSkinSource* source);
    // Whether the form may wear the extended frame; changing it on a shown form rebuilds and
    // repaints the frame in the other mode.
    bool AllowExtBorders() const { return allow_ext_borders_; }
    void SetAllowExtBorders(bool allow);
    bool Skinned() const;
    // The index of the form's section in the skin, or -1.
    int FormSkinIndex() const;
    bool Extended() const { return border_form_ != nullptr; }
    // The extended frame's layered window, or none.
    const TacBorderForm* BorderForm() const { return border_form_.get(); }

    // The form, or null for a window the program did not build.
    ui::Form* Form() const { return form_; }
    HWND Window() const;

    // Geometry and state, as they are now.
    frame::FrameGeometry Geometry() const;
    frame::WindowRules Rules() const;
    const frame::TitleButtonLayout& Layout() const { return layout_; }
    const render::SkinBitmap& CacheBitmap() const { return cache_; }
    bool FormActive() const { return form_active_; }
    int LockCount() const { return lock_count_; }
    bool HaveSysMenu() const { return have_sys_menu_; }
    frame::TitleButtonTracker& Buttons() { return tracker_; }
    int OffsetX() const;
    int OffsetY() const;

    // Rebuilds the cache bitmap when it is out of date; true when it was rebuilt.
    bool PrepareCache();
    void SetBGChanged() { bg_changed_ = true; }
    // Repaints the frame: the non-client strips, or the extended border window.
    void RepaintFrame();

    // Title buttons, also driven by the extended border window. Points are in cache-bitmap
    // coordinates.
    int HitTestAt(frame::Point cache_point) const;
    void SetHotHT(int hit_code);
    void PressButton(int hit_code);
    void ReleaseButton(int hit_code, frame::Point cache_point);
    void ResetButtons();
    // The system menu at a screen point; below_icon for the keyboard and icon clicks.
    void DropSysMenu(int x, int y);
    void DropSysMenuBelowIcon(bool from_key);

    // Screen point to cache-bitmap point.
    frame::Point CachePoint(POINT screen) const;

    // The process-wide button-pressed flag: one mouse interaction at a time.
    static bool& ButtonPressedFlag();

    // What a form's skin manager, passed with SkinCmdSetNewSkin, offers the frame. The skin
    // manager installs it; without it the command leaves the source as it is.
    static std::function<const FrameSkinSource*(LPARAM manager)>& SourceOfManager();

    // The form's face colour: the section's hot colour while active (two states), else its
    // colour.
    COLORREF FormColor() const;

private:
    void WndProc(ui::Message& m, const ui::ProcedureChain::Next& next);
    void PassOnToControls(const ui::Message& m);
    frame::FrameGeometry GeometryFor(bool extended) const;
    // The skin commands a form answers; false for those it leaves to the form.
    bool SkinCommand(ui::Message& m);
    void PrepareForm();
    void ReadSkinParts();
    void UpdateLayout();
    void PaintNonClient(HDC dc);
    void UpdateRegion();
    void EraseBackground(HDC dc, bool whole);
    // WM_PRINT: the whole skinned window into the device context.
    void PrintWindowTo(HDC dc, unsigned flags);
    void PaintButtonNow(int hit_code);
    void Carry(const frame::FrameAction& action);
    void CreateOrFreeBorderForm();
    bool ExtendedCondition() const;
    void WithRedrawLocked(ui::Message& m, const ui::ProcedureChain::Next& next);
    frame::FormFrameState FormState() const;
    void OnNcLButtonDown(ui::Message& m, const ui::ProcedureChain::Next& next);
    void OnButtonUp(ui::Message& m, const ui::ProcedureChain::Next& next, POINT screen);
    void OnSysCommand(ui::Message& m, const ui::ProcedureChain::Next& next);
    void OnGetMinMaxInfo(ui::Message& m);
    // Double clicks on the edges of a sizable extended frame; true when one was handled.
    bool StretchByEdge(int code);
    void OnWindowPosChanging(ui::Message& m);
    void AnimateMinimize(bool restoring);
    // The show animation, run to its end before the form's frame appears; the form's own window
    // stays empty (an empty region) meanwhile.
    bool ShowAnimationWanted() const;
    void AnimateShow();
    void FinishShow();
    // A drag by the title band with the form translucent: the border window shows the whole
    // window at the blend value until the release.
    void MoveTranslucently(ui::Message& m, const ui::ProcedureChain::Next& next);
    // Stops the title-button fades: on moves, hiding, skin changes and destruction.
    void KillAnimations();
    std::u16string TraceName() const;

    ui::Form* form_ = nullptr;
    // A foreign window: its subclass runs the messages through a chain of our own.
    HWND foreign_ = nullptr;
    std::unique_ptr<ui::WindowSubclass> subclass_;
    std::shared_ptr<ui::ProcedureChain> foreign_chain_;
    ui::ProcedureLayer layer_;
    const FrameSkinSource* source_ = nullptr;
    // The form's section index for the skin and section name it was looked up for.
    struct SectionIndex {
        const data::LoadedSkin* Skin = nullptr;
        std::u16string Section;
        int Index = -1;
    };
    mutable SectionIndex section_index_;
    frame::FrameSkin parts_;
    std::unique_ptr<frame::FramePainter> painter_;
    frame::TitleButtonLayout layout_;
    frame::TitleButtonTracker tracker_{ButtonPressedFlag()};
    render::SkinBitmap cache_;
    render::SkinBitmap temp_bmp_;
    render::SkinBitmap icon_;
    // Pictures for the hide animation and for the restore after a minimise.
    render::SkinBitmap hide_picture_;
    frame::Rect hide_rect_;
    render::SkinBitmap minimized_picture_;
    frame::Rect minimized_rect_;
    frame::Rect minimized_target_;
    // The left and width (or top and height) a stretched form gets back.
    frame::Rect normal_bounds_;
    std::unique_ptr<TacBorderForm> border_form_;
    std::unique_ptr<TsSystemMenu> system_menu_;
    // Extended frames fade their buttons in overlays; the cache keeps them normal.
    std::map<int, std::unique_ptr<TitleButtonFade>> fades_;
    bool allow_ext_borders_ = true;
    bool prepared_ = false;
    bool form_active_ = true;
    // The cache was composed for the extended frame.
    bool cache_extended_ = false;
    bool bg_changed_ = true;
    bool rgn_changed_ = true;
    bool have_sys_menu_ = false;
    bool capturing_ = false;
    bool show_animating_ = false;
    // The form's region is empty while an animation or a translucent move shows its picture.
    bool window_emptied_ = false;
    int lock_count_ = 0;
    int rendered_generation_ = 0;

    friend class TacBorderForm;
    friend class TitleButtonFade;
    friend class TsSystemMenu;
};

} // namespace skin::windows
