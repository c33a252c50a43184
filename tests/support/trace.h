#pragma once

// The program's diagnostic trace as the end-to-end tests read it: one line per event,
// "component<TAB>event<TAB>frame<TAB>value". Tests of fades, repeats and animations count lines.

#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// The (frame, value) of every line of the event, of the component when one is named, in order.
// The program may still have the file open for writing.
std::vector<std::pair<long long, long long>>
TraceLines(const std::wstring& path, const std::string& event, const std::string& component = "");
// The same for a trace named as the program's trace switch takes it (a narrow path).
std::vector<std::pair<long long, long long>>
TraceLines(const std::string& path, const std::string& event, const std::string& component = "");

} // namespace testing_support
