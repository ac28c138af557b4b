#include <gtest/gtest.h>

#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include "forms/ControlArray.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "tests/forms/TestForm.h"

using Events = std::vector<std::string>;

namespace {
void Record(forms::Control& c, const std::string& name, TestForm& f) {
    c.MouseDown = [&f, name](forms::MouseArgs& a) { f.Note(name + " down", a); };
    c.MouseMove = [&f, name](forms::MouseArgs& a) { f.Note(name + " move", a); };
    c.MouseUp = [&f, name](forms::MouseArgs& a) { f.Note(name + " up", a); };
    c.Click = [&f, name] { f.events.push_back(name + " click"); };
    c.DblClick = [&f, name] { f.events.push_back(name + " dblclick"); };
}
}  // namespace

TEST(HitTest, TheTopmostVisibleEnabledControlTakesThePress) {
    TestForm f;
    f.Load();
    f.SetScaleMode(forms::ScaleMode::Pixels);
    forms::Image back(f), front(f);
    back.Move(0, 0, 100, 50);
    front.Move(50, 0, 100, 50);
    Record(back, "back", f);
    Record(front, "front", f);

    ClickAt(f.hWnd(), 60, 10);
    EXPECT_EQ(f.events, (Events{"front down b1 s0 10,10", "front up b1 s0 10,10", "front click"}));
    f.events.clear();
    front.ZOrder(1);
    ClickAt(f.hWnd(), 60, 10);
    EXPECT_EQ(f.events.back(), "back click");
    f.events.clear();
    back.SetVisible(false);
    ClickAt(f.hWnd(), 60, 10);
    EXPECT_EQ(f.events.back(), "front click");
    f.events.clear();
    front.SetEnabled(false);  // a disabled control lets the press through to the form
    ClickAt(f.hWnd(), 60, 10);
    EXPECT_EQ(f.events, (Events{"form down b1 s0 60,10", "form up b1 s0 60,10", "form click"}));
}

TEST(HitTest, ThePressedControlKeepsTheMouseUntilReleaseAndClicksOnlyOverItself) {
    TestForm f;
    f.Load();
    forms::Image a(f), b(f);
    a.Move(50 * 15, 0, 50 * 15, 50 * 15);  // twips: 50..100 px
    b.Move(0, 0, 40 * 15, 50 * 15);
    Record(a, "a", f);
    Record(b, "b", f);

    Mouse(f.hWnd(), WM_LBUTTONDOWN, 60, 10, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), f.hWnd());
    // Outside the control and outside the window: still a's, in twips relative to a.
    Mouse(f.hWnd(), WM_MOUSEMOVE, 300, -20, MK_LBUTTON);
    Mouse(f.hWnd(), WM_LBUTTONUP, 300, -20);
    EXPECT_EQ(f.events, (Events{"a down b1 s0 150,150", "a move b1 s0 3750,-300", "a up b1 s0 3750,-300"}));
    EXPECT_EQ(GetCapture(), nullptr);

    // Released over another control: neither clicks.
    f.events.clear();
    Mouse(f.hWnd(), WM_LBUTTONDOWN, 60, 10, MK_LBUTTON);
    Mouse(f.hWnd(), WM_LBUTTONUP, 10, 10);
    EXPECT_EQ(f.events, (Events{"a down b1 s0 150,150", "a up b1 s0 -600,150"}));

    // With no button held, moves go to whatever lies under the pointer.
    f.events.clear();
    Mouse(f.hWnd(), WM_MOUSEMOVE, 10, 10);
    Mouse(f.hWnd(), WM_MOUSEMOVE, 150, 10);
    EXPECT_EQ(f.events, (Events{"b move b0 s0 150,150", "form move b0 s0 2250,150"}));
}

TEST(HitTest, FormSurfaceEventsCarryButtonShiftAndScale) {
    TestForm f;
    f.Load();
    f.SetScaleMode(forms::ScaleMode::Pixels);
    Mouse(f.hWnd(), WM_LBUTTONDOWN, 150, 60, MK_LBUTTON | MK_SHIFT | MK_CONTROL);
    Mouse(f.hWnd(), WM_LBUTTONUP, 150, 60, MK_SHIFT | MK_CONTROL);
    Mouse(f.hWnd(), WM_RBUTTONDOWN, 5, 6, MK_RBUTTON);
    Mouse(f.hWnd(), WM_RBUTTONUP, 5, 6);
    EXPECT_EQ(f.events, (Events{"form down b1 s3 150,60", "form up b1 s3 150,60", "form click",
                                "form down b2 s0 5,6", "form up b2 s0 5,6"}));
    // A double click: the first press clicks, the second raises DblClick and no second click.
    f.events.clear();
    Mouse(f.hWnd(), WM_LBUTTONDOWN, 7, 8, MK_LBUTTON);
    Mouse(f.hWnd(), WM_LBUTTONUP, 7, 8);
    Mouse(f.hWnd(), WM_LBUTTONDBLCLK, 7, 8, MK_LBUTTON);
    Mouse(f.hWnd(), WM_LBUTTONUP, 7, 8);
    EXPECT_EQ(f.events, (Events{"form down b1 s0 7,8", "form up b1 s0 7,8", "form click", "form dblclick",
                                "form up b1 s0 7,8"}));
}

TEST(HitTest, AHandlerThatGivesUpTheCaptureEndsThePress) {
    TestForm f;
    f.Load();
    f.SetScaleMode(forms::ScaleMode::Pixels);
    forms::Image a(f), b(f);
    a.Move(0, 0, 50, 50);
    b.Move(100, 0, 50, 50);
    Record(a, "a", f);
    Record(b, "b", f);
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
    TestForm f;
    f.Load();
    f.SetScaleMode(forms::ScaleMode::Pixels);
    forms::ControlArray<forms::Label> rows(f);
    rows[0].Move(0, 0, 50, 20);
    auto& row1 = rows.Load(1);
    row1.SetTop(30);
    row1.SetVisible(true);
    rows.MouseDown = [&](int i, forms::MouseArgs&) {
        f.events.push_back("row down " + std::to_string(i));
        rows.Unload(i);
    };
    rows.Click = [&](int i) { f.events.push_back("row click " + std::to_string(i)); };
    ClickAt(f.hWnd(), 10, 35);
    EXPECT_FALSE(rows.Exists(1));
    EXPECT_EQ(f.events.front(), "row down 1");
    for (const auto& e : f.events) EXPECT_EQ(e.find("click"), std::string::npos) << e;
}

TEST(FormKeys, KeysAndCharactersReachTheFormHandlers) {
    TestForm f;
    f.Load();
    SendMessageW(f.hWnd(), WM_KEYDOWN, 'A', 0);
    SendMessageW(f.hWnd(), WM_CHAR, 'a', 0);
    EXPECT_EQ(f.events, (Events{"keydown 65 0", "keypress 97"}));
}

TEST(HitTest, WhileTheProgramHoldsTheCaptureTheHostGetsEveryMouseEvent) {
    TestForm f;
    f.Load();
    f.SetScaleMode(forms::ScaleMode::Pixels);
    forms::Image row(f);
    row.Move(0, 0, 100, 50);
    Record(row, "row", f);
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
    f.events.clear();
    ClickAt(f.hWnd(), 10, 10);
    EXPECT_EQ(f.events.back(), "row click");
}

namespace {
std::wstring TipText(HWND tip, HWND host) {
    wchar_t buf[80] = {};
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V1_SIZE;
    ti.hwnd = host;
    ti.uId = reinterpret_cast<UINT_PTR>(host);
    ti.lpszText = buf;
    SendMessageW(tip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&ti));
    return buf;
}
}  // namespace

TEST(ToolTips, ThePointedControlsTextIsTheTooltip) {
    TestForm f;
    f.Load();
    f.SetScaleMode(forms::ScaleMode::Pixels);
    forms::Label a(f), b(f), plain(f);
    a.Move(0, 0, 50, 20);
    a.ToolTipText = L"Default";
    b.Move(0, 30, 50, 20);
    b.ToolTipText = L"Blue";
    plain.Move(0, 60, 50, 20);
    Mouse(f.hWnd(), WM_MOUSEMOVE, 5, 65);
    EXPECT_EQ(f.ToolTipWindow(), nullptr);  // nothing to tell yet
    Mouse(f.hWnd(), WM_MOUSEMOVE, 5, 5);
    ASSERT_NE(f.ToolTipWindow(), nullptr);
    EXPECT_EQ(TipText(f.ToolTipWindow(), f.hWnd()), L"Default");
    Mouse(f.hWnd(), WM_MOUSEMOVE, 5, 35);
    EXPECT_EQ(TipText(f.ToolTipWindow(), f.hWnd()), L"Blue");
    Mouse(f.hWnd(), WM_MOUSEMOVE, 5, 65);
    EXPECT_EQ(TipText(f.ToolTipWindow(), f.hWnd()), L"");
    f.Unload();
    EXPECT_EQ(f.ToolTipWindow(), nullptr);
}
