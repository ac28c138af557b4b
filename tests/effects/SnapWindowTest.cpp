#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "tests/forms/TestForm.h"

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
    // A main window that stood partly off the screen is drawn again where it comes back.
    main.SetVisible(true);
    MoveWindow(main.hWnd(), -200, 100, 260, 360, FALSE);
    ValidateRect(main.hWnd(), nullptr);
    bool moving = false;
    Func::DragMainWindows(main, start, moving);
    EXPECT_TRUE(GetUpdateRect(main.hWnd(), nullptr, FALSE));
}
