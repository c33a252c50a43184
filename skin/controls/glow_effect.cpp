#include "skin/controls/glow_effect.h"

#include "skin/engine/skin_manager.h"
#include "skin/render/glow_image.h"
#include "skin/render/layered_pixels.h"
#include "skin/render/win32/dib_bitmap.h"

#include <vector>

namespace skin::controls {
namespace {

constexpr wchar_t kGlowClass[] = L"TacGlowWindow";
// The tag every glow window carries, so that nothing mistakes it for a form.
constexpr LONG_PTR kGlowTag = -98;

LRESULT CALLBACK GlowProcedure(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    switch (msg) {
    case WM_NCHITTEST:
        return HTTRANSPARENT; // the mouse passes through to what lies below
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return DefWindowProcW(wnd, msg, wparam, lparam);
    }
}

void RegisterGlowClass() {
    static const bool registered = [] {
        WNDCLASSEXW cls{};
        cls.cbSize = sizeof(cls);
        cls.lpfnWndProc = GlowProcedure;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = kGlowClass;
        return RegisterClassExW(&cls) != 0;
    }();
    (void)registered;
}

std::vector<std::unique_ptr<TacGlowEffect>>& Glows() {
    static std::vector<std::unique_ptr<TacGlowEffect>> glows;
    return glows;
}

// Directly above the owner: below the window that precedes it, or, when none does, the owner's
// own place (which puts the glow just below it). A top-most owner gets a top-most glow.
HWND InsertAfterFor(HWND owner) {
    if (owner == nullptr)
        return HWND_TOP;
    if (GetWindowLongW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST)
        return HWND_TOPMOST;
    HWND previous = GetWindow(owner, GW_HWNDPREV);
    return previous ? previous : owner;
}

} // namespace

TacGlowEffect::TacGlowEffect(const data::LoadedSkin& skin, int mask_index, int margin)
    : skin_(skin), mask_index_(mask_index), margin_(margin) {}

TacGlowEffect::~TacGlowEffect() {
    if (wnd_)
        DestroyWindow(wnd_);
}

bool TacGlowEffect::Show(const RECT& r, const RECT& visible, HWND owner, BYTE alpha) {
    if (wnd_)
        return true;
    // The mask widths only read the record (they give a mask without images one image first,
    // which loading has already done), but are not declared const.
    auto& skin = const_cast<data::LoadedSkin&>(skin_);
    const render::GlowMaskWidths widths{
        skin.MaskWidthLeft(mask_index_), skin.MaskWidthTop(mask_index_),
        skin.MaskWidthRight(mask_index_), skin.MaskWidthBottom(mask_index_)};
    const render::GlowPlacement place = render::PlaceGlow(
        {r.left, r.top, r.right, r.bottom},
        {visible.left, visible.top, visible.right, visible.bottom}, widths, margin_);
    if (place.Kept.IsEmpty())
        return false;
    const render::SkinBitmap image =
        render::MakeGlowImage(skin_, mask_index_, place.Width, place.Height);
    if (image.IsEmpty())
        return false;
    // The kept part, premultiplied for the layered window; sizes as the bitmaps came out.
    const render::Rect kept = render::Intersect(place.Kept, image.Bounds());
    render::SkinBitmap part(kept.Width(), kept.Height());
    for (int y = 0; y < part.Height(); ++y)
        for (int x = 0; x < part.Width(); ++x)
            part.At(x, y) = image.At(kept.Left + x, kept.Top + y);
    render::SkinBitmap shown = render::win32::NewDibBitmap(part.Width(), part.Height());
    if (shown.IsEmpty() || shown.Width() != part.Width() || shown.Height() != part.Height())
        return false;
    render::PremultiplyForLayered(shown, part);

    RegisterGlowClass();
    wnd_ = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE,
                           kGlowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    if (!wnd_)
        return false;
    SetWindowLongPtrW(wnd_, GWLP_USERDATA, kGlowTag);
    const POINT position{place.Position.X, place.Position.Y};
    SIZE size{shown.Width(), shown.Height()};
    SetWindowPos(wnd_, InsertAfterFor(owner), position.x, position.y, size.cx, size.cy,
                 SWP_NOACTIVATE);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, static_cast<HBITMAP>(shown.Handle()));
    POINT origin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    const BOOL updated = UpdateLayeredWindow(wnd_, screen, const_cast<POINT*>(&position), &size,
                                             memory, &origin, 0, &blend, ULW_ALPHA);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!updated) {
        DestroyWindow(wnd_);
        wnd_ = nullptr;
        return false;
    }
    ShowWindow(wnd_, SW_SHOWNOACTIVATE);
    return true;
}

int ShowGlow(const RECT& r, const RECT& visible, const data::LoadedSkin& skin, int section,
             HWND owner, BYTE alpha, int margin, std::u16string_view base_name) {
    if (!skin.IsValidSkinIndex(section))
        return -1;
    const std::u16string mask_name = std::u16string(base_name) + u"0";
    const int mask = skin.GetMaskIndex(section, skin.gd[section].ClassName, mask_name);
    if (mask < 0)
        return -1;
    auto glow = std::make_unique<TacGlowEffect>(skin, mask, margin);
    if (!glow->Show(r, visible, owner, alpha))
        return -1;
    Glows().push_back(std::move(glow));
    return static_cast<int>(Glows().size()) - 1;
}

void HideGlow(int& index) {
    if (index >= 0 && index < static_cast<int>(Glows().size()))
        Glows()[static_cast<std::size_t>(index)].reset();
    index = -1;
}

void HideAllGlows() {
    Glows().clear();
}

const TacGlowEffect* GlowAt(int index) {
    if (index < 0 || index >= static_cast<int>(Glows().size()))
        return nullptr;
    return Glows()[static_cast<std::size_t>(index)].get();
}

bool GlowingAllowed() {
    const engine::TsSkinManager* manager = engine::TsSkinManager::Default();
    return manager != nullptr && manager->Active() && manager->Effects.AllowGlowing;
}

} // namespace skin::controls
