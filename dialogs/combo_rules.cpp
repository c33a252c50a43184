#include "dialogs/combo_rules.h"

#include <algorithm>

namespace dialogs {

ShortCut MakeShortCut(std::uint16_t key, bool shift, bool ctrl, bool alt) {
    ShortCut value = static_cast<ShortCut>(key & 0xFF);
    if (shift)
        value |= scShift;
    if (ctrl)
        value |= scCtrl;
    if (alt)
        value |= scAlt;
    return value;
}

GlyphLayout LayoutOfGlyphs(int item_width, int item_height) {
    GlyphLayout layout;
    if (item_width <= 0 || item_height <= 0)
        return layout;
    if (item_width % item_height == 0)
        layout.image_count = item_width / item_height;
    layout.glyph_width = item_width / layout.image_count;
    return layout;
}

int CustomGlyphIndex(int state, int normal, int hot, int pressed, int item_count) {
    const int wanted = state == 2 ? pressed : state == 1 ? hot : normal;
    return wanted >= 0 && wanted < item_count ? wanted : normal;
}

TextRect ComboTextRect(int client_width, int client_height, bool flat_border, int button_width) {
    TextRect rect;
    rect.left = flat_border ? 2 : 0;
    rect.right = std::max(rect.left, client_width - std::max(0, button_width));
    rect.bottom = std::max(0, client_height);
    return rect;
}

} // namespace dialogs
