#include "dialogs/dialog_layout.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace dialogs {

namespace {

// Message form, in dialog units.
constexpr int kMargin = 8;
constexpr int kSpacing = 10;
constexpr int kButtonMinWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 4;
constexpr int kCaptionPadding = 8; // pixels beside the widest caption
constexpr int kIconSize = 32;      // pixels

// Input form, in dialog units unless said otherwise.
constexpr int kInputClientWidth = 180;
constexpr int kInputLeft = 8;
constexpr int kInputTop = 8;
constexpr int kInputWidth = 164;
constexpr int kInputButtonWidth = 50;
constexpr int kInputButtonHeight = 14;
constexpr int kInputOkLeft = 38;
constexpr int kInputCancelLeft = 92;
constexpr int kEditGap = 5;     // pixels between the prompt and the edit
constexpr int kButtonsGap = 15; // pixels between the edit and the buttons
constexpr int kBottomGap = 13;  // pixels below the buttons

} // namespace

int MulDivRounded(int number, int numerator, int denominator) {
    if (denominator == 0)
        return 0;
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    const std::int64_t half = std::llabs(denominator) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t magnitude = (std::llabs(product) + half) / std::llabs(denominator);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

DialogUnits DialogUnits::FromAlphabetExtent(int width_of_52_letters, int height) {
    return {width_of_52_letters / 52, height};
}

int DialogUnits::Horizontal(int units) const {
    return MulDivRounded(units, x, 4);
}

int DialogUnits::Vertical(int units) const {
    return MulDivRounded(units, y, 8);
}

MessageFormLayout LayoutMessageForm(const MessageFormInput& input, const DialogUnits& units) {
    const int margin_x = units.Horizontal(kMargin);
    const int margin_y = units.Vertical(kMargin);
    const int spacing_x = units.Horizontal(kSpacing);
    const int spacing_y = units.Vertical(kSpacing);
    const int button_gap = units.Horizontal(kButtonGap);
    const int button_height = units.Vertical(kButtonHeight);

    int widest_caption = 0;
    for (int width : input.button_caption_widths)
        widest_caption = std::max(widest_caption, width);
    const int button_width =
        std::max(units.Horizontal(kButtonMinWidth), widest_caption + kCaptionPadding);
    const int count = static_cast<int>(input.button_caption_widths.size());
    const int row_width = count > 0 ? count * button_width + (count - 1) * button_gap : 0;

    int block_width = input.text_width;
    int block_height = input.text_height;
    if (input.has_icon) {
        block_width += kIconSize + spacing_x;
        block_height = std::max(block_height, kIconSize);
    }

    MessageFormLayout layout;
    layout.client_width = std::max(block_width, row_width) + 2 * margin_x;
    layout.client_height = block_height + button_height + spacing_y + 2 * margin_y;

    int text_left = margin_x;
    if (input.has_icon) {
        layout.icon = {margin_x, margin_y, kIconSize, kIconSize};
        text_left += kIconSize + spacing_x;
    }
    layout.text = {text_left, margin_y, input.text_width, input.text_height};

    const int row_top = margin_y + block_height + spacing_y;
    int left = (layout.client_width - row_width) / 2;
    for (int i = 0; i < count; ++i) {
        layout.buttons.push_back({left, row_top, button_width, button_height});
        left += button_width + button_gap;
    }
    return layout;
}

int InputPromptWidth(const DialogUnits& units) {
    return units.Horizontal(kInputWidth);
}

InputFormLayout LayoutInputForm(const DialogUnits& units, int prompt_height, int edit_height) {
    InputFormLayout layout;
    layout.client_width = units.Horizontal(kInputClientWidth);
    const int left = units.Horizontal(kInputLeft);
    const int width = units.Horizontal(kInputWidth);
    layout.prompt = {left, units.Vertical(kInputTop), width, prompt_height};
    layout.edit = {left, layout.prompt.Bottom() + kEditGap, width, edit_height};

    const int buttons_top = layout.edit.Bottom() + kButtonsGap;
    const int button_width = units.Horizontal(kInputButtonWidth);
    const int button_height = units.Vertical(kInputButtonHeight);
    layout.ok = {units.Horizontal(kInputOkLeft), buttons_top, button_width, button_height};
    layout.cancel = {units.Horizontal(kInputCancelLeft), buttons_top, button_width, button_height};
    layout.client_height = buttons_top + button_height + kBottomGap;
    return layout;
}

} // namespace dialogs
