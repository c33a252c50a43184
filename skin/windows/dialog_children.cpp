#include "skin/windows/dialog_children.h"

#include "skin/windows/btn_wnd.h"
#include "skin/windows/edit_wnd.h"
#include "skin/windows/scroll_wnd.h"
#include "skin/windows/static_wnd.h"
#include "ui/font.h"

#include <string>

namespace skin::windows {

namespace {

COLORREF SectionTextColor(const data::LoadedSkin& skin, std::u16string_view section) {
    ChildColors colors;
    if (ColorsOfSection(skin, section, colors))
        return colors.Text;
    return GetSysColor(COLOR_WINDOWTEXT);
}

// The font a dialog gave the child; the platform's message font when none.
HFONT FontOf(HWND child) {
    return reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
}

// List views and trees of a dialog: skinned scroll bars; like the dialog's edits they keep the
// platform's window colour.
class TacListWnd : public TacScrollWnd {
public:
    TacListWnd(HWND window, const data::LoadedSkin& skin)
        : TacScrollWnd(window, skin, u"DialogList") {}
};

// Check boxes, radio buttons, group boxes and combo boxes: marked as handled; their text and
// face colours are their dialog's answer to WM_CTLCOLOR*.
class TacColoredWnd : public TacMainWnd {
public:
    TacColoredWnd(HWND window, const data::LoadedSkin& skin)
        : TacMainWnd(window, skin, u"DialogChild") {
        InvalidateRect(window, nullptr, TRUE);
    }
};

} // namespace

std::unique_ptr<TacMainWnd> MakeChildHandler(HWND child, const frame::ChildMapping& mapping,
                                             const ChildContext& context) {
    using frame::ChildHandler;
    if (!context.Skin || TacMainWnd::Of(child))
        return nullptr;
    const data::LoadedSkin& skin = *context.Skin;
    switch (mapping.Handler) {
    case ChildHandler::BtnWnd: {
        // A handler paints with the skin it was made with: when another replaces it, the
        // dialog's windows go back to the platform.
        auto button = std::make_unique<TacBtnWnd>(child, skin, std::u16string(mapping.Section),
                                                  u"DialogButton", FontOf(child), context.Behind);
        button->LeaveOnNewSkin();
        return button;
    }
    case ChildHandler::StaticWnd:
    case ChildHandler::IconWnd: {
        const auto content = mapping.Handler == ChildHandler::StaticWnd
                                 ? TacStaticWnd::Content::Text
                                 : TacStaticWnd::Content::Image;
        auto label =
            std::make_unique<TacStaticWnd>(child, skin, u"DialogStatic", content,
                                           SectionTextColor(skin, mapping.Section), context.Behind);
        label->LeaveOnNewSkin();
        return label;
    }
    case ChildHandler::EditWnd:
        // Edits, list boxes and the lists of combo boxes.
        return std::make_unique<TacEditWnd>(child, skin, std::u16string(mapping.Section),
                                            u"DialogEdit", mapping.DialogMode);
    case ChildHandler::ListViewWnd:
    case ChildHandler::TreeViewWnd:
        return std::make_unique<TacListWnd>(child, skin);
    case ChildHandler::ComboBoxWnd:
    case ChildHandler::CheckBoxWnd:
    case ChildHandler::GroupBoxWnd:
        return std::make_unique<TacColoredWnd>(child, skin);
    default:
        return nullptr;
    }
}

bool ColorsOfSection(const data::LoadedSkin& skin, std::u16string_view section, ChildColors& out) {
    const int index = skin.GetSkinIndex(section);
    if (index < 0)
        return false;
    const data::TsGeneralData& data = skin.gd[static_cast<std::size_t>(index)];
    out.Back = ui::ColorToRgb(static_cast<ui::Color>(data.Color)) & 0xFFFFFF;
    out.Text = ui::ColorToRgb(static_cast<ui::Color>(data.FontColor.Color)) & 0xFFFFFF;
    return true;
}

bool HasHandledMarker(HWND window) {
    return GetPropW(window, kHandledProperty) != nullptr;
}

} // namespace skin::windows
