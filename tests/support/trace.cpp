#include "trace.h"

#include "disk.h"

#include <sstream>

namespace testing_support {

std::vector<std::pair<long long, long long>>
TraceLines(const std::wstring& path, const std::string& event, const std::string& component) {
    std::vector<std::pair<long long, long long>> lines;
    std::istringstream in(ReadWholeFile(path));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string name, what;
        long long frame = 0, value = 0;
        std::getline(fields, name, '\t');
        std::getline(fields, what, '\t');
        fields >> frame >> value;
        if (what == event && (component.empty() || name == component))
            lines.emplace_back(frame, value);
    }
    return lines;
}

std::vector<std::pair<long long, long long>>
TraceLines(const std::string& path, const std::string& event, const std::string& component) {
    return TraceLines(std::wstring(path.begin(), path.end()), event, component);
}

} // namespace testing_support
