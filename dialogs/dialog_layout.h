#pragma once

// The arithmetic behind the message and input forms that the program builds at run time.
// Both measure themselves in dialog units derived from their font, so that they grow with a
// larger font instead of clipping their texts. Portable: tested natively.

#include <vector>

namespace dialogs {

// The font's average character cell: `x` is the width of the 52 letters A-Z and a-z divided
// by 52, `y` the height of that text. A horizontal unit is x/4 pixels, a vertical one y/8.
struct DialogUnits {
    int x = 0;
    int y = 0;

    static DialogUnits FromAlphabetExtent(int width_of_52_letters, int height);
    int Horizontal(int units) const;
    int Vertical(int units) const;
};

// number * numerator / denominator, rounded to the nearest integer (halves away from zero),
// with the product taken first so that nothing is lost before the division.
int MulDivRounded(int number, int numerator, int denominator);

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    bool operator==(const Rect&) const = default;
};

// The message form: the text block at the top, one centred row of buttons below it.
//
//   +-- margin ------------------------------+
//   | [icon] spacing [text, word-wrapped    ] |
//   |               spacing                  |
//   |        [ OK ] [Cancel] ...             |
//   +-- margin ------------------------------+
struct MessageFormInput {
    int text_width = 0; // the message measured word-wrapped at half the screen width
    int text_height = 0;
    bool has_icon = false;
    std::vector<int> button_caption_widths; // each caption's width in pixels, in button order
};

struct MessageFormLayout {
    int client_width = 0;
    int client_height = 0;
    Rect icon; // empty without an icon
    Rect text;
    std::vector<Rect> buttons;
};

MessageFormLayout LayoutMessageForm(const MessageFormInput& input, const DialogUnits& units);

// The input form: a prompt, an edit under it and the OK and Cancel buttons.
struct InputFormLayout {
    int client_width = 0;
    int client_height = 0;
    Rect prompt;
    Rect edit;
    Rect ok;
    Rect cancel;
};

// `prompt_height` is the prompt measured word-wrapped at the prompt's width
// (InputPromptWidth); `edit_height` is the edit's height for the form's font.
int InputPromptWidth(const DialogUnits& units);
InputFormLayout LayoutInputForm(const DialogUnits& units, int prompt_height, int edit_height);

} // namespace dialogs
