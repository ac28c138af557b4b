#include <gtest/gtest.h>

#include <tuple>

#include "windows/InsertLayout.h"
#include "windows/TrayPlacement.h"

// clips -> list, frame, window height, rows, bar enabled, bar range, top tile height
TEST(InsertLayout, HeightsRowsAndScrollRangeFollowTheClipCount) {
    struct Row {
        int clips, list, frame, window, rows;
        bool enabled;
        int max;
        double topp;
    };
    for (const Row& r : {Row{0, 0, 0, 800, 0, false, 0, 800 * 7.0 / 12},
                         Row{1, 1050, 1050, 1850, 1, false, 0, 1850 * 7.0 / 12},  // 1079.17
                         Row{3, 3150, 3150, 3950, 3, false, 0, 3950 * 7.0 / 12},  // 2304.17
                         Row{4, 4200, 4200, 5000, 4, false, 0, 2010},
                         Row{5, 5250, 5250, 6050, 5, true, 1, 2010},
                         Row{12, 12600, 5250, 6050, 5, true, 2, 2010},
                         Row{40, 42000, 5250, 6050, 5, true, 8, 2010}}) {  // past 16 bits
        const auto l = InsertLayout::ForClips(r.clips);
        EXPECT_EQ(std::tuple(l.listHeightTw, l.frameHeightTw, l.windowHeightTw, l.visibleRows, l.scrollEnabled,
                             int{l.maxValue}),
                  std::tuple(r.list, r.frame, r.window, r.rows, r.enabled, r.max))
            << r.clips << " clips";
        EXPECT_DOUBLE_EQ(InsertLayout::ToppHeightTw(l.windowHeightTw), r.topp) << r.clips << " clips";
    }
}

TEST(InsertLayout, MiddleTilesReachTheBottomTile) {
    EXPECT_EQ(InsertLayout::LastMidTile(1850, 300), 1);  // always at least one
    EXPECT_EQ(InsertLayout::LastMidTile(6050, 300), 5);  // 2000 + 915 * 5 = 6575 > 5750
    EXPECT_EQ(InsertLayout::LastMidTile(2915 + 300, 300), 2);  // the edge itself needs one more
}

// top, size, clips -> first clip shown
TEST(InsertLayout, ScrollingPicksTheFirstClipAndNeverRunsPastTheEnd) {
    for (auto [top, size, clips, first] : {std::tuple{10, 10, 5, 0},   // five clips: nothing to scroll
                                           std::tuple{10, 10, 12, 7},  // the bottom shows clips 7 to 11
                                           std::tuple{5, 10, 12, 4},   // 3.5 rounds to 4
                                           std::tuple{14, 10, 12, 7},  // the bar's 4 extra steps
                                           std::tuple{10, 10, 3, 0},   // clips deleted since
                                           std::tuple{0, -4, 12, 0}}) {  // a bar with no travel
        EXPECT_EQ(InsertLayout::FirstClip(top, size, clips), first) << top << "/" << size << " of " << clips;
    }
}

// cursor x, y -> menu corner (screen 19200 x 12000 twips)
TEST(TrayPlacement, TheMenuOpensAtTheCursorOrTowardsTheScreen) {
    using TrayPlacement::MenuCorner;
    for (auto [x, y, left, top] : {std::tuple{180.0, 480.0, 180.0, 480.0},
                                   std::tuple{19100.0, 480.0, 16205.0, 480.0},    // near the right edge
                                   std::tuple{16305.0, 480.0, 13410.0, 480.0},    // exactly 2895 left: not greater
                                   std::tuple{180.0, 11000.0, 180.0, 8990.0},     // near the bottom
                                   std::tuple{180.0, 9990.0, 180.0, 7980.0}}) {   // exactly 2010 above it
        const auto c = MenuCorner(x, y, 19200, 12000);
        EXPECT_EQ(std::tuple(c.left, c.top), std::tuple(left, top)) << x << "," << y;
    }
}

TEST(TrayPlacement, TheInsertWindowOpensBesideTheMenu) {
    using TrayPlacement::InsertCorner;
    auto c = InsertCorner(180, 480, 6050, 19200, 12000);
    EXPECT_EQ(std::tuple(c.left, c.top), std::tuple(2830.0, 480.0));
    c = InsertCorner(9400, 8000, 6050, 19200, 12000);  // 9400 + 9800 = 19200 still fits; 14050 does not
    EXPECT_EQ(std::tuple(c.left, c.top), std::tuple(12050.0, 8000.0 + 2240 - 6050));
    c = InsertCorner(9401, 480, 6050, 19200, 12000);
    EXPECT_EQ(c.left, 9401.0 - 7170);
}
