#include "skin/windows/edit_wnd.h"

#include "core/error.h"
#include "skin/render/control_background.h"
#include "skin/render/fills.h"
#include "skin/render/mask_source.h"
#include "skin/render/win32/dib_bitmap.h"
#include "skin/windows/frame_platform.h"
#include "ui/trace.h"
#include "ui/win_control.h"

#include <commctrl.h>

namespace skin::windows {

namespace {

// Both keep red in the low byte.
COLORREF ToColorRef(data::TColor rgb) {
    return static_cast<COLORREF>(rgb) & 0xFFFFFF;
}

} // namespace

TacEditWnd::TacEditWnd(HWND window, const data::LoadedSkin& skin, std::u16string section,
                       std::u16string name, bool dialog_mode)
    : TacScrollWnd(window, skin, std::move(name)),
      section_(skin.GetSkinIndex(section.empty() ? u"EDIT" : section)), dialog_mode_(dialog_mode) {
    SetSkinParams();
    RepaintFrame();
}

TacEditWnd::~TacEditWnd() {
    // The platform's own frame comes back with the handler gone.
    if (!Destroyed() && IsWindow(CtrlHandle()))
        RedrawWindow(CtrlHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

bool TacEditWnd::Hot() const {
    if (!skin_.IsValidSkinIndex(section_))
        return false;
    const data::TsGeneralData& gd = skin_.gd[static_cast<std::size_t>(section_)];
    const bool border_states = skin_.IsValidImgIndex(gd.BorderIndex) &&
                               skin_.ma[static_cast<std::size_t>(gd.BorderIndex)].ImageCount > 1;
    if (gd.States < 2 && !border_states)
        return false;
    return mouse_over_ || GetFocus() == CtrlHandle();
}

COLORREF TacEditWnd::Color() const {
    if (dialog_mode_ || !skin_.IsValidSkinIndex(section_))
        return GetSysColor(COLOR_WINDOW);
    const data::TsGeneralData& gd = skin_.gd[static_cast<std::size_t>(section_)];
    return ToColorRef(data::ColorToRGB(Hot() && gd.States > 1 ? gd.HotColor : gd.Color));
}

void TacEditWnd::SetSkinParams() {
    bg_changed_ = true;
}

COLORREF TacEditWnd::Behind() const {
    HWND parent = GetParent(CtrlHandle());
    if (ui::WinControl* control = ui::WinControl::FromHandle(parent))
        return ui::ColorToRgb(control->GetColor());
    return GetSysColor(COLOR_BTNFACE);
}

void TacEditWnd::RebuildBorderImage() {
    RECT wr;
    GetWindowRect(CtrlHandle(), &wr);
    const int w = wr.right - wr.left, h = wr.bottom - wr.top;
    if (w <= 0 || h <= 0) {
        image_ = render::SkinBitmap();
        return;
    }
    if (image_.Width() != w || image_.Height() != h)
        image_ = render::win32::NewDibBitmap(w, h);
    const bool hot = Hot();
    const data::TColor frame_color = data::ColorToRGB(skin_.SkinData.BorderColor);
    if (dialog_mode_ && frame_color != data::kKeyColor) {
        render::FillRectOpaque(image_, image_.Bounds(), ToSkinColor(GetSysColor(COLOR_WINDOW)));
        const auto frame = static_cast<render::Color>(frame_color);
        render::FillRectOpaque(image_, {0, 0, w, 1}, frame);
        render::FillRectOpaque(image_, {0, h - 1, w, h}, frame);
        render::FillRectOpaque(image_, {0, 0, 1, h}, frame);
        render::FillRectOpaque(image_, {w - 1, 0, w, h}, frame);
    } else {
        // What lies behind: the parent's composed image where it has one, else its colour.
        render::TCacheInfo behind{nullptr, 0, 0, ToSkinColor(Behind()), false};
        ui::WinControl* parent = ui::WinControl::FromHandle(GetParent(CtrlHandle()));
        engine::BackgroundInfo info;
        if (parent) {
            POINT origin{wr.left, wr.top};
            ScreenToClient(parent->Handle(), &origin);
            info.OffsetX = origin.x;
            info.OffsetY = origin.y;
            ui::Message ask{ui::WM_SKINCOMMAND,
                            engine::MakeSkinCommand(engine::SkinCmdGetBackground),
                            reinterpret_cast<LPARAM>(&info)};
            parent->Perform(ask);
            if (ask.result && info.Kind == engine::BackgroundInfo::kBitmap && info.Bmp)
                behind = {static_cast<const render::SkinBitmap*>(info.Bmp), info.OffsetX,
                          info.OffsetY, ToSkinColor(info.Color), true};
            else if (ask.result)
                behind.FillColor = ToSkinColor(info.Color);
        }
        render::FillRectOpaque(image_, image_.Bounds(), behind.FillColor);
        if (skin_.IsValidSkinIndex(section_)) {
            const data::TsGeneralData& gd = skin_.gd[static_cast<std::size_t>(section_)];
            render::ControlSkinState state;
            state.SkinIndex = section_;
            state.BorderIndex = gd.BorderIndex;
            state.Texture = gd.TextureNormal;
            render::ComposeControlImage(skin_, state, behind, true, image_, {0, 0}, image_.Bounds(),
                                        hot ? 1 : 0);
        }
        if (!IsWindowEnabled(CtrlHandle()))
            render::TintBitmap(image_, behind.FillColor, 0.4);
    }
    image_hot_ = hot;
    bg_changed_ = false;
}

const render::SkinBitmap& TacEditWnd::BorderImage() {
    if (bg_changed_ || image_hot_ != Hot())
        RebuildBorderImage();
    return image_;
}

void TacEditWnd::PaintBorder(HDC dc) {
    const render::SkinBitmap& image = BorderImage();
    if (image.IsEmpty())
        return;
    RECT wr, client;
    GetWindowRect(CtrlHandle(), &wr);
    GetClientRect(CtrlHandle(), &client);
    MapWindowPoints(CtrlHandle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -wr.left, -wr.top);
    // The strips around the client area; the bars paint their own places over them.
    const int w = image.Width(), h = image.Height();
    const frame::Rect strips[] = {{0, 0, w, int(client.top)},
                                  {0, int(client.bottom), w, h},
                                  {0, int(client.top), int(client.left), int(client.bottom)},
                                  {int(client.right), int(client.top), w, int(client.bottom)}};
    for (const frame::Rect& r : strips)
        if (r.Right > r.Left && r.Bottom > r.Top)
            BlitRect(dc, r.Left, r.Top, image, r);
    if (ui::TraceOn())
        ui::TraceLine(name_, "edit-border", image_hot_ ? 1 : 0, 0);
}

void TacEditWnd::RepaintFrame() {
    if (Destroyed() || !IsWindowVisible(CtrlHandle()))
        return;
    HDC dc = GetWindowDC(CtrlHandle());
    if (!dc)
        return;
    PaintBorder(dc);
    ReleaseDC(CtrlHandle(), dc);
    PaintBars();
}

bool TacEditWnd::Handle(ui::Message& m) {
    switch (m.msg) {
    case WM_NCPAINT:
        // The platform's own edge is never drawn: the strips cover it.
        RepaintFrame();
        m.result = 0;
        return true;
    case WM_PRINT: {
        // The platform's printing may leave the origin and clipping on the client area.
        HDC dc = reinterpret_cast<HDC>(m.wParam);
        const int saved = SaveDC(dc);
        m.result = CallPrevious(m);
        RestoreDC(dc, saved);
        if (m.result != 2 && (m.lParam & PRF_NONCLIENT)) {
            PaintBorder(dc);
            PaintBarsInto(dc);
        }
        return true;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        m.result = CallPrevious(m);
        RepaintFrame();
        return true;
    case WM_MOUSEMOVE: {
        // Asked again on every move: a request made while the window was still appearing
        // under the cursor may have been dropped.
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, CtrlHandle(), 0};
        TrackMouseEvent(&track);
        if (!mouse_over_) {
            mouse_over_ = true;
            RepaintFrame();
        }
        return TacScrollWnd::Handle(m);
    }
    case WM_MOUSELEAVE:
        mouse_over_ = false;
        RepaintFrame();
        return false;
    case WM_SIZE:
    case WM_EXITSIZEMOVE:
        bg_changed_ = true;
        if (m.msg == WM_SIZE) {
            TacScrollWnd::Handle(m);
            RepaintFrame();
            return true;
        }
        return false;
    case ui::WM_SKINCOMMAND:
        switch (HIWORD(m.wParam)) {
        case engine::SkinCmdRebuildBorder:
            RebuildBorderImage();
            m.result = 1;
            return true;
        case engine::SkinCmdSetNewSkin:
        case engine::SkinCmdRemoveSkin:
        case engine::SkinCmdRefresh: {
            // The announcements reach the edit's own skin state and its owner first; the owner
            // may put a handler for the new skin in this one's place meanwhile.
            const LRESULT answer = CallPrevious(m);
            if (Destroyed()) {
                m.result = answer;
                return true;
            }
            if (HIWORD(m.wParam) != engine::SkinCmdRefresh)
                break;
            SetSkinParams();
            TacScrollWnd::Handle(m);
            RepaintFrame();
            return true;
        }
        case engine::SkinCmdGetSkinIndex:
            if (m.lParam)
                *reinterpret_cast<int*>(m.lParam) = section_;
            m.result = 1;
            return true;
        case engine::SkinCmdGetColor:
            m.result = static_cast<LRESULT>(Color());
            return true;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return TacScrollWnd::Handle(m);
}

namespace {

// The edit control this skin dresses.
ui::WinControl& EditOf(ui::Component* owner) {
    auto* edit = dynamic_cast<ui::WinControl*>(owner);
    if (!edit)
        throw core::Error(u"An edit skin must be owned by a windowed control");
    return *edit;
}

} // namespace

TsEditSkin::TsEditSkin(ui::Component* owner, const data::LoadedSkin& skin, std::u16string section)
    : TsEditSkin(
          owner, [&skin] { return &skin; }, std::move(section)) {}

TsEditSkin::TsEditSkin(ui::Component* owner, CurrentSkin current, std::u16string section)
    : ui::Component(owner), edit_(EditOf(owner)), current_(std::move(current)),
      section_(std::move(section)) {
    layer_ = AttachWhenShown(edit_, [this] { Attach(); });
    skin_layer_ =
        edit_.AddProcedureLayer([this](ui::Message& m, const ui::ProcedureChain::Next& next) {
            next(m);
            if (m.msg == ui::WM_SKINCOMMAND && (ui::SkinCommandOf(m) == engine::SkinCmdSetNewSkin ||
                                                ui::SkinCommandOf(m) == engine::SkinCmdRefresh))
                Attach();
        });
    Attach();
}

TsEditSkin::~TsEditSkin() {
    layer_ = {};
    skin_layer_ = {};
    handler_.reset();
    retired_.reset();
}

void TsEditSkin::Attach() {
    if (!edit_.HandleAllocated())
        return;
    const data::LoadedSkin* skin = current_ ? current_() : nullptr;
    if (handler_ && (handler_->Destroyed() || handler_->CtrlHandle() != edit_.Handle() ||
                     &handler_->Skin() != skin)) {
        // A handler may be the one delivering this message: it comes off the window now and
        // is freed with the next one retired.
        handler_->Detach();
        retired_ = std::move(handler_);
    }
    if (!handler_ && skin)
        handler_ = std::make_unique<TacEditWnd>(edit_.Handle(), *skin, section_,
                                                std::u16string(edit_.Name()));
}

} // namespace skin::windows
