#include <gtest/gtest.h>

#include "forms/Timer.h"
#include "tests/forms/TestForm.h"

namespace {
// True when the window had this timer running (it is stopped by asking).
bool WasRunning(HWND h, UINT_PTR id) { return KillTimer(h, id) != FALSE; }
}  // namespace

TEST(TimerControl, TicksOnItsOwnMessagesWhileEnabledRunsWithEachFormWindowAndDiesWithTheControl) {
    TestForm f;
    auto t = std::make_unique<forms::Timer>(f, 25, true);
    int ticks = 0;
    t->Tick = [&] { ++ticks; };
    f.Load();
    // Real ticks through the message loop, then its own message and someone else's timer.
    const DWORD giveUp = GetTickCount() + 5000;
    for (MSG m; ticks < 2 && GetTickCount() < giveUp && GetMessageW(&m, nullptr, 0, 0) > 0;) DispatchMessageW(&m);
    ASSERT_EQ(ticks, 2);
    SendMessageW(f.hWnd(), WM_TIMER, t->Id(), 0);
    SendMessageW(f.hWnd(), WM_TIMER, t->Id() + 1, 0);
    EXPECT_EQ(ticks, 3);
    t->SetEnabled(false);
    SendMessageW(f.hWnd(), WM_TIMER, t->Id(), 0);  // queued before the stop: ignored
    EXPECT_FALSE(WasRunning(f.hWnd(), t->Id()));
    t->SetEnabled(true);
    f.Unload();
    f.Load();  // a new window: the timer runs again
    EXPECT_TRUE(WasRunning(f.hWnd(), t->Id()));
    t->SetInterval(0);
    SendMessageW(f.hWnd(), WM_TIMER, t->Id(), 0);
    EXPECT_EQ(ticks, 3);
    t->SetInterval(10000);
    const UINT_PTR id = t->Id();
    t.reset();
    EXPECT_FALSE(WasRunning(f.hWnd(), id));
}
