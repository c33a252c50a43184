#include "skin/windows/dialog_children.h"

#include "skin/render/button_face.h"
#include "skin/render/button_layout.h"
#include "skin/render/win32/dib_bitmap.h"
#include "skin/render/win32/gdi_text_renderer.h"
#include "skin/windows/edit_wnd.h"
#include "skin/windows/frame_platform.h"
#include "skin/windows/main_wnd.h"
#include "skin/windows/scroll_wnd.h"
#include "ui/font.h"

#include <commctrl.h>
#include <string>

namespace skin::windows {

namespace {

std::u16string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const int read = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), length + 1);
    text.resize(static_cast<std::size_t>(read > 0 ? read : 0));
    return text;
}

// A bitmap of the child's client size holding what lies behind it.
render::SkinBitmap Background(HWND window, const DialogBackground& behind, RECT& client) {
    GetClientRect(window, &client);
    render::SkinBitmap bitmap = render::win32::NewDibBitmap(client.right, client.bottom);
    if (bitmap.IsEmpty())
        return bitmap;
    const render::TCacheInfo info = behind ? behind(window) : render::EmptyCacheInfo;
    const COLORREF fill =
        info.FillColor == render::kKeyColor ? GetSysColor(COLOR_BTNFACE) : info.FillColor;
    const std::uint32_t plain =
        0xFF000000u | (GetRValue(fill) << 16) | (GetGValue(fill) << 8) | GetBValue(fill);
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            const int sx = info.X + x, sy = info.Y + y;
            const bool inside = info.Ready && info.Bmp && sx >= 0 && sy >= 0 &&
                                sx < info.Bmp->Width() && sy < info.Bmp->Height();
            bitmap.At(x, y) = inside ? info.Bmp->At(sx, sy) | 0xFF000000u : plain;
        }
    }
    return bitmap;
}

// Runs `draw` with a memory device context selected into the bitmap.
template <class Draw>
void DrawInto(render::SkinBitmap& bitmap, Draw draw) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, static_cast<HBITMAP>(bitmap.Handle()));
    draw(dc);
    GdiFlush();
    SelectObject(dc, old);
    DeleteDC(dc);
}

COLORREF SectionTextColor(const data::LoadedSkin* skin, std::u16string_view section) {
    ChildColors colors;
    if (skin && ColorsOfSection(*skin, section, colors))
        return colors.Text;
    return GetSysColor(COLOR_WINDOWTEXT);
}

// A handler paints with the skin it was made with: when another replaces it, the window goes
// back to the platform. The command goes on to the window.
bool LeaveOnNewSkin(TacMainWnd& handler, const ui::Message& m) {
    if (m.msg == ui::WM_SKINCOMMAND && ui::SkinCommandOf(m) == engine::SkinCmdSetNewSkin) {
        handler.Detach();
        InvalidateRect(handler.CtrlHandle(), nullptr, TRUE);
    }
    return false;
}

// Push buttons: the skin's face for the button's state, composed off screen, shown over what
// the platform draws at once on focus, text and state changes.
class TacBtnWnd : public TacMainWnd {
public:
    TacBtnWnd(HWND window, const frame::ChildMapping& mapping, const ChildContext& context)
        : TacMainWnd(window, *context.Skin, u"DialogButton"), window_(window), context_(context),
          section_(context.Skin->GetSkinIndex(mapping.Section)) {
        InvalidateRect(window, nullptr, TRUE);
    }

protected:
    bool Handle(ui::Message& m) override {
        switch (m.msg) {
        case WM_ERASEBKGND:
            m.result = 1;
            return true;
        case WM_PAINT: {
            if (m.wParam) {
                Paint(reinterpret_cast<HDC>(m.wParam));
                return true;
            }
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window_, &ps);
            Paint(dc);
            EndPaint(window_, &ps);
            return true;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(m.wParam));
            return true;
        case WM_MOUSEMOVE:
            if (!hot_) {
                hot_ = true;
                TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_, 0};
                TrackMouseEvent(&track);
            }
            m.result = CallPrevious(m);
            ShowNow();
            return true;
        case WM_MOUSELEAVE:
            hot_ = false;
            m.result = CallPrevious(m);
            ShowNow();
            return true;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_SETTEXT:
        case WM_ENABLE:
        case WM_UPDATEUISTATE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case BM_SETSTATE:
        case BM_SETSTYLE:
            // The platform draws its own look on these at once: ours goes back over it.
            m.result = CallPrevious(m);
            ShowNow();
            return true;
        default:
            return LeaveOnNewSkin(*this, m) || TacMainWnd::Handle(m);
        }
    }

private:
    int State() const {
        if (!IsWindowEnabled(window_))
            return 0;
        if (SendMessageW(window_, BM_GETSTATE, 0, 0) & BST_PUSHED)
            return 2;
        const bool is_default = (GetWindowLongW(window_, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON;
        return hot_ || is_default || GetFocus() == window_ ? 1 : 0;
    }

    void ShowNow() {
        if (!IsWindowVisible(window_))
            return;
        HDC dc = GetDC(window_);
        Paint(dc);
        ReleaseDC(window_, dc);
    }

    void Paint(HDC dc) {
        RECT client;
        render::SkinBitmap face = Background(window_, context_.Behind, client);
        if (face.IsEmpty() || !context_.Skin || section_ < 0)
            return;
        const render::TCacheInfo behind =
            context_.Behind ? context_.Behind(window_) : render::EmptyCacheInfo;
        render::ButtonFace b;
        b.Skin = context_.Skin;
        b.Section = section_;
        b.State = render::LimitedState(*context_.Skin, section_, State());
        b.Enabled = IsWindowEnabled(window_) != FALSE;
        b.Behind = behind;
        b.ParentColor = behind.FillColor;
        b.Caption = WindowText(window_);
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0));
        render::win32::GdiTextRenderer text(font);
        const int text_width = text.TextWidth(b.Caption);
        b.CaptionRect = render::PushButtonCaptionRect(client.right, client.bottom, text_width,
                                                      TextHeight(font), b.State >= 2);
        b.TextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP;
        b.ShowFocus = GetFocus() == window_;
        render::ComposeButtonFace(face, b, text);
        GdiFlush();
        BlitRect(dc, 0, 0, face, face.Bounds());
    }

    static int TextHeight(HFONT font) {
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        return metrics.tmHeight;
    }

    HWND window_;
    ChildContext context_;
    int section_;
    bool hot_ = false;
};

// Text and icon statics: what lies behind them in the dialog, then the text in the section's
// font colour or the icon.
class TacStaticWnd : public TacMainWnd {
public:
    TacStaticWnd(HWND window, const frame::ChildMapping& mapping, const ChildContext& context)
        : TacMainWnd(window, *context.Skin, u"DialogStatic"), window_(window), mapping_(mapping),
          context_(context) {
        InvalidateRect(window, nullptr, TRUE);
    }

protected:
    bool Handle(ui::Message& m) override {
        switch (m.msg) {
        case WM_ERASEBKGND:
            m.result = 1;
            return true;
        case WM_PAINT: {
            if (m.wParam) {
                Paint(reinterpret_cast<HDC>(m.wParam));
                return true;
            }
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window_, &ps);
            Paint(dc);
            EndPaint(window_, &ps);
            return true;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(m.wParam));
            return true;
        case WM_SETTEXT:
        case WM_ENABLE:
        case STM_SETICON:
        case STM_SETIMAGE:
            m.result = CallPrevious(m);
            InvalidateRect(window_, nullptr, TRUE);
            return true;
        default:
            return LeaveOnNewSkin(*this, m) || TacMainWnd::Handle(m);
        }
    }

private:
    void Paint(HDC dc) {
        RECT client;
        render::SkinBitmap bitmap = Background(window_, context_.Behind, client);
        if (bitmap.IsEmpty())
            return;
        const LONG style = GetWindowLongW(window_, GWL_STYLE);
        DrawInto(bitmap, [&](HDC memory) {
            if (mapping_.Handler == frame::ChildHandler::StaticWnd)
                DrawText(memory, client, style);
            else
                DrawImage(memory, client, style);
        });
        BlitRect(dc, 0, 0, bitmap, bitmap.Bounds());
    }

    void DrawText(HDC dc, RECT client, LONG style) {
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0));
        HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, IsWindowEnabled(window_)
                             ? SectionTextColor(context_.Skin, mapping_.Section)
                             : GetSysColor(COLOR_GRAYTEXT));
        UINT format = DT_EXPANDTABS | DT_WORDBREAK;
        switch (style & 0x1F) {
        case SS_CENTER:
            format |= DT_CENTER;
            break;
        case SS_RIGHT:
            format |= DT_RIGHT;
            break;
        case SS_LEFTNOWORDWRAP:
            format &= ~static_cast<UINT>(DT_WORDBREAK);
            break;
        default:
            break;
        }
        if (style & SS_NOPREFIX)
            format |= DT_NOPREFIX;
        if (style & SS_CENTERIMAGE)
            format = (format & ~static_cast<UINT>(DT_WORDBREAK)) | DT_SINGLELINE | DT_VCENTER;
        const std::u16string text = WindowText(window_);
        ::DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.c_str()),
                    static_cast<int>(text.size()), &client, format);
        SelectObject(dc, old);
    }

    void DrawImage(HDC dc, RECT client, LONG style) {
        const bool bitmap = (style & 0x1F) == SS_BITMAP;
        HANDLE image = reinterpret_cast<HANDLE>(
            SendMessageW(window_, STM_GETIMAGE, bitmap ? IMAGE_BITMAP : IMAGE_ICON, 0));
        if (!image)
            return;
        if (!bitmap) {
            DrawIconEx(dc, 0, 0, static_cast<HICON>(image), 0, 0, 0, nullptr, DI_NORMAL);
            return;
        }
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, image);
        BitBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }

    HWND window_;
    frame::ChildMapping mapping_;
    ChildContext context_;
};

// List views and trees of a dialog: skinned scroll bars; like the dialog's edits they keep the
// platform's window colour.
class TacListWnd : public TacScrollWnd {
public:
    TacListWnd(HWND window, const ChildContext& context)
        : TacScrollWnd(window, *context.Skin, u"DialogList") {}
};

// Check boxes, radio buttons, group boxes and combo boxes: marked as handled; their text and
// face colours are their dialog's answer to WM_CTLCOLOR*.
class TacColoredWnd : public TacMainWnd {
public:
    TacColoredWnd(HWND window, const ChildContext& context)
        : TacMainWnd(window, *context.Skin, u"DialogChild") {
        InvalidateRect(window, nullptr, TRUE);
    }
};

} // namespace

std::unique_ptr<TacMainWnd> MakeChildHandler(HWND child, const frame::ChildMapping& mapping,
                                             const ChildContext& context) {
    using frame::ChildHandler;
    if (!context.Skin || TacMainWnd::Of(child))
        return nullptr;
    switch (mapping.Handler) {
    case ChildHandler::BtnWnd:
        return std::make_unique<TacBtnWnd>(child, mapping, context);
    case ChildHandler::StaticWnd:
    case ChildHandler::IconWnd:
        return std::make_unique<TacStaticWnd>(child, mapping, context);
    case ChildHandler::EditWnd:
        // Edits, list boxes and the lists of combo boxes.
        return std::make_unique<TacEditWnd>(child, *context.Skin, std::u16string(mapping.Section),
                                            u"DialogEdit", mapping.DialogMode);
    case ChildHandler::ListViewWnd:
    case ChildHandler::TreeViewWnd:
        return std::make_unique<TacListWnd>(child, context);
    case ChildHandler::ComboBoxWnd:
    case ChildHandler::CheckBoxWnd:
    case ChildHandler::GroupBoxWnd:
        return std::make_unique<TacColoredWnd>(child, context);
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
