#include "ui/clipboard.h"

#include <cstring>

namespace ui {

namespace {

// Opens the clipboard for a scope; another program may hold it for a moment.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) {
        for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
            open_ = OpenClipboard(owner) != FALSE;
            if (!open_)
                Sleep(10);
        }
    }
    ~OpenedClipboard() {
        if (open_)
            CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_ = false;
};

} // namespace

bool SetClipboardText(HWND owner, const std::u16string& text) {
    OpenedClipboard clipboard(owner);
    if (!clipboard.IsOpen())
        return false;
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        return false;
    void* target = GlobalLock(memory);
    std::memcpy(target, text.c_str(), bytes);
    GlobalUnlock(memory);
    EmptyClipboard();
    // The clipboard owns the memory once it took it.
    if (!SetClipboardData(CF_UNICODETEXT, memory)) {
        GlobalFree(memory);
        return false;
    }
    return true;
}

std::u16string ClipboardText(HWND owner) {
    OpenedClipboard clipboard(owner);
    if (!clipboard.IsOpen())
        return {};
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data)
        return {};
    const auto* text = static_cast<const char16_t*>(GlobalLock(data));
    std::u16string copy = text ? std::u16string(text) : std::u16string();
    GlobalUnlock(data);
    return copy;
}

} // namespace ui
