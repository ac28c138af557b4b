#include <gtest/gtest.h>

#include <vector>

#include "support/CTimer.h"
#include "support/MTimer.h"
#include "support/SupportError.h"

namespace {

// True when the system timer with this identifier was still running (it is stopped now).
bool WasRunning(uintptr_t id) { return KillTimer(nullptr, id) != FALSE; }

int16_t SlotOf(const std::shared_ptr<CTimer>& t) {
    for (int16_t s = 1; s <= MTimer::kSlots; ++s)
        if (MTimer::TimerAt(s) == t) return s;
    return 0;
}

// Delivers the tick of a thread timer the way the message loop does.
void Tick(uintptr_t id) {
    MSG m{nullptr, WM_TIMER, id, reinterpret_cast<LPARAM>(&MTimer::TimerProc), 0, {}};
    DispatchMessageW(&m);
}

// n timers running with a long interval, stopped again when the test ends.
struct Running : std::vector<std::shared_ptr<CTimer>> {
    explicit Running(int n) {
        for (int i = 0; i < n; ++i) push_back(Start(CTimer::Create()));
    }
    ~Running() {
        for (auto& t : *this) t->SetInterval(0);
    }
    static std::shared_ptr<CTimer> Start(std::shared_ptr<CTimer> t) {
        t->SetInterval(100000);
        return t;
    }
};

}  // namespace

// Runs first in its own process under ctest: nothing has been registered yet.
TEST(MTimer, AStrayTickIsKilledOnlyWhileNoTimerWasEverRegistered) {
    if (MTimer::TimerCount() != 0) GTEST_SKIP() << "needs a process where no timer has run";
    for (int registered : {0, 1}) {
        if (registered) Running(1);  // started and stopped: the count stays 1
        UINT_PTR stray = SetTimer(nullptr, 0, 100000, &MTimer::TimerProc);
        ASSERT_NE(stray, 0u);
        Tick(stray);
        EXPECT_EQ(WasRunning(stray), registered == 1);
    }
    EXPECT_EQ(MTimer::TimerCount(), 1);
}

// The 101st running timer fails; a stopped timer empties its slot for the next while the count
// of slots ever filled stays.
TEST(CTimer, TheHundredAndFirstRunningTimerFailsAndStoppingOneFreesItsSlot) {
    Running timers(MTimer::kSlots);
    auto extra = CTimer::Create();
    try {
        extra->SetInterval(100000);
        FAIL() << "the table took a 101st timer";
    } catch (const SupportError& e) {
        EXPECT_EQ(e.Number(), static_cast<int32_t>(0x80040000u | 13651));
        EXPECT_EQ(e.Description(), "No more than 10 timers allowed per class");
        EXPECT_EQ(e.Source(), "test_timer.WindowProc");
    }
    // The refused timer is left stopped, with no system timer behind it.
    EXPECT_EQ(extra->Interval(), 0);
    EXPECT_EQ(extra->TimerID(), 0u);
    EXPECT_EQ(MTimer::TimerCount(), MTimer::kSlots);
    const int16_t freed = SlotOf(timers[1]);
    timers[1]->SetInterval(0);
    timers[1]->SetInterval(-5);  // already stopped: nothing
    EXPECT_EQ(MTimer::TimerAt(freed), nullptr);
    EXPECT_EQ(MTimer::TimerCount(), MTimer::kSlots);
    timers.push_back(Running::Start(extra));
    EXPECT_EQ(SlotOf(extra), freed);
}

// A new interval replaces the system timer, the same one keeps it, and its ticks arrive through the
// message loop; stopping from inside its own tick ends the timer once the tick is over, while a
// running timer lives on in the table.
TEST(CTimer, IntervalChangesReplaceTheSystemTimerAndTicksRaiseThatTime) {
    int ticks = 0;
    std::weak_ptr<CTimer> watch = Running::Start(CTimer::Create());
    ASSERT_FALSE(watch.expired());
    const uintptr_t first = watch.lock()->TimerID();
    watch.lock()->SetInterval(10);
    const uintptr_t id = watch.lock()->TimerID();
    EXPECT_FALSE(WasRunning(first));
    watch.lock()->SetInterval(10);
    EXPECT_EQ(watch.lock()->TimerID(), id);
    EXPECT_GT(SlotOf(watch.lock()), 0);
    watch.lock()->ThatTime = [&] { ++ticks; };
    const DWORD giveUp = GetTickCount() + 5000;
    for (MSG m; ticks == 0 && GetTickCount() < giveUp && GetMessageW(&m, nullptr, 0, 0) > 0;) DispatchMessageW(&m);
    Tick(id);
    EXPECT_EQ(ticks, 2);
    watch.lock()->ThatTime = [&] {
        ++ticks;
        watch.lock()->SetInterval(0);
    };
    Tick(id);
    EXPECT_EQ(ticks, 3);
    EXPECT_TRUE(watch.expired());
    EXPECT_FALSE(WasRunning(id));
}
