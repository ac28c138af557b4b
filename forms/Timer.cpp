#include "forms/Timer.h"

#include "forms/ControlHost.h"

namespace forms {

Timer::Timer(ControlHost& host, uint32_t intervalMs, bool enabled)
    : host_(&host), intervalMs_(intervalMs), enabled_(enabled) {
    host.Add(*this);
    Apply();
}

Timer::~Timer() {
    if (!host_) return;
    if (host_->IsCreated()) KillTimer(host_->hWnd(), Id());
    host_->Remove(*this);
}

void Timer::SetInterval(uint32_t ms) {
    intervalMs_ = ms;
    Apply();
}

void Timer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Apply();
}

void Timer::Apply() {
    if (!host_ || !host_->IsCreated()) return;
    if (enabled_ && intervalMs_ > 0)
        SetTimer(host_->hWnd(), Id(), intervalMs_, nullptr);
    else
        KillTimer(host_->hWnd(), Id());
}

void Timer::Fire() {
    // A tick that was already queued when the timer stopped does not count.
    if (enabled_ && intervalMs_ > 0 && Tick) Tick();
}

}  // namespace forms
