#include "dialogs/root_button.h"

#include "ui/wide.h"

#include <shellapi.h>

namespace dialogs {

namespace {
constexpr int kIconSize = 32;
constexpr int kIconTop = 8;
constexpr int kCaptionGap = 4;
} // namespace

TacRootButton::TacRootButton(ui::Component* owner, TacRootFolder folder)
    : GraphicControl(owner), folder_(folder) {
    if (ItemId id = RootFolderId(folder)) {
        SHFILEINFOW info{};
        if (SHGetFileInfoW(reinterpret_cast<LPCWSTR>(id.get()), 0, &info, sizeof(info),
                           SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_ICON | SHGFI_LARGEICON)) {
            icon_ = info.hIcon;
            SetText(ui::FromWide(info.szDisplayName));
        }
    }
}

TacRootButton::~TacRootButton() {
    if (icon_)
        DestroyIcon(icon_);
}

void TacRootButton::Paint(HDC dc) {
    RECT area{0, 0, Width(), Height()};
    const bool down = Pressed() && MouseInControl();
    if (Enabled() && (down || MouseInControl()))
        DrawEdge(dc, &area, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    const int offset = down ? 1 : 0;
    if (icon_)
        DrawIconEx(dc, (Width() - kIconSize) / 2 + offset, kIconTop + offset, icon_, kIconSize,
                   kIconSize, 0, nullptr, DI_NORMAL);
    HGDIOBJ old_font = SelectObject(dc, font_.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    RECT caption{2 + offset, kIconTop + kIconSize + kCaptionGap + offset, Width() - 2 + offset,
                 Height() - 2 + offset};
    const std::u16string& text = Text();
    DrawTextW(dc, ui::Wide(text), static_cast<int>(text.size()), &caption,
              DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, old_font);
}

void TacRootButton::WndProc(ui::Message& message) {
    if (!HandlePressAndRelease(message))
        GraphicControl::WndProc(message);
}

} // namespace dialogs
