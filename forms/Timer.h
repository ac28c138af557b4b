#pragma once
// Timer: a timer control of a host window: it ticks every Interval ms while Enabled and the
// host's window exists; killed with the control.
#include <windows.h>

#include <cstdint>
#include <functional>

namespace forms {

class ControlHost;

class Timer {
public:
    explicit Timer(ControlHost& host, uint32_t intervalMs = 0, bool enabled = true);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    uint32_t Interval() const { return intervalMs_; }
    // 0 stops the timer; any change starts the count again.
    void SetInterval(uint32_t ms);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // The identifier of the WM_TIMER messages the host receives for this timer.
    UINT_PTR Id() const { return reinterpret_cast<UINT_PTR>(this); }

    std::function<void()> Tick;

private:
    friend class ControlHost;
    void Apply();
    void Fire();
    void Detach() { host_ = nullptr; }

    ControlHost* host_;
    uint32_t intervalMs_;
    bool enabled_;
};

}  // namespace forms
