// The process's ANSI code page through the Win32 conversions.

#include "core/ansi_code_page.h"

#include <climits>
#include <windows.h>

namespace core {
namespace {

class Win32AnsiCodePage final : public AnsiCodePage {
public:
    std::u16string Decode(std::string_view bytes) const override {
        std::u16string text;
        // The conversions take int lengths. Pieces end after a line feed where possible, which
        // is never the second byte of a double-byte character.
        while (!bytes.empty()) {
            std::size_t size = bytes.size();
            if (size > kMaxPiece) {
                const std::size_t line_end = bytes.substr(0, kMaxPiece).rfind('\n');
                size = line_end == std::string_view::npos ? kMaxPiece : line_end + 1;
            }
            AppendDecoded(bytes.substr(0, size), text);
            bytes.remove_prefix(size);
        }
        return text;
    }

    std::optional<std::string> Encode(std::u16string_view text) const override {
        if (text.empty())
            return std::string();
        if (text.size() > kMaxPiece)
            return std::nullopt;
        const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
        const int length = static_cast<int>(text.size());
        // UTF-8 as the ANSI code page refuses the best-fit flag and the default-character
        // report; it cannot represent lone surrogates only.
        const bool utf8 = code_page_ == CP_UTF8;
        const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
        BOOL used_default = FALSE;
        BOOL* report = utf8 ? nullptr : &used_default;
        const int size =
            WideCharToMultiByte(code_page_, flags, wide, length, nullptr, 0, nullptr, report);
        if (size <= 0 || used_default)
            return std::nullopt;
        std::string bytes(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(code_page_, flags, wide, length, bytes.data(), size, nullptr, report);
        return bytes;
    }

private:
    static constexpr std::size_t kMaxPiece = INT_MAX / 4;

    void AppendDecoded(std::string_view bytes, std::u16string& text) const {
        const int length = static_cast<int>(bytes.size());
        const int size = MultiByteToWideChar(code_page_, 0, bytes.data(), length, nullptr, 0);
        if (size <= 0)
            return;
        const std::size_t start = text.size();
        text.resize(start + static_cast<std::size_t>(size));
        MultiByteToWideChar(code_page_, 0, bytes.data(), length,
                            reinterpret_cast<wchar_t*>(text.data() + start), size);
    }

    UINT code_page_ = GetACP();
};

} // namespace

const AnsiCodePage& SystemAnsiCodePage() {
    static const Win32AnsiCodePage page;
    return page;
}

} // namespace core
