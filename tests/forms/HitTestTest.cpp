#include <gtest/gtest.h>

#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <initializer_list>
#include <utility>

#include "forms/Image.h"
#include "tests/forms/TestForm.h"

using Events = std::vector<std::string>;

namespace {
// A mouse message at client pixels, with the key flags it carries.
struct Msg {
    UINT msg;
    int x, y;
    WPARAM keys = 0;
};
// The events the messages raise, sent in turn; the list is emptied for the next.
Events Sent(TestForm& f, std::initializer_list<Msg> msgs) {
    f.events.clear();
    for (const Msg& m : msgs) Mouse(f.hWnd(), m.msg, m.x, m.y, m.keys);
    return std::exchange(f.events, {});
}
Events Clicked(TestForm& f, int x, int y) {
    return Sent(f, {{WM_LBUTTONDOWN, x, y, MK_LBUTTON}, {WM_LBUTTONUP, x, y}});
}

// Places c at (x, y, w, h) in the form's scale and notes its events in the form's list.
void Record(forms::Control& c, const std::string& name, TestForm& f, double x, double y, double w, double h) {
    c.Move(x, y, w, h);
    c.MouseDown = [&f, name](forms::MouseArgs& a) { f.Note(name + " down", a); };
    c.MouseMove = [&f, name](forms::MouseArgs& a) { f.Note(name + " move", a); };
    c.MouseUp = [&f, name](forms::MouseArgs& a) { f.Note(name + " up", a); };
    c.Click = [&f, name] { f.events.push_back(name + " click"); };
    c.DblClick = [&f, name] { f.events.push_back(name + " dblclick"); };
}

// A pixel form, 200 x 100, with image a at x 0..100 and, in front of it, image b at x 50..150 (y 0..50).
struct HitTest : testing::Test {
    PixelForm f;
    forms::Image a{f}, b{f};
    HitTest() {
        Record(a, "a", f, 0, 0, 100, 50);
        Record(b, "b", f, 50, 0, 100, 50);
    }
};
}  // namespace

TEST_F(HitTest, TheTopmostVisibleEnabledControlTakesThePress) {
    EXPECT_EQ(Clicked(f, 60, 10), (Events{"b down b1 s0 10,10", "b up b1 s0 10,10", "b click"}));
    b.ZOrder(1);
    EXPECT_EQ(Clicked(f, 60, 10).back(), "a click");
    a.SetVisible(false);
    EXPECT_EQ(Clicked(f, 60, 10).back(), "b click");
    b.SetEnabled(false);  // a disabled control lets the press through to the form
    EXPECT_EQ(Clicked(f, 60, 10), (Events{"form down b1 s0 60,10", "form up b1 s0 60,10", "form click"}));
}

TEST_F(HitTest, ThePressedControlKeepsTheMouseUntilReleaseAndClicksOnlyOverItself) {
    f.SetScaleMode(forms::ScaleMode::Twips);
    a.Move(0, 0, 100 * 15, 50 * 15);
    b.Move(50 * 15, 0, 100 * 15, 50 * 15);
    // Outside the control and outside the window: still b's, in twips relative to b.
    Mouse(f.hWnd(), WM_LBUTTONDOWN, 60, 10, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), f.hWnd());
    EXPECT_EQ(Sent(f, {{WM_MOUSEMOVE, 300, -20, MK_LBUTTON}, {WM_LBUTTONUP, 300, -20}}),
              (Events{"b move b1 s0 3750,-300", "b up b1 s0 3750,-300"}));
    EXPECT_EQ(GetCapture(), nullptr);
    // Released over another control: neither clicks. With no button held, moves go to whatever
    // lies under the pointer.
    EXPECT_EQ(Sent(f, {{WM_LBUTTONDOWN, 60, 10, MK_LBUTTON}, {WM_LBUTTONUP, 10, 10}, {WM_MOUSEMOVE, 10, 10},
                       {WM_MOUSEMOVE, 170, 10}}),
              (Events{"b down b1 s0 150,150", "b up b1 s0 -600,150", "a move b0 s0 150,150",
                      "form move b0 s0 2550,150"}));
}

TEST_F(HitTest, FormSurfaceEventsCarryButtonShiftScaleAndKeys) {
    // A double click: the first press clicks, the second raises DblClick and no second click.
    const WPARAM shiftCtrl = MK_SHIFT | MK_CONTROL;
    EXPECT_EQ(Sent(f, {{WM_LBUTTONDOWN, 150, 60, MK_LBUTTON | shiftCtrl}, {WM_LBUTTONUP, 150, 60, shiftCtrl},
                       {WM_RBUTTONDOWN, 5, 66, MK_RBUTTON}, {WM_RBUTTONUP, 5, 66},
                       {WM_LBUTTONDBLCLK, 5, 66, MK_LBUTTON}, {WM_LBUTTONUP, 5, 66}}),
              (Events{"form down b1 s3 150,60", "form up b1 s3 150,60", "form click", "form down b2 s0 5,66",
                      "form up b2 s0 5,66", "form dblclick", "form up b1 s0 5,66"}));
    SendMessageW(f.hWnd(), WM_KEYDOWN, 'A', 0);
    SendMessageW(f.hWnd(), WM_CHAR, 'a', 0);
    EXPECT_EQ(f.events, (Events{"keydown 65 0", "keypress 97"}));
}

TEST_F(HitTest, AHandlerThatGivesUpTheCaptureEndsThePress) {
    // As a drag by the caption does: release the capture in the press handler.
    a.MouseDown = [&](forms::MouseArgs&) {
        f.events.push_back("a down");
        ReleaseCapture();
    };
    EXPECT_EQ(Sent(f, {{WM_LBUTTONDOWN, 10, 10, MK_LBUTTON}, {WM_MOUSEMOVE, 110, 10, MK_LBUTTON},
                       {WM_LBUTTONUP, 110, 10}}),
              (Events{"a down", "b move b1 s0 60,10", "b up b1 s0 60,10"}));
}

TEST_F(HitTest, WhileTheProgramHoldsTheCaptureTheHostGetsEveryMouseEvent) {
    // As a drop-down list does: it takes the capture and handles every press itself.
    SetCapture(f.hWnd());
    EXPECT_EQ(Sent(f, {{WM_MOUSEMOVE, 10, 10}, {WM_LBUTTONDOWN, 10, 10, MK_LBUTTON}, {WM_LBUTTONUP, 10, 10},
                       {WM_RBUTTONDOWN, -40, 300, MK_RBUTTON}, {WM_RBUTTONUP, -40, 300}}),
              (Events{"form move b0 s0 10,10", "form down b1 s0 10,10", "form up b1 s0 10,10", "form click",
                      "form down b2 s0 -40,300", "form up b2 s0 -40,300"}));
    EXPECT_EQ(GetCapture(), f.hWnd());  // a press does not end the program's capture
    ReleaseCapture();
    EXPECT_EQ(Clicked(f, 10, 10).back(), "a click");
}

TEST_F(HitTest, ThePointedControlsTextIsTheTooltip) {
    a.ToolTipText = L"Default";
    auto tipAt = [&](int x) {
        Mouse(f.hWnd(), WM_MOUSEMOVE, x, 10);
        wchar_t buf[80] = {};
        TOOLINFOW ti{};
        ti.cbSize = TTTOOLINFOW_V1_SIZE;
        ti.hwnd = f.hWnd();
        ti.uId = reinterpret_cast<UINT_PTR>(f.hWnd());
        ti.lpszText = buf;
        if (f.ToolTipWindow()) SendMessageW(f.ToolTipWindow(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&ti));
        return std::wstring(buf);
    };
    EXPECT_EQ(tipAt(100), L"");  // b has no text
    EXPECT_EQ(f.ToolTipWindow(), nullptr);  // nothing to tell yet
    EXPECT_EQ(tipAt(10), L"Default");
    b.ToolTipText = L"Blue";
    EXPECT_EQ(tipAt(100), L"Blue");
    EXPECT_EQ(tipAt(170), L"");
    f.Unload();
    EXPECT_EQ(f.ToolTipWindow(), nullptr);
}
