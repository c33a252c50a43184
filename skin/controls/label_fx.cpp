#include "skin/controls/label_fx.h"

#include "skin/controls/gdi_bitmaps.h"
#include "skin/data/colors.h"
#include "skin/engine/skin_manager.h"
#include "skin/render/text_ink.h"
#include "skin/render/win32/gdi_text_renderer.h"
#include "ui/font.h"

namespace skin::controls {
namespace {

constexpr unsigned kTextFormat = DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE;

} // namespace

TsLabelFX::TsLabelFX(ui::Component* owner) : Label(owner) {}

const data::LoadedSkin* TsLabelFX::ActiveSkin() const {
    const engine::TsSkinManager* manager = engine::TsSkinManager::Default();
    return manager != nullptr && manager->SkinActive() ? manager->Skin() : nullptr;
}

void TsLabelFX::Changed() {
    FitShadow();
    Invalidate();
}

render::LabelShadow TsLabelFX::EffectiveShadow() const {
    render::LabelShadow s;
    s.ShadowColor = shadow_.Color;
    s.Blur = shadow_.BlurCount;
    s.Distance = shadow_.Distance;
    switch (shadow_.Mode) {
    case TShadowMode::smNone:
        s.Blur = 0;
        s.Distance = 0;
        break;
    case TShadowMode::smCustom:
        break;
    case TShadowMode::smSkin1:
        const data::LoadedSkin* skin = ActiveSkin();
        if (skin != nullptr && skin->SkinData.Shadow1Blur != -1) {
            s.ShadowColor =
                static_cast<render::Color>(data::ColorToRGB(skin->SkinData.Shadow1Color));
            s.Blur = skin->SkinData.Shadow1Blur;
            s.Distance = skin->SkinData.Shadow1Offset;
        }
        break;
    }
    if (render::IsSystemColor(s.ShadowColor))
        s.ShadowColor =
            static_cast<render::Color>(data::ColorToRGB(static_cast<data::TColor>(s.ShadowColor)));
    return s;
}

render::Color TsLabelFX::CaptionColor() const {
    switch (kind_.KindType) {
    case TKindType::ktStandard:
        return ui::ColorToRgb(font_.color) & 0xFFFFFF;
    case TKindType::ktCustom:
        return kind_.Color;
    case TKindType::ktSkin:
        break;
    }
    if (const data::LoadedSkin* skin = ActiveSkin()) {
        const int global = skin->GetSkinIndex(u"GLOBALINFO");
        if (skin->IsValidSkinIndex(global) && skin->gd[global].FontColor.Left != -1)
            return static_cast<render::Color>(data::ColorToRGB(skin->gd[global].FontColor.Left)) &
                   0xFFFFFF;
    }
    return kind_.Color;
}

void TsLabelFX::FitShadow() {
    const render::LabelShadow s = EffectiveShadow();
    if (s.Blur <= 0 || s.ShadowColor == render::kNoColor)
        return;
    const render::ShadowSpace space = render::ShadowSpaceFor(s.Distance, s.Blur);
    const int extra = space.RightBottom - space.TopLeft;
    const SIZE text = MeasureText(font_.Handle(), Text());
    SetBounds(
        {Left(), Top(), static_cast<int>(text.cx) + extra, static_cast<int>(text.cy) + extra});
}

void TsLabelFX::TextChanged() {
    Label::TextChanged();
    FitShadow();
}

void TsLabelFX::FontChanged() {
    Label::FontChanged();
    FitShadow();
}

void TsLabelFX::Paint(HDC dc) {
    if (!Enabled() || Width() <= 0 || Height() <= 0) {
        Label::Paint(dc);
        return;
    }
    render::SkinBitmap canvas = TakeFromDC(dc, {0, 0, Width(), Height()});
    render::win32::GdiTextRenderer renderer(font_.Handle());
    const render::LabelShadow shadow = EffectiveShadow();
    const std::u16string& text = Text();
    const render::Rect caption =
        render::PaintLabelShadow(canvas, grid_, renderer, text, kTextFormat, shadow);
    if (!caption.IsEmpty())
        render::DrawTextInk(canvas, renderer, text, caption, CaptionColor(), kTextFormat);
    ShowBitmap(dc, 0, 0, canvas);
}

} // namespace skin::controls
