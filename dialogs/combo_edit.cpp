#include "dialogs/combo_edit.h"

#include "skin/controls/gdi_bitmaps.h"
#include "skin/engine/skin_command_protocol.h"
#include "ui/form.h"
#include "ui/wide.h"

#include <windowsx.h>

namespace dialogs {

namespace {
constexpr int kDefaultHeight = 21;
constexpr BYTE kDisabledOpacity = 128;

// The skin commands after which the edit's frame, and so its text rectangle, may differ.
bool IsLayoutCommand(WORD command) {
    using namespace skin::engine;
    return command == SkinCmdSetNewSkin || command == SkinCmdRefresh ||
           command == SkinCmdRemoveSkin;
}
} // namespace

void TsGlyphMode::SetImages(const GlyphList* images) {
    images_ = images;
    owner_.UpdateLayout();
}

void TsGlyphMode::SetImageIndex(int index) {
    image_index_ = index;
    owner_.UpdateLayout();
}

bool TsGlyphMode::UsesOwnImages() const {
    return images_ && images_->ValidIndex(image_index_);
}

const GlyphList& TsGlyphMode::Source() const {
    return UsesOwnImages() ? *images_ : InternalGlyphList();
}

int TsGlyphMode::ImageCount() const {
    const GlyphList& source = Source();
    return LayoutOfGlyphs(source.Width(), source.Height()).image_count;
}

int TsGlyphMode::Width() const {
    const GlyphList& source = Source();
    return LayoutOfGlyphs(source.Width(), source.Height()).glyph_width;
}

void TsGlyphMode::Draw(HDC dc, int x, int y, int state, bool enabled) const {
    const GlyphList& source = Source();
    const GlyphLayout layout = LayoutOfGlyphs(source.Width(), source.Height());
    int index = default_index_;
    int column = 0;
    if (UsesOwnImages()) {
        index = CustomGlyphIndex(state, image_index_, image_index_hot_, image_index_pressed_,
                                 source.Count());
    } else {
        column = std::min(state, layout.image_count - 1);
    }
    if (!source.ValidIndex(index))
        return;
    const bool normal = state == 0 && enabled;
    BYTE opacity = 255;
    if (!enabled)
        opacity = kDisabledOpacity;
    else if (normal && blend_ > 0)
        opacity = static_cast<BYTE>(255 - std::min(blend_, 100) * 255 / 100);
    source.Item(index).Draw(dc, x, y, column * layout.glyph_width, layout.glyph_width, opacity,
                            normal && grayed_);
}

TsEditButton::TsEditButton(ui::Component* owner, const TsGlyphMode& glyph)
    : WinControl(owner), glyph_(glyph),
      paint_(*this, skin::engine::kCategorySpeedButton, skin::controls::FadeMode::Restart,
             [this](const skin::render::SkinBitmap& face) { ShowFace(face); }) {
    paint_.SetSection(u"SPEEDBUTTON_SMALL");
}

int TsEditButton::State() const {
    if (!Enabled())
        return 0;
    if (pressed_ && MouseInControl())
        return 2;
    return MouseInControl() ? 1 : 0;
}

void TsEditButton::Compose() {
    if (!paint_.SizeCache())
        return;
    skin::controls::FaceContent content;
    content.Enabled = Enabled();
    content.PushButton = false;
    content.CaptionOnlyLayout = true;
    paint_.ComposeSkinned(content);
}

void TsEditButton::DrawGlyph(HDC dc) const {
    const int glyph_width = glyph_.Width();
    const int glyph_height = glyph_.Source().Height();
    glyph_.Draw(dc, (Width() - glyph_width) / 2, (Height() - glyph_height) / 2, State(), Enabled());
}

void TsEditButton::ShowFace(const skin::render::SkinBitmap& face) {
    if (!handle_ || !IsWindowVisible(handle_))
        return;
    HDC dc = GetDC(handle_);
    skin::controls::ShowBitmap(dc, 0, 0, face);
    DrawGlyph(dc);
    ReleaseDC(handle_, dc);
}

void TsEditButton::PaintWindow(HDC dc, const RECT& area) {
    if (paint_.Skinned()) {
        paint_.Paint(dc, 0, 0, State(), [this] { Compose(); });
        DrawGlyph(dc);
        return;
    }
    WinControl::PaintWindow(dc, area);
    RECT bounds{0, 0, Width(), Height()};
    const int state = State();
    if (state > 0)
        DrawEdge(dc, &bounds, state == 2 ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    DrawGlyph(dc);
}

void TsEditButton::MouseEnter() {
    if (!paint_.Skinned() || !paint_.ChangeTo(State(), true, [this] { Compose(); }))
        Invalidate();
}

void TsEditButton::MouseLeave() {
    if (!paint_.Skinned() || !paint_.ChangeTo(State(), true, [this] { Compose(); }))
        Invalidate();
}

void TsEditButton::WndProc(ui::Message& message) {
    if (paint_.HandleSkinCommand(message, [this] { Compose(); })) {
        WinControl::WndProc(message);
        return;
    }
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
    case WM_MOUSEACTIVATE:
        message.result = MA_NOACTIVATE;
        return;
    case ui::CM_ENABLEDCHANGED:
    case WM_SIZE:
        paint_.Forget(); // the face is composed again on the next paint
        break;
    }
    WinControl::WndProc(message);
}

TsCustomComboEdit::TsCustomComboEdit(ui::Component* owner, int default_glyph)
    : TsMaskEdit(owner), glyph_mode_(*this, default_glyph),
      button_(ui::Make<TsEditButton>(*this, glyph_mode_)) {
    bounds_.height = kDefaultHeight;
    button_.SetName(u"Button");
    button_.SetParent(this);
    button_.SetColor(ui::SystemColor(COLOR_WINDOW));
    button_.OnClick = [this](ui::Control&) { ButtonClick(); };
    UpdateLayout();
}

void TsCustomComboEdit::CreateParams(ui::CreateParams& params) {
    TsMaskEdit::CreateParams(params);
    // A multi-line edit claims Enter and Escape for itself, so that they arrive here as
    // characters; its narrowed text rectangle keeps it looking like one line.
    params.style |= ES_MULTILINE;
    if (TextLocked())
        params.style |= ES_READONLY;
}

void TsCustomComboEdit::HandleCreated() {
    TsMaskEdit::HandleCreated();
    UpdateLayout();
}

void TsCustomComboEdit::BoundsChanged() {
    TsMaskEdit::BoundsChanged();
    UpdateLayout();
}

void TsCustomComboEdit::FontChanged() {
    TsMaskEdit::FontChanged();
    UpdateLayout();
}

void TsCustomComboEdit::EnabledChanged() {
    TsMaskEdit::EnabledChanged();
    button_.SetEnabled(Enabled());
}

void TsCustomComboEdit::SetShowButton(bool show) {
    show_button_ = show;
    button_.SetVisible(show);
    UpdateLayout();
}

void TsCustomComboEdit::SetDirectInput(bool direct) {
    direct_input_ = direct;
    if (handle_)
        SendMessageW(handle_, EM_SETREADONLY, TextLocked(), 0);
}

void TsCustomComboEdit::SetReadOnly(bool read_only) {
    read_only_ = read_only;
    if (handle_)
        SendMessageW(handle_, EM_SETREADONLY, TextLocked(), 0);
}

int TsCustomComboEdit::ButtonWidth() const {
    return show_button_ ? glyph_mode_.Width() + 2 : 0;
}

void TsCustomComboEdit::UpdateLayout() {
    auto [width, height] = ClientSize();
    if (!handle_) {
        // Before the window exists: the sunken border takes two pixels a side.
        width -= 4;
        height -= 4;
    }
    const int button_width = ButtonWidth();
    button_.SetBounds({width - button_width, 0, button_width, std::max(0, height)});
    if (!handle_)
        return;
    const TextRect text = ComboTextRect(width, height, false, button_width);
    RECT rect{text.left, text.top, text.right, text.bottom};
    RECT current{};
    SendMessageW(handle_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&current));
    // Setting the same rectangle again would only lay the text out anew.
    if (!EqualRect(&rect, &current))
        SendMessageW(handle_, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&rect));
}

void TsCustomComboEdit::ButtonClick() {
    if (read_only_)
        return;
    if (OnButtonClick)
        OnButtonClick(*this);
}

void TsCustomComboEdit::KeyDown(WORD& key, ui::ShiftState shift) {
    TsMaskEdit::KeyDown(key, shift);
    if (key == 0)
        return;
    const ShortCut pressed =
        MakeShortCut(key, shift & ui::ssShift, shift & ui::ssCtrl, shift & ui::ssAlt);
    if (pressed == click_key_ && glyph_mode_.Width() > 0) {
        ButtonClick();
        key = 0;
    }
}

void TsCustomComboEdit::HandleChar(ui::Message& message) {
    switch (message.wParam) {
    case VK_RETURN:
        // The form hears Enter as if the edit had not claimed it; it inserts nothing here.
        if (ui::Form* form = ParentForm())
            form->Perform(ui::CM_DIALOGKEY, VK_RETURN, message.lParam);
        message.result = 0;
        return;
    case '\n':
        // Ctrl+Enter: a line break would end the one line this field holds.
        message.result = 0;
        return;
    case VK_ESCAPE:
        if (ui::Form* form = ParentForm())
            form->Perform(ui::CM_DIALOGKEY, VK_ESCAPE, message.lParam);
        break;
    }
    TsMaskEdit::WndProc(message);
}

void TsCustomComboEdit::PasteFirstLine() {
    if (!OpenClipboard(handle_))
        return;
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT))
        if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    CloseClipboard();
    text.resize(std::min(text.size(), text.find_first_of(L"\r\n")));
    SendMessageW(handle_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TsCustomComboEdit::WndProc(ui::Message& message) {
    switch (message.msg) {
    case WM_CHAR:
        HandleChar(message);
        return;
    case WM_GETDLGCODE:
        TsMaskEdit::WndProc(message);
        // Tab stays the form's: it moves the focus.
        message.result = (message.result | DLGC_WANTALLKEYS) & ~DLGC_WANTTAB;
        return;
    case WM_PASTE:
        // A multi-line edit would paste every line; this field takes the first.
        if (!TextLocked())
            PasteFirstLine();
        message.result = 0;
        return;
    case WM_CUT:
    case WM_CLEAR:
        if (TextLocked()) {
            message.result = 0;
            return;
        }
        break;
    case WM_SETFOCUS:
        TsMaskEdit::WndProc(message);
        if (auto_select_)
            SelectAll();
        return;
    case WM_SIZE:
    case WM_SETFONT:
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
        TsMaskEdit::WndProc(message);
        if (handle_)
            UpdateLayout();
        return;
    case ui::WM_SKINCOMMAND:
        TsMaskEdit::WndProc(message);
        // A new skin may give the edit another frame: the text keeps clear of the button.
        if (handle_ && IsLayoutCommand(ui::SkinCommandOf(message)))
            UpdateLayout();
        return;
    }
    TsMaskEdit::WndProc(message);
}

} // namespace dialogs
