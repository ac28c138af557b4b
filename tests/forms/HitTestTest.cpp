#include <gtest/gtest.h>

#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <utility>

#include "forms/ControlArray.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "tests/forms/TestForm.h"

using Events = std::vector<std::string>;

namespace {
// Places c at (x, y, w, h) in the form's scale and notes its events in the form's list.
void Record(forms::Control& c, const std::string& name, TestForm& f, double x, double y, double w, double h) {
    c.Move(x, y, w, h);
    c.MouseDown = [&f, name](forms::MouseArgs& a) { f.Note(name + " down", a); };
    c.MouseMove = [&f, name](forms::MouseArgs& a) { f.Note(name + " move", a); };
    c.MouseUp = [&f, name](forms::MouseArgs& a) { f.Note(name + " up", a); };
    c.Click = [&f, name] { f.events.push_back(name + " click"); };
    c.DblClick = [&f, name] { f.events.push_back(name + " dblclick"); };
}
// The events of a click at (x, y), and the list emptied for the next.
Events Clicked(TestForm& f, int x, int y) {
    f.events.clear();
    ClickAt(f.hWnd(), x, y);
    return std::exchange(f.events, {});
}
}  // namespace

TEST(HitTest, TheTopmostVisibleEnabledControlTakesThePress) {
    PixelForm f;
    forms::Image back(f), front(f);
    Record(back, "back", f, 0, 0, 100, 50);
    Record(front, "front", f, 50, 0, 100, 50);
    EXPECT_EQ(Clicked(f, 60, 10), (Events{"front down b1 s0 10,10", "front up b1 s0 10,10", "front click"}));
    front.ZOrder(1);
    EXPECT_EQ(Clicked(f, 60, 10).back(), "back click");
    back.SetVisible(false);
    EXPECT_EQ(Clicked(f, 60, 10).back(), "front click");
    front.SetEnabled(false);  // a disabled control lets the press through to the form
    EXPECT_EQ(Clicked(f, 60, 10), (Events{"form down b1 s0 60,10", "form up b1 s0 60,10", "form click"}));
}

TEST(HitTest, ThePressedControlKeepsTheMouseUntilReleaseAndClicksOnlyOverItself) {
    TestForm f;
    f.Load();
    forms::Image a(f), b(f);
    Record(a, "a", f, 50 * 15, 0, 50 * 15, 50 * 15);  // twips: 50..100 px
    Record(b, "b", f, 0, 0, 40 * 15, 50 * 15);

    Mouse(f.hWnd(), WM_LBUTTONDOWN, 60, 10, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), f.hWnd());
    // Outside the control and outside the window: still a's, in twips relative to a.
    Mouse(f.hWnd(), WM_MOUSEMOVE, 300, -20, MK_LBUTTON);
    Mouse(f.hWnd(), WM_LBUTTONUP, 300, -20);
    EXPECT_EQ(f.events, (Events{"a down b1 s0 150,150", "a move b1 s0 3750,-300", "a up b1 s0 3750,-300"}));
    EXPECT_EQ(GetCapture(), nullptr);

    // Released over another control: neither clicks. With no button held, moves go to whatever
    // lies under the pointer.
    f.events.clear();
    Mouse(f.hWnd(), WM_LBUTTONDOWN, 60, 10, MK_LBUTTON);
    Mouse(f.hWnd(), WM_LBUTTONUP, 10, 10);
    Mouse(f.hWnd(), WM_MOUSEMOVE, 10, 10);
    Mouse(f.hWnd(), WM_MOUSEMOVE, 150, 10);
    EXPECT_EQ(f.events, (Events{"a down b1 s0 150,150", "a up b1 s0 -600,150", "b move b0 s0 150,150",
                                "form move b0 s0 2250,150"}));
}

TEST(HitTest, FormSurfaceEventsCarryButtonShiftScaleAndKeys) {
    PixelForm f;
    Mouse(f.hWnd(), WM_LBUTTONDOWN, 150, 60, MK_LBUTTON | MK_SHIFT | MK_CONTROL);
    Mouse(f.hWnd(), WM_LBUTTONUP, 150, 60, MK_SHIFT | MK_CONTROL);
    Mouse(f.hWnd(), WM_RBUTTONDOWN, 5, 6, MK_RBUTTON);
    Mouse(f.hWnd(), WM_RBUTTONUP, 5, 6);
    // A double click: the first press clicks, the second raises DblClick and no second click.
    Mouse(f.hWnd(), WM_LBUTTONDBLCLK, 5, 6, MK_LBUTTON);
    Mouse(f.hWnd(), WM_LBUTTONUP, 5, 6);
    SendMessageW(f.hWnd(), WM_KEYDOWN, 'A', 0);
    SendMessageW(f.hWnd(), WM_CHAR, 'a', 0);
    EXPECT_EQ(f.events, (Events{"form down b1 s3 150,60", "form up b1 s3 150,60", "form click",
                                "form down b2 s0 5,6", "form up b2 s0 5,6", "form dblclick",
                                "form up b1 s0 5,6", "keydown 65 0", "keypress 97"}));
}

TEST(HitTest, AHandlerThatGivesUpTheCaptureEndsThePress) {
    PixelForm f;
    forms::Image a(f), b(f);
    Record(a, "a", f, 0, 0, 50, 50);
    Record(b, "b", f, 100, 0, 50, 50);
    // As a drag by the caption does: release the capture in the press handler.
    a.MouseDown = [&](forms::MouseArgs&) {
        f.events.push_back("a down");
        ReleaseCapture();
    };
    Mouse(f.hWnd(), WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    Mouse(f.hWnd(), WM_MOUSEMOVE, 110, 10, MK_LBUTTON);
    Mouse(f.hWnd(), WM_LBUTTONUP, 110, 10);
    EXPECT_EQ(f.events, (Events{"a down", "b move b1 s0 10,10", "b up b1 s0 10,10"}));
}

TEST(HitTest, AControlUnloadedByItsOwnPressNeitherClicksNorCrashes) {
    PixelForm f;
    forms::ControlArray<forms::Label> rows(f);
    rows[0].Move(0, 0, 50, 20);
    rows.Load(1).SetTop(30);
    rows[1].SetVisible(true);
    rows.MouseDown = [&](int i, forms::MouseArgs&) {
        f.events.push_back("row down " + std::to_string(i));
        rows.Unload(i);
    };
    rows.Click = [&](int i) { f.events.push_back("row click " + std::to_string(i)); };
    EXPECT_EQ(Clicked(f, 10, 35), (Events{"row down 1", "form up b1 s0 10,35"}));
    EXPECT_FALSE(rows.Exists(1));
}

TEST(HitTest, WhileTheProgramHoldsTheCaptureTheHostGetsEveryMouseEvent) {
    PixelForm f;
    forms::Image row(f);
    Record(row, "row", f, 0, 0, 100, 50);
    // As a drop-down list does: it takes the capture and handles every press itself.
    SetCapture(f.hWnd());
    Mouse(f.hWnd(), WM_MOUSEMOVE, 10, 10);
    Mouse(f.hWnd(), WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    Mouse(f.hWnd(), WM_LBUTTONUP, 10, 10);
    Mouse(f.hWnd(), WM_RBUTTONDOWN, -40, 300, MK_RBUTTON);
    Mouse(f.hWnd(), WM_RBUTTONUP, -40, 300);
    EXPECT_EQ(f.events, (Events{"form move b0 s0 10,10", "form down b1 s0 10,10", "form up b1 s0 10,10",
                                "form click", "form down b2 s0 -40,300", "form up b2 s0 -40,300"}));
    EXPECT_EQ(GetCapture(), f.hWnd());  // a press does not end the program's capture
    ReleaseCapture();
    EXPECT_EQ(Clicked(f, 10, 10).back(), "row click");
}

TEST(ToolTips, ThePointedControlsTextIsTheTooltip) {
    PixelForm f;
    forms::Label a(f), b(f), plain(f);
    a.Move(0, 0, 50, 20);
    a.ToolTipText = L"Default";
    b.Move(0, 30, 50, 20);
    b.ToolTipText = L"Blue";
    plain.Move(0, 60, 50, 20);
    auto tipAt = [&](int y) {
        Mouse(f.hWnd(), WM_MOUSEMOVE, 5, y);
        wchar_t buf[80] = {};
        TOOLINFOW ti{};
        ti.cbSize = TTTOOLINFOW_V1_SIZE;
        ti.hwnd = f.hWnd();
        ti.uId = reinterpret_cast<UINT_PTR>(f.hWnd());
        ti.lpszText = buf;
        if (f.ToolTipWindow()) SendMessageW(f.ToolTipWindow(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&ti));
        return std::wstring(buf);
    };
    EXPECT_EQ(tipAt(65), L"");
    EXPECT_EQ(f.ToolTipWindow(), nullptr);  // nothing to tell yet
    EXPECT_EQ(tipAt(5), L"Default");
    EXPECT_EQ(tipAt(35), L"Blue");
    EXPECT_EQ(tipAt(65), L"");
    f.Unload();
    EXPECT_EQ(f.ToolTipWindow(), nullptr);
}
