#include "ui/font.h"

#include "ui/wide.h"

#include <map>
#include <tuple>

namespace ui {

HFONT Font::Handle() const {
    using Key = std::tuple<std::u16string, int, bool, bool>;
    static std::map<Key, HFONT> cache;
    const Key key{name, height, bold, underline};
    if (auto found = cache.find(key); found != cache.end())
        return found->second;
    LOGFONTW description{};
    description.lfHeight = -height;
    description.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    description.lfUnderline = underline;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(description.lfFaceName, Wide(name), LF_FACESIZE);
    HFONT font = CreateFontIndirectW(&description);
    cache.emplace(key, font);
    return font;
}

COLORREF ColorToRgb(Color color) {
    if ((color & 0xFF000000u) == 0xFF000000u)
        return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

} // namespace ui
