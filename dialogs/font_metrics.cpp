#include "dialogs/font_metrics.h"

#include "ui/wide.h"

#include <windows.h>

namespace dialogs {

namespace {

// A screen device context with the font selected, for a scope.
class FontContext {
public:
    explicit FontContext(const ui::Font& font)
        : dc_(GetDC(nullptr)), old_(SelectObject(dc_, font.Handle())) {}
    ~FontContext() {
        SelectObject(dc_, old_);
        ReleaseDC(nullptr, dc_);
    }
    FontContext(const FontContext&) = delete;
    FontContext& operator=(const FontContext&) = delete;
    HDC Dc() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The edit's border and the space between border and text: three pixels each side for the
// sunken frame, one more for the text's own margin.
constexpr int kEditFrame = 8;

} // namespace

DialogUnits UnitsOf(const ui::Font& font) {
    static constexpr wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    FontContext context(font);
    SIZE size{};
    GetTextExtentPoint32W(context.Dc(), kAlphabet, 52, &size);
    return DialogUnits::FromAlphabetExtent(size.cx, size.cy);
}

TextSize WrappedTextSize(const ui::Font& font, const std::u16string& text, int max_width) {
    FontContext context(font);
    RECT area{0, 0, max_width, 0};
    DrawTextW(context.Dc(), ui::Wide(text), static_cast<int>(text.size()), &area,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    return {static_cast<int>(area.right), static_cast<int>(area.bottom)};
}

TextSize LineSize(const ui::Font& font, const std::u16string& text) {
    FontContext context(font);
    SIZE size{};
    GetTextExtentPoint32W(context.Dc(), ui::Wide(text), static_cast<int>(text.size()), &size);
    return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

int EditHeight(const ui::Font& font) {
    FontContext context(font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(context.Dc(), &metrics);
    return static_cast<int>(metrics.tmHeight) + kEditFrame;
}

} // namespace dialogs
