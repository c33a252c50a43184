#include "ui/trace.h"

#include "core/text.h"

#include <cstdio>
#include <cstdlib>

namespace ui {

namespace trace_detail {

State g_state = State::unknown;

namespace {

std::FILE* g_file = nullptr;

void Open(const std::string& path) {
    if (g_file)
        std::fclose(g_file);
    g_file = path.empty() ? nullptr : std::fopen(path.c_str(), "ab");
    g_state = g_file ? State::on : State::off;
}

} // namespace

bool Start() {
    const char* path = std::getenv("ARBORDIR_TRACE");
    Open(path ? path : "");
    return g_state == State::on;
}

} // namespace trace_detail

namespace {

std::string Field(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return text;
}

} // namespace

void TraceLine(std::u16string_view control, std::string_view event, long long frame,
               long long value) {
    if (!TraceOn())
        return;
    const std::string line = Field(core::ToUtf8(control)) + '\t' + Field(std::string(event)) +
                             '\t' + std::to_string(frame) + '\t' + std::to_string(value) + '\n';
    std::fwrite(line.data(), 1, line.size(), trace_detail::g_file);
    // A program that ends abruptly keeps every line it wrote.
    std::fflush(trace_detail::g_file);
}

void RedirectTrace(const std::string& path) {
    trace_detail::Open(path);
}

} // namespace ui
