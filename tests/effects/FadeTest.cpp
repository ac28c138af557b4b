#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "tests/forms/TestForm.h"

namespace {

// The layered attributes of a window: colour key, alpha, flags.
std::tuple<COLORREF, int, DWORD> LayeredOf(HWND h) {
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    GetLayeredWindowAttributes(h, &key, &alpha, &flags);
    return {key, alpha, flags};
}
int AlphaOf(HWND h) { return std::get<1>(LayeredOf(h)); }

// Records, at every 30 ms wait, the alphas the watched windows show; puts the fade settings back
// to their start values on entry and on exit.
struct FadeRecorder {
    explicit FadeRecorder(std::vector<HWND> watched = {}) {
        Reset();
        previous = Func::SetFadeWait([this, watched](uint32_t ms) {
            EXPECT_EQ(ms, 30u);
            ++waits;
            for (HWND h : watched) alphas.push_back(AlphaOf(h));
        });
    }
    ~FadeRecorder() {
        Func::SetFadeWait(std::move(previous));
        Reset();
    }
    static void Reset() {
        mGlobal::Transparent = mGlobal::InactiveTransparent = 255;
        mGlobal::PaiseSpeed = 1000;
    }
    int waits = 0;
    std::vector<int> alphas;
    Func::FadeWait previous;
};

HWND gModal, gOther;
int gOtherEnabledInLoop = -1;
// Runs inside the modal loop: notes whether the other window takes input, then closes.
void CALLBACK DuringModal(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    gOtherEnabledInLoop = IsWindowEnabled(gOther) ? 1 : 0;
    PostMessageW(gModal, WM_CLOSE, 0, 0);
}

}  // namespace

// The values a fade sets: from the start by delta / 1000 * speed while not past the end, each cut
// to its integer part. Rows: fade-in and fade-out of a form, the switch between transparencies.
TEST(FadeMath, StepsRunWhileNotPastTheEndCutToTheirIntegerPart) {
    using Func::FadeStep;
    struct Case { float from, to, step; std::vector<uint8_t> alphas; };
    const Case cases[] = {
        {0, 255, FadeStep(255, 1000), {0, 255}},
        {0, 240, FadeStep(240, 1000), {0, 240}},
        {255, 0, FadeStep(255, -1000), {255, 0}},
        {0, 255, FadeStep(255, 100), {0, 25, 51, 76, 102, 127, 153, 178, 204, 229, 255}},
        {255, 0, FadeStep(255, -100), {255, 229, 204, 178, 153, 127, 102, 76, 51, 25, 0}},
        {0, 255, FadeStep(255, 300), {0, 76, 153, 229}},  // short of the target: the fade sets it
        {255, 105, FadeStep(105.0 - 255, 100), {255, 240, 225, 210, 195, 180, 165, 150, 135, 120, 105}},
        {105, 255, FadeStep(255.0 - 105, 100), {105, 120, 135, 150, 165, 180, 195, 210, 225, 240, 255}},
        {255, 0, FadeStep(255, 0), {}},
        {100, 200, FadeStep(100, 0), {}},  // a zero step between rising values would never end
    };
    for (const Case& c : cases)
        EXPECT_EQ(Func::FadeAlphas(c.from, c.to, c.step), c.alphas) << c.from << " to " << c.to << " by " << c.step;
    // The slowest the slider offers (30) takes 34 steps; a slower speed from the file no more.
    for (int16_t speed : {30, 1, -1}) {
        auto slow = Func::FadeAlphas(speed > 0 ? 0 : 255, speed > 0 ? 255 : 0, FadeStep(255, speed));
        EXPECT_EQ(slow.size(), 34u) << speed;
    }
}

// Fading in sets alpha 0 first, then each step after its wait, then the target on top (Transparent
// 0 means 240); fading out hides the form, and speed 0 hides it at once.
TEST(FadeForm, FadeInStepsToTheTargetOnTopAndFadeOutHides) {
    struct Case { uint8_t transparent; int16_t speed; std::vector<int> atWaits; int final; };
    const Case cases[] = {{200, 1000, {0, 0}, 200},
                          {255, 100, {0, 0, 25, 51, 76, 102, 127, 153, 178, 204, 229}, 255},
                          {0, 1000, {0, 0}, 240},
                          {255, -1000, {255, 255}, 0},
                          {255, 0, {}, 255}};
    for (const Case& c : cases) {
        TestForm f(80, 40, 20, 20);
        f.Load();
        FadeRecorder rec({f.hWnd()});
        mGlobal::Transparent = c.transparent;
        if (c.speed <= 0) Func::FadeForm(f, 1000, false), rec.alphas.clear();
        Func::FadeForm(f, c.speed, false);
        EXPECT_EQ(rec.alphas, c.atWaits) << c.speed;
        EXPECT_EQ(f.Visible(), c.speed > 0);
        EXPECT_EQ(AlphaOf(f.hWnd()), c.final);
        if (c.speed > 0) {
            EXPECT_TRUE(GetWindowLongA(f.hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
            EXPECT_EQ(LayeredOf(f.hWnd()), std::tuple(mGlobal::TransparentColor, c.final, DWORD{LWA_COLORKEY | LWA_ALPHA}));
        }
    }
}

TEST(FadeForm, ModalFadeInBlocksTheOtherWindowsUntilTheFormIsHidden) {
    TestForm f(80, 40, 20, 20), other(80, 40, 120, 20);
    f.Load();
    other.Show();
    gModal = f.hWnd();
    gOther = other.hWnd();
    FadeRecorder quiet;
    ASSERT_NE(SetTimer(nullptr, 0, 10, &DuringModal), 0u);
    Func::FadeForm(f, 1000, true);
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(gOtherEnabledInLoop, 0);
    EXPECT_TRUE(IsWindowEnabled(other.hWnd()));
}

TEST(FadeSwitch, BothWindowsGoInactiveAndBackOnceEach) {
    TestForm main(80, 40, 20, 80), start(80, 40, 20, 20);
    main.Load();
    start.Load();
    FadeRecorder rec({main.hWnd(), start.hWnd()});
    mGlobal::Transparent = 250;
    mGlobal::InactiveTransparent = 100;
    Func::FadeToInactive(main, start);
    // Both start from Transparent; one step later the last step sets InactiveTransparent.
    EXPECT_EQ(rec.alphas, (std::vector<int>{250, 250, 250, 250}));
    EXPECT_EQ(AlphaOf(main.hWnd()), 100);
    EXPECT_EQ(AlphaOf(start.hWnd()), 100);
    Func::FadeToInactive(main, start);  // already there: nothing runs
    EXPECT_EQ(rec.waits, 2);

    FadeRecorder watchMain({main.hWnd()});
    mGlobal::Transparent = 250;
    mGlobal::InactiveTransparent = 100;
    mGlobal::PaiseSpeed = 100;
    Func::FadeToActive(main, start);
    EXPECT_EQ(watchMain.alphas, (std::vector<int>{100, 100, 115, 130, 145, 160, 175, 190, 205, 220, 235}));
    EXPECT_EQ(AlphaOf(main.hWnd()), 250);
    EXPECT_EQ(AlphaOf(start.hWnd()), 250);

    // Equal settings never change an alpha.
    mGlobal::Transparent = mGlobal::InactiveTransparent = 180;
    Func::SetWindowAlpha(main.hWnd(), mGlobal::TransparentColor, 77);
    const int waits = watchMain.waits;
    Func::FadeToInactive(main, start);
    Func::FadeToActive(main, start);
    EXPECT_EQ(watchMain.waits, waits);
    EXPECT_EQ(AlphaOf(main.hWnd()), 77);
}
