#include "skin/windows/title_button_fade.h"

#include "skin/render/copy_pixels.h"
#include "skin/render/layered_pixels.h"
#include "skin/render/win32/dib_bitmap.h"
#include "skin/windows/border_form.h"
#include "skin/windows/skin_provider.h"
#include "ui/application.h"
#include "ui/trace.h"

namespace skin::windows {
namespace {

constexpr wchar_t kClassName[] = L"ArbordirButtonFade";

HWND CreateOverlay(HWND owner) {
    static const bool registered = [] {
        WNDCLASSEXW wc{sizeof(wc)};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    if (!registered)
        return nullptr;
    // Owned by the border window, so it stays above it; it takes no input.
    return CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                           kClassName, L"", WS_POPUP, 0, 0, 0, 0, owner, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

} // namespace

TitleButtonFade::TitleButtonFade(TsSkinProvider& provider, int hit_code)
    : sp_(provider), hit_code_(hit_code) {}

TitleButtonFade::~TitleButtonFade() {
    timer_.Stop();
    if (overlay_)
        DestroyWindow(overlay_);
}

const frame::PlacedButton* TitleButtonFade::Button() const {
    for (const frame::PlacedButton& b : sp_.Layout().Buttons)
        if (b.HitCode == hit_code_ && b.Shown)
            return &b;
    return nullptr;
}

void TitleButtonFade::BuildImage(int state) {
    const frame::PlacedButton* b = Button();
    if (!b)
        return;
    const frame::Rect kept = render::Intersect(
        frame::TempBmpRect(sp_.Geometry(), sp_.Layout().StripWidth), sp_.CacheBitmap().Bounds());
    image_ = render::SkinBitmap(b->R.Width(), b->R.Height());
    render::CopyPixels(image_, 0, 0, sp_.temp_bmp_, render::Offset(b->R, -kept.Left, -kept.Top));
    sp_.painter_->PaintButtonGlyph(image_, {0, 0}, *b, state, sp_.FormActive());
    premultiplied_ = render::win32::NewDibBitmap(image_.Width(), image_.Height());
    render::PremultiplyForLayered(premultiplied_, image_);
    GdiFlush();
}

void TitleButtonFade::Show(int opacity) {
    const frame::PlacedButton* b = Button();
    HWND border = sp_.border_form_ ? sp_.border_form_->Handle() : nullptr;
    if (!b || !border || premultiplied_.IsEmpty())
        return;
    if (!overlay_)
        overlay_ = CreateOverlay(border);
    if (!overlay_)
        return;
    RECT w{};
    GetWindowRect(border, &w);
    POINT position{w.left + b->R.Left, w.top + b->R.Top};
    SIZE size{b->R.Width(), b->R.Height()};
    POINT origin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(opacity), AC_SRC_ALPHA};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, static_cast<HBITMAP>(premultiplied_.Handle()));
    UpdateLayeredWindow(overlay_, screen, &position, &size, memory, &origin, 0, &blend, ULW_ALPHA);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!IsWindowVisible(overlay_))
        ShowWindow(overlay_, SW_SHOWNOACTIVATE);
}

void TitleButtonFade::StartTowards(int state) {
    if (!fade_.StartTowards(state))
        return;
    finished_ = false;
    if (!timer_.Running())
        timer_ =
            ui::Application::Instance().Timers().Start(frame::kFadeInterval, [this] { Tick(); });
}

void TitleButtonFade::Tick() {
    const frame::ButtonFade::Step step = fade_.Tick();
    if (step.RebuildImage)
        BuildImage(fade_.Target());
    Show(step.Opacity);
    // Once faded in, every tick only looks at the cursor: one line for the whole wait.
    if (!step.CheckCursor || !watching_)
        ui::TraceEvent(sp_, "fade", hit_code_, step.Opacity);
    watching_ = step.CheckCursor;
    if (step.CheckCursor) {
        const frame::PlacedButton* b = Button();
        POINT cursor{};
        GetCursorPos(&cursor);
        const frame::Point p = sp_.CachePoint(cursor);
        const bool inside =
            b && p.X >= b->R.Left && p.X < b->R.Right && p.Y >= b->R.Top && p.Y < b->R.Bottom;
        if (!inside) {
            timer_.Stop();
            // The form resets its buttons, which starts the fade-out.
            SendMessageW(sp_.Window(), WM_MOUSELEAVE, 0, 0);
        }
        return;
    }
    if (step.Finished) {
        timer_.Stop();
        if (overlay_) {
            DestroyWindow(overlay_);
            overlay_ = nullptr;
        }
        finished_ = true;
    }
}

} // namespace skin::windows
