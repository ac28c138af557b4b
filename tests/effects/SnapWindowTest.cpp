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
