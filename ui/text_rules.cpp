#include "ui/text_rules.h"

namespace ui {

std::u16string WithFullStop(std::u16string_view message) {
    std::u16string text(message);
    if (!text.empty() && text.back() > u'.')
        text += u'.';
    return text;
}

std::u16string TrimSystemErrorText(std::u16string_view text) {
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\r' || text.back() == u'\n' ||
                             text.back() == u'.'))
        text.remove_suffix(1);
    return std::u16string(text);
}

namespace {

char16_t ToLower(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<char16_t>(c + 32);
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) // Greek capitals
        return static_cast<char16_t>(c + 32);
    if (c >= 0x410 && c <= 0x42F) // Cyrillic capitals
        return static_cast<char16_t>(c + 32);
    return c;
}

bool IsSeparator(char16_t c) {
    return c >= 1 && c <= 32;
}

} // namespace

std::u16string ApplicationTitle(std::u16string_view executable_path) {
    const auto slash = executable_path.find_last_of(u"\\/:");
    std::u16string_view name =
        slash == std::u16string_view::npos ? executable_path : executable_path.substr(slash + 1);
    name = name.substr(0, name.find(u'.'));
    std::u16string title(name);
    for (std::size_t i = 1; i < title.size(); ++i)
        title[i] = ToLower(title[i]);
    return title;
}

std::vector<std::u16string> SplitCommandLine(std::u16string_view line) {
    std::vector<std::u16string> arguments;
    std::size_t i = 0;
    while (true) {
        while (true) {
            while (i < line.size() && IsSeparator(line[i]))
                ++i;
            if (i + 1 < line.size() && line[i] == u'"' && line[i + 1] == u'"')
                i += 2;
            else
                break;
        }
        if (i >= line.size() || line[i] == 0)
            break;
        std::u16string argument;
        while (i < line.size() && line[i] != 0 && !IsSeparator(line[i])) {
            if (line[i] == u'"') {
                ++i;
                while (i < line.size() && line[i] != 0 && line[i] != u'"')
                    argument += line[i++];
                if (i < line.size() && line[i] == u'"')
                    ++i;
            } else {
                argument += line[i++];
            }
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

} // namespace ui
