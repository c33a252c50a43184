#pragma once

// Gradient text of the options text: groups of five numbers separated by ";". Each full group
// is one segment (colours raised to at least 0, percent clamped to 0 .. 100, the direction as
// written, the fifth number unused); words after the last full group are ignored. A number of a
// counted group that is not an integer raises "''%s'' is not a valid integer value".

#include "skin/data/general_data.h"

#include <string_view>

namespace skin::data {

TsGradArray ParseGradient(std::u16string_view text);

} // namespace skin::data
