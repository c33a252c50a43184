#include "skin/data/mask_syntax.h"

#include "skin/data/options_text.h"

#include <algorithm>
#include <vector>

namespace skin::data {

namespace {

// Characters from..to (1-based, inclusive) of a fixed-position value, as far as it reaches.
std::u16string_view Field(std::u16string_view value, std::size_t from, std::size_t to) {
    if (from > value.size())
        return {};
    return value.substr(from - 1, to - from + 1);
}

std::int16_t Fixed(std::u16string_view value, std::size_t from, std::size_t to) {
    return static_cast<std::int16_t>(StrictInteger(Field(value, from, to)));
}

std::int16_t Lenient(std::u16string_view text) {
    return static_cast<std::int16_t>(ParseInteger(text).value_or(0));
}

std::vector<std::u16string_view> Split(std::u16string_view text, std::u16string_view separators,
                                       bool keep_empty) {
    std::vector<std::u16string_view> words;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of(separators, start);
        if (end == std::u16string_view::npos)
            end = text.size();
        if (keep_empty || end > start)
            words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

bool Contains(std::u16string_view text, std::u16string_view part) {
    return text.find(part) != std::u16string_view::npos;
}

// Divisors of the geometry rules; a count of 0 (or a mask type of -1) counts as one image so
// that a damaged value cannot divide by zero.
int Positive(int count) {
    return count > 0 ? count : 1;
}

// The widths a border gets when it gives none: a third of a state image each way.
void DefaultWidths(TsMaskData& m, int width, int height) {
    m.WL = m.WR = static_cast<std::int16_t>(width / Positive(m.ImageCount * 3));
    m.WT = m.WB = static_cast<std::int16_t>(height / Positive((m.MaskType + 1) * 3));
}

void WidthsWhenAllZero(TsMaskData& m) {
    if (m.WL + m.WT + m.WR + m.WB != 0)
        return;
    if (m.BorderWidth != 0)
        m.WL = m.WT = m.WR = m.WB = m.BorderWidth;
    else
        DefaultWidths(m, m.R.Width(), m.R.Height());
}

TsMaskData NewMask(std::u16string_view section, std::u16string_view key, TacImgType type) {
    TsMaskData m;
    m.ClassName = std::u16string(section);
    m.PropertyName = std::u16string(key);
    m.ImgType = type;
    return m;
}

// "!FILE.PNG!count!masktype!kind!WL!WT!WR!WB!drawmode"
std::optional<TsMaskData> ImageFile(std::u16string_view section, std::u16string_view key,
                                    std::u16string_view value, MaskImageSource& images) {
    auto fields = Split(value.substr(1), u"!", true);
    std::u16string_view file = fields[0];
    if (!Contains(file, u".BMP") && !Contains(file, u".PNG"))
        return std::nullopt;
    auto field = [&](std::size_t n) { return n <= fields.size() ? Lenient(fields[n - 1]) : 0; };
    auto image = images.LoadImage(file);
    if (!image)
        return std::nullopt;
    int kind = field(4);
    TsMaskData m = NewMask(section, key,
                           kind >= 4  ? TacImgType::itisaPngGlyph
                           : kind < 0 ? TacImgType::itisaBorder
                                      : static_cast<TacImgType>(kind));
    m.ImageCount = field(2);
    m.MaskType = field(3);
    if (fields.size() < 5) {
        DefaultWidths(m, image->width, image->height);
    } else {
        m.WL = field(5);
        m.WT = field(6);
        m.WR = field(7);
        m.WB = field(8);
    }
    m.DrawMode = fields.size() < 9 ? 1 : field(9);
    m.R = {0, 0, image->width, image->height};
    m.Bmp = std::move(image);
    return m;
}

Rect FixedRect(std::u16string_view value) {
    return {Fixed(value, 2, 5), Fixed(value, 7, 10), Fixed(value, 12, 15), Fixed(value, 17, 20)};
}

// "@LLLL@TTTT@RRRR@BBBB@n@t"
TsMaskData Glyph(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
    TsMaskData m = NewMask(section, key, TacImgType::itisaGlyph);
    m.R = FixedRect(value);
    m.ImageCount = Fixed(value, 22, 22);
    m.MaskType = Fixed(value, 24, 24);
    return m;
}

// "^LLLL^TTTT^RRRR^BBBB^WLLL^WTTT^WRRR^WBBB^n^t^d^w"
TsMaskData Border(std::u16string_view section, std::u16string_view key, std::u16string_view value,
                  SkinVersion version) {
    TsMaskData m = NewMask(section, key, TacImgType::itisaBorder);
    m.R = FixedRect(value);
    m.WL = Fixed(value, 22, 25);
    m.WT = Fixed(value, 27, 30);
    m.WR = Fixed(value, 32, 35);
    m.WB = Fixed(value, 37, 40);
    m.ImageCount = Fixed(value, 42, 42);
    m.MaskType = Fixed(value, 44, 44);
    m.DrawMode = Fixed(value, 46, 46);
    m.BorderWidth = Fixed(value, 48, 48);
    if (version < SkinVersion{7, 4} && m.MaskType >= 1) {
        // Older skins did not say "stretch": a one-pixel middle both ways means it.
        bool thin = m.R.Width() / Positive(m.ImageCount) - m.WL - m.WR == 1 &&
                    m.R.Height() / Positive(m.MaskType + 1) - m.WT - m.WB == 1;
        m.DrawMode = static_cast<std::int16_t>(thin ? m.DrawMode | kDrawModeStretch
                                                    : m.DrawMode & ~kDrawModeStretch);
    }
    WidthsWhenAllZero(m);
    return m;
}

// "~LLLL~TTTT~RRRR~BBBB~dd~t"
TsMaskData Texture(std::u16string_view section, std::u16string_view key,
                   std::u16string_view value) {
    TsMaskData m = NewMask(section, key, TacImgType::itisaTexture);
    m.R = FixedRect(value);
    m.DrawMode = Fixed(value, 22, 23);
    m.MaskType = value.size() > 24 ? Fixed(value, 25, 25) : 0;
    m.ImageCount = 1;
    return m;
}

// A whole BMP file as a three-state border with transparency masks below the images.
std::optional<TsMaskData> BitmapFile(std::u16string_view section, std::u16string_view key,
                                     std::u16string_view value, MaskImageSource& images) {
    auto image = images.LoadImage(UpperCase(value));
    if (!image)
        return std::nullopt;
    TsMaskData m = NewMask(UpperCase(section), UpperCase(key), TacImgType::itisaBorder);
    m.MaskType = 1;
    m.ImageCount = 3;
    m.R = {0, 0, image->width, image->height};
    m.WL = m.WR = static_cast<std::int16_t>(image->width / 9);
    m.WT = m.WB = static_cast<std::int16_t>(image->height / 6);
    m.Bmp = std::move(image);
    return m;
}

// "name (left,top,right,bottom) (count,masktype,borderwidth,drawmode)" with a "#" somewhere.
TsMaskData WordBorder(std::u16string_view section, std::u16string_view key,
                      std::u16string_view value) {
    auto words = Split(value, u" ()", false);
    auto word = [&](std::size_t n) { return n <= words.size() ? words[n - 1] : u""; };
    auto rect = Split(word(2), u",", true);
    auto params = Split(word(3), u",", true);
    auto at = [](const std::vector<std::u16string_view>& list, std::size_t i) {
        return i < list.size() ? list[i] : std::u16string_view();
    };
    TsMaskData m = NewMask(UpperCase(section), UpperCase(key), TacImgType::itisaBorder);
    m.R = {Lenient(at(rect, 0)), Lenient(at(rect, 1)), Lenient(at(rect, 2)), Lenient(at(rect, 3))};
    m.ImageCount = std::max<std::int16_t>(Lenient(at(params, 0)), 1);
    m.MaskType = std::max<std::int16_t>(Lenient(at(params, 1)), 0);
    auto border_width = at(params, 2);
    m.BorderWidth =
        border_width.empty()
            ? 0
            : std::max<std::int16_t>(static_cast<std::int16_t>(StrictInteger(border_width)), 0);
    auto draw_mode = at(params, 3);
    m.DrawMode = draw_mode.empty() ? 1 : static_cast<std::int16_t>(StrictInteger(draw_mode));
    WidthsWhenAllZero(m);
    return m;
}

std::optional<TsMaskData> Dispatch(std::u16string_view section, std::u16string_view key,
                                   std::u16string_view value, MaskImageSource& images) {
    switch (value.front()) {
    case u'!':
        return ImageFile(section, key, value, images);
    case u'@':
        return Glyph(section, key, value);
    case u'^':
        return Border(section, key, value, images.Version());
    case u'~':
        return Texture(section, key, value);
    default:
        break;
    }
    bool has_hash = Contains(value, u"#");
    if (!has_hash && UpperContains(value, u".BMP"))
        return BitmapFile(section, key, value, images);
    if (has_hash && value != u"#")
        return WordBorder(section, key, value);
    return std::nullopt;
}

bool HasKeyPixel(const Image32& source, int x0, int x1, int y0, int y1) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (source.At(x, y) == kKeyPixel)
                return true;
    return false;
}

} // namespace

std::optional<TsMaskData> ParseMask(std::u16string_view section, std::u16string_view key,
                                    std::u16string_view value, MaskImageSource& images) {
    if (value.empty())
        return std::nullopt;
    auto mask = Dispatch(section, key, value, images);
    if (mask && mask->ImgType == TacImgType::itisaBorder) {
        const Image32& source = mask->Bmp ? *mask->Bmp : images.MasterBitmap();
        mask->CornerType = CornerKeyTest(*mask, source);
    }
    return mask;
}

std::int16_t CornerKeyTest(const TsMaskData& m, const Image32& source) {
    if (m.ClassName == u"BUTTON_HUGE" && m.PropertyName == u"BORDERSMASK")
        return 2;
    if (source.Empty())
        return 0;
    // Each area ends before the last row and column of the source image.
    int w = source.width - 1, h = source.height - 1;
    int sw = m.R.Width() / Positive(m.ImageCount);
    int sh = m.R.Height() / Positive(m.MaskType + 1);
    int left0 = m.R.Left, left1 = std::min(m.R.Left + m.WL, w);
    int right0 = m.R.Left + sw - m.WR, right1 = std::min(right0 + m.WR, w);
    int top0 = m.R.Top, top1 = std::min(m.R.Top + m.WT, h);
    int bottom0 = m.R.Top + sh - m.WB, bottom1 = std::min(bottom0 + m.WB, h);
    bool found = HasKeyPixel(source, left0, left1, top0, top1) ||
                 HasKeyPixel(source, right0, right1, top0, top1) ||
                 HasKeyPixel(source, left0, left1, bottom0, bottom1) ||
                 HasKeyPixel(source, right0, right1, bottom0, bottom1);
    return found ? 1 : 0;
}

} // namespace skin::data
