#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "controls/CheckBox.h"
#include "controls/OptionBox.h"
#include "forms/Frame.h"
#include "tests/controls/ControlKit.h"

namespace {
// Three radio buttons on one pixel form, the third inside a frame, and a check box; the middle
// radio button and the check box count their clicks.
struct Boxes {
    PixelForm form{300, 100};
    forms::Frame frame{form};
    OptionBox opt[3]{OptionBox(form), OptionBox(form), OptionBox(frame)};
    CheckBox check{form};
    int optClicks = 0, checkClicks = 0;
    Boxes() {
        form.Show();
        frame.Move(100, 0, 100, 50);
        for (int i = 0; i < 3; ++i) {
            opt[i].Move(10 + 40 * (i % 2), 10, 1, 1);
            opt[i].SetSkin(Strip(15, OptionBox::CellPx, 6));
        }
        opt[1].Click = [this] { ++optClicks; };
        check.Move(10, 50, 1, 1);
        check.SetSkin(Strip(13, CheckBox::CellPx, 6));
        check.Click = [this] { ++checkClicks; };
    }
    // The radio buttons' values, the middle one's clicks and cell; the check box's value, clicks and cell.
    std::string State() {
        std::string s;
        for (const OptionBox& b : opt) s += b.Value() ? '1' : '0';
        return s + " " + std::to_string(optClicks) + " " + std::to_string(CellAt(opt[1], 7, 7)) + " / " +
               (check.Value() ? "1 " : "0 ") + std::to_string(checkClicks) + " " + std::to_string(CellAt(check, 6, 6));
    }
};
using A = Act<Boxes>;
enum Box { Opt, Check };  // the middle radio button or the check box
HWND Handle(Boxes& o, Box b) { return b == Opt ? o.opt[1].Handle() : o.check.Handle(); }
A Send(Box b, UINT m, int x, int y, WPARAM k = 0) { return [=](Boxes& o) { Mouse(Handle(o, b), m, x, y, k); }; }
A Press(Box b, UINT m, WPARAM code) { return [=](Boxes& o) { Key(Handle(o, b), m, code); }; }
A CheckValue(bool v) { return [=](Boxes& o) { o.check.SetValue(v); }; }
const A in = Send(Opt, WM_MOUSEMOVE, 7, 7), down = Send(Opt, WM_LBUTTONDOWN, 7, 7, MK_LBUTTON),
        up = Send(Opt, WM_LBUTTONUP, 7, 7), pick0 = [](Boxes& o) { o.opt[0].Checked(); },
        pick2 = [](Boxes& o) { o.opt[2].Checked(); }, wide = [](Boxes& o) { o.opt[1].SetAddWidth(600); },
        checkIn = Send(Check, WM_MOUSEMOVE, 6, 6), checkDown = Send(Check, WM_LBUTTONDOWN, 6, 6, MK_LBUTTON),
        checkFocus = [](Boxes& o) { Focus(o.check.Handle()); }, labelDown = [](Boxes& o) { o.opt[1].Down(); },
        labelMoved = [](Boxes& o) { o.opt[1].Moved(); };
}  // namespace

// Radio buttons: selection is exclusive over the form and follows the mouse, the keys and the labels.
// The check box inverts on a click and on keys, and clicks on every value set.
TEST(OptionBox, SelectsExclusivelyAndTheCheckBoxInvertsOnMouseKeysAndLabels) {
    const std::tuple<const char*, Steps<Boxes>, const char*> cases[] = {
        {"left click", {pick0, in, down, up}, "010 1 3 / 0 0 0"},
        {"left click on the selected box", {in, down, up, in, down, up}, "010 2 3 / 0 0 0"},
        {"right click", {pick0, in, Send(Opt, WM_RBUTTONDOWN, 7, 7, MK_RBUTTON), Send(Opt, WM_RBUTTONUP, 7, 7)},
         "100 0 1 / 0 0 0"},
        {"released outside", {in, down, Send(Opt, WM_LBUTTONUP, 7, 40)}, "000 0 0 / 0 0 0"},
        {"pressed", {in, down}, "000 0 4 / 0 0 0"},
        {"space, clearing the box in the frame",
         {pick2, Press(Opt, WM_KEYDOWN, VK_SPACE), Press(Opt, WM_KEYUP, VK_SPACE)}, "010 1 3 / 0 0 0"},
        {"label: Checked", {pick0, [](Boxes& o) { o.opt[1].Checked(); }}, "010 1 2 / 0 0 0"},
        {"label: Down, Moved", {labelDown, labelMoved}, "000 0 4 / 0 0 0"},
        {"label: Down, Up, Moved", {labelDown, [](Boxes& o) { o.opt[1].Up(); }, labelMoved}, "000 0 1 / 0 0 0"},
        {"Value set", {pick0, [](Boxes& o) { o.opt[1].SetValue(true); }}, "110 0 2 / 0 0 0"},
        {"click on the caption, AddWidth", {wide, in, Send(Opt, WM_MOUSEMOVE, 50, 7),
         Send(Opt, WM_LBUTTONDOWN, 50, 7, MK_LBUTTON), Send(Opt, WM_LBUTTONUP, 50, 7)}, "010 1 3 / 0 0 0"},
        {"beyond AddWidth", {wide, in, Send(Opt, WM_MOUSEMOVE, 56, 7)}, "000 0 0 / 0 0 0"},
        {"check: left click", {checkIn, checkDown, Send(Check, WM_LBUTTONUP, 6, 6)}, "000 0 0 / 1 1 3"},
        {"check: enter switches off", {CheckValue(true), checkFocus, Press(Check, WM_KEYDOWN, VK_RETURN),
         Press(Check, WM_KEYUP, VK_RETURN)}, "000 0 0 / 0 2 1"},
        {"check: Value set to its own value", {CheckValue(false)}, "000 0 0 / 0 1 0"},
        {"check: focused, pointer leaves", {checkFocus, checkIn, Send(Check, WM_MOUSEMOVE, 60, 6)}, "000 0 0 / 0 0 1"},
        {"check: released outside", {checkIn, checkDown, Send(Check, WM_LBUTTONUP, 60, 6)}, "000 0 0 / 0 0 0"},
        {"check: right click",
         {checkIn, Send(Check, WM_RBUTTONDOWN, 6, 6, MK_RBUTTON), Send(Check, WM_RBUTTONUP, 6, 6)}, "000 0 0 / 0 0 1"},
    };
    for (const auto& [name, steps, state] : cases) {
        Boxes o;
        for (const A& step : steps) step(o);
        EXPECT_EQ(o.State(), state) << name;
        EXPECT_EQ(std::pair(o.opt[1].Width(), o.check.Width()), std::pair(15.0, 13.0)) << name;
        ReleaseCapture();
    }
}

TEST(OptionBox, IsRoundAndWritesItsCaptionBesideItselfOnTheParent) {
    Boxes o;
    RECT box{};
    ASSERT_NE(GetWindowRgnBox(o.opt[0].Handle(), &box), ERROR);
    EXPECT_EQ(box.left, 1);
    o.opt[0].SetCaption(L"WWW");
    HDC screen = GetDC(nullptr);
    forms::MemDC dc(screen, 200, 100);
    ReleaseDC(nullptr, screen);
    PatBlt(dc.Get(), 0, 0, 200, 100, WHITENESS);
    o.opt[0].UserControl_Paint(dc.Get());
    int inked = 0;
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 100; ++y)
            if (GetPixel(dc.Get(), x, y) != RGB(255, 255, 255)) inked += x >= 28 && y >= 10 && y < 25 ? 1 : 1000;
    EXPECT_GT(inked, 10);
    EXPECT_LT(inked, 1000);  // nothing outside the caption's place
}
