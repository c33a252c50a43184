#pragma once

// The platform's legacy 8-bit text encoding, in which template files without a byte-order
// mark are read and, when every name fits, written.

#include <optional>
#include <string>
#include <string_view>

namespace core {

class AnsiCodePage {
public:
    virtual ~AnsiCodePage() = default;

    // Every byte sequence decodes; bytes without a character decode as the code page says.
    virtual std::u16string Decode(std::string_view bytes) const = 0;
    // The text's bytes, or nothing when some character has no form in the code page (best-fit
    // look-alikes do not count: they would change the name).
    virtual std::optional<std::string> Encode(std::u16string_view text) const = 0;
};

// Windows-1252 exactly as Windows converts it; its five unassigned bytes map to and from the
// control characters of the same value.
const AnsiCodePage& Windows1252();

// The process's ANSI code page on Windows; Windows-1252 on platforms without one.
const AnsiCodePage& SystemAnsiCodePage();

} // namespace core
