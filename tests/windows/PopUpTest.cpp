// The delete and save menu driven by its keys, the mouse and its timer; the save menu's actions
// are told apart by whether they ask for a file name (with nothing selected only "all" asks).
#include <windows.h>

#include <gtest/gtest.h>

#include "model/mGlobal.h"
#include "windows/Windows.h"

namespace {
struct PopUp : ::testing::Test {
    fPopUpForm& p = fPopUp();
    int asked = 0;
    void SetUp() override {
        mGlobal::History.Delete_All();
        mGlobal::LastClipText.clear();
        for (auto t : {u"a", u"b", u"c"}) fMain().AddClip(t);
        fMain().AskExportFileName = [this] { ++asked; return std::string(); };
        p.Show();
        p.PrevContr = 2;
    }
    void TearDown() override { fMain().AskExportFileName = nullptr; }
    void Key(int vk) { SendMessageW(p.hWnd(), WM_KEYDOWN, static_cast<WPARAM>(vk), 0); }
    void Tick() { SendMessageW(p.hWnd(), WM_TIMER, p.Timer1.Id(), 0); }
    int StripTopPx() { return p.iBack.RectPx().top; }
    // The pointer at (x, y) px of the menu, reported as the window would see it.
    void PointAt(int x, int y) {
        RECT r{};
        GetWindowRect(p.hWnd(), &r);
        SetCursorPos(r.left + x, r.top + y);
        for (int i = 0; i < 2; ++i) SendMessageW(p.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    }
};
}  // namespace

// Keys from a freshly opened menu: which item is lit, where the strip stands, what Enter runs.
TEST_F(PopUp, KeysLightTheItemsInTurnAndEnterRunsTheLitOne) {
    struct Case { std::vector<int> keys; int hot; int asks; };
    const Case cases[] = {{{VK_RETURN}, 0, 0},
                          {{VK_DOWN, VK_RETURN}, 2, 0},
                          {{VK_UP, VK_DOWN, VK_RETURN}, 1, 1},
                          {{VK_DOWN, VK_DOWN, VK_UP, VK_SPACE}, 2, 0}};
    p.he = 59;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys.size());
        asked = 0;
        p.Show();
        Tick();  // brings back the unlit frame, as closing by the timer does
        p.PrevContr = 2;
        p.Show();
        for (int k : c.keys) {
            if (k == VK_RETURN || k == VK_SPACE) {
                EXPECT_EQ(StripTopPx(), c.hot == 2 ? -59 : c.hot == 1 ? -118 : 0);
            }
            Key(k);
        }
        EXPECT_EQ(p.HotItem(), c.hot);
        EXPECT_EQ(asked, c.asks);
        EXPECT_FALSE(p.Visible());
    }
}

// The pointer above the middle line lights the upper item, on it and below the lower one,
// outside nothing. (The menu is 41 px high: its middle line runs through pixel 21.)
TEST_F(PopUp, ThePointerLightsTheItemUnderIt) {
    RECT r{};
    GetWindowRect(p.hWnd(), &r);
    const int h = r.bottom - r.top;
    struct Case { int x, y, hot; };
    for (Case c : {Case{10, 5, 2}, Case{10, (h + 1) / 2 - 1, 2}, Case{10, (h + 1) / 2, 1}, Case{10, h - 2, 1},
                   Case{10, h + 30, 0}}) {
        PointAt(c.x, c.y);
        EXPECT_EQ(p.HotItem(), c.hot) << c.y;
    }
    ReleaseCapture();
}

// Another window in front closes the menu within one tick, unlit, and the mode goes on the next.
TEST_F(PopUp, LosingTheForegroundClosesTheMenuWithoutAction) {
    Key(VK_DOWN);
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    SetForegroundWindow(other);
    Tick();
    EXPECT_FALSE(p.Visible());
    EXPECT_EQ(p.HotItem(), 0);
    EXPECT_EQ(p.PrevContr, 2);
    Tick();
    EXPECT_EQ(p.PrevContr, 0);
    EXPECT_EQ(asked, 0);
    DestroyWindow(other);
}

// The Delete button closes its own open menu, and turns an open save menu into the delete menu.
TEST_F(PopUp, TheDeleteButtonTogglesItsMenu) {
    p.PrevContr = 1;
    fMain().Delete_Click();
    EXPECT_FALSE(p.Visible());
    p.Show();
    p.PrevContr = 2;
    fMain().Delete_Click();
    EXPECT_TRUE(p.Visible());
    EXPECT_EQ(p.PrevContr, 1);
    RECT m{}, b{};
    GetWindowRect(p.hWnd(), &m);
    GetWindowRect(fMain().Delete.hWnd(), &b);
    EXPECT_EQ(m.left, b.left - 1);
    EXPECT_EQ(m.top, b.top + 25 - 4);
}
