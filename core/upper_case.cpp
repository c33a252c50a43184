#include "core/upper_case.h"

#include <algorithm>
#include <iterator>

namespace core {

namespace {

struct CaseRange {
    char16_t first;
    char16_t last;
    int step;
    int delta;
};

constexpr CaseRange kRanges[] = {
#include "core/upper_case_table.inc"
};

} // namespace

char16_t UpperCaseUnit(char16_t unit) {
    if (unit < 0x80)
        return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - 32) : unit;
    const auto* range =
        std::upper_bound(std::begin(kRanges), std::end(kRanges), unit,
                         [](char16_t u, const CaseRange& r) { return u < r.first; });
    if (range == std::begin(kRanges))
        return unit;
    --range;
    if (unit > range->last || (unit - range->first) % range->step != 0)
        return unit;
    return static_cast<char16_t>(unit + range->delta);
}

std::u16string UpperCase(std::u16string_view text) {
    std::u16string upper(text);
    for (char16_t& unit : upper)
        unit = UpperCaseUnit(unit);
    return upper;
}

} // namespace core
