#include "ui/win32_error.h"

#include "ui/text_rules.h"

namespace ui {

std::u16string SystemErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::u16string text(reinterpret_cast<const char16_t*>(buffer), length);
    LocalFree(buffer);
    return TrimSystemErrorText(text);
}

core::Error LastError(std::u16string_view what) {
    const DWORD code = GetLastError();
    return core::Error(std::u16string(what) + u". " + SystemErrorText(code));
}

} // namespace ui
