#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "app/mGlobal.h"
#include "controls/ucButton3.h"
#include "tests/controls/Strip.h"
#include "tests/forms/TestForm.h"

namespace {
// A 60 x 24 px button on a pixel form with a five-frame strip, its events noted as words.
struct ButtonOnForm {
    PixelForm form;
    ucButton3 b{form};
    std::string events;
    explicit ButtonOnForm(int heightPx = 24) {
        form.Show();
        b.Move(10, 10, 60, heightPx);
        b.LoadSkin(Strip(60, ucButton3::FramePx, 5));
        b.MouseDown = [this](forms::MouseArgs&) { events += "down "; };
        b.MouseUp = [this](forms::MouseArgs&) { events += "up "; };
        b.MouseOut = [this] { events += "out "; };
        b.Click = [this] { events += "click "; };
    }
    HWND h() const { return b.hwnd(); }
    int FrameShown() { return CellAt(b, 30, 12, 5); }
};
}  // namespace

TEST(ucButton3, FramesAndClicksFollowTheMouseTheKeysAndEnabled) {
    using Act = std::function<void(ButtonOnForm&)>;
    auto move = [](int x, int y) { return Act([=](ButtonOnForm& t) { Mouse(t.h(), WM_MOUSEMOVE, x, y); }); };
    auto seq = [](std::initializer_list<Act> acts) {
        std::vector<Act> v(acts);
        return Act([v](ButtonOnForm& t) { for (const Act& a : v) a(t); });
    };
    auto msg = [](UINT m, int x, int y, WPARAM k = 0) { return Act([=](ButtonOnForm& t) { Mouse(t.h(), m, x, y, k); }); };
    auto key = [](UINT m, WPARAM c) { return Act([=](ButtonOnForm& t) { Key(t.h(), m, c); }); };
    const Act focus = [](ButtonOnForm& t) { Focus(t.h()); };
    const Act disableOnClick = [](ButtonOnForm& t) { t.b.Click = [&t] { t.events += "click "; t.b.SetEnabled(false); }; };
    const Act disable = [](ButtonOnForm& t) { t.b.SetEnabled(false); };
    const Act down = msg(WM_LBUTTONDOWN, 30, 12, MK_LBUTTON), up = msg(WM_LBUTTONUP, 30, 12);
    struct Case {
        const char* name;
        Act act;
        int frame;
        const char* events;
    } cases[] = {
        {"at rest", seq({}), ucButton3::Normal, ""},
        {"hover", move(30, 12), ucButton3::Hover, ""},
        {"left press", seq({move(30, 12), down}), ucButton3::Pressed, "down "},
        {"left click", seq({move(30, 12), down, up}), ucButton3::Hover, "down up click "},
        {"release outside, focused", seq({focus, move(30, 12), down, msg(WM_MOUSEMOVE, 90, 12, MK_LBUTTON),
                                          msg(WM_LBUTTONUP, 90, 12)}), ucButton3::Normal, "down up "},
        {"right click", seq({move(30, 12), msg(WM_RBUTTONDOWN, 30, 12, MK_RBUTTON), msg(WM_RBUTTONUP, 30, 12)}),
         ucButton3::Hover, "up "},
        {"double click", seq({move(30, 12), down, up, msg(WM_LBUTTONDBLCLK, 30, 12, MK_LBUTTON), up}),
         ucButton3::Hover, "down up click up click "},
        {"pointer leaves", seq({move(30, 12), move(30, 30)}), ucButton3::Normal, "out "},
        {"focus", focus, ucButton3::Focused, ""},
        {"space held", seq({focus, key(WM_KEYDOWN, VK_SPACE)}), ucButton3::Pressed, ""},
        {"space", seq({focus, key(WM_KEYDOWN, VK_SPACE), key(WM_CHAR, ' '), key(WM_KEYUP, VK_SPACE)}),
         ucButton3::Focused, "click "},
        {"enter clicks twice", seq({focus, key(WM_KEYDOWN, VK_RETURN), key(WM_CHAR, '\r'), key(WM_KEYUP, VK_RETURN)}),
         ucButton3::Focused, "click click "},
        {"enter whose keys a hook ate", seq({focus, key(WM_CHAR, '\r')}), ucButton3::Focused, "click "},
        {"enter, click disables", seq({focus, disableOnClick, key(WM_KEYDOWN, VK_RETURN), key(WM_CHAR, '\r'),
                                       key(WM_KEYUP, VK_RETURN)}), ucButton3::Disabled, "click "},
        {"disabled", seq({disable, move(30, 12), down, up, key(WM_KEYDOWN, VK_RETURN), key(WM_CHAR, '\r')}),
         ucButton3::Disabled, ""},
        {"enabled again", seq({focus, disable, [](ButtonOnForm& t) { t.b.SetEnabled(true); }}), ucButton3::Focused,
         ""},
    };
    for (const Case& c : cases) {
        ButtonOnForm t;
        c.act(t);
        EXPECT_EQ(t.FrameShown(), c.frame) << c.name;
        EXPECT_EQ(t.b.ShownFrame(), c.frame) << c.name;
        EXPECT_EQ(t.events, c.events) << c.name;
    }
}

TEST(ucButton3, OneFocusFrameAtATimeAndADisabledButtonPassesTheFocusOn) {
    PixelForm form;
    form.Show();
    auto a = std::make_unique<ucButton3>(form);
    ucButton3 b(form), c(form);
    for (ucButton3* x : {a.get(), &b, &c}) x->Move(0, 30.0 * (x == &b) + 60.0 * (x == &c), 60, 24);
    Focus(a->hwnd());
    EXPECT_EQ(mGlobal::CurrentButton, a.get());
    Focus(b.hwnd());
    EXPECT_EQ(a->ShownFrame(), ucButton3::Normal);
    EXPECT_EQ(b.ShownFrame(), ucButton3::Focused);
    EXPECT_EQ(mGlobal::CurrentButton, &b);

    bool raised = false;
    c.Click = [&] { raised = true; };
    c.GotFocus = [&] { raised = true; };
    c.SetEnabled(false);
    Focus(c.hwnd());  // the focus lands on c and moves on to the next tab stop
    EXPECT_EQ(GetFocus(), a->hwnd());
    EXPECT_FALSE(raised);
    EXPECT_EQ(mGlobal::CurrentButton, a.get());
    a.reset();
    EXPECT_EQ(mGlobal::CurrentButton, nullptr);
}

TEST(ucButton3, OnlyTheRoundedTop24PixelsShowAndAreHit) {
    ButtonOnForm t(40);
    RECT box{};
    ASSERT_NE(GetWindowRgnBox(t.h(), &box), ERROR);
    EXPECT_GE(box.bottom, ucButton3::FramePx - 1);  // the platform's round rectangles end a pixel short
    EXPECT_LE(box.bottom, ucButton3::FramePx);
    struct {
        int cc;
        double x, y;
        bool hit;
    } cases[] = {{8, 30, 12, true}, {8, 30, 30, false}, {8, 0, 0, false}, {8, 58, 12, true}, {0, 0, 0, true}};
    for (const auto& c : cases) {
        t.b.SetCC(static_cast<uint8_t>(c.cc));
        EXPECT_EQ(t.b.HitTest(c.x, c.y), c.hit) << c.cc << " " << c.x << "," << c.y;
    }
    // A press and release below the outline is no click.
    Mouse(t.h(), WM_LBUTTONDOWN, 30, 12, MK_LBUTTON);
    Mouse(t.h(), WM_LBUTTONUP, 30, 32);
    EXPECT_EQ(t.events, "down up ");
}

TEST(ucButton3, AStripShorterThanItsFramesShowsItsLastFrame) {
    ButtonOnForm t;
    t.b.LoadSkin(Strip(60, ucButton3::FramePx, 2));
    t.b.SetEnabled(false);
    EXPECT_EQ(t.FrameShown(), 1);
    t.b.LoadSkin(forms::Picture());
    t.b.SetEnabled(true);
    t.b.Move(10, 10, 0, 0);  // nothing to show or hit, and no fault
    EXPECT_FALSE(t.b.HitTest(0, 0));
}

TEST(ucButton3, RepaintsAndHoverChangesKeepTheGdiCountFlat) {
    ButtonOnForm t;
    auto round = [&] {
        Mouse(t.h(), WM_MOUSEMOVE, 30, 12);
        RedrawWindow(t.h(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Mouse(t.h(), WM_MOUSEMOVE, 30, 40);
        RedrawWindow(t.h(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    };
    round();
    const int before = LiveGdiObjects();
    for (int i = 0; i < 2000; ++i) round();
    EXPECT_EQ(LiveGdiObjects(), before);
}
