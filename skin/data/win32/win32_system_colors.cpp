#include "skin/data/colors.h"

#include <windows.h>

namespace skin::data {

// COLORREF has red in byte 0 like the skin's colours, so the value passes through unchanged.
TColor SystemColor(int index) {
    return static_cast<TColor>(GetSysColor(index) & 0xFFFFFF);
}

int SizingFrameWidth() {
    return GetSystemMetrics(SM_CXFRAME);
}

} // namespace skin::data
