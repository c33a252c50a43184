#pragma once

// Timers for objects without a window of their own (window-less controls, the skin engine's
// fades and animations), driven by one hidden window of the GUI thread.
//
// A tick that arrives while the previous tick of the same timer still runs (its handler pumped
// messages) is dropped. A timer may be stopped, restarted or destroyed from inside its own tick.
// A tick that raises an error stops its timer, and the error is shown once.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <windows.h>

namespace ui {

class TimerService;

// A running timer; it stops when the handle is destroyed.
class Timer {
public:
    Timer() = default;
    ~Timer() { Stop(); }
    Timer(Timer&& other) noexcept;
    Timer& operator=(Timer&& other) noexcept;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void Stop();
    bool Running() const;
    // Changes the interval; the next tick comes one new interval from now.
    void SetInterval(unsigned milliseconds);

private:
    friend class TimerService;
    Timer(TimerService& service, UINT_PTR id) : service_(&service), id_(id) {}

    TimerService* service_ = nullptr;
    UINT_PTR id_ = 0;
};

class TimerService {
public:
    using Tick = std::function<void()>;

    TimerService() = default;
    ~TimerService();
    TimerService(const TimerService&) = delete;
    TimerService& operator=(const TimerService&) = delete;

    // Calls `tick` every `milliseconds` (at least 10) on the GUI thread while the message loop
    // runs, until the returned timer stops.
    [[nodiscard]] Timer Start(unsigned milliseconds, Tick tick);
    // The timers running now.
    std::size_t Count() const { return timers_.size(); }

private:
    friend class Timer;
    struct Entry {
        Tick tick;
        bool ticking = false;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND Window();
    void Fire(UINT_PTR id);
    void Stop(UINT_PTR id);
    bool Running(UINT_PTR id) const { return timers_.count(id) != 0; }
    void SetInterval(UINT_PTR id, unsigned milliseconds);

    HWND window_ = nullptr;
    UINT_PTR next_id_ = 1;
    std::map<UINT_PTR, std::shared_ptr<Entry>> timers_;
};

} // namespace ui
