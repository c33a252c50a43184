#pragma once

// Open-dialog filters as the program writes them ("Arbordir Files|*.arbordir": captions and
// patterns in pairs, separated by bars) and as the platform wants them (each part ended by a
// NUL, the whole ended by one more). Portable: tested natively.

#include <string>
#include <string_view>

namespace dialogs {

std::u16string PlatformFilter(std::u16string_view filter);

} // namespace dialogs
