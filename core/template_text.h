#pragma once

// The text layer of template files: which encoding a file's bytes are in, how the text splits
// into indented lines, and which encoding a saved file gets.

#include "core/ansi_code_page.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace core {

// The text of a template file. A UTF-8 (EF BB BF), UTF-16 LE (FF FE) or UTF-16 BE (FE FF)
// byte-order mark, tested in that order, selects its encoding and is dropped; without one
// the file is in the ANSI code page. The text ends at its first NUL character.
std::u16string DecodeTemplateText(std::string_view bytes, const AnsiCodePage& ansi);

// The bytes of a template's text: the ANSI code page when it can represent every character,
// so that files stay what other readers expect; otherwise UTF-8 with its byte-order mark,
// because the code page's replacement character would turn names into question marks. Text
// whose ANSI bytes would begin like a byte-order mark is written as UTF-8 as well.
std::string EncodeTemplateText(std::u16string_view text, const AnsiCodePage& ansi);

struct TemplateLine {
    // Leading tabs and spaces, each counting one level.
    std::size_t level = 0;
    // The rest of the line, unchanged.
    std::u16string_view name;
};

// Reads the lines of a decoded text one by one. A line ends at CR LF, a lone CR or a lone LF;
// a last line without an end counts, and an end at the very end starts no further line.
class TemplateLineReader {
public:
    explicit TemplateLineReader(std::u16string_view text) : rest_(text) {}
    bool Next(TemplateLine& line);

private:
    std::u16string_view rest_;
};

} // namespace core
