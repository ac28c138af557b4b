#pragma once
// MTimer: the table of running CTimers (100 slots) and the system's timer callback.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "support/CTimer.h"

namespace MTimer {

constexpr int16_t kSlots = 100;

// Starts a system timer for t and puts t in the first empty slot. False when the system timer
// could not be made; SupportError 13651 when every slot is taken.
bool AddTimer(const std::shared_ptr<CTimer>& t);
// Kills t's system timer and empties its slot; false when t is not in the table.
bool RemoveTimer(const CTimer& t);
// The callback given to SetTimer: pulses the timer with that identifier.
void CALLBACK TimerProc(HWND hWnd, UINT uMsg, UINT_PTR idEvent, DWORD dwTime);

// The highest slot number ever filled; it never goes down.
int16_t TimerCount();
// The timer in slot 1..100, or nothing.
std::shared_ptr<CTimer> TimerAt(int16_t slot);

}  // namespace MTimer
