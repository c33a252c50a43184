#pragma once

// The platform clipboard, for text.

#include <string>
#include <windows.h>

namespace ui {

// Replaces the clipboard's content with the text as Unicode text. Returns false when the
// clipboard could not be opened (another program holds it) or the memory was refused.
bool SetClipboardText(HWND owner, const std::u16string& text);
// The clipboard's Unicode text, or empty when it holds none.
std::u16string ClipboardText(HWND owner);

} // namespace ui
