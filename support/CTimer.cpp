#include "support/CTimer.h"

#include "support/MTimer.h"
#include "support/SupportError.h"

std::shared_ptr<CTimer> CTimer::Create() { return std::make_shared<CTimer>(Key{}); }

CTimer::~CTimer() {
    // Only a stopped timer can end (the table holds running ones), so there is nothing to kill.
    interval_ = 0;
}

void CTimer::SetInterval(int32_t ms) {
    const auto self = shared_from_this();  // leaving the table must not end the timer mid-call
    if (ms >= 1) {
        if (ms == interval_) return;
        if (interval_ != 0) MTimer::RemoveTimer(*this);
        interval_ = ms;
        if (!MTimer::AddTimer(shared_from_this()))
            throw SupportError::Object(13652, "Can't create system timer");
    } else if (interval_ > 0) {
        interval_ = 0;
        MTimer::RemoveTimer(*this);
    }
}

void CTimer::PulseTimer() {
    if (ThatTime) ThatTime();
}
