#pragma once

// Sections the program lays over every skin it loads ("common sections"): lines of an options
// text whose keys replace those of the skin's section of the same name, or, for a section the
// skin lacks, build a new one on the keys of the section its PARENTCLASS names.

#include "skin/data/options_text.h"

#include <string>
#include <vector>

namespace skin::manager {

// The lines as stored: every space removed from a line that is not empty and not a comment.
std::vector<std::u16string> CleanCommonSections(std::vector<std::u16string> lines);

// The skin's options with the common sections laid over them; the same options without any.
data::SkinOptions MergeCommonSections(const data::SkinOptions& skin,
                                      const std::vector<std::u16string>& lines);

} // namespace skin::manager
