#include <gtest/gtest.h>

#include "app/WindowEffects.h"
#include "app/mGlobal.h"
#include "tests/effects/TestForms.h"

// The corner snaps to the screen's bottom with room for a 300 px main window counted while hidden.
TEST(SnapWindow, CountedHiddenMainWindowReservesItsHeightAtTheBottom) {
    SizedForm main(0, 0, 400, 300);
    main.Load();
    ASSERT_FALSE(main.Visible());
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    POINT pos{600 + 10, screenH - 340 + 5};
    Func::SnapToScreenEdges(pos, 10, 5, true, main);
    EXPECT_EQ(pos.x, 610);
    EXPECT_EQ(pos.y, screenH - 300 - 35 + 5);
    EXPECT_EQ(mGlobal::DockY, 2);

    // Not counted, a hidden main window is taken as 6 px: the same corner stays free.
    pos = {600 + 10, screenH - 340 + 5};
    Func::SnapToScreenEdges(pos, 10, 5, false, main);
    EXPECT_EQ(pos.y, screenH - 340 + 5);
    EXPECT_EQ(mGlobal::DockY, 3);
}

TEST(SnapWindow, DraggingMovesTheBarToTheCursorAndTheMainWindowWithIt) {
    SizedForm main(0, 0, 260, 360), start(0, 0, 90, 36);
    main.Load();
    start.Load();
    bool moving = false;
    mGlobal::DragOffsetX = 10;
    mGlobal::DragOffsetY = 5;
    ASSERT_TRUE(SetCursorPos(600, 300));
    Func::DragMainWindows(main, start, moving);
    EXPECT_TRUE(moving);
    RECT s{}, m{};
    GetWindowRect(start.hWnd(), &s);
    GetWindowRect(main.hWnd(), &m);
    EXPECT_EQ(s.left, 590);
    EXPECT_EQ(s.top, 295);
    EXPECT_EQ(s.right - s.left, 90);
    EXPECT_EQ(m.left, 590 - 243);
    EXPECT_EQ(m.top, 295 + 36);
    EXPECT_EQ(m.bottom - m.top, 360);

    // Near the top edge the bar snaps to -6 and the main window follows it.
    ASSERT_TRUE(SetCursorPos(600, 7));
    Func::DragMainWindows(main, start, moving);
    GetWindowRect(start.hWnd(), &s);
    GetWindowRect(main.hWnd(), &m);
    EXPECT_EQ(s.top, -6);
    EXPECT_EQ(m.top, 30);
    EXPECT_EQ(mGlobal::DockY, 1);
}
