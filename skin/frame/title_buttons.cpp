#include "skin/frame/title_buttons.h"

namespace skin::frame {
namespace {

bool Contains(const Rect& r, Point p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

bool IsSingleOrSizeable(BorderStyle s) {
    return s == BorderStyle::bsSingle || s == BorderStyle::bsSizeable;
}

bool WithoutMinMax(BorderStyle s) {
    return s == BorderStyle::bsDialog || s == BorderStyle::bsNone || IsToolWindow(s);
}

} // namespace

bool IsPlatformHitCode(int code) {
    return code == htNowhere || code == htClient || code == htCaption || code == htMenu ||
           (code >= htLeft && code <= htBottomRight);
}

bool IsTitleButtonCode(int code) {
    return code == htMinButton || code == htMaxButton || code == htClose || code == htHelp ||
           code >= htUserButton;
}

bool WindowRules::VisibleClose() const {
    return HaveSysMenu && PlatformMenuHasClose;
}

bool WindowRules::VisibleMax() const {
    if (!HaveSysMenu)
        return false;
    if (Minimized && !(IsMainForm && OwnsTaskbarButton))
        return true;
    if (IsMdiChild)
        return true;
    return !WithoutMinMax(Style) && Icons.Maximize;
}

bool WindowRules::VisibleMin() const {
    if (!HaveSysMenu)
        return false;
    if (Minimized || IsMdiChild)
        return true;
    return !WithoutMinMax(Style) && Icons.Minimize;
}

bool WindowRules::VisibleRestore() const {
    return HaveSysMenu && (IsMdiChild || !WithoutMinMax(Style));
}

bool WindowRules::VisibleSize() const {
    return IsMdiChild || !(Style == BorderStyle::bsNone || Style == BorderStyle::bsDialog ||
                           Style == BorderStyle::bsToolWindow);
}

bool WindowRules::EnabledMax() const {
    return Icons.Maximize && (IsMdiChild || (!Maximized && IsSingleOrSizeable(Style)));
}

bool WindowRules::EnabledMin() const {
    return Icons.Minimize && !(Minimized && !IsMainForm);
}

bool WindowRules::EnabledRestore() const {
    return (Icons.Maximize && (Maximized || Minimized)) || Minimized;
}

bool WindowRules::EnabledMove() const {
    return !Maximized;
}

bool WindowRules::EnabledSize() const {
    return Style != BorderStyle::bsSingle && !Minimized;
}

WindowRules RulesFor(const FormFrameState& form, bool have_sys_menu, bool platform_menu_has_close,
                     bool owns_taskbar_button) {
    WindowRules r;
    r.HaveSysMenu = have_sys_menu;
    r.PlatformMenuHasClose = platform_menu_has_close;
    r.Style = form.Style;
    r.Icons = form.Icons;
    r.Minimized = form.Minimized;
    r.Maximized = form.Maximized;
    r.IsMainForm = form.IsMainForm;
    r.OwnsTaskbarButton = owns_taskbar_button;
    r.IsMdiChild = form.IsMdiChild;
    return r;
}

ButtonSize MaskButtonSize(bool has_mask, int mask_width, int mask_height, int image_count,
                          int mask_type) {
    if (!has_mask)
        return {};
    // A mask type of -1 or an image count of 0 would divide by zero: take them as one image.
    const int images = image_count > 0 ? image_count : 1;
    const int bands = mask_type + 1 > 0 ? mask_type + 1 : 1;
    return {mask_width / images, mask_height / bands, true};
}

int ButtonTop(const FrameGeometry& g, int h, bool have_alignment) {
    const SkinFrameSettings& s = g.Skin();
    const FormFrameState& form = g.Form();
    const int shadow_top = g.ShadowSize().Top;
    if (have_alignment && s.BIVAlign == 1) {
        if (!g.Extended())
            return form.Maximized ? 3 : 0;
        if (!form.Maximized)
            return shadow_top + s.BITop;
        // Maximised, the top of the band lies off screen: keep the buttons where they would be
        // centred, which is inside its visible part.
    }
    int top = ((g.Extended() ? 0 : g.F()) + g.CaptionHeight(true) - h) / 2 + shadow_top;
    if (g.Extended()) {
        top += s.CenterOffset;
        if (form.Maximized) {
            top -= 2;
            if (s.TitleHeight != s.MaxHeight)
                top += (s.TitleHeight - s.MaxHeight - s.CenterOffset) / 2 - 2;
            top += g.F() / 2;
        }
    }
    if (IsSingleOrSizeable(form.Style) && h < 16)
        top += 2;
    return top;
}

TitleButtonLayout LayOutTitleButtons(const FrameGeometry& g, const WindowRules& rules,
                                     const ButtonMasks& masks,
                                     const std::vector<UserButtonInfo>& user) {
    TitleButtonLayout layout;
    for (const int code : {htClose, htMaxButton, htMinButton, htHelp}) {
        layout.Buttons.emplace_back();
        layout.Buttons.back().HitCode = code;
    }
    const int start =
        g.CaptionWidth() - g.Skin().BIRight - g.ShadowSize().Right - g.BorderWidth(true);
    int x = start;
    const int gap = IsSingleOrSizeable(g.Form().Style) ? g.Skin().BISpace : 0;
    auto place = [&](PlacedButton& b, const ButtonSize& size, int right, bool aligned,
                     ButtonImage image, bool enabled) {
        const int top = ButtonTop(g, size.Height, aligned);
        b.Shown = size.HasMask;
        if (b.Shown)
            b.R = {right - size.Width, top, right, top + size.Height};
        b.Image = image;
        b.Enabled = enabled;
        x = right - size.Width - gap;
    };
    if (rules.HaveSysMenu) {
        const bool alone = !rules.VisibleMax() && !rules.VisibleMin() && masks.HasCloseAlone;
        place(layout.Buttons[0], alone ? masks.CloseAlone : masks.Close, x, masks.TopAligned,
              alone ? ButtonImage::CloseAlone : ButtonImage::Close, rules.VisibleClose());
        if (rules.VisibleMax())
            place(layout.Buttons[1], masks.Max, x, masks.TopAligned,
                  rules.Maximized ? ButtonImage::Norm : ButtonImage::Max,
                  rules.Maximized ? rules.EnabledRestore() : rules.EnabledMax());
        if (rules.VisibleMin()) {
            const bool restore_look = rules.Minimized && !rules.IsMainForm;
            place(layout.Buttons[2], masks.Min, x, masks.TopAligned,
                  restore_look ? ButtonImage::Norm : ButtonImage::Min,
                  rules.Minimized ? rules.EnabledRestore() : rules.EnabledMin());
        }
        if (rules.Icons.Help)
            place(layout.Buttons[3], masks.Help, x - 6, false, ButtonImage::Help, true);
    }
    if (!user.empty())
        x -= 8;
    for (std::size_t i = 0; i < user.size(); ++i) {
        layout.Buttons.emplace_back();
        layout.Buttons.back().HitCode = htUserButton + static_cast<int>(i);
        if (user[i].Visible)
            place(layout.Buttons.back(), user[i].Size, x, false, ButtonImage::User,
                  user[i].Enabled);
    }
    layout.StripWidth = start - x + g.Skin().BIRight;
    return layout;
}

int ButtonHitCode(int position, const WindowRules& rules, const TitleButtonLayout& layout,
                  bool transparent_nothing) {
    const int nothing = transparent_nothing ? htTransparent : htClient;
    switch (position) {
    case 1:
        return rules.HaveSysMenu ? htClose : nothing;
    case 2:
        if (rules.VisibleMax()) {
            if (rules.EnabledMax() || (rules.EnabledRestore() && !rules.Minimized))
                return htMaxButton;
            return htCaption;
        }
        if (rules.VisibleMin())
            return rules.EnabledMin() ? htMinButton : htCaption;
        return rules.Icons.Help ? htHelp : nothing;
    case 3:
        if (rules.VisibleMin())
            return rules.Minimized || rules.EnabledMin() ? htMinButton : htCaption;
        return rules.Icons.Help ? htHelp : nothing;
    case 4:
        return rules.Icons.Help ? htHelp : nothing;
    default: {
        const std::size_t index = static_cast<std::size_t>(position - 1);
        if (position < 5 || index >= layout.Buttons.size() || !layout.Buttons[index].Shown)
            return nothing;
        return layout.Buttons[index].HitCode;
    }
    }
}

namespace {

// The code of the title button under p, or 0 when there is none.
int TitleButtonUnder(Point p, const WindowRules& rules, const TitleButtonLayout& layout,
                     bool transparent_nothing) {
    for (std::size_t i = 0; i < layout.Buttons.size(); ++i)
        if (layout.Buttons[i].Shown && Contains(layout.Buttons[i].R, p))
            return ButtonHitCode(static_cast<int>(i) + 1, rules, layout, transparent_nothing);
    return 0;
}

int EdgeCode(bool top, bool bottom, bool left, bool right) {
    if (left)
        return top ? htTopLeft : bottom ? htBottomLeft : htLeft;
    if (right)
        return top ? htTopRight : bottom ? htBottomRight : htRight;
    return top ? htTop : bottom ? htBottom : 0;
}

} // namespace

int PlainHitTest(Point p, const FrameGeometry& g, const WindowRules& rules,
                 const TitleButtonLayout& layout, const HitTestInputs& in) {
    const int button = TitleButtonUnder(p, rules, layout, false);
    if (button != 0 && button != htClient)
        return button;
    const int width = g.CaptionWidth();
    const int height = g.CacheHeight();
    if (in.Sizable && !g.Form().Maximized) {
        const int b = g.BorderWidth(true);
        const int edge = EdgeCode(p.Y < b, p.Y >= height - b, p.X < b, p.X >= width - b);
        if (edge != 0)
            return edge;
    }
    const int caption_bottom = g.BorderHeight(true) + g.CaptionHeight(true);
    const int menu_bottom = caption_bottom + g.Form().MenuLines * g.Form().MenuHeight;
    if (p.Y >= 0 && p.Y < caption_bottom)
        return in.ShowIcon && Contains(in.Icon, p) ? htSysMenu : htCaption;
    if (p.Y >= caption_bottom && p.Y < menu_bottom)
        return htMenu;
    return Contains(in.Grip, p) ? htBottomRight : htClient;
}

bool PointAboveShadow(Point p, const FrameGeometry& g) {
    return !g.Form().Maximized && !Contains(g.FrameRect(), p);
}

int ExtendedHitTest(Point p, const FrameGeometry& g, const WindowRules& rules,
                    const TitleButtonLayout& layout, const HitTestInputs& in) {
    const int button = TitleButtonUnder(p, rules, layout, true);
    if (button != 0 && button != htTransparent)
        return button;
    const Margins s = g.ShadowSize();
    const int width = g.CaptionWidth();
    const int height = g.CacheHeight();
    if (in.Sizable && !g.Form().Maximized) {
        const int f = g.F();
        const bool top = p.Y >= s.Top && p.Y < s.Top + 4;
        const bool bottom = p.Y >= height - f - s.Bottom && p.Y < height - s.Bottom;
        const bool left = p.X >= s.Left && p.X < s.Left + f;
        const bool right = p.X >= width - f - s.Right && p.X < width - s.Right;
        const int edge = EdgeCode(top, bottom, left, right);
        if (edge != 0)
            return edge;
    }
    if (p.Y >= 0 && p.Y < g.BorderHeight(true) + g.CaptionHeight(true) + s.Top)
        return in.ShowIcon && Contains(in.Icon, p) ? htSysMenu : htCaption;
    if (Contains(in.Grip, p))
        return htBottomRight;
    return htTransparent;
}

} // namespace skin::frame
