#include "dialogs/directory_edit.h"

#include "ui/wide.h"

#include <shlobj.h>
#include <windowsx.h>

namespace dialogs {

namespace {
constexpr int kGlyphSize = 16;
constexpr int kButtonWidth = kGlyphSize + 2;
} // namespace

TsEditButton::TsEditButton(ui::Component* owner) : WinControl(owner) {}

TsEditButton::~TsEditButton() {
    if (glyph_)
        DestroyIcon(glyph_);
}

void TsEditButton::SetGlyph(HICON glyph) {
    if (glyph_)
        DestroyIcon(glyph_);
    glyph_ = glyph;
    Invalidate();
}

void TsEditButton::CreateParams(ui::CreateParams& params) {
    WinControl::CreateParams(params);
    params.style |= WS_CLIPSIBLINGS;
}

void TsEditButton::PaintWindow(HDC dc, const RECT& area) {
    WinControl::PaintWindow(dc, area);
    RECT bounds{0, 0, Width(), Height()};
    const bool down = pressed_ && MouseInControl();
    if (Enabled() && (down || MouseInControl()))
        DrawEdge(dc, &bounds, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    if (glyph_) {
        const int offset = down ? 1 : 0;
        DrawIconEx(dc, (Width() - kGlyphSize) / 2 + offset, (Height() - kGlyphSize) / 2 + offset,
                   glyph_, kGlyphSize, kGlyphSize, 0, nullptr, DI_NORMAL);
    }
}

void TsEditButton::WndProc(ui::Message& message) {
    switch (message.msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        pressed_ = true;
        SetCapture(handle_);
        Invalidate();
        return;
    case WM_LBUTTONUP: {
        const bool was_pressed = pressed_;
        pressed_ = false;
        ReleaseCapture();
        Invalidate();
        const int x = GET_X_LPARAM(message.lParam);
        const int y = GET_Y_LPARAM(message.lParam);
        if (was_pressed && x >= 0 && y >= 0 && x < Width() && y < Height())
            Click();
        return;
    }
    }
    WinControl::WndProc(message);
}

TsDirectoryEdit::TsDirectoryEdit(ui::Component* owner)
    : Edit(owner), button_(ui::Make<TsEditButton>(*this)) {
    button_.SetParent(this);
    button_.SetColor(ui::SystemColor(COLOR_WINDOW));
    button_.OnClick = [this](ui::Control&) { ButtonClick(); };
    SetRightMargin(kButtonWidth);
}

void TsDirectoryEdit::BoundsChanged() {
    Edit::BoundsChanged();
    PlaceButton();
}

void TsDirectoryEdit::PlaceButton() {
    // Inside the sunken border: the client area is the bounds less two pixels a side.
    const int inner_height = Height() - 4;
    button_.SetBounds(
        {Width() - 4 - kButtonWidth, 0, kButtonWidth, inner_height > 0 ? inner_height : 0});
}

void TsDirectoryEdit::KeyDown(WORD& key, ui::ShiftState shift) {
    Edit::KeyDown(key, shift);
    if (key == VK_DOWN && shift == ui::ssAlt) {
        ButtonClick();
        key = 0;
    }
}

void TsDirectoryEdit::ButtonClick() {
    if (OnButtonClick)
        OnButtonClick(*this);
    PickFolder();
    SetFocus();
}

void TsDirectoryEdit::PickFolder() {
    BROWSEINFOW browse{};
    browse.hwndOwner = GetAncestor(Handle(), GA_ROOT);
    const std::wstring title = ui::ToWide(dialog_title_);
    browse.lpszTitle = title.empty() ? nullptr : title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (!chosen)
        return;
    wchar_t path[MAX_PATH];
    if (SHGetPathFromIDListW(chosen, path))
        SetText(ui::FromWide(path));
    CoTaskMemFree(chosen);
}

} // namespace dialogs
