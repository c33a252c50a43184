#pragma once

// Text rules of the application's messages and start-up. Portable: tested natively.

#include <string>
#include <string_view>
#include <vector>

namespace ui {

// An error box's text: a full stop is appended when the last character's code is above that
// of the full stop (so "Done!" and "Ends with ." stay, "No access" gains one).
std::u16string WithFullStop(std::u16string_view message);

// A system error text with trailing blanks, line breaks and full stops removed.
std::u16string TrimSystemErrorText(std::u16string_view text);

// The application title: the executable's file name without its directory, cut before its
// first full stop, every character after the first in lower case.
std::u16string ApplicationTitle(std::u16string_view executable_path);

// Splits a command line: characters 1 to 32 separate arguments; a pair of adjacent double
// quotes in front of an argument is skipped; inside an argument a double quote starts a quoted
// stretch running to the next one (or the end) that may hold blanks and loses its quotes.
// Element 0 is the program's own name.
std::vector<std::u16string> SplitCommandLine(std::u16string_view command_line);

} // namespace ui
