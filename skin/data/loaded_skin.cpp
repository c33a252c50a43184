#include "skin/data/loaded_skin.h"

#include "skin/data/section_lookup.h"

namespace skin::data {

namespace {

constexpr std::u16string_view kGlobalInfo = u"GLOBALINFO";

bool IsUnsetColor(TColor color) {
    return color == -1 || color == kKeyColor;
}

} // namespace

int StateWidth(const TsMaskData& mask) {
    if (mask.ImageCount < 1)
        return 0;
    return mask.ImageCount == 1 ? mask.R.Width() : mask.R.Width() / mask.ImageCount;
}

int StateHeight(const TsMaskData& mask) {
    switch (mask.MaskType) {
    case -1:
        return 0;
    case 0:
        return mask.R.Height();
    default:
        return mask.R.Height() / (mask.MaskType + 1);
    }
}

void LoadedSkin::Clear() {
    gd.clear();
    ma.clear();
    pa.clear();
    MasterBitmap = {};
    ConstData = {};
}

int LoadedSkin::GetSkinIndex(std::u16string_view section) const {
    for (std::size_t i = 0; i < gd.size(); ++i)
        if (gd[i].ClassName == section)
            return static_cast<int>(i);
    return -1;
}

bool LoadedSkin::IsValidSkinIndex(int index) const {
    return index >= 0 && index < static_cast<int>(gd.size());
}

std::vector<std::u16string> LoadedSkin::GetSkinSections() const {
    std::vector<std::u16string> names;
    names.reserve(gd.size());
    for (const TsGeneralData& record : gd)
        names.push_back(record.ClassName);
    return names;
}

// The first item of the section that matches, else the same search in the parent section, and
// so on. The walk is bounded by the number of sections, so a PARENTCLASS loop ends.
template <typename Match>
int LoadedSkin::FindWithParents(int skin_index, std::u16string_view section, Match match) const {
    for (std::size_t step = 0; step <= gd.size(); ++step) {
        if (skin_index < 0 || section.empty())
            return -1;
        int found = match(section);
        if (found >= 0)
            return found;
        if (!IsValidSkinIndex(skin_index))
            return -1;
        const std::u16string& parent = gd[skin_index].ParentClass;
        if (parent.empty() || parent == section)
            return -1;
        section = parent;
        skin_index = GetSkinIndex(parent);
    }
    return -1;
}

int LoadedSkin::GetMaskIndex(int skin_index, std::u16string_view section,
                             std::u16string_view mask) const {
    return FindWithParents(skin_index, section,
                           [&](std::u16string_view s) { return GetMaskIndex(s, mask); });
}

int LoadedSkin::GetMaskIndex(std::u16string_view section, std::u16string_view mask) const {
    if (section.empty())
        return -1;
    for (std::size_t i = 0; i < ma.size(); ++i)
        if (ma[i].ClassName == section && ma[i].PropertyName == mask)
            return static_cast<int>(i);
    return -1;
}

int LoadedSkin::GetTextureIndex(int skin_index, std::u16string_view section,
                                std::u16string_view mask) const {
    return FindWithParents(skin_index, section, [&](std::u16string_view s) {
        for (std::size_t i = 0; i < ma.size(); ++i)
            if (ma[i].ImgType == TacImgType::itisaTexture && ma[i].ClassName == s &&
                ma[i].PropertyName == mask)
                return static_cast<int>(i);
        return -1;
    });
}

int LoadedSkin::GetPatternIndex(int skin_index, std::u16string_view section,
                                std::u16string_view pattern) const {
    return FindWithParents(skin_index, section, [&](std::u16string_view s) {
        for (std::size_t i = 0; i < pa.size(); ++i)
            if (pa[i].ClassName == s && pa[i].PropertyName == pattern)
                return static_cast<int>(i);
        return -1;
    });
}

int LoadedSkin::MaskWidthLeft(int index) {
    if (!IsValidImgIndex(index))
        return 0;
    TsMaskData& m = ma[index];
    if (m.WL > 0)
        return m.WL;
    if (m.BorderWidth > 0)
        return m.BorderWidth;
    if (m.ImageCount == 0)
        m.ImageCount = 1;
    return StateWidth(m);
}

int LoadedSkin::MaskWidthRight(int index) {
    if (!IsValidImgIndex(index))
        return 0;
    TsMaskData& m = ma[index];
    if (m.WR > 0)
        return m.WR;
    if (m.BorderWidth > 0)
        return m.BorderWidth;
    return StateWidth(m);
}

int LoadedSkin::MaskWidthTop(int index) {
    if (!IsValidImgIndex(index))
        return 0;
    const TsMaskData& m = ma[index];
    if (m.WT > 0)
        return m.WT;
    if (m.BorderWidth > 0)
        return m.BorderWidth;
    return StateHeight(m);
}

int LoadedSkin::MaskWidthBottom(int index) {
    if (!IsValidImgIndex(index))
        return 0;
    const TsMaskData& m = ma[index];
    if (m.WB > 0)
        return m.WB;
    if (m.BorderWidth > 0)
        return m.BorderWidth;
    return StateHeight(m);
}

TColor LoadedSkin::GetGlobalColor() const {
    int i = GetSkinIndex(kGlobalInfo);
    return i < 0 ? SystemColor(kColorButtonFace) : ColorToRGB(gd[i].Color);
}

TColor LoadedSkin::GetGlobalFontColor() const {
    int i = GetSkinIndex(kGlobalInfo);
    return i < 0 ? kKeyColor : ColorToRGB(gd[i].FontColor.Color);
}

TColor LoadedSkin::GetActiveEditColor() const {
    int i = GetSkinIndex(kGlobalInfo);
    return i < 0 ? SystemColor(kColorWindow) : ColorToRGB(gd[i].HotColor);
}

TColor LoadedSkin::GetActiveEditFontColor() const {
    int i = GetSkinIndex(u"EDIT");
    return i < 0 ? SystemColor(kColorWindowText) : ColorToRGB(gd[i].Props[0].FontColor.Color);
}

TColor LoadedSkin::GetHighLightColor(bool focused) const {
    int selection = GetSkinIndex(u"SELECTION");
    TColor color = -1;
    if (selection >= 0) {
        const TsGeneralData& s = gd[selection];
        color = s.Props[focused && s.States > 1 ? 1 : 0].Color;
    }
    if (selection < 0 || IsUnsetColor(color)) {
        int item = GetSkinIndex(u"MENUITEM");
        if (item < 0 || IsUnsetColor(gd[item].HotColor) || gd[item].HotColor == kWhite)
            return SystemColor(kColorHighlight);
        color = gd[item].HotColor;
    }
    return ColorToRGB(color);
}

TColor LoadedSkin::GetHighLightFontColor(bool focused) const {
    int selection = GetSkinIndex(u"SELECTION");
    if (selection >= 0) {
        const TsGeneralData& s = gd[selection];
        TColor color = s.Props[focused && s.States > 1 ? 1 : 0].FontColor.Color;
        if (!IsUnsetColor(color))
            return color;
    }
    int item = GetSkinIndex(u"MENUITEM");
    if (item >= 0 && !IsUnsetColor(gd[item].HotFontColor.Color))
        return ColorToRGB(gd[item].HotFontColor.Color);
    return SystemColor(kColorHighlightText);
}

void LoadedSkin::FillSectionImageIndexes() {
    const SectionLookup lookup(*this);
    const std::vector<int> borders = lookup.AllMasks(u"BORDERSMASK");
    const std::vector<int> top_left = lookup.AllMasks(u"IMGTOPLEFT");
    const std::vector<int> top_right = lookup.AllMasks(u"IMGTOPRIGHT");
    const std::vector<int> bottom_left = lookup.AllMasks(u"IMGBTMLEFT");
    const std::vector<int> bottom_right = lookup.AllMasks(u"IMGBTMRIGHT");
    const std::vector<int> patterns = lookup.AllTextures(u"PATTERN");
    for (std::size_t i = 0; i < gd.size(); ++i) {
        TsGeneralData& record = gd[i];
        if (record.ClassName == kGlobalInfo)
            continue;
        record.BorderIndex = borders[i];
        record.ImgTL = top_left[i];
        record.ImgTR = top_right[i];
        record.ImgBL = bottom_left[i];
        record.ImgBR = bottom_right[i];
        record.TextureNormal = patterns[i];
    }
}

} // namespace skin::data
