#pragma once

// Everything the skin manager holds of one loaded skin: the global settings, one record per
// section, the masks, the patterns, the master bitmap and the cached indexes, together with the
// lookups the painters use. Painters keep indexes, never pointers, across a skin change.

#include "skin/data/constant_skin_data.h"
#include "skin/data/general_data.h"
#include "skin/data/image32.h"
#include "skin/data/mask_data.h"
#include "skin/data/skin_data.h"

#include <string>
#include <string_view>
#include <vector>

namespace skin::data {

class LoadedSkin {
public:
    TsSkinData SkinData;
    std::vector<TsGeneralData> gd; // section records, in text order
    std::vector<TsMaskData> ma;    // masks, in load order
    std::vector<TsPatternData> pa; // JPEG patterns
    TConstantSkinData ConstData;
    Image32 MasterBitmap; // empty when the skin names none

    // Frees the masks, patterns, records and the master bitmap (settings stay).
    void Clear();

    // Sections. Names are compared exactly and case-sensitively; the first match wins.
    int GetSkinIndex(std::u16string_view section) const;
    bool IsValidSkinIndex(int index) const;
    std::vector<std::u16string> GetSkinSections() const;

    // Masks of a section, with the parent fallback along PARENTCLASS: -1 when the section index
    // is negative, the name empty, or nothing is found up the chain.
    int GetMaskIndex(int skin_index, std::u16string_view section, std::u16string_view mask) const;
    // The first exact match only, no parent fallback.
    int GetMaskIndex(std::u16string_view section, std::u16string_view mask) const;
    // Like the first GetMaskIndex, over the masks of type itisaTexture only.
    int GetTextureIndex(int skin_index, std::u16string_view section,
                        std::u16string_view mask) const;
    // Like the first GetMaskIndex, over the pattern list.
    int GetPatternIndex(int skin_index, std::u16string_view section,
                        std::u16string_view pattern) const;
    bool IsValidImgIndex(int index) const { return index >= 0 && index < int(ma.size()); }

    // Widths of the border pieces of a mask: its own width when above 0, else its BorderWidth
    // when above 0, else the size of one state image. A mask with ImageCount 0 gets 1 first.
    int MaskWidthLeft(int mask_index);
    int MaskWidthTop(int mask_index);
    int MaskWidthRight(int mask_index);
    int MaskWidthBottom(int mask_index);

    // Colours of the GLOBALINFO, EDIT, SELECTION and MENUITEM records with system-colour
    // fallbacks, all converted to RGB unless noted.
    TColor GetGlobalColor() const;
    TColor GetGlobalFontColor() const;
    TColor GetActiveEditColor() const;
    TColor GetActiveEditFontColor() const;
    TColor GetHighLightColor(bool focused) const;
    TColor GetHighLightFontColor(bool focused) const;

    // Recomputes ConstData from the records and masks.
    void RefreshConstData();
    // Fills BorderIndex, ImgTL .. ImgBR and TextureNormal of every record but GLOBALINFO.
    void FillSectionImageIndexes();

private:
    template <typename Match>
    int FindWithParents(int skin_index, std::u16string_view section, Match match) const;
};

} // namespace skin::data
