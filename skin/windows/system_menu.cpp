#include "skin/windows/system_menu.h"

#include "skin/windows/skin_provider.h"
#include "ui/trace.h"

namespace skin::windows {
namespace {

std::u16string ResourceCaption(int id) {
    wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id),
                                   reinterpret_cast<wchar_t*>(&text), 0);
    if (length > 0 && text)
        return std::u16string(reinterpret_cast<const char16_t*>(text),
                              static_cast<std::size_t>(length));
    for (unsigned command : {frame::scRestore, frame::scMove, frame::scSize, frame::scMinimize,
                             frame::scMaximize, frame::scClose})
        if (const frame::FallbackCaption* f = frame::FallbackCaptionFor(command);
            f && f->ResourceId == id)
            return f->Text;
    return {};
}

std::wstring Wide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

} // namespace

TsSystemMenu::TsSystemMenu(TsSkinProvider& provider)
    : sp_(provider), name_(L"acSysMenu" + std::to_wstring(GetTickCount())) {
    Generate();
}

std::vector<frame::PlatformMenuItem> TsSystemMenu::PlatformItems() const {
    std::vector<frame::PlatformMenuItem> items;
    HMENU menu = GetSystemMenu(sp_.Window(), FALSE);
    if (!menu)
        return items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{sizeof(info)};
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info))
            continue;
        frame::PlatformMenuItem item;
        item.Id = info.wID;
        item.Separator = (info.fType & MFT_SEPARATOR) != 0;
        item.Caption = reinterpret_cast<const char16_t*>(text);
        items.push_back(std::move(item));
    }
    return items;
}

void TsSystemMenu::Generate() {
    items_ = frame::GenerateSystemMenu(PlatformItems(), &ResourceCaption);
    UpdateItems();
}

void TsSystemMenu::UpdateItems() {
    frame::UpdateItems(items_, sp_.Rules());
}

void TsSystemMenu::Popup(int x, int y) {
    if (frame::HasForeignItems(items_))
        Generate();
    else
        UpdateItems();
    HMENU menu = CreatePopupMenu();
    for (const frame::SysMenuItem* item : frame::ShownItems(items_)) {
        if (item->Separator) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::wstring text = Wide(item->Caption);
        if (!item->ShortCut.empty())
            text += L"\t" + Wide(item->ShortCut);
        AppendMenuW(menu, MF_STRING | (item->Enabled ? MF_ENABLED : MF_GRAYED), item->Command,
                    text.c_str());
    }
    HWND window = sp_.Window();
    ui::TraceEvent(sp_, "system-menu", x, y);
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, x, y,
                       0, window, nullptr));
    DestroyMenu(menu);
    TsSkinProvider::ButtonPressedFlag() = false;
    if (command == 0 || !IsWindow(window))
        return;
    for (const frame::SysMenuItem& item : items_)
        if (item.Command == command && item.Foreign) {
            PostMessageW(window, WM_SYSCOMMAND, command, 0);
            return;
        }
    SendMessageW(window, WM_SYSCOMMAND, command, 0);
}

} // namespace skin::windows
