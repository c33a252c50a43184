#pragma once

// The label with a soft shadow (the maker's link "Quillmark"): the caption drawn over a shadow
// made from its own text, offset, softened and mixed into whatever lies behind the label.

#include "skin/data/loaded_skin.h"
#include "skin/render/colors.h"
#include "skin/render/label_shadow.h"
#include "ui/controls/label.h"

namespace skin::controls {

enum class TShadowMode { smNone, smCustom, smSkin1 };
enum class TKindType { ktStandard, ktCustom, ktSkin };

struct TsShadow {
    int BlurCount = 4;
    int Distance = 1;
    render::Color Color = 0; // clBlack
    TShadowMode Mode = TShadowMode::smSkin1;
};

struct TsKind {
    TKindType KindType = TKindType::ktSkin;
    render::Color Color = 0xFFFFFF;
};

class TsLabelFX : public ui::Label {
public:
    explicit TsLabelFX(ui::Component* owner);
    std::u16string_view ClassName() const override { return u"TsLabelFX"; }

    TsShadow& Shadow() { return shadow_; }
    TsKind& Kind() { return kind_; }
    // Repaints and resizes after a change of Shadow or Kind.
    void Changed();

    // The shadow parameters in effect (mode, skin and the label's own values).
    render::LabelShadow EffectiveShadow() const;
    // The caption's colour for an enabled label.
    render::Color CaptionColor() const;

    void Paint(HDC dc) override;

protected:
    void TextChanged() override;
    void FontChanged() override;

private:
    // Auto size includes the room of the shadow.
    void FitShadow();

    // The skin of the default skin manager while it is active, else none.
    const data::LoadedSkin* ActiveSkin() const;
    TsShadow shadow_;
    TsKind kind_;
    render::ShadowGrid grid_;
};

} // namespace skin::controls
