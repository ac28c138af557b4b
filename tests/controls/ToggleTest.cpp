#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "controls/CheckBox.h"
#include "controls/OptionBox.h"
#include "forms/Frame.h"
#include "tests/controls/Strip.h"
#include "tests/forms/TestForm.h"

namespace {
// Three radio buttons in a row, the third inside a frame, all on one pixel form.
struct Options {
    PixelForm form{300, 100};
    forms::Frame frame{form};
    OptionBox box[3]{OptionBox(form), OptionBox(form), OptionBox(frame)};
    int clicks[3] = {};
    Options() {
        form.Show();
        frame.Move(100, 0, 100, 50);
        for (int i = 0; i < 3; ++i) {
            box[i].Move(i == 2 ? 10 : 10 + 40 * i, 10, 1, 1);
            box[i].SetSkin(Strip(15, OptionBox::CellPx, 6));
            box[i].Click = [this, i] { ++clicks[i]; };
        }
    }
    std::string Values() const {
        std::string s;
        for (const OptionBox& b : box) s += b.Value() ? '1' : '0';
        return s;
    }
};
}  // namespace

TEST(OptionBox, SelectionIsExclusiveOverTheFormAndFollowsMouseKeysAndLabels) {
    using Act = std::function<void(Options&)>;
    auto mouse = [](UINT m, int x, int y, WPARAM k = 0) {
        return Act([=](Options& o) { Mouse(o.box[1].Handle(), m, x, y, k); });
    };
    auto seq = [](std::initializer_list<Act> acts) {
        std::vector<Act> v(acts);
        return Act([v](Options& o) { for (const Act& a : v) a(o); });
    };
    const Act in = mouse(WM_MOUSEMOVE, 7, 7), down = mouse(WM_LBUTTONDOWN, 7, 7, MK_LBUTTON),
              up = mouse(WM_LBUTTONUP, 7, 7);
    const Act pick0 = [](Options& o) { o.box[0].Checked(); };
    const Act pick2 = [](Options& o) { o.box[2].Checked(); };  // the box inside the frame
    struct Case {
        const char* name;
        Act act;
        const char* values;
        int clicks;  // of the middle box
        int cell;    // of the middle box
    } cases[] = {
        {"left click", seq({pick0, in, down, up}), "010", 1, 3},
        {"left click on the selected box", seq({in, down, up, in, down, up}), "010", 2, 3},
        {"right click", seq({pick0, in, mouse(WM_RBUTTONDOWN, 7, 7, MK_RBUTTON), mouse(WM_RBUTTONUP, 7, 7)}), "100",
         0, 1},
        {"released outside", seq({in, down, mouse(WM_LBUTTONUP, 7, 40)}), "000", 0, 0},
        {"pressed", seq({in, down}), "000", 0, 4},
        {"space", seq({pick2, [](Options& o) { Key(o.box[1].Handle(), WM_KEYDOWN, VK_SPACE); },
                       [](Options& o) { Key(o.box[1].Handle(), WM_KEYUP, VK_SPACE); }}), "010", 1, 3},
        {"label: Checked", seq({pick0, [](Options& o) { o.box[1].Checked(); }}), "010", 1, 2},
        {"label: Down then Moved", seq({[](Options& o) { o.box[1].Down(); }, [](Options& o) { o.box[1].Moved(); }}),
         "000", 0, 4},
        {"label: Up then Moved", seq({[](Options& o) { o.box[1].Down(); o.box[1].Up(); o.box[1].Moved(); }}), "000",
         0, 1},
        {"Value set", seq({pick0, [](Options& o) { o.box[1].SetValue(true); }}), "110", 0, 2},
        {"caption beside the box, AddWidth", seq({[](Options& o) { o.box[1].SetAddWidth(600); }, in,
                                                  mouse(WM_MOUSEMOVE, 50, 7), mouse(WM_LBUTTONDOWN, 50, 7, MK_LBUTTON),
                                                  mouse(WM_LBUTTONUP, 50, 7)}), "010", 1, 3},
        {"beyond AddWidth", seq({[](Options& o) { o.box[1].SetAddWidth(600); }, in, mouse(WM_MOUSEMOVE, 60, 7)}),
         "000", 0, 0},
    };
    for (const Case& c : cases) {
        Options o;
        c.act(o);
        EXPECT_EQ(o.Values(), c.values) << c.name;
        EXPECT_EQ(o.clicks[1], c.clicks) << c.name;
        EXPECT_EQ(CellAt(o.box[1], 7, 7), c.cell) << c.name;
        ReleaseCapture();
    }
}

TEST(OptionBox, IsForcedToItsSizeAndRoundAndDrawsItsCaptionOnTheParent) {
    PixelForm form;
    form.Show();
    OptionBox b(form);
    b.Move(10, 10, 100, 100);
    EXPECT_EQ(b.Width(), 15);
    RECT box{};
    ASSERT_NE(GetWindowRgnBox(b.Handle(), &box), ERROR);
    EXPECT_EQ(box.left, 1);
    b.SetCaption(L"WWW");
    HDC screen = GetDC(nullptr);
    forms::MemDC dc(screen, 200, 100);
    ReleaseDC(nullptr, screen);
    RECT all{0, 0, 200, 100};
    FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    b.UserControl_Paint(dc.Get());
    int inked = 0;
    for (int x = 28; x < 70; ++x)
        for (int y = 10; y < 25; ++y) inked += GetPixel(dc.Get(), x, y) != RGB(255, 255, 255);
    EXPECT_GT(inked, 10);
    EXPECT_EQ(GetPixel(dc.Get(), 20, 5), RGB(255, 255, 255));
}

TEST(CheckBox, InvertsOnClickAndKeysAndClicksOnEveryValueSet) {
    struct Box {
        PixelForm form;
        CheckBox b{form};
        int clicks = 0;
        Box() {
            form.Show();
            b.Move(10, 10, 1, 1);
            b.SetSkin(Strip(13, CheckBox::CellPx, 6));
            b.Click = [this] { ++clicks; };
        }
        void Send(UINT m, int x, int y, WPARAM k = 0) { Mouse(b.Handle(), m, x, y, k); }
    };
    using Act = std::function<void(Box&)>;
    struct Case {
        const char* name;
        Act act;
        bool value;
        int clicks;
        int cell;
    } cases[] = {
        {"left click", [](Box& t) { t.Send(WM_MOUSEMOVE, 6, 6); t.Send(WM_LBUTTONDOWN, 6, 6, MK_LBUTTON);
                                    t.Send(WM_LBUTTONUP, 6, 6); }, true, 1, 3},
        {"enter switches off", [](Box& t) { t.b.SetValue(true); Focus(t.b.Handle());
                                            Key(t.b.Handle(), WM_KEYDOWN, VK_RETURN);
                                            Key(t.b.Handle(), WM_KEYUP, VK_RETURN); }, false, 2, 1},
        {"Value set to its own value", [](Box& t) { t.b.SetValue(false); }, false, 1, 0},
        {"focused, pointer leaves", [](Box& t) { Focus(t.b.Handle()); t.Send(WM_MOUSEMOVE, 6, 6);
                                                 t.Send(WM_MOUSEMOVE, 60, 6); }, false, 0, 1},
        {"released outside", [](Box& t) { t.Send(WM_MOUSEMOVE, 6, 6); t.Send(WM_LBUTTONDOWN, 6, 6, MK_LBUTTON);
                                          t.Send(WM_LBUTTONUP, 60, 6); }, false, 0, 0},
        {"right click", [](Box& t) { t.Send(WM_MOUSEMOVE, 6, 6); t.Send(WM_RBUTTONDOWN, 6, 6, MK_RBUTTON);
                                     t.Send(WM_RBUTTONUP, 6, 6); }, false, 0, 1},
    };
    for (const Case& c : cases) {
        Box t;
        c.act(t);
        EXPECT_EQ(t.b.Value(), c.value) << c.name;
        EXPECT_EQ(t.clicks, c.clicks) << c.name;
        EXPECT_EQ(CellAt(t.b, 6, 6), c.cell) << c.name;
        EXPECT_EQ(t.b.Width(), 13) << c.name;
        ReleaseCapture();
    }
}

TEST(SkinToggle, HoverChangesAndRepaintsKeepTheGdiCountFlat) {
    Options o;
    CheckBox check(o.form);
    auto round = [&] {
        for (HWND h : {o.box[0].Handle(), check.Handle()}) {
            Mouse(h, WM_MOUSEMOVE, 5, 5);
            RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            Mouse(h, WM_MOUSEMOVE, 50, 5);
            RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
    };
    o.box[0].SetCaption(L"caption");
    round();
    const int before = LiveGdiObjects();
    for (int i = 0; i < 1000; ++i) round();
    EXPECT_EQ(LiveGdiObjects(), before);
}
