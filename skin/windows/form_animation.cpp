#include "skin/windows/form_animation.h"

#include "core/error.h"
#include "skin/render/layered_pixels.h"
#include "skin/render/stretch.h"
#include "skin/render/win32/dib_bitmap.h"
#include "skin/windows/skin_provider.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/timer_service.h"
#include "ui/trace.h"

#include <algorithm>
#include <list>
#include <map>
#include <memory>

namespace skin::windows {

using frame::Rect;
using render::SkinBitmap;

namespace {

constexpr wchar_t kClassName[] = L"ArbordirFormAnimation";

HWND CreateAnimationWindow(const Rect& r) {
    static const bool registered = [] {
        WNDCLASSEXW wc{sizeof(wc)};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    if (!registered)
        return nullptr;
    // No owner: the form may be destroyed while its picture still fades.
    return CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT |
                               WS_EX_TOPMOST,
                           kClassName, L"", WS_POPUP, r.Left, r.Top, r.Width(), r.Height(), nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

class Animation {
public:
    Animation(SkinBitmap picture, const Rect& screen_rect,
              std::vector<frame::AnimationFrame> frames, bool on_screen, std::u16string name,
              std::string event)
        : picture_(std::move(picture)), rect_(screen_rect), frames_(std::move(frames)),
          on_screen_(on_screen), name_(std::move(name)), event_(std::move(event)) {
        window_ = CreateAnimationWindow(rect_);
    }
    ~Animation() {
        if (window_)
            DestroyWindow(window_);
    }
    Animation(const Animation&) = delete;
    Animation& operator=(const Animation&) = delete;

    // Shows the next frame; false once all are shown.
    bool Step() {
        if (next_ >= frames_.size())
            return false;
        const frame::AnimationFrame& f = frames_[next_];
        Show(f);
        ui::TraceLine(name_, event_, static_cast<long long>(next_), f.Opacity);
        ++next_;
        return next_ < frames_.size();
    }

private:
    void Show(const frame::AnimationFrame& f) {
        if (!window_ || picture_.IsEmpty())
            return;
        const Rect area =
            on_screen_ ? Rect{0, 0, std::max(f.Draw.Width(), 1), std::max(f.Draw.Height(), 1)}
                       : Rect{0, 0, rect_.Width(), rect_.Height()};
        const Rect draw = on_screen_ ? area : f.Draw;
        if (canvas_.Width() != area.Width() || canvas_.Height() != area.Height()) {
            canvas_ = render::win32::NewDibBitmap(area.Width(), area.Height());
            straight_ = SkinBitmap(area.Width(), area.Height());
        }
        for (int y = 0; y < straight_.Height(); ++y)
            std::fill(straight_.Row(y), straight_.Row(y) + straight_.Width(), render::Pixel{0});
        render::StretchNearest(straight_, draw, picture_, picture_.Bounds());
        render::PremultiplyForLayered(canvas_, straight_);
        GdiFlush();
        POINT position = on_screen_ ? POINT{f.Draw.Left, f.Draw.Top} : POINT{rect_.Left, rect_.Top};
        SIZE size{area.Width(), area.Height()};
        POINT origin{0, 0};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(std::clamp(f.Opacity, 0, 255)),
                            AC_SRC_ALPHA};
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(memory, static_cast<HBITMAP>(canvas_.Handle()));
        UpdateLayeredWindow(window_, screen, &position, &size, memory, &origin, 0, &blend,
                            ULW_ALPHA);
        SelectObject(memory, old);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        if (!IsWindowVisible(window_))
            ShowWindow(window_, SW_SHOWNOACTIVATE);
    }

    SkinBitmap picture_;
    Rect rect_;
    std::vector<frame::AnimationFrame> frames_;
    bool on_screen_;
    std::u16string name_;
    std::string event_;
    HWND window_ = nullptr;
    SkinBitmap canvas_;
    SkinBitmap straight_;
    std::size_t next_ = 0;
};

// One list and one timer per interval.
struct Runner {
    std::list<std::unique_ptr<Animation>> running;
    ui::Timer timer;
};

std::map<unsigned, Runner>& Runners() {
    static std::map<unsigned, Runner> runners;
    return runners;
}

void TickAll(unsigned interval) {
    Runner& runner = Runners()[interval];
    for (auto it = runner.running.begin(); it != runner.running.end();) {
        if ((*it)->Step())
            ++it;
        else
            it = runner.running.erase(it);
    }
    if (runner.running.empty())
        runner.timer.Stop();
}

} // namespace

SkinBitmap SnapshotOf(TsSkinProvider& provider) {
    provider.SetBGChanged();
    provider.PrepareCache();
    SkinBitmap picture = provider.CacheBitmap().Clone();
    HWND window = provider.Window();
    RECT client{};
    GetClientRect(window, &client);
    const int x = provider.OffsetX(), y = provider.OffsetY();
    SkinBitmap shot = render::win32::NewDibBitmap(std::max<int>(client.right, 1),
                                                  std::max<int>(client.bottom, 1));
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, static_cast<HBITMAP>(shot.Handle()));
    BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(window, dc);
    GdiFlush();
    // GDI leaves alpha 0: the client area is opaque.
    for (int row = 0; row < client.bottom; ++row)
        for (int col = 0; col < client.right; ++col)
            if (picture.Contains(x + col, y + row))
                picture.At(x + col, y + row) = shot.At(col, row) | 0xFF000000u;
    return picture;
}

SkinBitmap PrintedSnapshotOf(TsSkinProvider& provider) {
    provider.PrepareCache();
    const SkinBitmap& cache = provider.CacheBitmap();
    if (cache.IsEmpty())
        return {};
    SkinBitmap picture = render::win32::NewDibBitmap(cache.Width(), cache.Height());
    for (int y = 0; y < cache.Height(); ++y)
        std::copy(cache.Row(y), cache.Row(y) + cache.Width(), picture.Row(y));
    HWND window = provider.Window();
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, static_cast<HBITMAP>(picture.Handle()));
    SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(memory),
                 PRF_CLIENT | PRF_CHILDREN | PRF_ERASEBKGND);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    GdiFlush();
    // GDI leaves alpha 0: the client area is opaque.
    RECT client{};
    GetClientRect(window, &client);
    const int x = provider.OffsetX(), y = provider.OffsetY();
    for (int row = std::max(y, 0); row < std::min<int>(y + client.bottom, picture.Height()); ++row)
        for (int col = std::max(x, 0); col < std::min<int>(x + client.right, picture.Width());
             ++col)
            picture.At(col, row) |= 0xFF000000u;
    return picture;
}

Rect SnapshotRect(TsSkinProvider& provider) {
    RECT w{};
    GetWindowRect(provider.Window(), &w);
    const frame::FrameGeometry g = provider.Geometry();
    const frame::Point o = g.Extended() ? g.BorderFormOffset() : frame::Point{};
    const render::SkinBitmap& cache = provider.CacheBitmap();
    return {w.left - o.X, w.top - o.Y, w.left - o.X + cache.Width(), w.top - o.Y + cache.Height()};
}

void StartAnimation(SkinBitmap picture, const Rect& screen_rect,
                    std::vector<frame::AnimationFrame> frames, bool frames_on_screen,
                    unsigned interval, std::u16string trace_name, std::string event) {
    if (frames.empty() || picture.IsEmpty())
        return;
    auto animation =
        std::make_unique<Animation>(std::move(picture), screen_rect, std::move(frames),
                                    frames_on_screen, std::move(trace_name), std::move(event));
    if (ui::Application::Instance().Terminating()) {
        // No message loop will tick it: the same steps, here, with pauses.
        while (animation->Step())
            Sleep(interval);
        return;
    }
    Runner& runner = Runners()[interval];
    runner.running.push_back(std::move(animation));
    if (!runner.timer.Running())
        runner.timer =
            ui::Application::Instance().Timers().Start(interval, [interval] { TickAll(interval); });
}

void PlayAnimation(SkinBitmap picture, const Rect& screen_rect,
                   std::vector<frame::AnimationFrame> frames, unsigned interval,
                   std::u16string trace_name, std::string event,
                   const std::function<void()>& before_close) {
    Animation animation(std::move(picture), screen_rect, std::move(frames), false,
                        std::move(trace_name), std::move(event));
    while (animation.Step())
        Sleep(interval);
    if (before_close)
        before_close();
}

int RunningAnimations() {
    int count = 0;
    for (const auto& [interval, runner] : Runners())
        count += static_cast<int>(runner.running.size());
    return count;
}

void WaitForAnimations(unsigned bound_ms) {
    const DWORD start = GetTickCount();
    while (RunningAnimations() > 0 && GetTickCount() - start < bound_ms) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        ui::Application::Instance().ProcessMessages();
    }
}

} // namespace skin::windows
