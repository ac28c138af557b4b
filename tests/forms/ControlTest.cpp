// The controls of a form besides the windowless ones it hit-tests: control arrays, timers, user
// controls and lines.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "forms/ControlArray.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/Line.h"
#include "forms/Timer.h"
#include "forms/UserControl.h"
#include "tests/forms/GdiProbe.h"
#include "tests/forms/TestForm.h"

namespace {
// True when the window had this timer running (it is stopped by asking).
bool WasRunning(HWND h, UINT_PTR id) { return KillTimer(h, id) != FALSE; }

// A control that notes what it does to itself.
class Knob : public forms::UserControl {
public:
    using UserControl::UserControl;
    std::vector<std::string> seen;

protected:
    void UserControl_KeyDown(int32_t& code, int32_t& shift) override {
        seen.push_back("down " + std::to_string(code));
        UserControl::UserControl_KeyDown(code, shift);
    }
    void UserControl_MouseDown(forms::MouseArgs& a) override {
        seen.push_back("press " + std::to_string(int(a.X)));
    }
    void UserControl_Click() override { seen.push_back("click"); }
};
}  // namespace

TEST(ControlArray, LoadedElementsTakeElementZerosDesignButStartHidden) {
    TestForm f;
    f.Load();
    forms::ControlArray<forms::Label> txt(f);
    txt[0].Move(120, 90, 3975, 945);
    txt[0].SetCaption(L"first");
    txt[0].SetTransparent(true);
    txt[0].UseMnemonic = false;
    auto& t1 = txt.Load(1);
    EXPECT_EQ(std::tuple(t1.Index, t1.Visible(), t1.Width(), t1.Caption(), t1.Transparent(), t1.UseMnemonic),
              std::tuple(1, false, 3975.0, std::wstring(L"first"), true, false));
    EXPECT_EQ(&txt.Load(1), &t1);  // loading again returns the element there is

    forms::ControlArray<forms::Image> mid(f);
    mid[0].SetStretch(true);
    auto& m3 = mid.Load(3);
    EXPECT_TRUE(m3.Stretch());
    EXPECT_EQ(std::tuple(mid.Count(), mid.UBound(), mid.Exists(2)), std::tuple(2, 3, false));
    EXPECT_THROW(mid[2], std::out_of_range);
    // New elements go to the front of the form's windowless controls.
    EXPECT_EQ(f.Controls().back(), &m3);
}

TEST(ControlArray, EventsArriveWithTheElementsIndexAndUnloadedOnesLeaveTheForm) {
    PixelForm f;
    forms::ControlArray<forms::Image> rows(f);
    rows[0].Move(0, 0, 100, 20);
    for (int i = 1; i <= 2; ++i) {
        auto& r = rows.Load(i);
        r.SetTop(20.0 * i);
        r.SetVisible(true);
    }
    std::vector<int> clicked, dbl;
    rows.Click = [&](int i) { clicked.push_back(i); };
    rows.DblClick = [&](int i) { dbl.push_back(i); };
    ClickAt(f.hWnd(), 5, 45);
    ClickAt(f.hWnd(), 5, 5);
    Mouse(f.hWnd(), WM_LBUTTONDBLCLK, 5, 25, MK_LBUTTON);
    Mouse(f.hWnd(), WM_LBUTTONUP, 5, 25);
    EXPECT_EQ(clicked, (std::vector<int>{2, 0}));
    EXPECT_EQ(dbl, (std::vector<int>{1}));

    const size_t before = f.Controls().size();
    rows.Unload(2);
    rows.Unload(0);  // element 0 stays
    EXPECT_EQ(f.Controls().size(), before - 1);
    EXPECT_TRUE(rows.Exists(0));
    // An element unloaded by its own press neither clicks nor crashes: the release is the form's.
    rows.MouseDown = [&](int i, forms::MouseArgs&) { rows.Unload(i); };
    ClickAt(f.hWnd(), 5, 45);
    ClickAt(f.hWnd(), 5, 25);
    EXPECT_FALSE(rows.Exists(1));
    EXPECT_EQ(clicked.size(), 2u);
    EXPECT_EQ(f.events, (std::vector<std::string>{"form down b1 s0 5,45", "form up b1 s0 5,45", "form click",
                                                  "form up b1 s0 5,25"}));
}

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

TEST(UserControl, TakesTheFocusAndItsKeysAndRaisesTheOwnersSlots) {
    PixelForm f;
    Knob knob(f);
    knob.SetScaleMode(forms::ScaleMode::Pixels);
    knob.Move(0, 0, 30, 30);
    ASSERT_NE(knob.Handle(), nullptr);
    knob.GotFocus = [&] { knob.seen.push_back("owner focus"); };
    knob.KeyDown = [&](int32_t& code, int32_t&) { knob.seen.push_back("owner " + std::to_string(code)); };
    SendMessageW(knob.Handle(), WM_SETFOCUS, 0, 0);
    SendMessageW(knob.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    ClickAt(knob.Handle(), 7, 3);
    EXPECT_EQ(knob.seen, (std::vector<std::string>{"owner focus", "down 13", "owner 13", "press 7", "click"}));
}

TEST(LineControl, DrawsFromEndToEndAndLetsPressesThrough) {
    PixelForm f;
    f.SetBackColor(RGB(255, 255, 255));
    forms::Line level(f), rising(f);
    level.SetPoints(10, 20, 60, 20);
    level.SetBorderColor(RGB(0, 0, 255));
    rising.SetPoints(10, 80, 40, 50);
    rising.SetBorderColor(RGB(255, 0, 0));
    const COLORREF blue = RGB(0, 0, 255), red = RGB(255, 0, 0), white = RGB(255, 255, 255);
    EXPECT_EQ(Mismatches(Snapshot(f), {{10, 20, blue}, {60, 20, blue}, {35, 21, white}, {10, 80, red},
                                       {40, 50, red}}), "");
    EXPECT_EQ(f.ControlAt(POINT{30, 20}), nullptr);
}
