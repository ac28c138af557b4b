#include <gtest/gtest.h>

#include "app/WindowEffects.h"

using Func::SnapScene;

namespace {

struct Snapped {
    int32_t x, y, dockY;
};

// A 1280 x 800 screen with the taskbar along the bottom, the main window hidden.
SnapScene BottomTaskbar() {
    SnapScene s;
    s.screenWidthPx = 1280;
    s.screenHeightPx = 800;
    s.mainHeightPx = 6;
    s.taskbar = {0, 770, 1280, 800};
    return s;
}

Snapped Snap(int32_t x, int32_t y, const SnapScene& s, int32_t dockY = 0) {
    Func::ApplySnapBands(x, y, dockY, s);
    return {x, y, dockY};
}

}  // namespace

TEST(SnapBands, RightScreenEdgeBandIsExclusive) {
    auto s = BottomTaskbar();
    EXPECT_EQ(Snap(1191, 300, s).x, 1200);
    EXPECT_EQ(Snap(1209, 300, s).x, 1200);
    EXPECT_EQ(Snap(1190, 300, s).x, 1190);
    EXPECT_EQ(Snap(1210, 300, s).x, 1210);
    // The screen width in pixels need not be whole: the result rounds half to even.
    s.screenWidthPx = 1366.5;
    EXPECT_EQ(Snap(1280, 300, s).x, 1286);
}

TEST(SnapBands, MainWindowEdgeBandOnlyWhileTheMainWindowShows) {
    auto s = BottomTaskbar();
    EXPECT_EQ(Snap(235, 300, s).x, 235);
    s.mainVisible = true;
    EXPECT_EQ(Snap(235, 300, s).x, 240);
    EXPECT_EQ(Snap(231, 300, s).x, 240);
    EXPECT_EQ(Snap(230, 300, s).x, 230);
    EXPECT_EQ(Snap(250, 300, s).x, 250);
}

TEST(SnapBands, TopEdgeDocksAtMinusSix) {
    auto s = BottomTaskbar();
    for (int y : {-15, 0, 3}) {
        auto r = Snap(500, y, s);
        EXPECT_EQ(r.y, -6) << y;
        EXPECT_EQ(r.dockY, 1) << y;
    }
    EXPECT_EQ(Snap(500, -16, s).y, -16);
    EXPECT_EQ(Snap(500, 4, s).dockY, 3);
}

TEST(SnapBands, BottomEdgeLeavesRoomForTheMainWindow) {
    auto s = BottomTaskbar();
    s.taskbar = {-10000, -10000, -10000, -10000};  // no taskbar in the way
    // Hidden main window: the bar's top lies 41 px above the screen's bottom.
    auto r = Snap(500, 750, s);
    EXPECT_EQ(r.y, 759);
    EXPECT_EQ(r.dockY, 2);
    EXPECT_EQ(Snap(500, 749, s).dockY, 3);
    EXPECT_EQ(Snap(500, 769, s).dockY, 3);
    // An open main window of 397 px: the window below the bar ends 1 px past the bottom.
    s.mainHeightPx = 397;
    r = Snap(500, 370, s);
    EXPECT_EQ(r.y, 368);
    EXPECT_EQ(r.y + 36 + 397, 801);
    // A fractional height rounds the corner half to even.
    s.mainHeightPx = 100.5;
    EXPECT_EQ(Snap(500, 660, s).y, 664);
}

TEST(SnapBands, TaskbarTopDocksAboveIt) {
    auto s = BottomTaskbar();
    // 770 - 6 - 45 < y < 770 - 6 - 25
    auto r = Snap(500, 720, s, 7);
    EXPECT_EQ(r.y, 729);
    EXPECT_EQ(r.dockY, 2);
    EXPECT_EQ(Snap(500, 719, s).y, 719);
    EXPECT_EQ(Snap(500, 739, s).y, 739);
}

TEST(SnapBands, TaskbarBottomLeavesDockAsTheEarlierRowsSetIt) {
    SnapScene s = BottomTaskbar();
    s.taskbar = {0, 0, 1280, 30};  // a taskbar along the top
    auto r = Snap(500, 20, s);
    EXPECT_EQ(r.y, 24);
    EXPECT_EQ(r.dockY, 3);
    // Inside the top-edge band as well: row 3 docks it, row 6 then moves it below the taskbar.
    r = Snap(500, 0, s);
    EXPECT_EQ(r.y, -6);
    EXPECT_EQ(r.dockY, 1);
    s.taskbar = {0, 0, 1280, 5};
    r = Snap(500, 0, s);
    EXPECT_EQ(r.y, -1);
    EXPECT_EQ(r.dockY, 1);
}

TEST(SnapBands, LeftTaskbarSnapsBothItsSidesEvenWithTheMainWindowHidden) {
    SnapScene s = BottomTaskbar();
    s.taskbar = {0, 0, 60, 800};
    for (int x : {291, 300, 309}) EXPECT_EQ(Snap(x, 300, s).x, 300) << x;
    EXPECT_EQ(Snap(290, 300, s).x, 290);
    EXPECT_EQ(Snap(310, 300, s).x, 310);
    s.taskbar = {400, 0, 460, 800};
    EXPECT_EQ(Snap(311, 300, s).x, 320);
    EXPECT_EQ(Snap(310, 300, s).x, 310);
}

TEST(SnapBands, RowsAfterTheScreenEdgesMayMoveTheCornerAgain) {
    // Row 1 snaps to the right screen edge, then row 7 pulls it to the left of a right taskbar.
    SnapScene s = BottomTaskbar();
    s.taskbar = {1285, 0, 1345, 800};
    auto r = Snap(1195, 300, s);
    EXPECT_EQ(r.x, 1205);
}
