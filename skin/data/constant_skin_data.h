#pragma once

// Indexes of well-known sections and masks of the loaded skin, refreshed after every load so
// that the painters of scroll bars, tabs, check boxes and grips need no lookups by name; -1
// where the skin has no such section or mask. Masks of a section are found with the section's
// own index (parent fallback) unless noted.

#include <cstdint>

namespace skin::data {

struct TConstantSkinData {
    // section GLOBALINFO
    std::int16_t IndexGLobalInfo = -1;
    // GLOBALINFO mask EXBORDER
    std::int16_t ExBorder = -1;
    // sections TABTOP, TABBOTTOM, TABLEFT, TABRIGHT
    std::int16_t IndexTabTop = -1;
    std::int16_t IndexTabBottom = -1;
    std::int16_t IndexTabLeft = -1;
    std::int16_t IndexTabRight = -1;
    // their BORDERSMASK
    std::int16_t MaskTabTop = -1;
    std::int16_t MaskTabBottom = -1;
    std::int16_t MaskTabLeft = -1;
    std::int16_t MaskTabRight = -1;
    // sections SCROLLBTNTOP, SCROLLBTNBOTTOM, SCROLLBTNLEFT, SCROLLBTNRIGHT
    std::int16_t IndexScrollTop = -1;
    std::int16_t IndexScrollBottom = -1;
    std::int16_t IndexScrollLeft = -1;
    std::int16_t IndexScrollRight = -1;
    // their BORDERSMASK
    std::int16_t MaskScrollTop = -1;
    std::int16_t MaskScrollBottom = -1;
    std::int16_t MaskScrollLeft = -1;
    std::int16_t MaskScrollRight = -1;
    // their PATTERN
    std::int16_t IndexBGScrollTop = -1;
    std::int16_t IndexBGScrollBottom = -1;
    std::int16_t IndexBGScrollLeft = -1;
    std::int16_t IndexBGScrollRight = -1;
    // their HOTPATTERN
    std::int16_t IndexBGHotScrollTop = -1;
    std::int16_t IndexBGHotScrollBottom = -1;
    std::int16_t IndexBGHotScrollLeft = -1;
    std::int16_t IndexBGHotScrollRight = -1;
    // their GLYPHMASK
    std::int16_t MaskArrowTop = -1;
    std::int16_t MaskArrowBottom = -1;
    std::int16_t MaskArrowLeft = -1;
    std::int16_t MaskArrowRight = -1;
    // sections SCROLLSLIDERV, SCROLLSLIDERH, their BORDERSMASK and GLYPHMASK
    std::int16_t IndexSliderVert = -1;
    std::int16_t IndexSliderHorz = -1;
    std::int16_t MaskSliderVert = -1;
    std::int16_t MaskSliderHorz = -1;
    std::int16_t MaskSliderGlyphVert = -1;
    std::int16_t MaskSliderGlyphHorz = -1;
    // PATTERN and HOTPATTERN of SCROLLSLIDERH, then of SCROLLSLIDERV
    std::int16_t ScrollSliderBGHorz = -1;
    std::int16_t ScrollSliderBGHotHorz = -1;
    std::int16_t ScrollSliderBGVert = -1;
    std::int16_t ScrollSliderBGHotVert = -1;
    // sections SCROLLBAR1H, SCROLLBAR1V, SCROLLBAR2H, SCROLLBAR2V
    std::int16_t IndexScrollBar1H = -1;
    std::int16_t IndexScrollBar1V = -1;
    std::int16_t IndexScrollBar2H = -1;
    std::int16_t IndexScrollBar2V = -1;
    // their BORDERSMASK
    std::int16_t MaskScrollBar1H = -1;
    std::int16_t MaskScrollBar1V = -1;
    std::int16_t MaskScrollBar2H = -1;
    std::int16_t MaskScrollBar2V = -1;
    // their PATTERN
    std::int16_t BGScrollBar1H = -1;
    std::int16_t BGScrollBar1V = -1;
    std::int16_t BGScrollBar2H = -1;
    std::int16_t BGScrollBar2V = -1;
    // their HOTPATTERN
    std::int16_t BGHotScrollBar1H = -1;
    std::int16_t BGHotScrollBar1V = -1;
    std::int16_t BGHotScrollBar2H = -1;
    std::int16_t BGHotScrollBar2V = -1;
    // GLOBALINFO masks BOXCHECKED .. SMALLGRAYED
    std::int16_t CheckBoxChecked = -1;
    std::int16_t CheckBoxUnChecked = -1;
    std::int16_t CheckBoxGrayed = -1;
    std::int16_t RadioButtonChecked = -1;
    std::int16_t RadioButtonUnChecked = -1;
    std::int16_t RadioButtonGrayed = -1;
    std::int16_t SmallCheckBoxChecked = -1;
    std::int16_t SmallCheckBoxUnChecked = -1;
    std::int16_t SmallCheckBoxGrayed = -1;
    // section COMBOBTN
    std::int32_t ComboBtnIndex = -1;
    // BORDERSMASK of COMBOBTN, without parent fallback
    std::int32_t ComboBtnBorder = -1;
    // textures PATTERN and HOTPATTERN of COMBOBTN
    std::int32_t ComboBtnBG = -1;
    std::int32_t ComboBtnBGHot = -1;
    // GLYPHMASK of COMBOBOX, without parent fallback
    std::int32_t ComboGlyph = -1;
    // GLOBALINFO masks GRIPIMAGE, GRIPHORZ, GRIPVERT
    std::int32_t GripRightBottom = -1;
    std::int32_t GripHorizontal = -1;
    std::int32_t GripVertical = -1;
    // section WEBBUTTON
    std::int32_t IndexWebBtn = -1;

    friend bool operator==(const TConstantSkinData&, const TConstantSkinData&) = default;
};

} // namespace skin::data
