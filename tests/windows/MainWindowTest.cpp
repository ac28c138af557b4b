// The main window's layout, scrolling and menu, driven through its own operations and handlers.
#include <windows.h>

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/mGlobal.h"
#include "tests/forms/TestForm.h"
#include "windows/Windows.h"

namespace {
struct MainWindow : ::testing::Test {
    fMainForm& w = fMain();
    void SetUp() override { Reset(0); }
    void TearDown() override {
        Reset(0);
        mGlobal::DockY = 0;
    }
    // The history holds `clips` clips and the window shows them from the top.
    void Reset(int clips) {
        w.Delete_All();
        mGlobal::LastClipText.clear();
        w.KeyDown(VK_HOME);
        fMainForm::HeightDeferral once(w);
        for (int i = 0; i < clips; ++i) w.AddClip(u"clip " + std::u16string(1, char16_t(u'A' + i % 26)));
        w.RefreshViewedClips();
    }
    int HeightPx() {
        RECT r{};
        GetWindowRect(w.hWnd(), &r);
        return r.bottom - r.top;
    }
    int TopPx(const forms::Control& c) { return c.RectPx().top; }
    static std::wstring Shown(int clip) { return L"clip " + std::wstring(1, wchar_t(L'A' + clip)); }
    // The text on the clipboard, as another program reads it.
    static std::u16string Clipboard() {
        std::u16string t;
        if (!OpenClipboard(nullptr)) return u"(not opened)";
        if (HANDLE h = GetClipboardData(CF_UNICODETEXT))
            if (const auto* p = static_cast<const char16_t*>(GlobalLock(h))) {
                t = p;
                GlobalUnlock(h);
            }
        CloseClipboard();
        return t;
    }
};

// The delete and save menu, driven by its keys, the mouse and its timer; the save menu's actions
// are told apart by whether they ask for a file name (with nothing selected only "all" asks).
struct PopUp : MainWindow {
    fPopUpForm& p = fPopUp();
    int asked = 0;
    void SetUp() override {
        Reset(3);
        w.AskExportFileName = [this] { ++asked; return std::string(); };
        p.Show();
        p.PrevContr = 2;
    }
    void TearDown() override {
        w.AskExportFileName = nullptr;
        MainWindow::TearDown();
    }
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

// Heights grow by one row per clip up to five; the scroll bar's range follows the clip count; rows
// sit 70 px apart, the newest clip at the top.
TEST_F(MainWindow, HeightRowsAndScrollRangeFollowTheClipCount) {
    struct Row { int clips, heightTw, rows, maxValue; bool scrollable; };
    const Row rows[] = {{0, 1620, 1, 0, false},  {1, 1755, 1, 0, false}, {3, 3855, 3, 0, false},
                        {13, 5955, 5, 3, true},  {5, 5955, 5, 0, false}, {6, 5955, 5, 1, true},
                        {7, 5955, 5, 1, true},   {12, 5955, 5, 2, true}, {2, 2805, 2, 0, false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.clips);
        Reset(r.clips);
        EXPECT_EQ(HeightPx() * 15, r.heightTw);
        EXPECT_EQ(w.imgClipBack.Count(), r.rows);
        EXPECT_EQ(w.ClipsFrame.Visible(), r.clips > 0);
        EXPECT_EQ(w.lblEmpty.Visible() && !w.ClipsFrame.Visible(), r.clips == 0);
        EXPECT_EQ(w.Scroll.Max_Value(), r.maxValue);
        EXPECT_EQ(w.Scroll.Enabled(), r.scrollable);
        EXPECT_EQ(w.Scroll.Height(), r.heightTw - 700);
        EXPECT_EQ(w.ClipsHe, r.clips * 1050);
        for (int i = 0; i < r.rows && r.clips; ++i) {
            EXPECT_EQ(TopPx(w.imgClipBack[i]), 70 * i);
            EXPECT_EQ(w.txt[i].Caption(), Shown(r.clips - 1 - i));
        }
    }
}

// Five rows: eight middle tiles 37 px apart from 64 px and the bottom piece at 348 px; emptied
// again, the bottom piece goes back to 59 px and the tiles stay.
TEST_F(MainWindow, BackgroundTilesAndTheBottomPiece) {
    Reset(5);
    std::vector<int> tops;
    for (int i = 0; w.iMid.Exists(i); ++i) tops.push_back(TopPx(w.iMid[i]));
    EXPECT_EQ(tops, (std::vector<int>{64, 101, 138, 175, 212, 249, 286, 323}));
    EXPECT_EQ(TopPx(w.iLow), 348);
    Reset(0);
    EXPECT_EQ(TopPx(w.iLow), 59);
    EXPECT_EQ(w.iMid.Count(), 8);
}

// Each key or wheel turn from the top of a history: the view, its first row and the thumb.
TEST_F(MainWindow, KeysAndWheelMoveTheViewWithinTheHistory) {
    struct Step { int clips; int key; int wheel; int top; };
    const Step steps[] = {
        {7, VK_DOWN, 0, 1},   {7, VK_NEXT, 0, 2},   {7, VK_END, 0, 2},   {7, VK_UP, 0, 0},
        {12, VK_NEXT, 0, 4},  {12, VK_END, 0, 7},   {12, 0, -120, 1},    {12, 0, 120, 0},
        {13, VK_NEXT, 0, 4},  {13, VK_END, 0, 8},   {5, VK_DOWN, 0, 0},  {5, 0, -120, 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::to_string(s.clips) + " clips, key " + std::to_string(s.key));
        Reset(s.clips);
        int32_t keys = 0, rotation = s.wheel, x = 0, y = 0;
        if (s.key) w.KeyDown(s.key);
        else w.MouseWheel(keys, rotation, x, y);
        EXPECT_EQ(w.TopElement, s.top);
        EXPECT_EQ(w.txt[0].Caption(), Shown(s.clips - 1 - s.top));
        const int range = s.clips - 5;
        const int thumb = range > 0 ? static_cast<int>(std::nearbyint(w.Scroll.ScrollHeight() * (s.top / double(range)))) : 0;
        EXPECT_EQ(w.Scroll.ScrollTop(), thumb);
    }
    Reset(12);
    w.KeyDown(VK_END);
    w.KeyDown(VK_HOME);
    EXPECT_EQ(w.TopElement, 0);
    EXPECT_EQ(w.Scroll.ScrollTop(), 0);
}

// Dragging the thumb: Top / Size of the travel picks the first row, held inside the history; the
// oldest clips are reachable at the largest history too.
TEST_F(MainWindow, TheThumbPicksTheFirstRow) {
    struct Drag { int clips; int16_t top, size; int expected; };
    for (Drag d : {Drag{13, 0, 100, 0}, Drag{13, 50, 100, 4}, Drag{13, 100, 100, 8}, Drag{13, 104, 100, 8},
                   Drag{13, 5, 0, 0}, Drag{32767, 104, 100, 32762}, Drag{32767, 101, 100, 32762}}) {
        if (mGlobal::History.ClipCount() != d.clips) Reset(d.clips);
        w.Scroll_Change(d.top, d.size);
        EXPECT_EQ(w.TopElement, d.expected) << d.clips << " clips, " << d.top << "/" << d.size;
    }
}

// One press on the down arrow steps once from where the view is, whatever moved it before: a drag
// to the end and Home, or the wheel (30 clips: one step is about four rows).
TEST_F(MainWindow, OnePressOnTheDownArrowStepsOnceFromTheView) {
    Reset(30);
    const HWND bar = w.Scroll.hWnd();
    RECT r{};
    GetClientRect(bar, &r);
    Mouse(bar, WM_LBUTTONDOWN, 12, 30, MK_LBUTTON);
    Mouse(bar, WM_MOUSEMOVE, 12, 2000, MK_LBUTTON);
    Mouse(bar, WM_LBUTTONUP, 12, 2000);
    EXPECT_EQ(w.TopElement, 25);
    w.KeyDown(VK_HOME);
    ClickAt(bar, 12, r.bottom - 5);
    EXPECT_EQ(w.TopElement, 4);
    int32_t keys = 0, rotation = -120, x = 0, y = 0;
    for (int i = 0; i < 6; ++i) w.MouseWheel(keys, rotation, x, y);
    ClickAt(bar, 12, r.bottom - 5);
    EXPECT_EQ(w.TopElement, 13);
}

// Docked at the bottom edge, the open pair grows upward: the window's bottom edge stays put.
TEST_F(MainWindow, ABottomDockedWindowGrowsUpward) {
    mGlobal::DockY = 2;
    w.SetVisible(true);
    fStart().Move(600 * 15, 500 * 15, fStart().Width(), fStart().Height());
    MoveWindow(w.hWnd(), 357, 536, 330, 108, FALSE);
    RECT before{}, after{};
    GetWindowRect(w.hWnd(), &before);
    w.AddClip(u"first");
    GetWindowRect(w.hWnd(), &after);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_EQ(after.bottom - after.top, 117);  // 1755 twips
    EXPECT_EQ(std::lround(fStart().Top() / 15), after.top - 36);
    // Moved without a repaint of its own, the window must paint where it now stands.
    RedrawWindow(w.hWnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    w.AddClip(u"second");
    EXPECT_TRUE(GetUpdateRect(w.Paste.hWnd(), nullptr, FALSE)) << "the moved header is not repainted";
}

// Ctrl+A selects every clip, draws every row selected and puts them, joined, on the clipboard; a
// plain A does nothing. Delete lays the window out again: one row less, and emptied through
// Ctrl+A, the empty look with the Delete button off.
TEST_F(MainWindow, DeleteLaysTheWindowOutAgain) {
    Reset(3);
    w.imgClipBack_Click(2);
    w.KeyDown('A');
    EXPECT_EQ(Clipboard(), u"clip A") << "a plain A changed the selection";
    w.KeyDown(VK_CONTROL);
    w.KeyDown('A');
    w.KeyUp(VK_CONTROL);
    EXPECT_EQ(Clipboard(), u"clip C\r\nclip B\r\nclip A");
    for (int r = 0; r < 3; ++r) EXPECT_TRUE(w.imgClipBack[r].Picture() == w.Sel_Picture) << "row " << r << " drawn unselected";
    w.imgClipBack_Click(1);
    w.KeyDown(VK_DELETE);
    EXPECT_EQ(mGlobal::History.ClipCount(), 2);
    EXPECT_EQ(w.imgClipBack.Count(), 2);
    EXPECT_EQ(HeightPx() * 15, 2805);
    w.KeyDown(VK_CONTROL);
    w.KeyDown('A');
    EXPECT_EQ(Clipboard(), u"clip C\r\nclip A");
    w.KeyDown(VK_DELETE);
    w.KeyUp(VK_CONTROL);
    EXPECT_EQ(mGlobal::History.ClipCount(), 0);
    EXPECT_FALSE(w.ClipsFrame.Visible());
    EXPECT_EQ(HeightPx() * 15, 1620);
    EXPECT_FALSE(w.Delete.Enabled());
}

// Every clip removed while the view was scrolled down: the view is back at the top, so the first
// row shows the next new clip and a click on it copies that clip.
TEST_F(MainWindow, EmptyingTheHistoryReturnsTheViewToTheTop) {
    for (bool all : {false, true}) {
        SCOPED_TRACE(all ? "Delete_All" : "Ctrl+A, Delete");
        Reset(7);
        w.KeyDown(VK_END);
        if (all) {
            w.Delete_All();
        } else {
            w.KeyDown(VK_CONTROL);
            w.KeyDown('A');
            w.KeyUp(VK_CONTROL);
            w.KeyDown(VK_DELETE);
        }
        w.AddClip(u"new");
        w.RefreshViewedClips();
        EXPECT_EQ(w.txt[0].Caption(), L"new");
        w.imgClipBack_Click(0);
        EXPECT_EQ(Clipboard(), u"new");
    }
}

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

// A release outside the menu, which still holds the mouse, chooses nothing, whichever item was lit:
// the menu closes and no clip goes.
TEST_F(PopUp, AReleaseOutsideTheMenuRunsNoItem) {
    RECT r{};
    GetWindowRect(p.hWnd(), &r);
    const int h = r.bottom - r.top;
    for (int downs : {0, 2}) {  // nothing lit (Enter would run the upper item), the lower item lit
        p.Show();
        p.PrevContr = 1;
        w.KeyDown(VK_CONTROL);  // Ctrl+A: every clip selected
        w.KeyDown('A');
        w.KeyUp(VK_CONTROL);
        for (int i = 0; i < downs; ++i) Key(VK_DOWN);
        SetCapture(p.hWnd());
        SendMessageW(p.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(10, h + 30));
        EXPECT_FALSE(p.Visible()) << downs;
        EXPECT_EQ(mGlobal::History.ClipCount(), 3) << downs;
    }
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
    w.Delete_Click();
    EXPECT_FALSE(p.Visible());
    p.Show();
    p.PrevContr = 2;
    w.Delete_Click();
    EXPECT_TRUE(p.Visible());
    EXPECT_EQ(p.PrevContr, 1);
    RECT m{}, b{};
    GetWindowRect(p.hWnd(), &m);
    GetWindowRect(w.Delete.hWnd(), &b);
    EXPECT_EQ(m.left, b.left - 1);
    EXPECT_EQ(m.top, b.top + 25 - 4);
}
