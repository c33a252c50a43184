#pragma once

// Reads back a trace file as the tests check it: for one event, the frame and value of each of
// its lines, in the order written.

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace ui::testing {

inline std::vector<std::pair<int, int>> TraceOf(const std::string& path, const std::string& event) {
    std::vector<std::pair<int, int>> lines;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string name, what;
        int frame = 0, value = 0;
        std::getline(fields, name, '\t');
        std::getline(fields, what, '\t');
        fields >> frame >> value;
        if (what == event)
            lines.emplace_back(frame, value);
    }
    return lines;
}

} // namespace ui::testing
