// The skinned scroll bar on a real form, driven with the mouse messages the system sends it.
#include <gtest/gtest.h>

#include <array>
#include <sstream>

#include "controls/CheckBox.h"
#include "controls/OptionBox.h"
#include "controls/Scroll.h"
#include "controls/ucButton3.h"
#include "tests/controls/ControlKit.h"

namespace {

// Piece p's frame for look s has a colour of its own.
COLORREF Look(int piece, int s) { return RGB(10 + 30 * piece, 20 + 60 * s, 77); }
enum Piece { Top, Low, Bg, MidUp, MidDown, Mid, MidTop, MidLow };

// A strip whose frame s fills rows tops[s] .. tops[s] + h with piece's colour of look s.
forms::Picture Strip(int piece, int h, std::initializer_list<int> tops) {
    std::vector<Band> bands;
    for (int top : tops) bands.push_back({top, h, Look(piece, static_cast<int>(bands.size()))});
    return BandPicture(25, *(tops.end() - 1) + h, bands);
}

// A bar of the given height (track = height - 48) on a pixel form, with the event journal.
struct Bar {
    explicit Bar(int heightPx = 248, int16_t max = 20) : form(100, 300) {
        form.Show();
        bar.Move(10, 10, 25, heightPx);
        bar.LoadPicture(Strip(Top, 24, {0, 24, 48, 72}), Strip(Low, 24, {0, 24, 48, 72}), SolidPicture(25, 110, Look(Bg, 0)),
                        Strip(MidUp, 6, {0, 8, 16, 25}), Strip(MidDown, 6, {1, 9, 17, 26}),
                        Strip(Mid, 39, {0, 41, 82, 123}), Strip(MidTop, 20, {1, 21, 41, 61}),
                        Strip(MidLow, 20, {1, 21, 41, 61}));
        bar.SetMax_Value(max);
        bar.Pressed = [this] { log << "P "; };
        bar.Change = [this](int16_t& top, int16_t& size) { log << "C" << top << "/" << size << " "; };
    }
    ~Bar() { form.Hide(); }
    // "d30 m500 u500 r240": left down, move, up (any button), right down at bar pixel (12, y).
    void Drive(const std::string& script) {
        std::istringstream in(script);
        std::string step;
        while (in >> step) {
            const int y = std::stoi(step.substr(1));
            const UINT msg = step[0] == 'd' ? WM_LBUTTONDOWN : step[0] == 'r' ? WM_RBUTTONDOWN
                           : step[0] == 'u' ? WM_LBUTTONUP : WM_MOUSEMOVE;
            Mouse(bar.hWnd(), msg, step[0] == 'o' ? 200 : 12, y, step[0] == 'd' ? MK_LBUTTON : 0);
        }
    }
    PixelForm form;
    controls::Scroll bar{form};
    std::ostringstream log;
};

// The bar's height and Max, a ScrollTop set before the script (0 leaves it), the script, then the
// Value, ScrollTop, ScrollHeight and events that follow.
struct StepCase {
    const char* what;
    int heightPx;
    int16_t max, scrollTopFirst;
    const char* script;
    int16_t value, scrollTop, scrollHeight;
    const char* events;
};

// Track 200 px unless said otherwise; with Max 20 the thumb is 17 px, the travel 183.
const StepCase kSteps[] = {
    {"one range: the thumb fills the track, a press still reports", 248, 0, 0, "d5 u5", 0, 0, 0, "P C0/-4 "},
    {"three presses on the down button", 248, 20, 0, "d240 u240 d240 u240 d240 u240", 3, 28, 187,
     "P C9/183 P C19/183 P C28/183 "},
    {"a press on the boundary of the up button", 248, 20, 0, "d24 u24", 0, 0, 187, "P "},
    {"track below the thumb steps down", 248, 20, 0, "d100 u100", 1, 9, 187, "P C9/183 "},
    // The position follows a thumb set by ScrollTop: one press, one step from where the thumb stands.
    {"track above a thumb set by ScrollTop steps once from the thumb", 248, 20, 100, "d50 u50", 10, 94, 187, "P C94/183 "},
    // The thumb at the bottom lies 4 px over the down arrow: a press there steps and drags nothing.
    {"the arrow under the thumb's end", 248, 20, 0, "d30 m600 u600 d226 m100 u100", 20, 187, 187, "P C187/183 P C187/183 "},
    {"thumb dragged to the middle", 248, 20, 0, "d30 m123 u123", 10, 93, 187, "P C93/183 "},
    {"thumb dragged past the bottom, then the down button", 248, 20, 0, "d30 m600 o600 u600 d240 u240", 20, 187, 187,
     "P C187/183 P C187/183 "},
    {"thumb dragged above the top", 248, 20, 50, "d79 m-200 u-200", 0, 0, 187, "P C0/183 "},
    {"a drag back to where an earlier drag ended still reports", 248, 20, 0, "d30 m60 u60 d240 u240 d70 m63 u63",
     3, 30, 187, "P C30/183 P C37/183 P C30/183 "},
    {"the right button only raises Pressed", 248, 20, 0, "r240 u240", 0, 0, 187, "P "},
    {"ScrollTop above the largest is clamped", 248, 20, 500, "", 20, 187, 187, ""},
    {"ScrollTop below the track is clamped", 248, 20, -5, "", 0, 0, 187, ""},
    {"a bar shorter than its thumb keeps working", 40, 0, 0, "d39 u39 d10 m30 u30", 0, 0, -21,
     "P C0/-25 P C0/-25 "},
    {"a zero range drags without dividing by zero", 248, 0, 0, "d100 m150 u150", 0, 0, 0, "P "},
};

TEST(Scroll, StepsMoveAndReport) {
    for (const StepCase& c : kSteps) {
        SCOPED_TRACE(c.what);
        Bar b(c.heightPx, c.max);
        if (c.scrollTopFirst) b.bar.SetScrollTop(c.scrollTopFirst);
        b.Drive(c.script);
        EXPECT_EQ((std::array{b.bar.Value(), b.bar.ScrollTop(), b.bar.ScrollHeight()}),
                  (std::array{c.value, c.scrollTop, c.scrollHeight}));
        EXPECT_EQ(b.log.str(), c.events);
    }
}

// Looks: with Max 1 the thumb is 104 px at the top (rows 22..125): caps, fillers and grip show.
struct LookCase {
    const char* what, *script;
    bool enabled;
    int up, thumb, down;  // the look each part shows
    bool captured;
};
const LookCase kLooks[] = {
    {"first display", "", true, 0, 0, 0, false},
    {"pointer on the up button", "m10", true, 1, 0, 0, true},
    {"pointer on the thumb", "m60", true, 0, 1, 0, true},
    {"pointer left the bar", "m10 o10", true, 0, 0, 0, false},
    {"down button held", "m240 d240", true, 0, 0, 2, true},
    {"thumb held", "m60 d60", true, 0, 2, 0, true},
    {"released outside", "m60 d60 o300 u300", true, 0, 0, 0, false},
    {"disabled, pointer on the track", "m200", false, 3, 3, 3, false},
};

TEST(Scroll, EachPartShowsTheFrameOfItsState) {
    for (const LookCase& c : kLooks) {
        SCOPED_TRACE(c.what);
        Bar b(248, 1);
        b.bar.SetEnabled(c.enabled);
        b.Drive(c.script);
        const int t = 22 + b.bar.ScrollTop();
        EXPECT_EQ(Mismatches(Snapshot(b.bar), {{12, 12, Look(Top, c.up)}, {12, 236, Look(Low, c.down)},
                                                {12, t + 2, Look(MidUp, c.thumb)}, {12, t + 15, Look(MidTop, c.thumb)},
                                                {12, t + 50, Look(Mid, c.thumb)}, {12, t + 80, Look(MidLow, c.thumb)},
                                                {12, t + 99, Look(MidDown, c.thumb)},
                                                {12, t > 100 ? 60 : 200, Look(Bg, 0)},
                                                {0, t, Look(Bg, 0)}}),  // the thumb's rounded corner
                  "");
        EXPECT_EQ(GetCapture() == b.bar.hWnd(), c.captured);
        Mouse(b.bar.hWnd(), WM_LBUTTONUP, 200, 300);
    }
}

// A track too short for the smallest thumb (the empty main window's, 13 px) shows its background
// between the arrows, not a thumb squeezed under them.
TEST(Scroll, ShowsNoThumbWhereTheTrackCannotHoldOne) {
    Bar b(61, 0);
    EXPECT_EQ(Mismatches(Snapshot(b.bar), {{12, 30, Look(Bg, 0)}, {12, 12, Look(Top, 0)}, {12, 50, Look(Low, 0)}}), "");
}

TEST(Scroll, LetsGoOfTheMouseWhenDisabledOrWhenAnotherWindowTakesIt) {
    Bar b;
    b.Drive("m10");
    b.bar.SetEnabled(false);
    EXPECT_NE(GetCapture(), b.bar.hWnd());
    b.bar.SetEnabled(true);
    b.Drive("m30 d30");           // the thumb held ...
    SetCapture(b.form.hWnd());    // ... until another window takes the mouse
    b.Drive("m130 u130");         // so the pointer coming back drags nothing
    EXPECT_EQ(b.bar.ScrollTop(), 0);
    EXPECT_EQ(b.log.str(), "P ");
    ReleaseCapture();
}

// A thousand rounds of look changes, steps and repaints of every skinned control leave no GDI object.
TEST(SkinnedControls, HoversStepsAndRepaintsKeepTheGdiCountFlat) {
    Bar b;
    ucButton3 button(b.form);
    button.Move(40, 10, 60, 24);
    button.LoadSkin(::Strip(60, ucButton3::FramePx, 5));
    OptionBox option(b.form);
    option.Move(40, 40, 1, 1);
    option.SetSkin(::Strip(15, OptionBox::CellPx, 6));
    option.SetCaption(L"caption");
    CheckBox check(b.form);
    check.Move(40, 60, 1, 1);
    check.SetSkin(::Strip(13, CheckBox::CellPx, 6));
    auto round = [&](int i) {
        b.Drive(i % 2 ? "m10 d240 u240" : "m60 o300");
        for (HWND h : {b.bar.hWnd(), option.Handle(), check.Handle(), button.hwnd()}) {
            Mouse(h, WM_MOUSEMOVE, 5, 5);
            RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            Mouse(h, WM_MOUSEMOVE, 50, 40);
            RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
    };
    round(0);
    const int before = LiveGdiObjects();
    for (int i = 0; i < 1000; ++i) round(i);
    EXPECT_EQ(LiveGdiObjects(), before);
}

TEST(Scroll, SnapsToTwentyFivePixelsWithRoundedCorners) {
    Bar b(248, 20);
    b.bar.SetWidth(80);
    EXPECT_EQ(b.bar.RectPx().right - b.bar.RectPx().left, 25);
    forms::GdiObj<HRGN> rgn(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(b.bar.hWnd(), rgn.Get()), ERROR);
    EXPECT_FALSE(PtInRegion(rgn.Get(), 0, 0));
    EXPECT_TRUE(PtInRegion(rgn.Get(), 12, 0));
    EXPECT_TRUE(PtInRegion(rgn.Get(), 12, 240));
}

}  // namespace
