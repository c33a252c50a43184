#pragma once

// The one rule by which skin versions are compared, wherever they are compared.

#include <compare>
#include <string_view>

namespace skin::data {

// A skin's VERSION compared part by part, as version numbers are: 7.10 comes after 7.4, and
// 7.3 before it. Text that is not a version reads as 0.0. See README.md for the worked values.
struct SkinVersion {
    int major = 0;
    int minor = 0;
    static SkinVersion Parse(std::u16string_view text);
    friend auto operator<=>(const SkinVersion&, const SkinVersion&) = default;
};

} // namespace skin::data
