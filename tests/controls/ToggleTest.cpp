#include <gtest/gtest.h>

#include <string>

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
    std::string Values() const {
        std::string s;
        for (const OptionBox& b : opt) s += b.Value() ? '1' : '0';
        return s;
    }
};
using A = Act<Boxes>;
A Send(UINT m, int x, int y, WPARAM k = 0) { return [=](Boxes& o) { Mouse(o.opt[1].Handle(), m, x, y, k); }; }
A Press(UINT m, WPARAM code) { return [=](Boxes& o) { Key(o.opt[1].Handle(), m, code); }; }
const A in = Send(WM_MOUSEMOVE, 7, 7), down = Send(WM_LBUTTONDOWN, 7, 7, MK_LBUTTON), up = Send(WM_LBUTTONUP, 7, 7),
        pick0 = [](Boxes& o) { o.opt[0].Checked(); }, pick2 = [](Boxes& o) { o.opt[2].Checked(); },
        wide = [](Boxes& o) { o.opt[1].SetAddWidth(600); };

A CheckSend(UINT m, int x, int y, WPARAM k = 0) { return [=](Boxes& o) { Mouse(o.check.Handle(), m, x, y, k); }; }
A CheckKey(UINT m, WPARAM code) { return [=](Boxes& o) { Key(o.check.Handle(), m, code); }; }
A CheckValue(bool v) { return [=](Boxes& o) { o.check.SetValue(v); }; }
const A checkIn = CheckSend(WM_MOUSEMOVE, 6, 6), checkDown = CheckSend(WM_LBUTTONDOWN, 6, 6, MK_LBUTTON),
        checkFocus = [](Boxes& o) { Focus(o.check.Handle()); };
}  // namespace

TEST(OptionBox, SelectionIsExclusiveOverTheFormAndFollowsMouseKeysAndLabels) {
    struct {
        const char* name;
        A act;
        const char* values;
        int clicks, cell;  // of the middle box
    } cases[] = {
        {"left click", Seq<Boxes>({pick0, in, down, up}), "010", 1, 3},
        {"left click on the selected box", Seq<Boxes>({in, down, up, in, down, up}), "010", 2, 3},
        {"right click", Seq<Boxes>({pick0, in, Send(WM_RBUTTONDOWN, 7, 7, MK_RBUTTON), Send(WM_RBUTTONUP, 7, 7)}),
         "100", 0, 1},
        {"released outside", Seq<Boxes>({in, down, Send(WM_LBUTTONUP, 7, 40)}), "000", 0, 0},
        {"pressed", Seq<Boxes>({in, down}), "000", 0, 4},
        {"space, clearing the box in the frame", Seq<Boxes>({pick2, Press(WM_KEYDOWN, VK_SPACE),
                                                             Press(WM_KEYUP, VK_SPACE)}), "010", 1, 3},
        {"label: Checked", Seq<Boxes>({pick0, [](Boxes& o) { o.opt[1].Checked(); }}), "010", 1, 2},
        {"label: Down, Moved", Seq<Boxes>({[](Boxes& o) { o.opt[1].Down(); o.opt[1].Moved(); }}), "000", 0, 4},
        {"label: Down, Up, Moved", Seq<Boxes>({[](Boxes& o) { o.opt[1].Down(); o.opt[1].Up(); o.opt[1].Moved(); }}),
         "000", 0, 1},
        {"Value set", Seq<Boxes>({pick0, [](Boxes& o) { o.opt[1].SetValue(true); }}), "110", 0, 2},
        {"click on the caption, AddWidth", Seq<Boxes>({wide, in, Send(WM_MOUSEMOVE, 50, 7),
                                                       Send(WM_LBUTTONDOWN, 50, 7, MK_LBUTTON),
                                                       Send(WM_LBUTTONUP, 50, 7)}), "010", 1, 3},
        {"beyond AddWidth", Seq<Boxes>({wide, in, Send(WM_MOUSEMOVE, 56, 7)}), "000", 0, 0},
    };
    for (const auto& c : cases) {
        Boxes o;
        c.act(o);
        EXPECT_EQ(o.Values(), c.values) << c.name;
        EXPECT_EQ(o.optClicks, c.clicks) << c.name;
        EXPECT_EQ(CellAt(o.opt[1], 7, 7), c.cell) << c.name;
        EXPECT_EQ(o.opt[1].Width(), 15) << c.name;
        ReleaseCapture();
    }
}

TEST(CheckBox, InvertsOnClickAndKeysAndClicksOnEveryValueSet) {
    struct {
        const char* name;
        A act;
        bool value;
        int clicks, cell;
    } cases[] = {
        {"left click", Seq<Boxes>({checkIn, checkDown, CheckSend(WM_LBUTTONUP, 6, 6)}), true, 1, 3},
        {"enter switches off", Seq<Boxes>({CheckValue(true), checkFocus, CheckKey(WM_KEYDOWN, VK_RETURN),
                                           CheckKey(WM_KEYUP, VK_RETURN)}), false, 2, 1},
        {"Value set to its own value", CheckValue(false), false, 1, 0},
        {"focused, pointer leaves", Seq<Boxes>({checkFocus, checkIn, CheckSend(WM_MOUSEMOVE, 60, 6)}), false, 0, 1},
        {"released outside", Seq<Boxes>({checkIn, checkDown, CheckSend(WM_LBUTTONUP, 60, 6)}), false, 0, 0},
        {"right click", Seq<Boxes>({checkIn, CheckSend(WM_RBUTTONDOWN, 6, 6, MK_RBUTTON),
                                    CheckSend(WM_RBUTTONUP, 6, 6)}), false, 0, 1},
    };
    for (const auto& c : cases) {
        Boxes o;
        c.act(o);
        EXPECT_EQ(o.check.Value(), c.value) << c.name;
        EXPECT_EQ(o.checkClicks, c.clicks) << c.name;
        EXPECT_EQ(CellAt(o.check, 6, 6), c.cell) << c.name;
        EXPECT_EQ(o.check.Width(), 13) << c.name;
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
