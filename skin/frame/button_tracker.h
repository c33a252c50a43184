#pragma once

// The mouse over the title buttons as a state machine: which button is hot or pressed, and what
// a release, a double click or a right click asks the form to do. The window layer feeds it the
// hit codes of the mouse messages and carries out the returned commands.

#include "skin/frame/title_buttons.h"

#include <map>
#include <vector>

namespace skin::frame {

// What the form is asked to do after a mouse message on its frame.
enum class FrameCommand {
    None,
    PassOn,           // leave the message to the form's previous procedure
    Minimize,         // SC_MINIMIZE
    MinimizeMainForm, // SC_MINIMIZE with the form's show and hide animation suppressed
    Restore,          // SC_RESTORE
    Maximize,         // SC_MAXIMIZE
    Close,            // SC_CLOSE
    ContextHelp,      // SC_CONTEXTHELP
    UserButtonUp,     // the user button's OnMouseUp (its index in UserButton)
    OpenSystemMenuBelowIcon,
    OpenSystemMenuAtCursor,
    Swallow, // consumed without anything to do
};

struct FrameAction {
    FrameCommand Command = FrameCommand::None;
    int UserButton = -1;
    friend bool operator==(const FrameAction&, const FrameAction&) = default;
};

class TitleButtonTracker {
public:
    // pressed_flag is the process-wide button-pressed flag: one mouse interaction at a time.
    explicit TitleButtonTracker(bool& pressed_flag) : pressed_(pressed_flag) {}

    int CurrentHT() const { return current_; }
    // 0 normal, 1 hot, 2 pressed.
    int StateOf(int hit_code) const;
    bool Pressed() const { return pressed_; }

    // Each returns the hit codes of the buttons whose state changed, to be repainted.
    std::vector<int> SetHot(int hit_code);
    // A left press on hit_code. max_enabled: maximise (or, maximised, restore) is enabled.
    std::vector<int> Press(int hit_code, bool max_enabled);
    // Every button back to normal and the pressed flag cleared: a reset, the mouse leaving,
    // and a lost capture, after which no release will come.
    std::vector<int> Reset();

    // The left button released at a point with hit code hit_code.
    struct ReleaseContext {
        bool CursorInMin = false; // the cursor still lies inside the minimise button
        bool IsMainForm = true;
        bool Minimized = false;
        bool Maximized = false;
        bool MaxOrRestoreEnabled = true;
    };
    FrameAction Release(int hit_code, const ReleaseContext& context);

private:
    void SetState(int hit_code, int state, std::vector<int>& changed);

    bool& pressed_;
    int current_ = 0;
    std::map<int, int> states_;
};

// The double click on the frame.
FrameAction DoubleClickAction(int hit_code, const WindowRules& rules, bool has_frame);

// The right button: a press on caption or icon is swallowed, a release there opens the system
// menu at the cursor.
FrameAction RightButtonAction(int hit_code, bool down);

// SC_KEYMENU: with the space character (Alt+Space) the system menu opens below the icon.
bool KeyMenuOpensSystemMenu(unsigned key);

} // namespace skin::frame
