#include "skin/data/loaded_skin.h"

#include <unordered_map>

namespace skin::data {

namespace {

constexpr std::u16string_view kGlobalInfo = u"GLOBALINFO";

bool IsUnsetColor(TColor color) {
    return color == -1 || color == kKeyColor;
}

} // namespace

int StateWidth(const TsMaskData& mask) {
    if (mask.ImageCount == 0)
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
    TsMaskData& m = ma[index];
    if (m.WR > 0)
        return m.WR;
    if (m.BorderWidth > 0)
        return m.BorderWidth;
    return StateWidth(m);
}

int LoadedSkin::MaskWidthTop(int index) {
    const TsMaskData& m = ma[index];
    if (m.WT > 0)
        return m.WT;
    if (m.BorderWidth > 0)
        return m.BorderWidth;
    return StateHeight(m);
}

int LoadedSkin::MaskWidthBottom(int index) {
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

namespace {

// The lookups of FillSectionImageIndexes for every section at once: first indexes by name
// and parent indexes computed once, so that many sections with long parent chains cost a
// hash lookup per step instead of a scan of all sections and masks.
class SectionImageIndex {
public:
    explicit SectionImageIndex(const LoadedSkin& skin) : skin_(skin) {
        for (std::size_t i = 0; i < skin.gd.size(); ++i)
            sections_.try_emplace(skin.gd[i].ClassName, static_cast<int>(i));
        for (std::size_t i = 0; i < skin.ma.size(); ++i) {
            const TsMaskData& m = skin.ma[i];
            masks_.try_emplace(Key(m.ClassName, m.PropertyName), static_cast<int>(i));
            if (m.ImgType == TacImgType::itisaTexture)
                textures_.try_emplace(Key(m.ClassName, m.PropertyName), static_cast<int>(i));
        }
    }

    int Mask(int section, std::u16string_view name) const { return Find(masks_, section, name); }
    int Texture(int section, std::u16string_view name) const {
        return Find(textures_, section, name);
    }

private:
    using Map = std::unordered_map<std::u16string, int>;

    static std::u16string Key(std::u16string_view section, std::u16string_view name) {
        std::u16string key(section);
        key += u'\0';
        key += name;
        return key;
    }

    // The rule of LoadedSkin::GetMaskIndex with its parent fallback.
    int Find(const Map& items, int index, std::u16string_view name) const {
        std::u16string_view section = skin_.gd[index].ClassName;
        for (std::size_t step = 0; step <= skin_.gd.size(); ++step) {
            if (index < 0 || section.empty())
                return -1;
            auto found = items.find(Key(section, name));
            if (found != items.end())
                return found->second;
            const std::u16string& parent = skin_.gd[index].ParentClass;
            if (parent.empty() || parent == section)
                return -1;
            auto next = sections_.find(parent);
            section = parent;
            index = next == sections_.end() ? -1 : next->second;
        }
        return -1;
    }

    const LoadedSkin& skin_;
    std::unordered_map<std::u16string_view, int> sections_;
    Map masks_, textures_;
};

} // namespace

void LoadedSkin::FillSectionImageIndexes() {
    SectionImageIndex lookup(*this);
    for (std::size_t i = 0; i < gd.size(); ++i) {
        TsGeneralData& record = gd[i];
        if (record.ClassName == kGlobalInfo)
            continue;
        int index = static_cast<int>(i);
        record.BorderIndex = lookup.Mask(index, u"BORDERSMASK");
        record.ImgTL = lookup.Mask(index, u"IMGTOPLEFT");
        record.ImgTR = lookup.Mask(index, u"IMGTOPRIGHT");
        record.ImgBL = lookup.Mask(index, u"IMGBTMLEFT");
        record.ImgBR = lookup.Mask(index, u"IMGBTMRIGHT");
        record.TextureNormal = lookup.Texture(index, u"PATTERN");
    }
}

} // namespace skin::data
