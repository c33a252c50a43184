#pragma once

#include "core/error.h"

#include <string>
#include <string_view>
#include <windows.h>

namespace ui {

// The platform's message for an error code, with trailing blanks, line breaks and full stops
// removed so that it can stand inside a sentence.
std::u16string SystemErrorText(DWORD code);
// An error for the calling thread's last error: "<what>. <system text>".
core::Error LastError(std::u16string_view what);

} // namespace ui
