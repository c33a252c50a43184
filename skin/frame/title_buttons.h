#pragma once

// The title buttons of a skinned form: which ones it shows and whether they work (the same
// rules drive the system menu), where they lie, and which hit code a point of the frame has.

#include "skin/frame/frame_geometry.h"

#include <vector>

namespace skin::frame {

// Hit codes: the platform's non-client codes and the engine's own.
enum HitCode : int {
    htTransparent = -1,
    htNowhere = 0,
    htClient = 1,
    htCaption = 2,
    htSysMenu = 3,
    htMenu = 5,
    htMinButton = 8,
    htMaxButton = 9,
    htLeft = 10,
    htRight = 11,
    htTop = 12,
    htTopLeft = 13,
    htTopRight = 14,
    htBottom = 15,
    htBottomLeft = 16,
    htBottomRight = 17,
    htBorderFrame = 19, // what the layered frame answers for itself
    htClose = 20,
    htHelp = 21,
    htChildClose = 101,
    htChildRestore = 102,
    htChildMinimize = 103,
    htUserButton = 1000, // + the index of the user title button
};

// Codes that the platform answers better than the provider: the provider passes them on.
bool IsPlatformHitCode(int code);
bool IsTitleButtonCode(int code);

// How the window stands, for the visibility and enabled rules.
struct WindowRules {
    bool HaveSysMenu = true;
    bool PlatformMenuHasClose = true;
    BorderStyle Style = BorderStyle::bsSizeable;
    BorderIcons Icons;
    bool Minimized = false;
    bool Maximized = false;
    bool IsMainForm = true;
    bool OwnsTaskbarButton = false; // the main form owns its taskbar button
    bool IsMdiChild = false;

    bool VisibleClose() const;
    bool VisibleMax() const;
    bool VisibleMin() const;
    bool VisibleRestore() const;
    bool VisibleSize() const;
    bool EnabledMax() const;
    bool EnabledMin() const;
    bool EnabledRestore() const;
    bool EnabledMove() const;
    bool EnabledSize() const;
};

WindowRules RulesFor(const FormFrameState& form, bool have_sys_menu, bool platform_menu_has_close,
                     bool owns_taskbar_button);

// Size of a button drawn from a glyph mask; 21 x 21 without one.
struct ButtonSize {
    int Width = 21;
    int Height = 21;
    bool HasMask = false;
};
ButtonSize MaskButtonSize(bool has_mask, int mask_width, int mask_height, int image_count,
                          int mask_type);

enum class ButtonImage { None, Close, CloseAlone, Max, Norm, Min, Help, User };

struct PlacedButton {
    int HitCode = 0;
    Rect R;             // empty when the button is not shown
    bool Shown = false; // placed and drawn
    bool Enabled = true;
    ButtonImage Image = ButtonImage::None;
};

struct UserButtonInfo {
    ButtonSize Size;
    bool Visible = true;
    bool Enabled = true;
};

struct ButtonMasks {
    ButtonSize Close, Max, Min, Help;
    bool HasCloseAlone = false; // BICLOSEALONE for a form with close only
    ButtonSize CloseAlone;
    bool TopAligned = true; // HaveAlignment of the system buttons
};

// Close, maximise, minimise and help (in that order), then the user buttons.
struct TitleButtonLayout {
    std::vector<PlacedButton> Buttons;
    int StripWidth = 0; // what the caption must leave free
};

TitleButtonLayout LayOutTitleButtons(const FrameGeometry& g, const WindowRules& rules,
                                     const ButtonMasks& masks,
                                     const std::vector<UserButtonInfo>& user = {});

// Top of a button of height h.
int ButtonTop(const FrameGeometry& g, int h, bool have_alignment);

// The code of the n-th button in the order close, maximise, minimise, help (1-based) or of a
// user button (5 onwards); transparent_nothing gives -1 instead of 1 for "no button".
int ButtonHitCode(int position, const WindowRules& rules, const TitleButtonLayout& layout,
                  bool transparent_nothing);

// The hit code of a point of the window (plain frame, window coordinates).
struct HitTestInputs {
    bool Sizable = false;
    bool ShowIcon = true;
    Rect Icon;
    Rect Grip; // empty without a grip
};
int PlainHitTest(Point p, const FrameGeometry& g, const WindowRules& rules,
                 const TitleButtonLayout& layout, const HitTestInputs& in);

// The hit code of a point of the layered frame window (extended frame, cache coordinates).
int ExtendedHitTest(Point p, const FrameGeometry& g, const WindowRules& rules,
                    const TitleButtonLayout& layout, const HitTestInputs& in);
// What the layered window answers: -1 over the shadow (never for a maximised form), else
// ExtendedHitTest.
bool PointAboveShadow(Point p, const FrameGeometry& g);

} // namespace skin::frame
