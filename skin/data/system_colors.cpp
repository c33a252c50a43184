#include "skin/data/colors.h"

namespace skin::data {

// Without a window system the classic light desktop's values stand in (RGB, red in byte 0).
TColor SystemColor(int index) {
    switch (index) {
    case kColorActiveCaption:
        return 0xD1B499;
    case kColorWindow:
        return 0xFFFFFF;
    case kColorWindowText:
        return 0x000000;
    case kColorHighlight:
        return 0xD77800;
    case kColorHighlightText:
        return 0xFFFFFF;
    case kColorButtonFace:
        return 0xF0F0F0;
    default:
        return 0x808080;
    }
}

int SizingFrameWidth() {
    return 4;
}

} // namespace skin::data
