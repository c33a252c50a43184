#include "skin/data/gradient.h"

#include "skin/data/options_text.h"

#include <algorithm>
#include <vector>

namespace skin::data {

namespace {

// Runs of ";" are one separator; there are no empty words.
std::vector<std::u16string_view> SplitWords(std::u16string_view text) {
    std::vector<std::u16string_view> words;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(u';', start);
        if (end == std::u16string_view::npos)
            end = text.size();
        if (end > start)
            words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

} // namespace

TsGradArray ParseGradient(std::u16string_view text) {
    auto words = SplitWords(text);
    TsGradArray segments(words.size() / 5);
    for (std::size_t k = 0; k < segments.size(); ++k) {
        const auto* group = &words[5 * k];
        TsGradPie& pie = segments[k];
        pie.Color1 = std::max(StrictInteger(group[0]), 0);
        pie.Color2 = std::max(StrictInteger(group[1]), 0);
        pie.Percent = std::clamp(StrictInteger(group[2]), 0, 100);
        pie.Mode1 = StrictInteger(group[3]);
    }
    return segments;
}

} // namespace skin::data
