#include "skin/windows/system_menu.h"

#include "skin/frame/frame_painter.h"
#include "skin/render/win32/dib_bitmap.h"
#include "skin/windows/skin_provider.h"
#include "ui/trace.h"

#include <algorithm>

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

constexpr int kGlyph = 16;

HFONT MenuFont() {
    static const HFONT font = [] {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        return CreateFontIndirectW(&metrics.lfMenuFont);
    }();
    return font;
}

// The symbol font of the window commands, when the system has it.
HFONT SymbolFont() {
    static const HFONT font = []() -> HFONT {
        LOGFONTW wanted{};
        wanted.lfCharSet = DEFAULT_CHARSET;
        wcscpy(wanted.lfFaceName, L"Webdings");
        bool found = false;
        HDC dc = GetDC(nullptr);
        EnumFontFamiliesExW(
            dc, &wanted,
            [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM out) {
                *reinterpret_cast<bool*>(out) = true;
                return 0;
            },
            reinterpret_cast<LPARAM>(&found), 0);
        const int height = -MulDiv(10, GetDeviceCaps(dc, LOGPIXELSY), 72);
        ReleaseDC(nullptr, dc);
        if (!found)
            return nullptr;
        return CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0, 0,
                           L"Webdings");
    }();
    return font;
}

int TextHeightOfW(HDC dc) {
    SIZE size{};
    GetTextExtentPoint32W(dc, L"W", 1, &size);
    return size.cy;
}

int TextWidth(HDC dc, const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// Without the symbol font the four window-command symbols are drawn with lines, never shown
// as the letters that stand for them.
void DrawCommandSymbol(HDC dc, unsigned command, const RECT& box, COLORREF colour) {
    const wchar_t* letter = command == frame::scMinimize   ? L"0"
                            : command == frame::scMaximize ? L"1"
                            : command == frame::scClose    ? L"r"
                            : command == frame::scRestore  ? L"2"
                                                           : nullptr;
    if (!letter)
        return;
    if (HFONT symbols = SymbolFont()) {
        HGDIOBJ old = SelectObject(dc, symbols);
        SetTextColor(dc, colour);
        RECT r = box;
        DrawTextW(dc, letter, 1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
        SelectObject(dc, old);
        return;
    }
    const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    HBRUSH brush = CreateSolidBrush(colour);
    auto line = [&](int x1, int y1, int x2, int y2) {
        MoveToEx(dc, x1, y1, nullptr);
        LineTo(dc, x2, y2);
    };
    auto frame_box = [&](int l, int t, int r, int b) {
        RECT edge{l, t, r, b};
        FrameRect(dc, &edge, brush);
        RECT top{l, t, r, t + 2};
        FillRect(dc, &top, brush);
    };
    switch (command) {
    case frame::scMinimize: {
        RECT bar{cx - 4, cy + 2, cx + 4, cy + 4};
        FillRect(dc, &bar, brush);
        break;
    }
    case frame::scMaximize:
        frame_box(cx - 4, cy - 4, cx + 5, cy + 5);
        break;
    case frame::scRestore:
        frame_box(cx - 2, cy - 5, cx + 5, cy + 2);
        frame_box(cx - 5, cy - 2, cx + 2, cy + 5);
        break;
    default:
        line(cx - 4, cy - 4, cx + 5, cy + 5);
        line(cx - 3, cy - 4, cx + 5, cy + 4);
        line(cx + 4, cy - 4, cx - 5, cy + 5);
        line(cx + 3, cy - 4, cx - 5, cy + 4);
        break;
    }
    SelectObject(dc, old);
    DeleteObject(pen);
    DeleteObject(brush);
}

COLORREF ToColorRef(data::TColor c) {
    return RGB(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
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
    if (!sp_.source_ || !sp_.source_->SkinnedPopups) {
        PlatformPopup(x, y);
        return;
    }
    if (frame::HasForeignItems(items_))
        Generate();
    else
        UpdateItems();
    HMENU menu = CreatePopupMenu();
    open_items_ = frame::ShownItems(items_);
    for (std::size_t i = 0; i < open_items_.size(); ++i) {
        const frame::SysMenuItem* item = open_items_[i];
        const UINT state = item->Enabled ? MF_ENABLED : MF_GRAYED;
        AppendMenuW(menu, MF_OWNERDRAW | state | (item->Separator ? MF_DISABLED : 0u),
                    item->Separator ? 0 : item->Command,
                    reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(i + 1)));
    }
    HWND window = sp_.Window();
    ui::TraceEvent(sp_, "system-menu", x, y);
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, x, y,
                       0, window, nullptr));
    DestroyMenu(menu);
    open_items_.clear();
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

void TsSystemMenu::PlatformPopup(int x, int y) {
    HWND window = sp_.Window();
    HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu)
        return;
    // The platform's own menu wants its style back while it is open.
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    SetWindowLongW(window, GWL_STYLE, style | WS_SYSMENU);
    const frame::WindowRules rules = sp_.Rules();
    auto enable = [menu](UINT command, bool enabled) {
        EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    };
    enable(SC_RESTORE, rules.EnabledRestore());
    enable(SC_MOVE, rules.EnabledMove() && !rules.Minimized);
    enable(SC_SIZE, rules.EnabledSize() && !rules.Minimized && !rules.Maximized);
    enable(SC_MINIMIZE, rules.EnabledMin());
    enable(SC_MAXIMIZE, rules.EnabledMax());
    enable(SC_CLOSE, true);
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, x, y,
                       0, window, nullptr));
    if (IsWindow(window))
        SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) & ~WS_SYSMENU);
    TsSkinProvider::ButtonPressedFlag() = false;
    if (command != 0 && IsWindow(window))
        PostMessageW(window, WM_SYSCOMMAND, command, 0);
}

const frame::SysMenuItem* TsSystemMenu::OwnItem(ULONG_PTR data, UINT type) const {
    if (type != ODT_MENU || data == 0 || data > open_items_.size())
        return nullptr;
    return open_items_[data - 1];
}

bool TsSystemMenu::Measure(MEASUREITEMSTRUCT& m) {
    const frame::SysMenuItem* item = OwnItem(m.itemData, m.CtlType);
    if (!item)
        return false;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, MenuFont());
    const std::u16string caption = item->Separator ? u"-" : item->Caption;
    m.itemHeight = static_cast<UINT>(frame::PopupItemHeight(caption, TextHeightOfW(dc), kGlyph));
    const int text = TextWidth(dc, Wide(item->Caption)) + TextWidth(dc, Wide(item->ShortCut));
    m.itemWidth = static_cast<UINT>(frame::PopupItemWidth(kGlyph, text));
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return true;
}

bool TsSystemMenu::Draw(const DRAWITEMSTRUCT& d) {
    const frame::SysMenuItem* item = OwnItem(d.itemData, d.CtlType);
    if (!item || !sp_.source_ || !sp_.source_->Skin)
        return false;
    const data::LoadedSkin& skin = *sp_.source_->Skin;
    const int width = d.rcItem.right - d.rcItem.left;
    const int height = d.rcItem.bottom - d.rcItem.top;
    if (width <= 0 || height <= 0)
        return true;
    render::SkinBitmap bmp = render::win32::NewDibBitmap(width, height);
    const frame::Rect all{0, 0, width, height};
    const int main_menu = skin.GetSkinIndex(u"MAINMENU");
    const int menu_item = skin.GetSkinIndex(u"MENUITEM");
    const int ico_line = skin.GetSkinIndex(u"ICOLINE");
    frame::PaintSection(bmp, all, skin, main_menu, -1, 0, false);
    const int column = frame::PopupIconColumnWidth(kGlyph);
    frame::PaintSection(bmp, {0, 0, column, height}, skin, ico_line, -1, 0, false);
    const bool selected =
        (d.itemState & ODS_SELECTED) && !(d.itemState & ODS_GRAYED) && !item->Separator;
    if (selected && skin.IsValidSkinIndex(menu_item))
        frame::PaintSection(bmp, all, skin, menu_item,
                            skin.gd[static_cast<std::size_t>(menu_item)].BorderIndex, 1, true);
    GdiFlush();
    HDC dc = CreateCompatibleDC(d.hDC);
    HGDIOBJ old_bitmap = SelectObject(dc, static_cast<HBITMAP>(bmp.Handle()));
    HGDIOBJ old_font = SelectObject(dc, MenuFont());
    SetBkMode(dc, TRANSPARENT);
    data::TColor ink = 0;
    if (skin.IsValidSkinIndex(menu_item)) {
        const data::TsGeneralData& gd = skin.gd[static_cast<std::size_t>(menu_item)];
        ink = selected ? gd.HotFontColor.Color : gd.FontColor.Color;
    }
    const COLORREF colour = item->Enabled ? ToColorRef(ink) : RGB(128, 128, 128);
    if (item->Separator) {
        HBRUSH line = CreateSolidBrush(RGB(200, 200, 200));
        RECT r{column + 2, height / 2 - 1, width - 2, height / 2};
        FillRect(dc, &r, line);
        DeleteObject(line);
    } else {
        SetTextColor(dc, colour);
        RECT text{column + frame::PopupItemMetrics::kSpacing, 0,
                  width - frame::PopupItemMetrics::kSpacing, height};
        const std::wstring caption = Wide(item->Caption);
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        if (!item->ShortCut.empty()) {
            const std::wstring shortcut = Wide(item->ShortCut);
            DrawTextW(dc, shortcut.c_str(), static_cast<int>(shortcut.size()), &text,
                      DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
        }
        const RECT symbol{4, 0, kGlyph + 14, height};
        DrawCommandSymbol(dc, item->Command, symbol, colour);
    }
    BitBlt(d.hDC, d.rcItem.left, d.rcItem.top, width, height, dc, 0, 0, SRCCOPY);
    SelectObject(dc, old_font);
    SelectObject(dc, old_bitmap);
    DeleteDC(dc);
    return true;
}

} // namespace skin::windows
