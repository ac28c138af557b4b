#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "model/mGlobal.h"
#include "controls/ucButton3.h"
#include "tests/controls/ControlKit.h"

namespace {
// A 60 px wide button on a pixel form with a five-frame strip, its events noted as words.
struct Btn {
    PixelForm form;
    ucButton3 b{form};
    std::string events;
    explicit Btn(int heightPx = 24) {
        form.Show();
        b.Move(10, 10, 60, heightPx);
        b.LoadSkin(Strip(60, ucButton3::FramePx, 5));
        b.MouseDown = [this](forms::MouseArgs&) { events += "down "; };
        b.MouseUp = [this](forms::MouseArgs&) { events += "up "; };
        b.MouseOut = [this] { events += "out "; };
        b.Click = [this] { events += "click "; };
    }
};
using A = Act<Btn>;
A Send(UINT m, int x, int y, WPARAM keys = 0) { return [=](Btn& t) { Mouse(t.b.hwnd(), m, x, y, keys); }; }
A Press(UINT m, WPARAM code) { return [=](Btn& t) { Key(t.b.hwnd(), m, code); }; }
A Enable(bool on) { return [=](Btn& t) { t.b.SetEnabled(on); }; }
const A in = Send(WM_MOUSEMOVE, 30, 12), down = Send(WM_LBUTTONDOWN, 30, 12, MK_LBUTTON),
        up = Send(WM_LBUTTONUP, 30, 12), focus = [](Btn& t) { Focus(t.b.hwnd()); },
        enter = [](Btn& t) {
            for (UINT m : {WM_KEYDOWN, WM_CHAR, WM_KEYUP}) Key(t.b.hwnd(), m, m == WM_CHAR ? '\r' : VK_RETURN);
        };
}  // namespace

TEST(ucButton3, FramesAndClicksFollowTheMouseTheKeysAndEnabled) {
    const std::tuple<const char*, Steps<Btn>, int, const char*> cases[] = {
        {"at rest", {}, ucButton3::Normal, ""},
        {"hover", {in}, ucButton3::Hover, ""},
        {"left press", {in, down}, ucButton3::Pressed, "down "},
        {"left click", {in, down, up}, ucButton3::Hover, "down up click "},
        {"released outside, focused", {in, down, Send(WM_MOUSEMOVE, 90, 12, MK_LBUTTON), Send(WM_LBUTTONUP, 90, 12)},
         ucButton3::Normal, "down up "},
        {"right click", {in, Send(WM_RBUTTONDOWN, 30, 12, MK_RBUTTON), Send(WM_RBUTTONUP, 30, 12)},
         ucButton3::Hover, "up "},
        {"double click", {in, down, up, Send(WM_LBUTTONDBLCLK, 30, 12, MK_LBUTTON), up}, ucButton3::Hover,
         "down up click up click "},
        {"pointer leaves below the outline", {in, Send(WM_MOUSEMOVE, 30, 30)}, ucButton3::Normal, "out "},
        {"focus", {focus}, ucButton3::Focused, ""},
        {"space held", {focus, Press(WM_KEYDOWN, VK_SPACE)}, ucButton3::Pressed, ""},
        {"space", {focus, Press(WM_KEYDOWN, VK_SPACE), Press(WM_CHAR, ' '), Press(WM_KEYUP, VK_SPACE)},
         ucButton3::Focused, "click "},
        {"enter clicks on the character and again on key up", {focus, enter}, ucButton3::Focused, "click click "},
        {"enter whose keys a hook ate", {focus, Press(WM_CHAR, '\r')}, ucButton3::Focused, "click "},
        {"enter, the click disables", {focus, [](Btn& t) { t.b.Click = [&t] { t.b.SetEnabled(false); }; }, enter},
         ucButton3::Disabled, ""},
        {"disabled", {Enable(false), in, down, up, enter}, ucButton3::Disabled, ""},
        {"enabled again with the focus", {focus, Enable(false), Enable(true)}, ucButton3::Focused, ""},
        {"strip of two frames", {[](Btn& t) { t.b.LoadSkin(Strip(60, 24, 2)); }, Enable(false)}, 1, ""},
    };
    for (const auto& [name, steps, frame, events] : cases) {
        Btn t;
        for (const A& step : steps) step(t);
        EXPECT_EQ(CellAt(t.b, 30, 12), frame) << name;
        EXPECT_EQ(t.events, events) << name;
    }
}

TEST(ucButton3, OneFocusFrameAtATimeAndADisabledButtonPassesTheFocusOn) {
    Btn t;
    auto a = std::make_unique<ucButton3>(t.form);
    ucButton3 c(t.form);
    a->Move(0, 40, 60, 24);
    c.Move(0, 70, 60, 24);
    Focus(a->hwnd());
    in(t), down(t), up(t);  // a press takes the focus
    EXPECT_EQ(a->ShownFrame(), ucButton3::Normal);
    EXPECT_EQ(mGlobal::CurrentButton, &t.b);
    c.Click = [&] { t.events += "c "; };
    c.SetEnabled(false);
    Focus(c.hwnd());  // lands on c and moves on to the next tab stop
    EXPECT_EQ(GetFocus(), t.b.hwnd());
    EXPECT_EQ(t.events, "down up click ");
    Focus(a->hwnd());
    a.reset();
    EXPECT_EQ(mGlobal::CurrentButton, nullptr);
}

TEST(ucButton3, OnlyTheRoundedTop24PixelsShowAndAreHit) {
    Btn t(40);
    RECT box{};
    ASSERT_NE(GetWindowRgnBox(t.b.hwnd(), &box), ERROR);
    EXPECT_GE(box.bottom, ucButton3::FramePx - 1);  // the platform's round rectangles end a pixel short
    EXPECT_LE(box.bottom, ucButton3::FramePx);
    for (const auto& [cc, x, y, hit] : {std::tuple{8, 30.0, 12.0, true}, {8, 30, 30, false}, {8, 0, 0, false},
                                        {8, 58, 12, true}, {0, 0, 0, true}}) {
        t.b.SetCC(static_cast<uint8_t>(cc));
        EXPECT_EQ(t.b.HitTest(x, y), hit) << cc << " " << x << "," << y;
    }
    t.b.Move(10, 10, 0, 0);  // nothing to show or hit, and no fault
    EXPECT_FALSE(t.b.HitTest(0, 0));
}

TEST(ucButton3, AWindowMadeAgainGetsItsOwnOutline) {
    Btn t(40);
    t.form.Unload();
    t.form.Load();
    RECT box{};
    ASSERT_NE(GetWindowRgnBox(t.b.hwnd(), &box), ERROR);
    EXPECT_EQ(box.bottom, ucButton3::FramePx - 1);
}
