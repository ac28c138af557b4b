#include <gtest/gtest.h>

#include <vector>

#include "app/WindowEffects.h"
#include "app/mGlobal.h"
#include "tests/effects/TestForms.h"

namespace {

// Records, at every wait, the alpha the watched windows show at that moment.
class FadeRecorder {
public:
    explicit FadeRecorder(std::vector<HWND> watched) : watched_(std::move(watched)) {
        previous_ = Func::SetFadeWait([this](uint32_t ms) {
            waitsMs.push_back(ms);
            for (HWND h : watched_) alphas.push_back(AlphaOf(h));
        });
    }
    ~FadeRecorder() { Func::SetFadeWait(std::move(previous_)); }

    std::vector<uint32_t> waitsMs;
    std::vector<int> alphas;

private:
    std::vector<HWND> watched_;
    Func::FadeWait previous_;
};

// Puts the fade settings back to their start values on entry and on exit.
struct Settings {
    Settings() { Reset(); }
    ~Settings() { Reset(); }
    static void Reset() {
        mGlobal::Transparent = 255;
        mGlobal::InactiveTransparent = 255;
        mGlobal::PaiseSpeed = 1000;
    }
};

}  // namespace

TEST(FadeForm, FullSpeedFadeInShowsZeroTwiceThenTheTargetOnTop) {
    Settings s;
    mGlobal::Transparent = 200;
    SizedForm f(20, 20, 80, 40);
    f.Load();
    FadeRecorder rec({f.hWnd()});
    Func::FadeForm(f, 1000, false);
    EXPECT_EQ(rec.waitsMs, (std::vector<uint32_t>{30, 30}));
    EXPECT_EQ(rec.alphas, (std::vector<int>{0, 0}));
    EXPECT_EQ(AlphaOf(f.hWnd()), 200);
    EXPECT_TRUE(f.Visible());
    EXPECT_TRUE(GetWindowLongA(f.hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    GetLayeredWindowAttributes(f.hWnd(), &key, &alpha, &flags);
    EXPECT_EQ(key, mGlobal::TransparentColor);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
}

TEST(FadeForm, SlowerFadeInStepsThroughTheAlphas) {
    Settings s;
    SizedForm f(20, 20, 80, 40);
    f.Load();
    FadeRecorder watch({f.hWnd()});
    Func::FadeForm(f, 100, false);
    EXPECT_EQ(watch.alphas, (std::vector<int>{0, 0, 25, 51, 76, 102, 127, 153, 178, 204, 229}));
    EXPECT_EQ(AlphaOf(f.hWnd()), 255);
}

TEST(FadeForm, TransparentZeroFadesInToTwoHundredForty) {
    Settings s;
    mGlobal::Transparent = 0;
    SizedForm f(20, 20, 80, 40);
    FadeRecorder rec({});
    Func::FadeForm(f, 1000, false);
    EXPECT_EQ(AlphaOf(f.hWnd()), 240);
}

TEST(FadeForm, FadeOutHidesAndSpeedZeroHidesAtOnce) {
    Settings s;
    SizedForm f(20, 20, 80, 40);
    {
        FadeRecorder quiet({});
        Func::FadeForm(f, 1000, false);
    }
    {
        FadeRecorder rec({f.hWnd()});
        Func::FadeForm(f, -1000, false);
        EXPECT_EQ(rec.alphas, (std::vector<int>{255, 255}));
        EXPECT_EQ(AlphaOf(f.hWnd()), 0);
        EXPECT_FALSE(f.Visible());
    }
    {
        FadeRecorder quiet({});
        Func::FadeForm(f, 1000, false);
    }
    FadeRecorder rec({f.hWnd()});
    Func::FadeForm(f, 0, false);
    EXPECT_TRUE(rec.waitsMs.empty());
    EXPECT_FALSE(f.Visible());
}

namespace {
HWND gModal, gOther;
int gOtherEnabledInLoop = -1;
// Runs inside the modal loop: notes whether the other window takes input, then closes.
void CALLBACK DuringModal(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    gOtherEnabledInLoop = IsWindowEnabled(gOther) ? 1 : 0;
    PostMessageW(gModal, WM_CLOSE, 0, 0);
}
}  // namespace

TEST(FadeForm, ModalFadeInBlocksTheOtherWindowsUntilTheFormIsHidden) {
    Settings s;
    SizedForm f(20, 20, 80, 40), other(120, 20, 80, 40);
    f.Load();
    other.Show();
    gModal = f.hWnd();
    gOther = other.hWnd();
    FadeRecorder quiet({});
    ASSERT_NE(SetTimer(nullptr, 0, 10, &DuringModal), 0u);
    Func::FadeForm(f, 1000, true);
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(gOtherEnabledInLoop, 0);
    EXPECT_TRUE(IsWindowEnabled(other.hWnd()));
}

TEST(FadeSwitch, BothWindowsGoInactiveAndBackOnceEach) {
    Settings s;
    mGlobal::Transparent = 250;
    mGlobal::InactiveTransparent = 100;
    SizedForm main(20, 80, 80, 40), start(20, 20, 80, 40);
    main.Load();
    start.Load();
    {
        FadeRecorder rec({main.hWnd(), start.hWnd()});
        Func::FadeToInactive(main, start);
        // Both start from Transparent; one step later the last step sets InactiveTransparent.
        EXPECT_EQ(rec.alphas, (std::vector<int>{250, 250, 250, 250}));
        EXPECT_EQ(AlphaOf(main.hWnd()), 100);
        EXPECT_EQ(AlphaOf(start.hWnd()), 100);
    }
    {
        FadeRecorder rec({main.hWnd()});
        Func::FadeToInactive(main, start);  // already there: nothing runs
        EXPECT_TRUE(rec.waitsMs.empty());
    }
    {
        mGlobal::PaiseSpeed = 100;
        FadeRecorder rec({main.hWnd()});
        Func::FadeToActive(main, start);
        EXPECT_EQ(rec.alphas, (std::vector<int>{100, 100, 115, 130, 145, 160, 175, 190, 205, 220, 235}));
        EXPECT_EQ(AlphaOf(main.hWnd()), 250);
        EXPECT_EQ(AlphaOf(start.hWnd()), 250);
    }
}

TEST(FadeSwitch, EqualSettingsNeverChangeAnAlpha) {
    Settings s;
    mGlobal::Transparent = 180;
    mGlobal::InactiveTransparent = 180;
    SizedForm main(20, 80, 80, 40), start(20, 20, 80, 40);
    main.Load();
    start.Load();
    Func::SetWindowAlpha(main.hWnd(), mGlobal::TransparentColor, 77);
    FadeRecorder rec({main.hWnd()});
    Func::FadeToInactive(main, start);
    Func::FadeToActive(main, start);
    EXPECT_TRUE(rec.waitsMs.empty());
    EXPECT_EQ(AlphaOf(main.hWnd()), 77);
}
