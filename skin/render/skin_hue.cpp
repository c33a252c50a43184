#include "skin/render/skin_hue.h"

#include "skin/render/color_mix.h"
#include "skin/render/skin_bitmap.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string_view>
#include <vector>

namespace skin::render {
namespace {

constexpr std::u16string_view kGlobalSection = u"GLOBALINFO";
constexpr std::array<std::u16string_view, 2> kCloseGlyphs{u"BICONCLOSE", u"SICONCLOSE"};
constexpr std::array<std::u16string_view, 7> kOtherGlyphs{
    u"BICONMAX", u"BICONMIN", u"BICONNORM", u"BICONHELP", u"SICONMAX", u"SICONMIN", u"SICONNORM"};

using ColorChange = std::function<Color(Color)>;
using BitmapChange = std::function<void(SkinBitmap&)>;

bool SameText(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
               const auto upper = [](char16_t c) {
                   return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
               };
               return upper(x) == upper(y);
           });
}

void ChangeImage(data::Image32& image, const BitmapChange& change) {
    if (image.Empty())
        return;
    SkinBitmap view = SkinBitmap::Adopt(image.pixels.data(), image.width, image.height, image.width,
                                        nullptr, nullptr);
    change(view);
}

// System colours and "none" (-1) are not colour values and stay as they are.
void ChangeColor(data::TColor& color, const ColorChange& change) {
    if (color < 0)
        return;
    color = data::TColor(change(Color(color)) & 0xFFFFFFu);
}

void ChangeFontColor(data::TsFontColor& font, const ColorChange& change) {
    for (data::TColor* color : {&font.Color, &font.Left, &font.Top, &font.Right, &font.Bottom})
        ChangeColor(*color, change);
}

void ChangeGradient(data::TsGradArray& gradient, const ColorChange& change) {
    for (data::TsGradPie& pie : gradient) {
        ChangeColor(pie.Color1, change);
        ChangeColor(pie.Color2, change);
    }
}

void ChangeRecordColors(data::LoadedSkin& skin, const ColorChange& change) {
    for (data::TsGeneralData& section : skin.gd) {
        for (data::TColor* color :
             {&section.Color, &section.HotColor, &section.GlowColor, &section.HotGlowColor})
            ChangeColor(*color, change);
        ChangeFontColor(section.FontColor, change);
        ChangeFontColor(section.HotFontColor, change);
        ChangeGradient(section.GradientArray, change);
        ChangeGradient(section.HotGradientArray, change);
        for (data::TsGenState& state : section.Props) {
            ChangeColor(state.Color, change);
            ChangeColor(state.GlowColor, change);
            ChangeFontColor(state.FontColor, change);
            ChangeGradient(state.GradientArray, change);
        }
    }
    ChangeColor(skin.SkinData.Shadow1Color, change);
    ChangeColor(skin.SkinData.BorderColor, change);
}

bool Protected(const data::TsMaskData& mask, int keep) {
    return SameText(mask.ClassName, kGlobalSection) && KeepsHue(mask.PropertyName, keep);
}

// A protected glyph's glow image keeps its hue with it.
bool GlowOfProtected(const data::TsMaskData& mask, int keep) {
    constexpr std::u16string_view kGlow = u"GLOW0";
    const std::u16string_view name = mask.PropertyName;
    if (!SameText(mask.ClassName, kGlobalSection) || name.size() <= kGlow.size() ||
        !SameText(name.substr(name.size() - kGlow.size()), kGlow))
        return false;
    return KeepsHue(name.substr(0, name.size() - kGlow.size()), keep);
}

struct SavedPiece {
    data::Rect R;
    std::vector<data::Pixel> Pixels;
};

// The protected glyphs inside the master bitmap, clipped to it.
std::vector<SavedPiece> SaveProtectedPieces(const data::LoadedSkin& skin, int keep) {
    std::vector<SavedPiece> pieces;
    const data::Image32& master = skin.MasterBitmap;
    for (const data::TsMaskData& mask : skin.ma) {
        if (mask.Bmp || !Protected(mask, keep))
            continue;
        SavedPiece piece;
        piece.R = {std::max(mask.R.Left, 0), std::max(mask.R.Top, 0),
                   std::min(mask.R.Right, master.width), std::min(mask.R.Bottom, master.height)};
        for (int y = piece.R.Top; y < piece.R.Bottom; ++y)
            for (int x = piece.R.Left; x < piece.R.Right; ++x)
                piece.Pixels.push_back(master.At(x, y));
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

void RestorePieces(data::Image32& master, const std::vector<SavedPiece>& pieces) {
    for (const SavedPiece& piece : pieces) {
        std::size_t i = 0;
        for (int y = piece.R.Top; y < piece.R.Bottom; ++y)
            for (int x = piece.R.Left; x < piece.R.Right; ++x)
                master.At(x, y) = piece.Pixels[i++];
    }
}

void ApplyHue(data::LoadedSkin& skin, int degrees) {
    const int keep = skin.SkinData.BIKeepHUE;
    const BitmapChange rotate = [degrees](SkinBitmap& b) { ShiftHue(b, degrees); };
    const std::vector<SavedPiece> pieces = SaveProtectedPieces(skin, keep);
    ChangeImage(skin.MasterBitmap, rotate);
    RestorePieces(skin.MasterBitmap, pieces);
    for (data::TsMaskData& mask : skin.ma)
        if (mask.Bmp && !Protected(mask, keep) && !GlowOfProtected(mask, keep))
            ChangeImage(*mask.Bmp, rotate);
    ChangeRecordColors(skin, [degrees](Color c) { return ShiftHue(c, degrees); });
}

void ApplySaturation(data::LoadedSkin& skin, int amount) {
    const BitmapChange change = [amount](SkinBitmap& b) { ChangeSaturation(b, amount); };
    ChangeImage(skin.MasterBitmap, change);
    for (data::TsMaskData& mask : skin.ma)
        if (mask.Bmp)
            ChangeImage(*mask.Bmp, change);
    ChangeRecordColors(skin, [amount](Color c) { return ChangeSaturation(c, amount); });
}

} // namespace

bool KeepsHue(std::u16string_view property, int keep_hue_setting) {
    if (keep_hue_setting == 0)
        return false;
    const auto named = [property](std::u16string_view name) { return SameText(property, name); };
    if (std::any_of(kCloseGlyphs.begin(), kCloseGlyphs.end(), named))
        return true;
    return keep_hue_setting == 1 && std::any_of(kOtherGlyphs.begin(), kOtherGlyphs.end(), named);
}

void ApplySkinHueAndSaturation(data::LoadedSkin& skin, int hue_offset, int saturation) {
    if (hue_offset != 0)
        ApplyHue(skin, hue_offset);
    const int amount = saturation % 101;
    if (amount != 0)
        ApplySaturation(skin, amount);
}

} // namespace skin::render
