#pragma once

// Where everything of a skinned form's frame lies: the widths of its borders and title, the
// size of the cache bitmap that holds the whole window, the client area's place in that bitmap,
// the icon and the caption text. Two modes: the plain frame painted into the platform's own
// non-client area, and the extended frame, where a layered window around the form shows the
// skin's borders and title band inside a shadow.
//
// "div" rounds toward zero, as C++ integer division does.

#include "skin/data/skin_data.h"
#include "skin/render/geometry.h"

namespace skin::frame {

using render::Point;
using render::Rect;

enum class BorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

struct BorderIcons {
    bool SystemMenu = true;
    bool Minimize = true;
    bool Maximize = true;
    bool Help = false;
};

struct Margins {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend bool operator==(const Margins&, const Margins&) = default;
};

// The frame settings of the skin's GLOBALINFO.
struct SkinFrameSettings {
    int BorderWidth = 4;  // BORDERWIDTH: the skin's frame width in extended mode
    int TitleHeight = 30; // TITLEHEIGHT
    int MaxHeight = 30;   // MAXHEIGHT: title height of a maximised form
    int AlignOffset = 0;  // ALIGNOFFSET
    int CenterOffset = 0; // CENTEROFFSET
    int BorderMode = 0;   // BORDERMODE
    int BILeft = 0, BIRight = 0, BITop = 0, BISpace = 0, BIVAlign = 0;
};

SkinFrameSettings FrameSettingsOf(const data::TsSkinData& skin);

// What the form is and how it stands, as the window system reports it.
struct FormFrameState {
    BorderStyle Style = BorderStyle::bsSizeable;
    BorderIcons Icons;
    bool HasCaptionStyle = true; // WS_CAPTION
    bool HasBorderBit = true;    // WS_BORDER
    bool IsChild = false;        // WS_CHILD
    bool IsMdiChild = false;
    bool Minimized = false;
    bool Maximized = false;
    bool IsMainForm = true;
    int Width = 0, Height = 0;             // the window
    int ClientWidth = 0, ClientHeight = 0; // its client area
    int OwnBorderWidth = 0;                // the form's own BorderWidth property
    int MenuHeight = 0;                    // SM_CYMENU - 1 when the form shows a menu bar
    int MenuLines = 1;
    int VScrollWidth = 0;  // a visible skinned vertical scroll bar
    int HScrollHeight = 0; // a visible skinned horizontal scroll bar
    bool SysExHeight = false;
};

// The platform's frame width F for the window's style bits.
int SystemFrameWidth(bool thick_frame, bool border, int cx_frame, int cx_dlg_frame);
// Whether the style is that of a tool window (small caption).
bool IsToolWindow(BorderStyle style);

class FrameGeometry {
public:
    // frame_width and caption_height are the platform's F and C; shadow the skin manager's
    // shadow margins (used only when extended).
    FrameGeometry(const SkinFrameSettings& skin, const FormFrameState& form, bool extended,
                  int frame_width, int caption_height, Margins shadow);

    const SkinFrameSettings& Skin() const { return skin_; }
    const FormFrameState& Form() const { return form_; }
    bool Extended() const { return extended_; }
    int F() const { return f_; }
    int C() const { return c_; }
    Margins ShadowSize() const { return extended_ ? shadow_ : Margins{}; }

    bool HasFrame() const;
    int SkinFrameWidth(bool check_skin) const;
    int BorderWidth(bool check_skin) const;
    int BorderHeight(bool check_skin) const;
    int CaptionHeight(bool check_skin) const;
    int DeltaW() const;
    int DeltaH() const;
    int CaptionWidth() const;
    int CacheHeight() const;
    int OffsetX() const;
    int OffsetY() const;
    int HeaderHeight() const;

    // The frame inside the shadow margins, in cache-bitmap coordinates.
    Rect FrameRect() const;
    // The title band.
    Rect TitleBandRect() const;
    // The client area in the cache bitmap.
    Rect ClientRect() const;

    // The application icon: whether it is shown, its size and its rectangle. own_size is the
    // TitleIcon's Width x Height, 0 x 0 for automatic.
    bool IconShown(bool show_app_icon) const;
    int IconSize() const;
    Rect IconRect(int own_width = 0, int own_height = 0) const;

    // The rectangle the caption text may use; button_strip the width the title buttons take.
    Rect CaptionTextRect(bool icon_shown, int icon_width, bool has_caption_section,
                         int button_strip) const;

    // Where the layered window lies relative to the form's window: its top-left is the form's
    // minus this offset.
    Point BorderFormOffset() const;

    // The top-left of the grip image of width x height in the cache bitmap.
    Point GripPosition(int width, int height) const;

private:
    SkinFrameSettings skin_;
    FormFrameState form_;
    bool extended_;
    int f_;
    int c_;
    Margins shadow_;
};

// Caption alignment of the text between left and right; the caption and added title widths.
enum class CaptionAlignment { taLeftJustify, taRightJustify, taCenter };
Rect AlignCaption(Rect r, CaptionAlignment alignment, bool right_to_left, int caption_width,
                  int added_width);

// The maximised window's place and size on a work area (WM_GETMINMAXINFO).
struct MaximizedPlacement {
    Point Position;
    Point Size;
};
MaximizedPlacement MaximizedPlacementFor(const FrameGeometry& g, const Rect& work_area);

} // namespace skin::frame
