#pragma once

// The forms the frame tests measure: the main window and the picker with the internal skin's
// frame settings, under Wine's frame width 3 and caption height 19.

#include "skin/frame/frame_geometry.h"

namespace skin::frame::testing {

inline constexpr int kF = 3;
inline constexpr int kC = 19;
inline constexpr Margins kShadow{50, 50, 50, 50};

inline SkinFrameSettings InternalSkinFrame() {
    SkinFrameSettings s;
    s.BorderWidth = 4;
    s.TitleHeight = 27;
    s.MaxHeight = 24;
    s.CenterOffset = 1;
    s.BorderMode = 1;
    s.BILeft = 2;
    s.BIRight = 3;
    s.BISpace = 6;
    return s;
}

// A form of the given client size whose window has the platform's frame around it.
inline FormFrameState FormOfClient(int client_width, int client_height, BorderStyle style) {
    FormFrameState f;
    f.Style = style;
    f.ClientWidth = client_width;
    f.ClientHeight = client_height;
    f.Width = client_width + 2 * kF;
    f.Height = client_height + 2 * kF + kC;
    return f;
}

// The main window: bsSingle with the system menu and minimise only.
inline FormFrameState MainWindow(int client_width = 400, int client_height = 300) {
    FormFrameState f = FormOfClient(client_width, client_height, BorderStyle::bsSingle);
    f.Icons = {true, true, false, false};
    return f;
}

inline FrameGeometry Extended(const FormFrameState& form) {
    return FrameGeometry(InternalSkinFrame(), form, true, kF, kC, kShadow);
}

inline FrameGeometry Plain(const FormFrameState& form) {
    return FrameGeometry(InternalSkinFrame(), form, false, kF, kC, kShadow);
}

} // namespace skin::frame::testing
