#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <tuple>

#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "tests/forms/TestForm.h"

namespace {

// A 1280 x 800 screen, the main window hidden (Hm 6), the taskbar where a row puts it.
Func::SnapScene Scene(Func::SnapRectPx taskbar, double mainHeight = 6, bool mainVisible = false,
                      double width = 1280) {
    return {width, 800, mainHeight, mainVisible, false, taskbar};
}
constexpr Func::SnapRectPx kBottom{0, 770, 1280, 800}, kNone{-10000, -10000, -10000, -10000};

}  // namespace

// Every band's both exclusive bounds, the rows that round, the rows that move the corner again.
TEST(SnapBands, TheCornerMovesThroughTheBandsInTheirOrder) {
    struct Case {
        Func::SnapScene scene;
        int32_t x, y, wantX, wantY, wantDock;
    };
    const Case cases[] = {
        // Right screen edge; a screen width that is not whole rounds half to even.
        {Scene(kBottom), 1191, 300, 1200, 300, 3}, {Scene(kBottom), 1209, 300, 1200, 300, 3},
        {Scene(kBottom), 1190, 300, 1190, 300, 3}, {Scene(kBottom), 1210, 300, 1200, 300, 3},
        {Scene(kBottom, 6, false, 1366.5), 1280, 300, 1286, 300, 3},
        // The main window's left edge, only while it shows.
        {Scene(kBottom), 235, 300, 235, 300, 3}, {Scene(kBottom, 6, true), 235, 300, 240, 300, 3},
        {Scene(kBottom, 6, true), 231, 300, 240, 300, 3}, {Scene(kBottom, 6, true), 230, 300, 240, 300, 3},
        {Scene(kBottom, 6, true), 250, 300, 250, 300, 3},
        // Top edge.
        {Scene(kBottom), 500, -15, 500, -6, 1}, {Scene(kBottom), 500, 3, 500, -6, 1},
        {Scene(kBottom), 500, -16, 500, -6, 1}, {Scene(kBottom), 500, 4, 500, 4, 3},
        // Bottom edge: a hidden main window puts the bar 41 px above it, an open one of 397 px
        // ends 1 px past it; a fractional height rounds half to even.
        {Scene(kNone), 500, 750, 500, 759, 2}, {Scene(kNone), 500, 749, 500, 749, 3},
        {Scene(kNone), 500, 769, 500, 759, 2}, {Scene(kNone, 397), 500, 370, 500, 368, 2},
        {Scene(kNone, 100.5), 500, 660, 500, 664, 2},
        // Above the taskbar's top.
        {Scene(kBottom), 500, 720, 500, 729, 2}, {Scene(kBottom), 500, 719, 500, 719, 3},
        {Scene(kBottom), 500, 739, 500, 729, 2},
        // Below a top taskbar: the dock stays as the edge rows set it, even after row 3 moved it.
        {Scene({0, 0, 1280, 30}), 500, 20, 500, 24, 3}, {Scene({0, 0, 1280, 30}), 500, 0, 500, 24, 1},
        {Scene({0, 0, 1280, 5}), 500, 0, 500, -1, 1},
        // Beside a side taskbar, with the main window hidden too.
        {Scene({0, 0, 60, 800}), 291, 300, 300, 300, 3}, {Scene({0, 0, 60, 800}), 309, 300, 300, 300, 3},
        {Scene({0, 0, 60, 800}), 290, 300, 290, 300, 3}, {Scene({0, 0, 60, 800}), 310, 300, 310, 300, 3},
        // A taskbar's edges that face the screen's own edges snap nothing: none left of a bottom one.
        {Scene(kBottom), -85, 300, 0, 300, 3}, {Scene({0, 0, 0, 0}), -40, -40, 0, -6, 1},
        // The right screen edge first, then left of a taskbar on the right.
        {Scene({1285, 0, 1345, 800}), 1195, 300, 1205, 300, 3},
    };
    for (const Case& c : cases) {
        int32_t x = c.x, y = c.y, dock = 7;
        Func::ApplySnapBands(x, y, dock, c.scene);
        EXPECT_EQ((std::array{x, y, dock}), (std::array{c.wantX, c.wantY, c.wantDock})) << c.x << "," << c.y;
    }
}

// Dropped anywhere, even far past an edge, on any screen: the bar docks at that edge as its band
// would, and the bar (80 x 44 px, its top 6 px hidden when docked up) and the open main window
// (323 px wide from 3 px left of the screen, ending 1 px below the bottom) stay on the screen.
TEST(SnapBands, ADropPastAnEdgeDocksTheBarAndTheMainWindowOnTheScreen) {
    for (auto [W, H] : {std::array{1024, 768}, std::array{1280, 800}, std::array{1920, 1080}})
        for (bool open : {false, true})
            for (int32_t dx : {-900, -100, 0, 100, 900})
                for (int32_t dy : {-700, -20, 0, 20, 700}) {
                    Func::SnapScene s = Scene({}, open ? 397 : 6, open, W);
                    s.screenHeightPx = H;
                    int32_t x = W / 2 + dx, y = H / 2 + dy, dock = 3;
                    Func::ApplySnapBands(x, y, dock, s);
                    const int32_t wantDock = dy < -H / 2 ? 1 : dy > H / 2 - s.mainHeightPx - 45 ? 2 : 3;
                    EXPECT_EQ(dock, wantDock) << W << "x" << H << " " << dx << "," << dy;
                    EXPECT_TRUE(x >= (open ? 240 : 0) && x <= W - 80 && y >= -6 && y <= H - s.mainHeightPx - 35)
                        << W << "x" << H << " open " << open << " " << dx << "," << dy << " -> " << x << "," << y;
                }
}

// Drops and openings on each screen, the list 397 px high: the closed bar dropped where the row
// says, then opened and closed by Down. The list opens 243 px left of the bar and ends on the
// screen; what the bands did at the drop and the opening stays after closing, what only fitted the
// list on the screen is undone.
TEST(SnapBands, OpeningTheListKeepsThePairOnTheScreenAndClosingUndoesOnlyThat) {
    struct Case {
        int32_t W, H, dropX, dropY;
        Func::BarPlace open, closed;
    };
    const Case cases[] = {
        // Dropped in the bottom band near the left edge: the bar makes way for the list to the
        // right, rising as the band says; closed, it is back in the corner it was dropped in.
        {1280, 800, 0, 750, {240, 368, 2}, {0, 759, 2}},
        {1024, 768, 7, 720, {240, 336, 2}, {7, 727, 2}},
        {1920, 1080, 127, 1035, {240, 648, 2}, {127, 1039, 2}},
        // In the band's reach at the left edge: the band places the bar, closing leaves it there.
        {1280, 800, 235, 300, {240, 300, 3}, {240, 300, 3}},
        // At mid-height on the right edge, inside the bottom band the opening list asks for: the
        // bar docks and, closed, drops by the list's height less 6 px.
        {1280, 800, 1205, 377, {1200, 368, 2}, {1200, 759, 2}},
        // Just past that band: the bar only rises for the list and goes back when it closes.
        {1280, 800, 1205, 378, {1200, 368, 2}, {1200, 378, 3}},
        {1920, 1080, 1835, 700, {1840, 648, 2}, {1840, 700, 3}},
        // Room enough: nothing moves.
        {1280, 800, 600, 300, {600, 300, 3}, {600, 300, 3}},
    };
    for (const Case& c : cases) {
        Func::SnapScene s = Scene({}, 6, false, c.W);
        s.screenHeightPx = c.H;
        int32_t x = c.dropX, y = c.dropY, dock = 3;
        Func::ApplySnapBands(x, y, dock, s);
        s.mainHeightPx = 397;
        s.mainOpening = true;
        const Func::BarOpening opening = Func::OpenBar({x, y, dock}, s);
        const Func::BarPlace& o = opening.open;
        EXPECT_EQ((std::array{o.x, o.y, o.dockY}), (std::array{c.open.x, c.open.y, c.open.dockY}))
            << c.W << "x" << c.H << " " << c.dropX << "," << c.dropY;
        EXPECT_TRUE(o.x - 243 >= -3 && o.x + 80 <= c.W && o.y + 36 + 397 <= c.H + 1)
            << "off the screen: " << c.dropX << "," << c.dropY;
        const Func::BarPlace b = Func::CloseBar(o, opening.back, 397);
        EXPECT_EQ((std::array{b.x, b.y, b.dockY}), (std::array{c.closed.x, c.closed.y, c.closed.dockY}))
            << c.W << "x" << c.H << " " << c.dropX << "," << c.dropY;
    }
}

// Near the screen's bottom: a hidden main window counted by its height (300 px) makes room for
// itself; not counted it is taken as 6 px and the same corner stays free.
TEST(SnapWindow, AHiddenMainWindowCountsOnlyWhenAskedTo) {
    TestForm main(400, 300, 0, 0);
    main.Load();
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    for (bool counted : {true, false}) {
        POINT pos{610, screenH - 335};
        Func::SnapToScreenEdges(pos, 10, 5, counted, main);
        EXPECT_EQ(pos.x, 610);
        EXPECT_EQ(pos.y, counted ? screenH - 330 : screenH - 335);
        EXPECT_EQ(mGlobal::DockY, counted ? 2 : 3);
    }
}

// The bar goes to the cursor less the drag offsets, the main window 243 px left of and 36 px
// below it, also after the bar snapped to the top edge.
TEST(SnapWindow, DraggingMovesTheBarToTheCursorAndTheMainWindowWithIt) {
    TestForm main(260, 360, 0, 0), start(90, 36, 0, 0);
    main.Load();
    start.Load();
    mGlobal::DragOffsetX = 10;
    mGlobal::DragOffsetY = 5;
    for (auto [cursorY, barTop, dock] : {std::tuple{300, 295, 3}, std::tuple{7, -6, 1}}) {
        bool moving = false;
        ASSERT_TRUE(SetCursorPos(600, cursorY));
        Func::DragMainWindows(main, start, moving);
        EXPECT_TRUE(moving);
        RECT s{}, m{};
        GetWindowRect(start.hWnd(), &s);
        GetWindowRect(main.hWnd(), &m);
        EXPECT_EQ((std::array{s.left, s.top, s.right - s.left, s.bottom - s.top}),
                  (std::array<LONG, 4>{590, barTop, 90, 36}));
        EXPECT_EQ((std::array{m.left, m.top, m.right - m.left, m.bottom - m.top}),
                  (std::array<LONG, 4>{590 - 243, barTop + 36, 260, 360}));
        EXPECT_EQ(mGlobal::DockY, dock);
    }
}

// A main window that stood partly off the screen is drawn again where a drag brings it back.
TEST(SnapWindow, DraggingRedrawsAMainWindowThatStoodOffTheScreen) {
    TestForm main(260, 360, 0, 0), start(90, 36, 0, 0);
    main.Load();
    start.Load();
    main.SetVisible(true);
    MoveWindow(main.hWnd(), -200, 100, 260, 360, FALSE);
    ValidateRect(main.hWnd(), nullptr);
    ASSERT_TRUE(SetCursorPos(600, 300));
    bool moving = false;
    Func::DragMainWindows(main, start, moving);
    EXPECT_TRUE(moving);
    EXPECT_TRUE(GetUpdateRect(main.hWnd(), nullptr, FALSE));
}
