// The cached indexes of well-known sections and masks.

#include "skin/data/loaded_skin.h"
#include "skin/data/section_lookup.h"

namespace skin::data {

namespace {

std::int16_t Short(int index) {
    return static_cast<std::int16_t>(index);
}

// Index of a section and the lookups of its masks with that index (parent fallback).
struct SectionRef {
    const SectionLookup& skin;
    std::u16string_view name;
    int index = skin.Section(name);

    int Mask(std::u16string_view mask) const { return skin.Mask(index, name, mask); }
    int Texture(std::u16string_view mask) const { return skin.Texture(index, name, mask); }
};

} // namespace

void LoadedSkin::RefreshConstData() {
    TConstantSkinData& c = ConstData;
    c = {};
    const SectionLookup lookup(*this);

    SectionRef global{lookup, u"GLOBALINFO"};
    c.IndexGLobalInfo = Short(global.index);
    c.ExBorder = Short(global.Mask(u"EXBORDER"));
    c.CheckBoxChecked = Short(global.Mask(u"BOXCHECKED"));
    c.CheckBoxUnChecked = Short(global.Mask(u"BOXUNCHECKED"));
    c.CheckBoxGrayed = Short(global.Mask(u"BOXGRAYED"));
    c.RadioButtonChecked = Short(global.Mask(u"RADIOCHECKED"));
    c.RadioButtonUnChecked = Short(global.Mask(u"RADIOUNCHECKED"));
    c.RadioButtonGrayed = Short(global.Mask(u"RADIOGRAYED"));
    c.SmallCheckBoxChecked = Short(global.Mask(u"SMALLCHECKED"));
    c.SmallCheckBoxUnChecked = Short(global.Mask(u"SMALLUNCHECKED"));
    c.SmallCheckBoxGrayed = Short(global.Mask(u"SMALLGRAYED"));
    c.GripRightBottom = global.Mask(u"GRIPIMAGE");
    c.GripHorizontal = global.Mask(u"GRIPHORZ");
    c.GripVertical = global.Mask(u"GRIPVERT");

    struct Tab {
        std::u16string_view name;
        std::int16_t &index, &mask;
    };
    for (Tab tab : {Tab{u"TABTOP", c.IndexTabTop, c.MaskTabTop},
                    Tab{u"TABBOTTOM", c.IndexTabBottom, c.MaskTabBottom},
                    Tab{u"TABLEFT", c.IndexTabLeft, c.MaskTabLeft},
                    Tab{u"TABRIGHT", c.IndexTabRight, c.MaskTabRight}}) {
        SectionRef s{lookup, tab.name};
        tab.index = Short(s.index);
        tab.mask = Short(s.Mask(u"BORDERSMASK"));
    }

    struct ScrollButton {
        std::u16string_view name;
        std::int16_t &index, &mask, &arrow, &bg, &bg_hot;
    };
    for (ScrollButton b :
         {ScrollButton{u"SCROLLBTNTOP", c.IndexScrollTop, c.MaskScrollTop, c.MaskArrowTop,
                       c.IndexBGScrollTop, c.IndexBGHotScrollTop},
          ScrollButton{u"SCROLLBTNBOTTOM", c.IndexScrollBottom, c.MaskScrollBottom,
                       c.MaskArrowBottom, c.IndexBGScrollBottom, c.IndexBGHotScrollBottom},
          ScrollButton{u"SCROLLBTNLEFT", c.IndexScrollLeft, c.MaskScrollLeft, c.MaskArrowLeft,
                       c.IndexBGScrollLeft, c.IndexBGHotScrollLeft},
          ScrollButton{u"SCROLLBTNRIGHT", c.IndexScrollRight, c.MaskScrollRight, c.MaskArrowRight,
                       c.IndexBGScrollRight, c.IndexBGHotScrollRight}}) {
        SectionRef s{lookup, b.name};
        b.index = Short(s.index);
        b.mask = Short(s.Mask(u"BORDERSMASK"));
        b.arrow = Short(s.Mask(u"GLYPHMASK"));
        b.bg = Short(s.Mask(u"PATTERN"));
        b.bg_hot = Short(s.Mask(u"HOTPATTERN"));
    }

    SectionRef slider_v{lookup, u"SCROLLSLIDERV"};
    SectionRef slider_h{lookup, u"SCROLLSLIDERH"};
    c.IndexSliderVert = Short(slider_v.index);
    c.IndexSliderHorz = Short(slider_h.index);
    c.MaskSliderVert = Short(slider_v.Mask(u"BORDERSMASK"));
    c.MaskSliderHorz = Short(slider_h.Mask(u"BORDERSMASK"));
    c.MaskSliderGlyphVert = Short(slider_v.Mask(u"GLYPHMASK"));
    c.MaskSliderGlyphHorz = Short(slider_h.Mask(u"GLYPHMASK"));
    c.ScrollSliderBGHorz = Short(slider_h.Mask(u"PATTERN"));
    c.ScrollSliderBGHotHorz = Short(slider_h.Mask(u"HOTPATTERN"));
    c.ScrollSliderBGVert = Short(slider_v.Mask(u"PATTERN"));
    c.ScrollSliderBGHotVert = Short(slider_v.Mask(u"HOTPATTERN"));

    struct Bar {
        std::u16string_view name;
        std::int16_t &index, &mask, &bg, &bg_hot;
    };
    for (Bar b : {Bar{u"SCROLLBAR1H", c.IndexScrollBar1H, c.MaskScrollBar1H, c.BGScrollBar1H,
                      c.BGHotScrollBar1H},
                  Bar{u"SCROLLBAR1V", c.IndexScrollBar1V, c.MaskScrollBar1V, c.BGScrollBar1V,
                      c.BGHotScrollBar1V},
                  Bar{u"SCROLLBAR2H", c.IndexScrollBar2H, c.MaskScrollBar2H, c.BGScrollBar2H,
                      c.BGHotScrollBar2H},
                  Bar{u"SCROLLBAR2V", c.IndexScrollBar2V, c.MaskScrollBar2V, c.BGScrollBar2V,
                      c.BGHotScrollBar2V}}) {
        SectionRef s{lookup, b.name};
        b.index = Short(s.index);
        b.mask = Short(s.Mask(u"BORDERSMASK"));
        b.bg = Short(s.Mask(u"PATTERN"));
        b.bg_hot = Short(s.Mask(u"HOTPATTERN"));
    }

    SectionRef combo_button{lookup, u"COMBOBTN"};
    c.ComboBtnIndex = combo_button.index;
    c.ComboBtnBorder = combo_button.index < 0 ? -1 : GetMaskIndex(u"COMBOBTN", u"BORDERSMASK");
    c.ComboBtnBG = combo_button.Texture(u"PATTERN");
    c.ComboBtnBGHot = combo_button.Texture(u"HOTPATTERN");
    c.ComboGlyph = GetSkinIndex(u"COMBOBOX") < 0 ? -1 : GetMaskIndex(u"COMBOBOX", u"GLYPHMASK");
    c.IndexWebBtn = GetSkinIndex(u"WEBBUTTON");
}

} // namespace skin::data
