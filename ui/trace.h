#pragma once

// The diagnostic trace: when the environment variable ARBORDIR_TRACE names a file, engine
// objects append one line per event to it: the control, the event, a frame number and a value,
// separated by tabs ("CreateFolders\tfade\t3\t170"). Tests of fades, scroll repeats and
// animations count these lines instead of measuring time. When the variable is not set,
// TraceOn() is one load and compare, and nothing is formatted.
//
// The file name is a path of the platform the program runs on (under Wine: Z:\tmp\x.trace).

#include "ui/component.h"

#include <string>
#include <string_view>

namespace ui {

namespace trace_detail {
enum class State { unknown, off, on };
extern State g_state;
bool Start();
} // namespace trace_detail

inline bool TraceOn() {
    using trace_detail::State;
    if (trace_detail::g_state == State::unknown)
        return trace_detail::Start();
    return trace_detail::g_state == State::on;
}

// Appends one line when the trace is on. Tabs and line breaks in the names become spaces.
void TraceLine(std::u16string_view control, std::string_view event, long long frame,
               long long value);

// The trace line of an event of a component, named by its Name, or its class when unnamed.
inline void TraceEvent(const Component& component, std::string_view event, long long frame,
                       long long value) {
    if (TraceOn())
        TraceLine(component.Name().empty() ? component.ClassName() : component.Name(), event, frame,
                  value);
}

// Writes the trace to `path` from now on, or stops it with an empty path (tests).
void RedirectTrace(const std::string& path);

} // namespace ui
