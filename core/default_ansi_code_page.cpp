// Platforms without an ANSI code page read and write templates in Windows-1252, the code page
// of most Windows installations that write them.

#include "core/ansi_code_page.h"

namespace core {

const AnsiCodePage& SystemAnsiCodePage() {
    return Windows1252();
}

} // namespace core
