#include "support/MTimer.h"

#include <array>

#include "support/SupportError.h"

namespace MTimer {
namespace {

struct Table {
    std::array<std::shared_ptr<CTimer>, kSlots> slots;  // slot n is element n - 1
    int16_t timerCount = 0;
};

Table& TheTable() {
    static Table table;
    return table;
}

}  // namespace

bool AddTimer(const std::shared_ptr<CTimer>& t) {
    UINT_PTR id = SetTimer(nullptr, 0, static_cast<UINT>(t->Interval()), &TimerProc);
    t->SetTimerID(id);
    if (id == 0) {
        t->SetIntervalValue(0);
        return false;
    }
    Table& table = TheTable();
    for (int16_t slot = 1; slot <= kSlots; ++slot) {
        auto& s = table.slots[static_cast<size_t>(slot - 1)];
        if (s) continue;
        s = t;
        if (slot > table.timerCount) table.timerCount = slot;
        return true;
    }
    // A system timer outside the table would fire for ever, unseen: stop it before reporting.
    KillTimer(nullptr, id);
    t->SetTimerID(0);
    t->SetIntervalValue(0);
    throw SupportError::Object(13651, "No more than 10 timers allowed per class");
}

bool RemoveTimer(const CTimer& t) {
    Table& table = TheTable();
    for (int16_t slot = 1; slot <= table.timerCount; ++slot) {
        auto& s = table.slots[static_cast<size_t>(slot - 1)];
        if (s && s->TimerID() == t.TimerID()) {
            KillTimer(nullptr, t.TimerID());
            s.reset();  // may end the timer: t is not touched after this
            return true;
        }
    }
    return false;
}

void CALLBACK TimerProc(HWND, UINT, UINT_PTR idEvent, DWORD) {
    Table& table = TheTable();
    for (int16_t slot = 1; slot <= table.timerCount; ++slot) {
        // Held for the pulse: a handler that stops its own timer empties the slot.
        std::shared_ptr<CTimer> t = table.slots[static_cast<size_t>(slot - 1)];
        if (t && t->TimerID() == idEvent) {
            t->PulseTimer();
            return;
        }
    }
    if (table.timerCount == 0) KillTimer(nullptr, idEvent);
}

int16_t TimerCount() { return TheTable().timerCount; }

std::shared_ptr<CTimer> TimerAt(int16_t slot) {
    if (slot < 1 || slot > kSlots) return nullptr;
    return TheTable().slots[static_cast<size_t>(slot - 1)];
}

}  // namespace MTimer
