#include "skin/frame/frame_geometry.h"

#include <algorithm>

namespace skin::frame {

SkinFrameSettings FrameSettingsOf(const data::TsSkinData& skin) {
    SkinFrameSettings s;
    s.BorderWidth = skin.ExBorderWidth;
    s.TitleHeight = skin.ExTitleHeight;
    s.MaxHeight = skin.ExMaxHeight != 0 ? skin.ExMaxHeight : skin.ExTitleHeight;
    s.AlignOffset = skin.ExShadowOffs;
    s.CenterOffset = skin.ExCenterOffs;
    s.BorderMode = skin.ExDrawMode;
    s.BILeft = skin.BILeftMargin;
    s.BIRight = skin.BIRightMargin;
    s.BITop = skin.BITopMargin;
    s.BISpace = skin.BISpacing;
    s.BIVAlign = skin.BIVAlign;
    return s;
}

int SystemFrameWidth(bool thick_frame, bool border, int cx_frame, int cx_dlg_frame) {
    if (thick_frame)
        return cx_frame;
    return border ? cx_dlg_frame : 0;
}

bool IsToolWindow(BorderStyle style) {
    return style == BorderStyle::bsToolWindow || style == BorderStyle::bsSizeToolWin;
}

FrameGeometry::FrameGeometry(const SkinFrameSettings& skin, const FormFrameState& form,
                             bool extended, int frame_width, int caption_height, Margins shadow)
    : skin_(skin), form_(form), extended_(extended), f_(frame_width), c_(caption_height),
      shadow_(shadow) {}

bool FrameGeometry::HasFrame() const {
    return form_.Style != BorderStyle::bsNone || form_.IsChild || form_.IsMdiChild;
}

int FrameGeometry::SkinFrameWidth(bool check_skin) const {
    if (extended_ && check_skin && skin_.BorderWidth != 0)
        return skin_.BorderWidth;
    return f_;
}

int FrameGeometry::BorderWidth(bool check_skin) const {
    return SkinFrameWidth(check_skin) + form_.OwnBorderWidth;
}

int FrameGeometry::BorderHeight(bool /*check_skin*/) const {
    return (extended_ ? 0 : f_) + form_.OwnBorderWidth;
}

int FrameGeometry::CaptionHeight(bool check_skin) const {
    if (!((HasFrame() && form_.HasCaptionStyle) || form_.Minimized))
        return 0;
    const int r = extended_ && check_skin ? skin_.TitleHeight : 0;
    if (form_.SysExHeight)
        return std::max(r, c_ + 4);
    return r != 0 ? r : c_;
}

int FrameGeometry::DeltaW() const {
    return extended_ ? BorderWidth(true) - BorderWidth(false) : 0;
}

int FrameGeometry::DeltaH() const {
    return extended_ ? CaptionHeight(true) - CaptionHeight(false) - f_ : 0;
}

int FrameGeometry::CaptionWidth() const {
    const Margins s = ShadowSize();
    return form_.Width + s.Left + s.Right + 2 * DeltaW();
}

int FrameGeometry::CacheHeight() const {
    const Margins s = ShadowSize();
    int h = form_.Minimized && !form_.IsMainForm ? BorderHeight(false) + CaptionHeight(true) + 2
                                                 : form_.Height;
    if (extended_)
        h += DeltaW() + DeltaH() + s.Top + s.Bottom + (form_.MenuHeight > 0 ? 1 : 0);
    return h;
}

int FrameGeometry::OffsetX() const {
    if (extended_)
        return BorderWidth(true) + shadow_.Left;
    return (form_.Width - form_.ClientWidth - form_.VScrollWidth) / 2;
}

int FrameGeometry::OffsetY() const {
    if (extended_)
        return CaptionHeight(true) + form_.MenuLines * form_.MenuHeight + form_.OwnBorderWidth +
               shadow_.Top + (form_.MenuHeight > 0 ? 1 : 0);
    return form_.Height - form_.ClientHeight - (form_.HasBorderBit ? BorderWidth(true) : 0) -
           form_.HScrollHeight;
}

int FrameGeometry::HeaderHeight() const {
    int h;
    if (extended_)
        h = BorderHeight(false) + CaptionHeight(true);
    else if (form_.HasCaptionStyle)
        h = form_.Height - form_.ClientHeight - BorderHeight(true);
    else
        h = form_.Height - form_.ClientHeight - (form_.HasBorderBit ? BorderHeight(true) : 0);
    h = std::max(h, 0);
    if (form_.Minimized)
        h += BorderHeight(false);
    return h - form_.HScrollHeight;
}

Rect FrameGeometry::FrameRect() const {
    const Margins s = ShadowSize();
    return {s.Left, s.Top, CaptionWidth() - s.Right, CacheHeight() - s.Bottom};
}

Rect FrameGeometry::TitleBandRect() const {
    const Rect r = FrameRect();
    if (form_.Minimized && !form_.IsMainForm)
        return r;
    return {r.Left, r.Top, r.Right, ShadowSize().Top + BorderHeight(false) + CaptionHeight(true)};
}

Rect FrameGeometry::ClientRect() const {
    return {OffsetX(), OffsetY(), OffsetX() + form_.ClientWidth, OffsetY() + form_.ClientHeight};
}

bool FrameGeometry::IconShown(bool show_app_icon) const {
    const bool style_with_icon =
        form_.Style == BorderStyle::bsSingle || form_.Style == BorderStyle::bsSizeable;
    return style_with_icon && show_app_icon && form_.Icons.SystemMenu;
}

int FrameGeometry::IconSize() const {
    const int ch = CaptionHeight(true);
    if (ch <= 8)
        return 1;
    return ch <= 16 ? 8 : 16;
}

Rect FrameGeometry::IconRect(int own_width, int own_height) const {
    const int w = own_width > 0 ? own_width : IconSize();
    const int h = own_height > 0 ? own_height : IconSize();
    const Margins s = ShadowSize();
    const int left = SkinFrameWidth(true) + skin_.BILeft + s.Left;
    int top = f_ / 2 + s.Top - 1;
    top += ((extended_ ? 0 : f_) + CaptionHeight(true) + s.Top - top - h) / 2;
    if (extended_) {
        top += skin_.CenterOffset;
        if (form_.Maximized && skin_.TitleHeight != skin_.MaxHeight)
            top += (skin_.TitleHeight - skin_.MaxHeight) / 2 - 2;
    }
    return {left, top, left + w, top + h};
}

Rect FrameGeometry::CaptionTextRect(bool icon_shown, int icon_width, bool has_caption_section,
                                    int button_strip) const {
    const Margins s = ShadowSize();
    Rect r;
    r.Left = SkinFrameWidth(true) + (icon_shown ? icon_width : 0) + skin_.BILeft + s.Left +
             (has_caption_section ? 2 : 0) + 4;
    r.Right = CaptionWidth() - button_strip - s.Right - 12;
    r.Top = s.Top + 2;
    if (form_.Maximized)
        r.Top = extended_ ? s.Top + 1 : 3;
    r.Bottom = s.Top + BorderHeight(false) + CaptionHeight(true);
    if (extended_) {
        int dy = skin_.CenterOffset;
        if (form_.Maximized && skin_.TitleHeight != skin_.MaxHeight)
            dy += (skin_.TitleHeight - skin_.MaxHeight) / 2;
        r.Top += dy;
        r.Bottom += dy;
    }
    return r;
}

Point FrameGeometry::BorderFormOffset() const {
    const Margins s = ShadowSize();
    const int x = skin_.BorderWidth + s.Left - f_;
    if (form_.SysExHeight)
        return {x, s.Top + DeltaH() + 4};
    const bool caption = CaptionHeight(false) > 0;
    return {x, s.Top + (caption ? skin_.TitleHeight : 0) - f_ - (caption ? c_ : 0)};
}

Point FrameGeometry::GripPosition(int width, int height) const {
    const Margins s = ShadowSize();
    const int fs = BorderWidth(true);
    return {CaptionWidth() - fs - s.Right - 1 - width, CacheHeight() - fs - s.Bottom - 1 - height};
}

Rect AlignCaption(Rect r, CaptionAlignment alignment, bool right_to_left, int caption_width,
                  int added_width) {
    if (right_to_left) {
        if (alignment == CaptionAlignment::taLeftJustify)
            alignment = CaptionAlignment::taRightJustify;
        else if (alignment == CaptionAlignment::taRightJustify)
            alignment = CaptionAlignment::taLeftJustify;
    }
    const int text = caption_width + added_width + 4;
    switch (alignment) {
    case CaptionAlignment::taRightJustify:
        if (text < r.Width())
            r.Left = r.Right - text;
        break;
    case CaptionAlignment::taCenter:
        r.Left = std::max(r.Left, r.Left + (r.Width() - text) / 2);
        r.Right = std::min(r.Left + caption_width, r.Right);
        break;
    case CaptionAlignment::taLeftJustify:
        break;
    }
    return r;
}

MaximizedPlacement MaximizedPlacementFor(const FrameGeometry& g, const Rect& work_area) {
    const int a = g.F();
    int b = 0;
    if (g.Extended() && g.CaptionHeight(true) > 0) {
        const SkinFrameSettings& s = g.Skin();
        const int title =
            s.BorderMode == 1 ? std::max(0, s.TitleHeight - s.MaxHeight) + s.BITop : 0;
        b = title - std::max(0, g.CaptionHeight(true) - g.C() - 4);
    }
    return {{work_area.Left - a, work_area.Top - a - b},
            {work_area.Width() + 2 * a, work_area.Height() + 2 * a + b}};
}

} // namespace skin::frame
