#include "skin/frame/frame_painter.h"

#include "skin/frame/builtin_shadows.h"
#include "skin/frame/frame_region.h"
#include "skin/render/blends.h"
#include "skin/render/border_mask.h"
#include "skin/render/copy_pixels.h"
#include "skin/render/layered_pixels.h"
#include "skin/render/mask_source.h"
#include "skin/render/section_fill.h"
#include "skin/render/state_image.h"
#include "skin/render/template_slice.h"
#include "skin/render/text_glow.h"
#include "skin/render/text_ink.h"

#include <algorithm>

namespace skin::frame {

using render::CopyPixels;
using render::MaskFromSkin;
using render::MaskSource;
using render::SkinBitmap;
using render::TCacheInfo;

namespace {

const data::TsGeneralData* Section(const data::LoadedSkin& skin, int index) {
    return skin.IsValidSkinIndex(index) ? &skin.gd[static_cast<std::size_t>(index)] : nullptr;
}

TCacheInfo Behind(const SkinBitmap& bmp) {
    return {&bmp, 0, 0, render::kKeyColor, true};
}

SkinBitmap CopyOf(const SkinBitmap& src, const Rect& r) {
    SkinBitmap copy(std::max(r.Width(), 0), std::max(r.Height(), 0));
    if (!copy.IsEmpty())
        CopyPixels(copy, 0, 0, src, r);
    return copy;
}

SkinBitmap StateImage(const MaskSource& mask, int state) {
    const int sw = render::StateWidth(mask);
    const int sh = render::StateHeight(mask);
    const Rect r{mask.R.Left + state * sw, mask.R.Top, mask.R.Left + (state + 1) * sw,
                 mask.R.Top + sh};
    if (sw <= 0 || sh <= 0 || render::Intersect(r, mask.Image.Bounds()) != r)
        return {};
    return CopyOf(mask.Image, r);
}

// Straight-alpha pixels over the image: opaque ones copied exactly, the others blended.
void DrawOver(SkinBitmap& dst, Point at, const SkinBitmap& src) {
    for (int y = 0; y < src.Height(); ++y)
        for (int x = 0; x < src.Width(); ++x) {
            if (!dst.Contains(at.X + x, at.Y + y))
                continue;
            const render::Pixel s = src.At(x, y);
            const unsigned a = s >> 24;
            render::Pixel& d = dst.At(at.X + x, at.Y + y);
            if (a == 255) {
                d = s;
                continue;
            }
            if (a == 0)
                continue;
            render::Pixel out = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const unsigned sc = (s >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
                out |= ((sc * a + dc * (255 - a) + 127) / 255) << shift;
            }
            const unsigned da = d >> 24;
            d = out | ((a + da * (255 - a) / 255) << 24);
        }
}

} // namespace

FrameSkin ResolveFrameSkin(const data::LoadedSkin& skin, std::u16string_view form_section,
                           std::u16string_view title_section, BorderStyle style) {
    FrameSkin fs;
    const std::u16string_view title = title_section.empty() ? u"FORMTITLE" : title_section;
    fs.FormIndex = skin.GetSkinIndex(form_section);
    fs.TitleIndex = skin.GetSkinIndex(title);
    fs.CaptionIndex = skin.GetSkinIndex(u"CAPTION");
    if (const data::TsGeneralData* form = Section(skin, fs.FormIndex))
        fs.FormBorder = form->BorderIndex;
    if (const data::TsGeneralData* band = Section(skin, fs.TitleIndex))
        fs.TitleBorder = band->BorderIndex;
    fs.TitleBar = skin.GetMaskIndex(fs.FormIndex, form_section, u"TITLEBAR");
    fs.Grip = skin.GetMaskIndex(u"GLOBALINFO", u"GRIPIMAGE");
    fs.ExBorder = skin.ConstData.ExBorder;
    auto global = [&](std::u16string_view name) { return skin.GetMaskIndex(u"GLOBALINFO", name); };
    const bool big = style == BorderStyle::bsSingle || style == BorderStyle::bsSizeable;
    auto family = [&](std::u16string_view b, std::u16string_view s) {
        if (big)
            return global(b);
        const int small = global(s);
        return small >= 0 ? small : global(b);
    };
    fs.Close = family(u"BICONCLOSE", u"SICONCLOSE");
    fs.Max = family(u"BICONMAX", u"SICONMAX");
    fs.Norm = family(u"BICONNORM", u"SICONNORM");
    fs.Min = family(u"BICONMIN", u"SICONMIN");
    fs.Help = family(u"BICONHELP", u"SICONHELP");
    fs.CloseAlone = big ? global(u"BICLOSEALONE") : -1;
    fs.TopAligned = big || global(u"SICONCLOSE") < 0;
    return fs;
}

ButtonMasks ButtonMasksOf(const data::LoadedSkin& skin, const FrameSkin& fs) {
    auto size = [&](int index) {
        if (!skin.IsValidImgIndex(index))
            return MaskButtonSize(false, 0, 0, 0, 0);
        const data::TsMaskData& m = skin.ma[static_cast<std::size_t>(index)];
        return MaskButtonSize(true, m.R.Width(), m.R.Height(), m.ImageCount, m.MaskType);
    };
    ButtonMasks masks;
    masks.Close = size(fs.Close);
    masks.Max = size(fs.Max);
    masks.Min = size(fs.Min);
    masks.Help = size(fs.Help);
    masks.HasCloseAlone = fs.CloseAlone >= 0;
    masks.CloseAlone = size(fs.CloseAlone);
    masks.TopAligned = fs.TopAligned;
    return masks;
}

ShadowTemplates ShadowTemplatesOf(const data::LoadedSkin& skin) {
    ShadowTemplates t;
    const MaskSource ex = MaskFromSkin(&skin, skin.ConstData.ExBorder);
    if (!ex.HasManager || ex.ImageCount <= 0) {
        t.Active = BuiltInShadow(true).Clone();
        t.Inactive = BuiltInShadow(false).Clone();
        return t;
    }
    t.Inactive = StateImage(ex, 0);
    t.Active = StateImage(ex, ex.ImageCount > 1 ? 1 : 0);
    render::ClearTransparentWhite(t.Inactive);
    render::ClearTransparentWhite(t.Active);
    return t;
}

int FrameState(const data::LoadedSkin& skin, int section, bool active) {
    const data::TsGeneralData* gd = Section(skin, section);
    if (!gd)
        return 0;
    return std::min(active ? 1 : 0, std::max(gd->States - 1, 0));
}

Rect TempBmpRect(const FrameGeometry& g, int strip_width) {
    const int width = g.BorderWidth(true) + strip_width + g.ShadowSize().Right + 10;
    const int bottom = g.TitleBandRect().Bottom;
    return {g.CaptionWidth() - width, 0, g.CaptionWidth(), bottom};
}

void PaintSection(SkinBitmap& dst, const Rect& r, const data::LoadedSkin& skin, int section,
                  int border, int state, bool over_background) {
    const data::TsGeneralData* gd = Section(skin, section);
    const Rect area = render::Intersect(r, dst.Bounds());
    if (!gd || area.IsEmpty())
        return;
    const Rect all{0, 0, area.Width(), area.Height()};
    const SkinBitmap below = CopyOf(dst, area);
    render::SectionFillParams fill = render::SectionFillFor(*gd, state);
    fill.TextureMask =
        state > 0 ? skin.GetTextureIndex(section, gd->ClassName, u"HOTPATTERN") : gd->TextureNormal;
    SkinBitmap face(all.Width(), all.Height());
    render::FillSection(face, all, fill, skin, Behind(below));
    const int transparency = state > 0 ? gd->HotTransparency : gd->Transparency;
    SkinBitmap result = below.Clone();
    if (!over_background || transparency <= 0)
        result = face.Clone();
    else if (transparency < 100)
        render::BlendPart(result, face,
                          static_cast<std::uint8_t>(std::min(transparency * 255 / 100, 255)),
                          {0, 0}, all);
    if (border >= 0)
        render::DrawBorderMask(result, all, true, state, MaskFromSkin(&skin, border),
                               Behind(below));
    CopyPixels(dst, area.Left, area.Top, result, all);
}

void FramePainter::PaintSection(SkinBitmap& dst, const Rect& r, int section, int border, int state,
                                bool over_background) {
    frame::PaintSection(dst, r, skin_, section, border, state, over_background);
}

void FramePainter::PaintTitleBand(SkinBitmap& cache, const FrameGeometry& g,
                                  const WindowRules& rules, const TitleButtonLayout& layout,
                                  const FrameContent& content) {
    if (g.CaptionHeight(true) <= 0)
        return;
    const Rect band = g.TitleBandRect();
    const int state = FrameState(skin_, fs_.TitleIndex, content.Active);
    PaintSection(cache, band, fs_.TitleIndex, fs_.TitleBorder, state, true);
    if (content.ShowIcon && g.IconShown(true) && content.Icon && !content.Icon->IsEmpty()) {
        const Rect icon = g.IconRect(content.Icon->Width(), content.Icon->Height());
        DrawOver(cache, {icon.Left, icon.Top}, *content.Icon);
    }
    if (rules.HaveSysMenu && fs_.TitleBar >= 0) {
        int left = band.Right;
        for (const PlacedButton& b : layout.Buttons)
            if (b.Shown)
                left = std::min(left, b.R.Left);
        const Rect bar{left - 2, band.Top, band.Right - g.BorderWidth(true), band.Bottom};
        const SkinBitmap below = CopyOf(cache, bar);
        SkinBitmap strip = below.Clone();
        render::DrawBorderMask(strip, strip.Bounds(), true, state,
                               MaskFromSkin(&skin_, fs_.TitleBar), Behind(below));
        CopyPixels(cache, bar.Left, bar.Top, strip, strip.Bounds());
    }
}

void FramePainter::PaintCaption(SkinBitmap& cache, const FrameGeometry& g,
                                const TitleButtonLayout& layout, const FrameContent& content) {
    caption_rect_ = {};
    const data::TsGeneralData* title = Section(skin_, fs_.TitleIndex);
    if (g.CaptionHeight(true) <= 0 || !content.Text || !title)
        return;
    const bool icon = content.ShowIcon && g.IconShown(true);
    const int icon_width =
        content.Icon && !content.Icon->IsEmpty() ? content.Icon->Width() : g.IconSize();
    const Rect room = g.CaptionTextRect(icon, icon_width, fs_.CaptionIndex >= 0, layout.StripWidth);
    if (room.IsEmpty())
        return;
    const std::u16string text =
        render::FitTextEllipsis(*content.Text, content.Caption, room.Width());
    const int width = content.Text->TextWidth(text);
    const Rect r = AlignCaption(room, content.Alignment, content.RightToLeft, width, 0);
    unsigned format = cfSingleLine | cfVCenter | cfNoPrefix;
    if (content.RightToLeft)
        format |= cfRtlReading;
    if (fs_.CaptionIndex >= 0) {
        const Rect plate{r.Left - 4, r.Top - 2, std::min(r.Left + width, r.Right) + 4,
                         r.Bottom + 2};
        PaintSection(cache, plate, fs_.CaptionIndex, Section(skin_, fs_.CaptionIndex)->BorderIndex,
                     FrameState(skin_, fs_.CaptionIndex, content.Active), true);
    }
    const int glow = content.Active ? title->HotGlowSize : title->GlowSize;
    if (glow > 0)
        render::DrawTextGlow(cache, *content.Text, text, r, glow_mask_,
                             content.Active ? title->HotGlowColor : title->GlowColor, glow,
                             render::goAll, format);
    const data::TColor colour = content.Active ? title->HotFontColor.Color : title->FontColor.Color;
    render::DrawTextInk(cache, *content.Text, text, r, colour, format);
    caption_rect_ = r;
}

void FramePainter::PaintTemplate(SkinBitmap& cache, const FrameGeometry& g,
                                 const FrameContent& content) {
    const SkinBitmap* tpl = content.ShadowTemplate;
    if (!tpl || tpl->IsEmpty())
        return;
    const MaskSource ex = MaskFromSkin(&skin_, fs_.ExBorder);
    const Margins s = g.ShadowSize();
    const int h = cache.Height();
    render::TemplateSlice slice;
    if (g.Skin().BorderMode == 1 && ex.HasManager) {
        const int t = g.CaptionHeight(true);
        const int bw = g.BorderWidth(true);
        slice = {ex.WL,
                 std::min(ex.WT, (h - t) / 2 + t),
                 ex.WR,
                 std::min(ex.WB, (h - t) / 2),
                 bw + s.Left,
                 s.Top + t,
                 bw + s.Right,
                 bw + s.Bottom,
                 (ex.DrawMode & 1) != 0};
        render::PaintTemplateSlice(cache, *tpl, slice);
        return;
    }
    const int k = (tpl->Width() - 1) / 2;
    if (ex.HasManager)
        slice = {ex.WL, ex.WT, ex.WR, ex.WB, s.Left, s.Top, s.Right, s.Bottom, true};
    else
        slice = {k, k, k, k, s.Left, s.Top, s.Right, s.Bottom, true};
    render::PaintTemplateSlice(cache, *tpl, slice);

    // The frame's rounded corners open onto the shadow: the template as it would lie there.
    SkinBitmap full(cache.Width(), cache.Height());
    render::TemplateSlice whole = slice;
    whole.ML = whole.KL;
    whole.MT = whole.KT;
    whole.MR = whole.KR;
    whole.MB = whole.KB;
    render::PaintTemplateSlice(full, *tpl, whole);
    const Rect frame = g.FrameRect();
    // Corner runs of key colour, or of transparent band pixels for banded masks.
    auto open = [&](const MaskSource& mask, bool top, int limit) {
        if (!mask.HasManager || mask.Image.IsEmpty())
            return;
        const int rows = top ? mask.WT : mask.WB;
        for (const Rect& run : MaskCornerRuns(frame.Width(), mask, !top, 0)) {
            if (run.Top >= limit)
                continue;
            const int dy = top ? frame.Top + run.Top : frame.Bottom - rows + run.Top;
            const int left = run.Left == 0 ? 0 : std::max(run.Left, frame.Width() - limit);
            const int right = run.Left == 0 ? std::min(run.Right, limit) : run.Right;
            for (int x = left; x < right; ++x)
                if (cache.Contains(frame.Left + x, dy))
                    cache.At(frame.Left + x, dy) = full.At(frame.Left + x, dy);
        }
    };
    const MaskSource title_border = MaskFromSkin(&skin_, fs_.TitleBorder);
    const MaskSource form_border = MaskFromSkin(&skin_, fs_.FormBorder);
    if (title_border.HasManager)
        open(title_border, true, 1 << 20);
    else
        open(form_border, true, 8);
    open(form_border, false, 1 << 20);
}

int FramePainter::MaskOf(ButtonImage image) const {
    switch (image) {
    case ButtonImage::Close:
        return fs_.Close;
    case ButtonImage::CloseAlone:
        return fs_.CloseAlone;
    case ButtonImage::Max:
        return fs_.Max;
    case ButtonImage::Norm:
        return fs_.Norm >= 0 ? fs_.Norm : fs_.Max;
    case ButtonImage::Min:
        return fs_.Min;
    case ButtonImage::Help:
        return fs_.Help;
    case ButtonImage::User:
    case ButtonImage::None:
        break;
    }
    return -1;
}

void FramePainter::PaintButtons(SkinBitmap& cache, const FrameGeometry& /*g*/,
                                const TitleButtonLayout& layout, const FrameContent& content) {
    for (const PlacedButton& b : layout.Buttons) {
        if (!b.Shown)
            continue;
        const int state = content.ButtonState ? content.ButtonState(b.HitCode) : 0;
        const int mode =
            (!content.Active || !b.Enabled) && state == 0 ? render::simDisabled : render::simNormal;
        render::DrawStateImage(cache, {b.R.Left, b.R.Top}, state, Behind(cache),
                               MaskFromSkin(&skin_, MaskOf(b.Image)), mode);
    }
}

void FramePainter::PaintAll(SkinBitmap& cache, SkinBitmap& temp_bmp, const FrameGeometry& g,
                            const WindowRules& rules, const TitleButtonLayout& layout,
                            const FrameContent& content) {
    const int width = g.CaptionWidth();
    const int height = g.CacheHeight();
    if (cache.Width() != width || cache.Height() != height)
        cache = SkinBitmap(std::max(width, 0), std::max(height, 0));
    for (int y = 0; y < cache.Height(); ++y)
        std::fill(cache.Row(y), cache.Row(y) + cache.Width(), render::Pixel{0});
    if (cache.IsEmpty())
        return;

    const int state = FrameState(skin_, fs_.FormIndex, content.Active);
    const Rect frame = g.FrameRect();
    PaintSection(cache, frame, fs_.FormIndex, g.HasFrame() ? fs_.FormBorder : -1, state, false);

    if (content.Grip && fs_.Grip >= 0 && !g.Form().Maximized) {
        const MaskSource grip = MaskFromSkin(&skin_, fs_.Grip);
        const Point p = g.GripPosition(render::StateWidth(grip), render::StateHeight(grip));
        render::DrawStateImage(cache, p, 0, Behind(cache), grip, render::simNormal);
    }

    const bool band_over_template =
        g.Extended() && g.Skin().BorderMode == 1 && skin_.IsValidImgIndex(fs_.ExBorder);
    if (!band_over_template)
        PaintTitleBand(cache, g, rules, layout, content);
    if (g.Extended())
        PaintTemplate(cache, g, content);
    if (band_over_template)
        PaintTitleBand(cache, g, rules, layout, content);
    PaintCaption(cache, g, layout, content);

    if (g.CaptionHeight(true) > 0) {
        temp_bmp =
            CopyOf(cache, render::Intersect(TempBmpRect(g, layout.StripWidth), cache.Bounds()));
        PaintButtons(cache, g, layout, content);
    }
}

void FramePainter::PaintButtonGlyph(SkinBitmap& dst, Point at, const PlacedButton& button,
                                    int state, bool active) {
    const int mode =
        (!active || !button.Enabled) && state == 0 ? render::simDisabled : render::simNormal;
    render::DrawStateImage(dst, at, state, Behind(dst), MaskFromSkin(&skin_, MaskOf(button.Image)),
                           mode);
}

void FramePainter::PaintButton(SkinBitmap& cache, const SkinBitmap& temp_bmp,
                               const FrameGeometry& g, const TitleButtonLayout& layout,
                               const PlacedButton& button, int state, bool active) {
    if (!button.Shown)
        return;
    const Rect kept = render::Intersect(TempBmpRect(g, layout.StripWidth), cache.Bounds());
    CopyPixels(cache, button.R.Left, button.R.Top, temp_bmp,
               render::Offset(button.R, -kept.Left, -kept.Top));
    PaintButtonGlyph(cache, {button.R.Left, button.R.Top}, button, state, active);
}

} // namespace skin::frame
