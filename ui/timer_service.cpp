#include "ui/timer_service.h"

#include "ui/application.h"
#include "ui/win32_error.h"

#include <algorithm>
#include <utility>

namespace ui {

namespace {

constexpr wchar_t kClassName[] = L"Arbordir.Timers";
constexpr unsigned kShortestInterval = 10;

} // namespace

Timer::Timer(Timer&& other) noexcept : service_(other.service_), id_(other.id_) {
    other.id_ = 0;
}

Timer& Timer::operator=(Timer&& other) noexcept {
    if (this != &other) {
        Stop();
        service_ = other.service_;
        id_ = other.id_;
        other.id_ = 0;
    }
    return *this;
}

void Timer::Stop() {
    if (id_ == 0)
        return;
    service_->Stop(std::exchange(id_, 0));
}

bool Timer::Running() const {
    return id_ != 0 && service_->Running(id_);
}

void Timer::SetInterval(unsigned milliseconds) {
    if (Running())
        service_->SetInterval(id_, milliseconds);
}

TimerService::~TimerService() {
    if (window_)
        DestroyWindow(window_);
}

HWND TimerService::Window() {
    if (window_)
        return window_;
    WNDCLASSEXW window_class{sizeof(window_class)};
    window_class.lpfnWndProc = WindowProc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = kClassName;
    RegisterClassExW(&window_class);
    // A message-only window: never shown, never enumerated with the application's windows.
    window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              window_class.hInstance, nullptr);
    if (!window_)
        throw LastError(u"Cannot create the timer window");
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return window_;
}

Timer TimerService::Start(unsigned milliseconds, Tick tick) {
    HWND window = Window();
    const UINT_PTR id = next_id_++;
    if (!SetTimer(window, id, std::max(milliseconds, kShortestInterval), nullptr))
        throw LastError(u"Cannot start a timer");
    timers_[id] = std::make_shared<Entry>(Entry{std::move(tick)});
    return Timer(*this, id);
}

void TimerService::Stop(UINT_PTR id) {
    if (timers_.erase(id) && window_)
        KillTimer(window_, id);
}

void TimerService::SetInterval(UINT_PTR id, unsigned milliseconds) {
    SetTimer(window_, id, std::max(milliseconds, kShortestInterval), nullptr);
}

void TimerService::Fire(UINT_PTR id) {
    auto found = timers_.find(id);
    if (found == timers_.end()) {
        KillTimer(window_, id); // a tick already queued when the timer stopped
        return;
    }
    // The entry outlives a Stop from inside its own tick.
    const std::shared_ptr<Entry> entry = found->second;
    if (entry->ticking)
        return;
    entry->ticking = true;
    try {
        entry->tick();
    } catch (...) {
        Stop(id);
        entry->ticking = false;
        Application::Instance().HandleException(std::current_exception());
        return;
    }
    entry->ticking = false;
}

LRESULT CALLBACK TimerService::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) {
        if (auto* service =
                reinterpret_cast<TimerService*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
            service->Fire(wParam);
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

} // namespace ui
