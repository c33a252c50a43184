#include "skin/frame/button_tracker.h"

namespace skin::frame {

int TitleButtonTracker::StateOf(int hit_code) const {
    const auto it = states_.find(hit_code);
    return it == states_.end() ? 0 : it->second;
}

void TitleButtonTracker::SetState(int hit_code, int state, std::vector<int>& changed) {
    if (hit_code == 0 || StateOf(hit_code) == state)
        return;
    states_[hit_code] = state;
    changed.push_back(hit_code);
}

std::vector<int> TitleButtonTracker::SetHot(int hit_code) {
    std::vector<int> changed;
    if (!IsTitleButtonCode(hit_code))
        hit_code = 0;
    if (hit_code == current_)
        return changed;
    SetState(current_, 0, changed);
    current_ = hit_code;
    // A pressed button is not turned back into a hot one, nor another made hot meanwhile.
    if (!pressed_)
        SetState(current_, 1, changed);
    return changed;
}

std::vector<int> TitleButtonTracker::Press(int hit_code, bool max_enabled) {
    std::vector<int> changed;
    if (!IsTitleButtonCode(hit_code))
        return changed;
    if (current_ != hit_code)
        SetState(current_, 0, changed);
    if (hit_code == htMaxButton && !max_enabled) {
        current_ = 0;
        return changed;
    }
    current_ = hit_code;
    SetState(hit_code, 2, changed);
    pressed_ = true;
    return changed;
}

std::vector<int> TitleButtonTracker::Reset() {
    std::vector<int> changed;
    for (auto& [code, state] : states_)
        if (state != 0) {
            state = 0;
            changed.push_back(code);
        }
    current_ = 0;
    pressed_ = false;
    return changed;
}

FrameAction TitleButtonTracker::Release(int hit_code, const ReleaseContext& context) {
    // Only a release over the button that was pressed carries out its command.
    const bool pressed_here = pressed_ && current_ == hit_code;
    FrameAction action;
    switch (hit_code) {
    case htMinButton:
        if (pressed_here && context.CursorInMin) {
            if (context.IsMainForm)
                action.Command = FrameCommand::MinimizeMainForm;
            else
                action.Command = context.Minimized ? FrameCommand::Restore : FrameCommand::Minimize;
        } else if (!pressed_here) {
            action.Command = FrameCommand::PassOn;
        }
        break;
    case htMaxButton:
        if (!context.MaxOrRestoreEnabled)
            break;
        if (pressed_here)
            action.Command = context.Maximized ? FrameCommand::Restore : FrameCommand::Maximize;
        else
            action.Command = FrameCommand::PassOn;
        break;
    case htClose:
        if (pressed_here)
            action.Command = FrameCommand::Close;
        break;
    case htHelp:
        if (pressed_here)
            action.Command = FrameCommand::ContextHelp;
        break;
    default:
        if (hit_code >= htUserButton) {
            if (pressed_here)
                action = {FrameCommand::UserButtonUp, hit_code - htUserButton};
        } else {
            action.Command = FrameCommand::PassOn;
        }
        break;
    }
    Reset();
    return action;
}

FrameAction DoubleClickAction(int hit_code, const WindowRules& rules, bool has_frame) {
    if (hit_code == htSysMenu)
        return {FrameCommand::Close};
    if (hit_code != htCaption)
        return {FrameCommand::PassOn};
    const bool rights = rules.EnabledMax() || rules.EnabledRestore();
    if ((rules.HaveSysMenu && rights) || (!has_frame && rules.Minimized))
        return {rules.Maximized || rules.Minimized ? FrameCommand::Restore
                                                   : FrameCommand::Maximize};
    if (rules.Minimized)
        return {FrameCommand::Restore};
    return {FrameCommand::None};
}

FrameAction RightButtonAction(int hit_code, bool down) {
    if (hit_code != htCaption && hit_code != htSysMenu)
        return {FrameCommand::PassOn};
    return {down ? FrameCommand::Swallow : FrameCommand::OpenSystemMenuAtCursor};
}

bool KeyMenuOpensSystemMenu(unsigned key) {
    return key == u' ';
}

} // namespace skin::frame
