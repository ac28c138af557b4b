#include <gtest/gtest.h>

#include <vector>

#include "support/TilePieces.h"

bool operator==(const TilePiece& a, const TilePiece& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height && a.srcX == b.srcX &&
           a.srcY == b.srcY;
}

// The backdrop behind the survey's comment: cut at the edges, phase from the offsets.
TEST(TilePieces, CoverTheAreaCutToItWithTheTilesPhase) {
    struct Case {
        int x, y, w, h, tileW, tileH, offX, offY;
        std::vector<TilePiece> pieces;
    };
    const Case cases[] = {
        {0, 0, 5, 3, 8, 8, 0, 0, {{0, 0, 5, 3, 0, 0}}},              // a larger tile: one piece, cut
        {0, 0, 5, 0, 8, 8, 0, 0, {}},                                 // no height: nothing
        {2, 1, 10, 4, 4, 3, 0, 0, {{2, 1, 2, 2, 2, 1}, {4, 1, 4, 2, 0, 1}, {8, 1, 4, 2, 0, 1},
                                    {2, 3, 2, 2, 2, 0}, {4, 3, 4, 2, 0, 0}, {8, 3, 4, 2, 0, 0}}},
        {0, 0, 3, 2, 4, 4, 1, 2, {{0, 0, 3, 2, 1, 2}}},              // the phase picks tile pixel (1, 2)
        {0, 0, 2, 1, 4, 4, -1, 0, {{0, 0, 1, 1, 3, 0}, {1, 0, 1, 1, 0, 0}}},  // a negative phase stays in the tile
    };
    for (const Case& c : cases)
        EXPECT_EQ(TilePieces(c.x, c.y, c.w, c.h, c.tileW, c.tileH, c.offX, c.offY), c.pieces) << c.x << "," << c.w;
}
