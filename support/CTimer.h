#pragma once
// CTimer: a timer that needs no window; it raises ThatTime once per expiry of its interval.
#include <any>
#include <cstdint>
#include <functional>
#include <memory>

class CTimer : public std::enable_shared_from_this<CTimer> {
    struct Key {};

public:
    // Timers are shared: the table of running timers holds each one while it runs, so a running
    // timer ends only after its interval has been set below 1.
    static std::shared_ptr<CTimer> Create();
    explicit CTimer(Key) {}
    ~CTimer();
    CTimer(const CTimer&) = delete;
    CTimer& operator=(const CTimer&) = delete;

    /// Gets/sets a piece of additional data to store with the timer.
    std::any& Item() { return item_; }
    /// Gets/sets a piece of additional data to store with the timer.
    void SetItem(std::any item) { item_ = std::move(item); }

    /// Gets/sets the interval at which the timer fires.  Set to zero to stop the timer.
    int32_t Interval() const { return interval_; }
    /// Gets/sets the interval at which the timer fires.  Set to zero to stop the timer.
    // In milliseconds; any value below 1 stops it. Throws SupportError 13652 when no system timer
    // can be made, 13651 when the table is full.
    void SetInterval(int32_t ms);

    // Raises ThatTime.
    void PulseTimer();
    /// Raised when the timer fires.
    std::function<void()> ThatTime;

    // For the timer table only: the system timer's identifier, 0 when none.
    uintptr_t TimerID() const { return timerId_; }
    void SetTimerID(uintptr_t id) { timerId_ = id; }
    void SetIntervalValue(int32_t ms) { interval_ = ms; }

private:
    std::any item_;
    int32_t interval_ = 0;
    uintptr_t timerId_ = 0;
};
