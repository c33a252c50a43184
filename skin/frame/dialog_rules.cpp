#include "skin/frame/dialog_rules.h"

#include <string>

namespace skin::frame {

namespace ws = window_style;

namespace {

std::u16string Lower(std::u16string_view text) {
    std::u16string lower(text);
    for (char16_t& c : lower)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c + 32);
    return lower;
}

ChildMapping Of(ChildHandler handler, std::u16string_view section, bool dialog_mode = false) {
    return {handler, section, dialog_mode, false};
}

ChildMapping StaticChild(unsigned style, unsigned ex_style) {
    // Icons, bitmaps and the like.
    if ((style & 3) == 3 || (style & 14) == 14)
        return (ex_style & ws::kExStaticEdge) ? Of(ChildHandler::EdgeWnd, u"EDIT")
                                              : Of(ChildHandler::IconWnd, u"CHECKBOX");
    // Owner-drawn statics, plain rectangles and simple one-liners stay the platform's.
    const unsigned kind = style & 31;
    if ((style & 13) == 13 || kind == 5 || kind == 6 || kind == 11)
        return {};
    return Of(ChildHandler::StaticWnd, u"CHECKBOX");
}

ChildMapping ButtonChild(unsigned style) {
    switch (style & 0xF) {
    case 7: // group box
        return Of(ChildHandler::GroupBoxWnd, u"GROUPBOX");
    case 2: // check boxes and radio buttons, plain, automatic and three-state
    case 3:
    case 4:
    case 5:
    case 6:
    case 9:
        return Of(ChildHandler::CheckBoxWnd, u"CHECKBOX");
    default:
        return Of(ChildHandler::BtnWnd, u"BUTTON");
    }
}

} // namespace

BorderStyle DialogBorderStyle(unsigned style, unsigned ex_style) {
    if ((style & ws::kPopup) && (style & ws::kCaption) != ws::kCaption)
        return BorderStyle::bsNone;
    if (style & ws::kThickFrame)
        return BorderStyle::bsSizeable;
    if ((style & ws::kModalFrame) || (ex_style & ws::kExDlgModalFrame))
        return BorderStyle::bsDialog;
    return BorderStyle::bsSizeable;
}

BorderIcons DialogBorderIcons(unsigned style, unsigned ex_style) {
    BorderIcons icons;
    icons.SystemMenu = (style & ws::kSysMenu) != 0;
    icons.Help = (ex_style & ws::kExContextHelp) != 0;
    icons.Maximize = (style & ws::kMaximizeBox) != 0;
    icons.Minimize = (style & ws::kMinimizeBox) != 0;
    return icons;
}

ChildMapping MapDialogChild(std::u16string_view class_name, unsigned style, unsigned ex_style) {
    const std::u16string name = Lower(class_name);
    if (name == u"static")
        return StaticChild(style, ex_style);
    if (name == u"#32770" || name == u"shbrowseforfolder")
        return Of(ChildHandler::TransPanelWnd, u"CHECKBOX");
    if (name == u"tpanel")
        return Of(ChildHandler::PanelWnd, u"CHECKBOX");
    if (name == u"tsilentpaintpanel")
        return Of(ChildHandler::PanelWnd, u"GROUPBOX");
    if (name == u"edit")
        return {ChildHandler::EditWnd, u"EDIT", true, true};
    if (name == u"button")
        return ButtonChild(style);
    if (name == u"combobox")
        return Of(ChildHandler::ComboBoxWnd, u"COMBOBOX", true);
    if (name == u"combolbox")
        return Of(ChildHandler::EditWnd, u"COMBOBOX");
    if (name == u"comboboxex32")
        return Of(ChildHandler::ComboBoxWnd, u"COMBOBOX");
    if (name == u"scrollbar")
        // SBS_SIZEBOX or SBS_SIZEGRIP: the grip in a sizable dialog's corner.
        return (style & 0x18) ? Of(ChildHandler::SizerWnd, u"CHECKBOX") : ChildMapping{};
    if (name == u"systabcontrol32")
        return (style & 0x2000) ? ChildMapping{} : Of(ChildHandler::TabControlWnd, u"PAGECONTROL");
    if (name == u"syslistview32")
        return Of(ChildHandler::ListViewWnd, u"EDIT", true);
    if (name == u"msctls_updown32")
        return Of(ChildHandler::SpinWnd, u"SPEEDBUTTON_SMALL");
    if (name == u"msctls_trackbar32")
        return Of(ChildHandler::TrackWnd, u"TRACKBAR");
    if (name == u"listbox")
        return Of(ChildHandler::EditWnd, u"EDIT", true);
    if (name == u"link window" || name == u"syslink")
        return Of(ChildHandler::LinkWnd, u"CHECKBOX");
    if (name == u"toolbarwindow32")
        return Of(ChildHandler::ToolBarWnd, (style & 0x200) ? u"BAR" : u"CHECKBOX");
    if (name == u"systreeview32")
        return Of(ChildHandler::TreeViewWnd, u"EDIT", true);
    return {};
}

} // namespace skin::frame
