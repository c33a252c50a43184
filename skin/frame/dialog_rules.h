#pragma once

// How the engine dresses a dialog window the platform built: which frame its window style
// asks for, which title buttons it shows, and which handler and skin section dress each child
// window, chosen by the child's class name and style. Portable: the style bits are the
// platform's values, spelled out here.

#include "skin/frame/frame_geometry.h"

#include <string_view>

namespace skin::frame {

namespace window_style {
inline constexpr unsigned kPopup = 0x80000000u;
inline constexpr unsigned kCaption = 0x00C00000u;
inline constexpr unsigned kThickFrame = 0x00040000u;
inline constexpr unsigned kSysMenu = 0x00080000u;
inline constexpr unsigned kMinimizeBox = 0x00020000u;
inline constexpr unsigned kMaximizeBox = 0x00010000u;
inline constexpr unsigned kModalFrame = 0x00000080u; // DS_MODALFRAME
inline constexpr unsigned kExDlgModalFrame = 0x00000001u;
inline constexpr unsigned kExContextHelp = 0x00000400u;
inline constexpr unsigned kExStaticEdge = 0x00020000u;
} // namespace window_style

// The frame of a dialog, tested in this order: a popup without the full caption style has none;
// a sizing frame is sizeable; a modal dialog frame is a dialog frame; anything else sizeable.
BorderStyle DialogBorderStyle(unsigned style, unsigned ex_style);

// The title buttons a dialog's style asks for: close with a system menu, help when it asks for
// context help, maximise and minimise with their box styles.
BorderIcons DialogBorderIcons(unsigned style, unsigned ex_style);

enum class ChildHandler {
    None,
    EdgeWnd,
    IconWnd,
    StaticWnd,
    TransPanelWnd,
    PanelWnd,
    EditWnd,
    GroupBoxWnd,
    CheckBoxWnd,
    BtnWnd,
    ComboBoxWnd,
    SizerWnd,
    TabControlWnd,
    ListViewWnd,
    SpinWnd,
    TrackWnd,
    LinkWnd,
    ToolBarWnd,
    TreeViewWnd,
};

struct ChildMapping {
    ChildHandler Handler = ChildHandler::None;
    std::u16string_view Section; // empty with no handler
    bool DialogMode = false;     // the handler works inside a dressed dialog
    bool VisibleOnly = false;    // only a visible window gets it

    bool operator==(const ChildMapping&) const = default;
};

// The handler for a child window of a dressed dialog; the class name in any case.
ChildMapping MapDialogChild(std::u16string_view class_name, unsigned style, unsigned ex_style);

} // namespace skin::frame
